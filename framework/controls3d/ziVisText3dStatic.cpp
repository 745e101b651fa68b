#include "framework/controls3d/ziVisText3dStatic.h"

#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/core/zSizer.h"

void ziVisText3dStatic::drawIn(const zRect& a)
{
    const int32_t w = a.width() - 2;
    const int32_t tw = textWidth();
    int32_t tx = 1;
    switch (style_ & 3) {
    case 1: tx = w / 2 - tw / 2; break;
    case 2: tx = w - tw; break;
    default: break;
    }
    placeIn(a.left + tx, a.top + styleOffset(y() + 1));
    drawFocusFrame(1);
    drawText();
}
