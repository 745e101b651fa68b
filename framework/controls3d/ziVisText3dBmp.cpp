#include "framework/controls3d/ziVisText3dBmp.h"

#include "framework/controls3d/ziDisplayScope.h"

void ziVisText3dBmp::draw(const zRect*)
{
    if (stripMnemonic().empty())
        return;
    zDisplay* d = display();
    if (!d)
        return;
    const zRect a = area();
    ziAcquire hold(d);
    d->backColor(ziColor(ziBtnFace()));
    const int32_t tx = imageRight_ >= 0 ? imageRight_ + 4 : a.left + (a.width() - textWidth()) / 2;
    const int32_t ty = a.top + styleOffset(a.height() / 2 - textHeight() / 2);
    placeIn(tx + offset_, ty + offset_);
    drawText();
}
