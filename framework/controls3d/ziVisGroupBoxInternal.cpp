#include "framework/controls3d/ziVisGroupBoxInternal.h"

#include "classlib/GdiHandle.h"
#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziVisText3dGroup.h"

ziVisGroupBoxInternal::ziVisGroupBoxInternal(ziCompound* parent, zSizer* sizer, uint32_t flags,
                                             const char*, int32_t id)
    : ziVisControl(parent, sizer, id), flags_(flags), groupId_(id)
{
    style_ = flags;
}

void ziVisGroupBoxInternal::paint()
{
    state_ = 1;
    zDisplay* d = display();
    if (!d)
        return;
    paint_ = zRect{x(), y() + 7, x() + width(), y() + height()};
    const int32_t l = paint_.left, t = paint_.top, r = paint_.right, b = paint_.bottom;
    const COLORREF shadow = (flags_ & GreyShadow) ? RGB(128, 128, 128) : RGB(0, 0, 0);
    ziAcquire hold(d);
    HDC dc = hold.dc();
    {
        ziPenScope white(d, WHITE_PEN, true);
        ziBrushScope hollow(d, HOLLOW_BRUSH, true);
        if (flags_ & Ridge)
            Rectangle(dc, l, t, r - 1, b - 1);
        else
            Rectangle(dc, l + 1, t + 1, r, b);
    }
    {
        ziPenScope pen(d, shadow);
        if (flags_ & Ridge) {
            ziLine(dc, r - 1, t, r - 1, b - 1);
            LineTo(dc, l - 1, b - 1);
            ziLine(dc, l + 1, b - 1, l + 1, t + 1);
            LineTo(dc, r - 2, t + 1);
        } else {
            ziLine(dc, r - 1, t, l, t);
            LineTo(dc, l, b);
            ziLine(dc, l + 2, b - 2, r - 2, b - 2);
            LineTo(dc, r - 2, t + 1);
        }
    }
    auto* compound = dynamic_cast<ziControlCompound*>(parent_);
    auto* caption = compound ? dynamic_cast<ziVisText3dGroup*>(compound->caption()) : nullptr;
    if (caption && caption->shows()) {
        caption->placeOnBox(zRect{x(), y(), x() + width(), y() + height()});
        RECT gap{caption->textX() - 2, t, caption->textX() + caption->textWidth() + 2, t + 3};
        FillRect(dc, &gap, TGdiHandle<HBRUSH>(CreateSolidBrush(ziBtnFace())));
    }
}
