#include "framework/controls3d/ziVisualCtrlPane.h"

#include "framework/controls3d/ziDisplayScope.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/core/zSizer.h"

ziVisualCtrlPane::ziVisualCtrlPane(zWindow* parent, zSizer* sizer, DWORD style)
    : ziCtrlPane(parent, sizer, style, nullptr, 0)
{
    root_ = new ziShellCompound(this);
}

ziVisualCtrlPane::~ziVisualCtrlPane()
{
    if (root_) {
        root_->detachSizer();
        delete root_;
        root_ = nullptr;
    }
}

int ziVisualCtrlPane::draw(zEvent*)
{
    if (!root_ || !display_)
        return 1;
    zDisplay* d = display();
    ziAcquire hold(d);
    const zRect r = d->paintRect();
    root_->draw(&r);
    return 1;
}

int ziVisualCtrlPane::sizeSizer(zEvent* ev)
{
    zWindow::sizeSizer(ev);
    if (sizer())
        sizer()->setRect(nullptr);
    if (root_)
        root_->layout();
    if (display_)
        display()->invalidateRect(nullptr, 1);
    return 1;
}

void ziVisualCtrlPane::shiftPoint(zEvent& ev) const
{
    const POINT org = ziWindowOrigin(display());
    const uint16_t px = uint16_t(LOWORD(ev.lParam) + org.x);
    const uint16_t py = uint16_t(HIWORD(ev.lParam) + org.y);
    ev.lParam = MAKELPARAM(px, py);
}

int ziVisualCtrlPane::mouseButtonDown(zEvent* ev)
{
    if (!root_ || !(root_->flags() & ziVisual::ActiveBit))
        return 0;
    if (handle())
        SetFocus(handle());
    zEvent shifted = *ev;
    shiftPoint(shifted);
    return root_->mouseButtonDown(&shifted);
}

int ziVisualCtrlPane::mouseMove(zEvent* ev)
{
    if (!root_ || !(root_->flags() & ziVisual::ActiveBit))
        return 0;
    zEvent shifted = *ev;
    shiftPoint(shifted);
    return root_->mouseMove(&shifted);
}

int ziVisualCtrlPane::mouseButtonUp(zEvent* ev)
{
    if (!root_ || !(root_->flags() & ziVisual::ActiveBit))
        return 0;
    return root_->mouseButtonUp(ev);
}

int ziVisualCtrlPane::charInput(zEvent* ev)
{
    if (!root_ || !(root_->flags() & ziVisual::ActiveBit))
        return 0;
    return root_->charInput(ev);
}
