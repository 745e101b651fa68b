#pragma once
// Text of the status-line clock from the time settings of the [intl]
// section: a 24-hour clock "13:07", or a 12-hour clock "1:07 PM".

#include <cstdint>
#include <string>

struct zStatusClockFormat {
    int32_t twentyFourHour = 0;  // "iTime": 1 for the 24-hour clock
    std::string separator = ":"; // "sTime": at most 1 character kept
    std::string morning = "AM";  // "s1159": at most 4 characters kept
    std::string afternoon = "PM";// "s2359": at most 4 characters kept

    // Cuts the texts to the lengths the clock keeps.
    void clip();

    // The text for an hour 0-23 and a minute 0-59.
    std::string text(int32_t hour, int32_t minute) const;

    // The widest text the clock can show, for measuring its item.
    std::string sample() const;
};
