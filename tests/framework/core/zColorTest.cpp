#include "framework/core/zColor.h"

#include <gtest/gtest.h>

namespace {

TEST(Color, RecordToColorRef)
{
    struct Case {
        zColor colour;
        uint32_t expected;
    } cases[] = {
        {{5, 1, 9, 1}, 0x01000000u | 261},    // palette index 261; blue ignored
        {{1, 2, 3, 2}, 0x02030201u},          // palette-relative RGB
        {{1, 2, 3, 7}, 0x02030201u},          // any other kind too
        {{1, 2, 3, 0}, 0x00030201u},          // plain RGB
        {{255, 255, 255, 255}, 0x02FFFFFFu},  // a display's starting background
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.colour.colorRef(), c.expected) << int(c.colour.kind);
}

TEST(Color, SplitFromColorRef)
{
    zColor c = zColor::fromColorRef(0x00C0B0A0u);
    EXPECT_EQ(c, (zColor{0xA0, 0xB0, 0xC0, 0}));
    EXPECT_EQ(c.colorRef(), 0x00C0B0A0u);
}

}  // namespace
