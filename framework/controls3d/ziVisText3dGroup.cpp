#include "framework/controls3d/ziVisText3dGroup.h"

#include "framework/controls3d/ziVisualDrawing.h"

bool ziVisText3dGroup::shows()
{
    return !stripMnemonic().empty() && (style_ & AlignMask) != 0;
}

void ziVisText3dGroup::placeOnBox(const zRect& box)
{
    ziAcquire hold(display());
    const int32_t tw = textWidth();
    int32_t px = 6;
    switch (style_ & AlignMask) {
    case 0x1000: px = box.width() / 2 - tw / 2; break;
    case 0x1800: px = box.width() - 6 - tw; break;
    default: break;
    }
    placeIn(box.left + px, box.top + styleOffset(0));
}

void ziVisText3dGroup::drawIn(const zRect& box)
{
    placeOnBox(box);
    drawText();
}
