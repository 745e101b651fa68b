#include "framework/controls3d/ziSlotPlan.h"

#include <gtest/gtest.h>

namespace {

ziSlotItem slot(int32_t n, int32_t w, int32_t h) {
    ziSlotItem it;
    it.inSlot = true;
    it.slot = n;
    it.width = w;
    it.height = h;
    return it;
}

ziSlotPlan toolbarPlan() {
    ziSlotPlan p;
    p.marginX = 4;
    p.marginY = 1;
    p.spacingX = 5;
    return p;
}

}  // namespace

TEST(ziSlotPlan, MissingNumbersLeaveGapsOfTheSpacing) {
    std::vector<ziSlotItem> items = {slot(5, 25, 25), slot(1, 25, 25)};
    ziSlotRect area{0, 0, 400, 27};
    toolbarPlan().place(area, items);
    EXPECT_EQ(items[1].rect.left, 4);
    EXPECT_EQ(items[1].rect.right, 29);
    EXPECT_EQ(items[0].rect.left, 4 + 25 + 3 * 5);
    EXPECT_EQ(items[0].rect.top, 1);
    EXPECT_EQ(items[0].rect.bottom, 26);
    // The area shrinks to what the slots used.
    EXPECT_EQ(area.right, 25 + 3 * 5 + 25);
    EXPECT_EQ(area.bottom, 0);
}

TEST(ziSlotPlan, SizesOfZeroAndMinusOne) {
    ziSlotPlan p = toolbarPlan();
    p.spacingY = 7;
    std::vector<ziSlotItem> items = {slot(1, 25, 0), slot(2, -1, -1), slot(3, 0, 10)};
    ziSlotRect area{0, 0, 100, 31};
    p.place(area, items);
    // Height 0 fills the working height (31 - 2 margins).
    EXPECT_EQ(items[0].rect.top, 1);
    EXPECT_EQ(items[0].rect.bottom, 30);
    // -1 takes the spacing in both directions; a low slot is centred.
    EXPECT_EQ(items[1].rect.right - items[1].rect.left, 5);
    EXPECT_EQ(items[1].rect.top, 1 + (30 - 8) / 2);
    EXPECT_EQ(items[1].rect.bottom - items[1].rect.top, 7);
    // Width 0 takes the rest up to the right margin.
    EXPECT_EQ(items[2].rect.left, 34);
    EXPECT_EQ(items[2].rect.right, 96);
    EXPECT_EQ(items[2].rect.top, 1 + (30 - 11) / 2);
}

TEST(ziSlotPlan, TopToBottomCentresNarrowSlots) {
    ziSlotPlan p = toolbarPlan();
    p.orientation = 0;
    p.spacingY = 3;
    std::vector<ziSlotItem> items = {slot(1, 20, 25), slot(3, 20, 25)};
    ziSlotRect area{0, 0, 30, 200};
    p.place(area, items);
    EXPECT_EQ(items[0].rect.left, 4 + (26 - 24) / 2);
    EXPECT_EQ(items[0].rect.top, 1);
    EXPECT_EQ(items[1].rect.top, 1 + 25 + 3);
    EXPECT_EQ(area.bottom, 53);
    EXPECT_EQ(area.right, 0);
}

TEST(ziSlotPlan, OwnPlacesAndUnplaceableSlots) {
    ziSlotItem own;
    own.x = 50;
    own.y = 2;
    own.width = ziSlotPlan::kUnset;
    own.height = 10;
    std::vector<ziSlotItem> items = {own, slot(1, 25, 25), slot(1, 25, 25), slot(0, 25, 25)};
    ziSlotRect area{0, 0, 300, 27};
    toolbarPlan().place(area, items);
    EXPECT_EQ(items[0].rect.left, 50);
    EXPECT_EQ(items[0].rect.right, 296);  // unset width reaches the margin
    EXPECT_EQ(items[0].rect.bottom, 12);
    EXPECT_EQ(items[1].rect.left, 4);
    // The second slot 1 and slot 0 are not placed.
    EXPECT_EQ(items[2].rect.right - items[2].rect.left, 0);
    EXPECT_EQ(items[3].rect.right - items[3].rect.left, 0);
}
