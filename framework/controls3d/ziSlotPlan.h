#pragma once
// Placement arithmetic of the tool bar's slot layout. Buttons sit in
// numbered slots one after the other; a number without a button leaves a
// gap of the spacing; items that are not in a slot keep their own place.

#include <climits>
#include <cstdint>
#include <vector>

struct ziSlotRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct ziSlotItem {
    // Input.
    bool inSlot = false;        // a slot sizer, else an item with its own place
    int32_t slot = 0;           // slot number (slot sizers)
    int32_t width = 0;          // requested width: 0 the rest, -1 the spacing
    int32_t height = 0;         // requested height: 0 the rest, -1 the spacing
    int32_t x = 0, y = 0;       // own position (other items)
    // Output: where the item goes.
    ziSlotRect rect;
};

struct ziSlotPlan {
    static constexpr int32_t kUnset = INT32_MIN;

    uint8_t orientation = 1;    // 1 left to right, 0 top to bottom
    int32_t marginX = 0, marginY = 0;
    int32_t spacingX = 0, spacingY = 0;

    // Places every item inside area. Afterwards area's right and bottom are
    // its left and top plus the room the slots used. A slot sizer whose
    // number is below 1 or taken by an earlier one gets the empty rectangle.
    void place(ziSlotRect& area, std::vector<ziSlotItem>& items) const;
};
