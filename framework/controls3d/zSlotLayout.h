#pragma once
// The layout of a tool bar: slot sizers one after the other in slot order
// (left to right, or top to bottom), numbers without a sizer leaving a gap
// of the spacing; other sizers keep their own place.

#include "framework/controls3d/ziSlotPlan.h"
#include "framework/core/zSizer.h"

class zSlotLayout : public zNormalLayout {
public:
    zSlotLayout() { plan_.orientation = 1; }

    void layout(zRect& area, zSizerDlist* children, int32_t count) override;
    // The largest right and bottom edges of the absolute children.
    void preferredSize(zLayoutRecord& out, zSizerDlist* children, int32_t count) override;

    void setOrientation(uint8_t o) { plan_.orientation = o; }
    void setMargins(int32_t x, int32_t y) { plan_.marginX = x; plan_.marginY = y; }
    void setSpacing(int32_t x, int32_t y) { plan_.spacingX = x; plan_.spacingY = y; }
    const ziSlotPlan& plan() const { return plan_; }

private:
    ziSlotPlan plan_;
};
