#include "framework/controls3d/zStatusClockFormat.h"

#include <gtest/gtest.h>

TEST(zStatusClockFormat, TwelveAndTwentyFourHourTexts) {
    zStatusClockFormat twelve;  // the WIN.INI defaults
    EXPECT_EQ(twelve.text(0, 5), "12:05 AM");
    EXPECT_EQ(twelve.text(11, 59), "11:59 AM");
    EXPECT_EQ(twelve.text(12, 0), "12:00 PM");
    EXPECT_EQ(twelve.text(13, 7), "1:07 PM");
    EXPECT_EQ(twelve.sample(), "M:MM MM");

    zStatusClockFormat german;
    german.twentyFourHour = 1;
    german.separator = ".";
    EXPECT_EQ(german.text(13, 7), "13.07");
    EXPECT_EQ(german.text(0, 5), "00.05");
    EXPECT_EQ(german.sample(), "MM.MM");
}

TEST(zStatusClockFormat, ClipKeepsTheStoredLengths) {
    zStatusClockFormat f;
    f.separator = "::";
    f.morning = "vormittags";
    f.afternoon = "nachm";
    f.clip();
    EXPECT_EQ(f.text(9, 30), "9:30 vorm");
    EXPECT_EQ(f.text(21, 30), "9:30 nach");
}
