#include "framework/controls3d/ziVisText3dBmp.h"

void ziVisText3dBmp::drawIn(const zRect& a)
{
    const int32_t tx = imageRight_ >= 0 ? imageRight_ + 4 : a.left + (a.width() - textWidth()) / 2;
    const int32_t ty = a.top + styleOffset(a.height() / 2 - textHeight() / 2);
    placeIn(tx + offset_, ty + offset_);
    drawText();
}
