#include "framework/controls3d/zStatusClockFormat.h"

#include <cstdio>

void zStatusClockFormat::clip() {
    if (separator.size() > 1) separator.resize(1);
    if (morning.size() > 4) morning.resize(4);
    if (afternoon.size() > 4) afternoon.resize(4);
}

std::string zStatusClockFormat::text(int32_t hour, int32_t minute) const {
    char buf[64];
    if (twentyFourHour == 1) {
        std::snprintf(buf, sizeof buf, "%02d%s%02d", static_cast<int>(hour),
                      separator.c_str(), static_cast<int>(minute));
    } else {
        int h12 = hour % 12;
        if (h12 == 0) h12 = 12;
        std::snprintf(buf, sizeof buf, "%d%s%02d %s", h12, separator.c_str(),
                      static_cast<int>(minute),
                      (hour < 12 ? morning : afternoon).c_str());
    }
    return buf;
}

std::string zStatusClockFormat::sample() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, twentyFourHour == 1 ? "MM%sMM" : "M%sMM MM",
                  separator.c_str());
    return buf;
}
