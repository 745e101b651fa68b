#include "framework/controls3d/zToolbar.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisPanelInternal.h"
#include "framework/controls3d/zMenuLink.h"
#include "framework/controls3d/zSlotLayout.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zMenu.h"
#include "framework/core/zSizer.h"

zToolbar::zToolbar(zWindow* parent, zSizer* sizer, uint32_t style, DWORD paneStyle,
                   int32_t forwardToGrandparent)
    : ziVisualPane(parent, sizer, paneStyle), style_(style)
{
    layout(forwardToGrandparent ? 1 : 0);
}

zToolbar::~zToolbar()
{
    delete border_;
    border_ = nullptr;
    delete menuLink_;
    menuLink_ = nullptr;
    ziControlCompound* fc = faceCompound_;
    faceCompound_ = nullptr;
    delete fc;
    if (sizer())
        sizer()->setLayout(nullptr);
    delete slotLayout_;
    slotLayout_ = nullptr;
}

void zToolbar::layout(int32_t forward)
{
    forward_ = forward;
    menuLink_ = nullptr;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    backgroundColor(zColor::fromColorRef(face));
    if (zDisplay* d = display()) {
        d->backColor(zColor::fromColorRef(face));
        d->textColor(zColor::fromColorRef(GetSysColor(COLOR_BTNTEXT)));
    }
    slotLayout_ = new zSlotLayout;
    if (sizer())
        sizer()->setLayout(slotLayout_);
    faceCompound_ = new ziControlCompound(root_, new zSizer());
    root_->add(faceCompound_);
    if (style_ & 0x200) {
        const int32_t w = sizer() && sizer()->width() != zSizerUnset ? sizer()->width() : 0;
        const int32_t h = sizer() && sizer()->height() != zSizerUnset ? sizer()->height() : 0;
        border_ = new ziVisPanelInternal(faceCompound_, new zSizer(0, 0, w, h, sizer()), 0x4000, "",
                                         0, 1, -1, 1);
        faceCompound_->add(border_);
    }
    setMargins(4, 1);
    if ((style_ & 0x001) && sizer()) {
        switch (sizer()->kind()) {
        case zSizerLeft: style_ |= 0x002; break;
        case zSizerRight: style_ |= 0x004; break;
        case zSizerTop: style_ |= 0x010; break;
        case zSizerBottom: style_ |= 0x008; break;
        default: break;
        }
    }
}

void zToolbar::setSpacing(int32_t x, int32_t y) { slotLayout_->setSpacing(x, y); }
void zToolbar::setMargins(int32_t x, int32_t y) { slotLayout_->setMargins(x, y); }

zWindow* zToolbar::findButton(int32_t id) { return childById(id); }

void zToolbar::enableCommand(int32_t id, int32_t enable)
{
    zWindow* w = findButton(id);
    if (!w)
        return;  // not a button of this bar: nothing to do
    if (enable)
        w->enable();
    else
        w->disable();
}

zWindow* zToolbar::owner() const
{
    zWindow* p = parent();
    if (!p)
        return nullptr;
    return forward_ ? p->parent() : p;
}

void zToolbar::linkMenu()
{
    delete menuLink_;
    menuLink_ = nullptr;
    zMenu* menu = nullptr;
    if (auto* frame = dynamic_cast<zFrameWin*>(owner()))
        menu = frame->menu();
    menuLink_ = new zMenuLink(this, zMenuLink::FollowEnabled | zMenuLink::FollowChecked, menu);
}

LRESULT zToolbar::defWindowProc(zEvent* ev)
{
    return forwardToOwner(owner(), ev);
}

int zToolbar::sizeSizer(zEvent* ev)
{
    ziVisualPane::sizeSizer(ev);
    if (border_ && border_->sizer() && sizer())
        border_->sizer()->setExtent(sizer()->width(), sizer()->height());
    return 0;
}

int zToolbar::draw(zEvent*)
{
    zDisplay* d = display();
    if (!d)
        return 1;
    ziAcquire hold(d);
    if (border_) {
        border_->paint();
        return 1;
    }
    HDC dc = hold.dc();
    const zRect r = d->extentRect();
    ziPenScope black(d, BLACK_PEN, true);
    if (style_ & 0x010)
        ziLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1);
    if (style_ & 0x008)
        ziLine(dc, r.left, r.top, r.right, r.top);
    if (style_ & 0x002)
        ziLine(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    if (style_ & 0x004)
        ziLine(dc, r.left, r.top, r.left, r.bottom - 1);
    return 1;
}
