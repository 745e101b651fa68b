#include "framework/controls3d/ziVisControl.h"

ziVisControl::ziVisControl(ziCompound* parent, zSizer* sizer, int32_t id)
    : ziVisual(parent, sizer), id_(id)
{
    clearActive(ActiveBit);
}

void ziVisControl::showClear() { state_ = 1; }
void ziVisControl::showState4() { state_ = 4; }
void ziVisControl::reserved() {}

void ziVisControl::draw(const zRect*)
{
    if (state_ == 1)
        showClear();
    else if (state_ == 4)
        showState4();
}
