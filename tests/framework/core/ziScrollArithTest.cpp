#include "framework/core/ziScrollArith.h"

#include <gtest/gtest.h>

namespace {

using Move = ziScrollArith::Move;

TEST(ScrollArith, LineMoves)
{
    struct Case {
        int32_t prev, pos, min, max, step;
        Move::Kind kind;
        int32_t delta;
    } cases[] = {
        {0, 1, 0, 100, 1, Move::Scroll, -1},   // one line down: the pixels move up by 1
        {5, 4, 0, 100, 1, Move::Scroll, 1},
        {0, 3, 0, 100, 7, Move::Scroll, -21},  // a line of 3 positions moves 3 steps
        {3, 0, 0, 100, 7, Move::Scroll, 21},
        {100, 100, 0, 100, 1, Move::None, 0},  // clamped at the maximum: no change
        {100, 101, 0, 100, 1, Move::Bottom, 0},  // forward falls back to the bottom
        {5, 5, 5, 100, 1, Move::None, 0},
        {5, 4, 5, 100, 1, Move::Top, 0},       // backward falls back to the top
        {-3, -4, -10, 10, 2, Move::Scroll, 2}, // a negative range works like any other
    };
    for (const Case& c : cases) {
        Move m = ziScrollArith::line(c.prev, c.pos, c.min, c.max, c.step);
        EXPECT_EQ(m.kind, c.kind) << c.prev << "->" << c.pos;
        EXPECT_EQ(m.delta, c.delta) << c.prev << "->" << c.pos;
    }
}

TEST(ScrollArith, PageMoves)
{
    struct Case {
        int32_t prev, pos, min, max;
        Move::Kind kind;
        int32_t delta;
    } cases[] = {
        {0, 10, 0, 100, Move::Scroll, -10},  // one page down with the defaults
        {30, 20, 0, 100, Move::Scroll, 10},
        {95, 100, 0, 100, Move::Bottom, 0},  // short page at the end: to the bottom
        {4, 0, 0, 100, Move::Top, 0},        // short page at the start: to the top
        {7, 7, 0, 100, Move::None, 0},
    };
    for (const Case& c : cases) {
        Move m = ziScrollArith::page(c.prev, c.pos, c.min, c.max, 10, 10);
        EXPECT_EQ(m.kind, c.kind) << c.prev << "->" << c.pos;
        EXPECT_EQ(m.delta, c.delta) << c.prev << "->" << c.pos;
    }
    // The pixels of a page are the scroller's, independent of its step.
    EXPECT_EQ(ziScrollArith::page(0, 10, 0, 100, 10, 64).delta, -64);
    // Top and bottom scroll by the actual difference times the step.
    EXPECT_EQ(ziScrollArith::jump(95, 100, 3), -15);
    EXPECT_EQ(ziScrollArith::jump(4, 0, 3), 12);
}

TEST(ScrollArith, AutomaticRange)
{
    EXPECT_EQ(ziScrollArith::autoMax(1000, 300, 7), 100);  // 700 / 7
    EXPECT_EQ(ziScrollArith::autoMax(1000, 300, 6), 117);  // 700 / 6 rounded up
    EXPECT_EQ(ziScrollArith::autoMax(300, 300, 1), 0);     // fits
    EXPECT_EQ(ziScrollArith::autoMax(200, 300, 1), 0);
    EXPECT_EQ(ziScrollArith::autoMax(1000, 300, 0), 700);  // a zero step is taken as 1
}

TEST(ScrollArith, KeptPositionFollowsTheNewMaximum)
{
    EXPECT_EQ(ziScrollArith::keptPosition(50, 100, 120, 0), 60);
    EXPECT_EQ(ziScrollArith::keptPosition(50, 100, 40, 0), 20);
    EXPECT_EQ(ziScrollArith::keptPosition(50, 100, 160, 0), 80);
    EXPECT_EQ(ziScrollArith::keptPosition(1, 3, 2, 0), 1);     // 0.67 rounds to 1
    EXPECT_EQ(ziScrollArith::keptPosition(100, 100, 10, 0), 10);
    EXPECT_EQ(ziScrollArith::keptPosition(5, 10, 0, 2), 2);    // clamped to the minimum
}

}  // namespace
