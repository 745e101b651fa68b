#include "framework/controls3d/ziVisPanelInternal.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziVisText3dPanel.h"

ziVisPanelInternal::ziVisPanelInternal(ziCompound* parent, zSizer* sizer, uint32_t flags,
                                       const char*, int32_t id, int32_t bevel, int32_t border,
                                       int32_t innerBevel)
    : ziVisControl(parent, sizer, id), flags_(flags), panelId_(id), bevel_(bevel),
      border_(border), inner_(innerBevel)
{
    style_ = flags;
}

void ziVisPanelInternal::drawBevel(uint32_t mask)
{
    zDisplay* d = display();
    if (!d)
        return;
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF shadow = (flags_ & BlackShadow) ? RGB(0, 0, 0) : RGB(128, 128, 128);
    const bool raised = (flags_ & mask) != 0;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const zRect& r = paint_;
    for (int32_t i = 0; i < bevel_; ++i) {
        {
            ziPenScope tl(d, raised ? white : shadow);
            ziLine(dc, r.right - i, r.top + i, r.left + i, r.top + i);
            LineTo(dc, r.left + i, r.bottom - i + 1);
        }
        {
            ziPenScope br(d, raised ? shadow : white);
            ziLine(dc, r.right - i, r.top + i, r.right - i, r.bottom - i);
            LineTo(dc, r.left + i, r.bottom - i);
        }
    }
}

void ziVisPanelInternal::paint()
{
    state_ = 1;
    paint_ = zRect{x(), y(), x() + width() - 1, y() + height() - 1};
    drawBevel(OuterRaised);
    const int32_t inset = bevel_ + border_;
    paint_.left += inset;
    paint_.top += inset;
    paint_.right -= inset;
    paint_.bottom -= inset;
    if (inner_)
        drawBevel(InnerRaised);
    auto* compound = dynamic_cast<ziControlCompound*>(parent_);
    auto* caption = compound ? dynamic_cast<ziVisText3dPanel*>(compound->caption()) : nullptr;
    if (caption && !caption->stripMnemonic().empty()) {
        zRect area = paint_;
        area.left += bevel_;
        area.top += bevel_;
        area.right -= bevel_;
        area.bottom -= bevel_;
        caption->setArea(area);
    }
}
