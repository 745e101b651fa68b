#pragma once
// The face of a 3-D radio button: a sunken round button in a 12 x 12 box
// with a dot in its middle when set.

#include "framework/controls3d/ziVisButton.h"

class ziVisRadioBtnInternal : public ziVisButton {
public:
    ziVisRadioBtnInternal(ziCompound* parent, zSizer* sizer, uint32_t style, int32_t id);

    void showClear() override;
    void showSet() override;
    void press() override;
    void showPressedClear() override;
    void clickAction() override;

    // Auto radio button: a click sets it.
    static bool isAuto(uint32_t style) { return (style & 9) == 9; }
    const zRect& box() const { return box_; }

protected:
    // The cleared box and the ring; pressed fills the inside grey.
    void drawRound(bool pressedLook);
    void drawDot();

    zRect box_{};
};
