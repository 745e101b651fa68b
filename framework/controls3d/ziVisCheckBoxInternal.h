#pragma once
// The face of a 3-D check box: a sunken 12 x 12 box with a cross (or a
// tick) when set; held down it shows a pressed look.

#include "framework/controls3d/ziVisButton.h"

class ziVisCheckBoxInternal : public ziVisButton {
public:
    ziVisCheckBoxInternal(ziCompound* parent, zSizer* sizer, uint32_t style, int32_t id);

    void showClear() override;
    void showSet() override;
    void press() override;
    void showPressedClear() override;
    void clickAction() override;

    // Auto check box: a click toggles.
    static bool isAuto(uint32_t style) { return (style & 3) == 3; }
    const zRect& box() const { return box_; }

protected:
    void drawBox();
    void drawPressed();
    void drawMark(bool white);

    zRect box_{};
};
