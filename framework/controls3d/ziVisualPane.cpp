#include "framework/controls3d/ziVisualPane.h"

#include "framework/controls3d/ziDisplayScope.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/core/zSizer.h"

ziVisualPane::ziVisualPane(zWindow* parent, zSizer* sizer, DWORD style)
    : zPane(parent, sizer, style, 0, 1)
{
    root_ = new ziShellCompound(this);
}

ziVisualPane::~ziVisualPane()
{
    if (root_) {
        root_->detachSizer();
        delete root_;
        root_ = nullptr;
    }
}

int ziVisualPane::draw(zEvent*)
{
    zDisplay* d = display();
    if (!root_ || !d)
        return 1;
    ziAcquire hold(d);
    const zRect r = d->paintRect();
    root_->draw(&r);
    return 1;
}

int ziVisualPane::sizeSizer(zEvent* ev)
{
    zWindow::sizeSizer(ev);
    if (sizer())
        sizer()->setRect(nullptr);
    if (root_)
        root_->layout();
    if (display())
        display()->invalidateRect(nullptr, 1);
    return 1;
}

namespace {
void shift(zEvent& ev, zDisplay* d)
{
    const POINT org = ziWindowOrigin(d);
    ev.lParam = MAKELPARAM(uint16_t(LOWORD(ev.lParam) + org.x), uint16_t(HIWORD(ev.lParam) + org.y));
}
}  // namespace

int ziVisualPane::mouseButtonDown(zEvent* ev)
{
    if (!root_ || !(root_->flags() & ziVisual::ActiveBit))
        return 0;
    if (handle())
        SetFocus(handle());
    zEvent shifted = *ev;
    shift(shifted, display());
    return root_->mouseButtonDown(&shifted);
}

int ziVisualPane::mouseMove(zEvent* ev)
{
    if (!root_ || !(root_->flags() & ziVisual::ActiveBit))
        return 0;
    zEvent shifted = *ev;
    shift(shifted, display());
    return root_->mouseMove(&shifted);
}

int ziVisualPane::mouseButtonUp(zEvent* ev)
{
    if (!root_ || !(root_->flags() & ziVisual::ActiveBit))
        return 0;
    return root_->mouseButtonUp(ev);
}

int ziVisualPane::charInput(zEvent* ev)
{
    if (!root_ || !(root_->flags() & ziVisual::ActiveBit))
        return 0;
    return root_->charInput(ev);
}

int ziVisualPane::printPage(zDisplay* d, const zRect& band)
{
    zDisplay* own = display();
    zSizer* s = sizer();
    if (root_ && s && own) {
        const zRect saved = s->rect();
        ziAcquire hold(own);
        zRect ext = own->extentRect();
        s->setRect(&ext);
        root_->draw(nullptr);
        s->setRect(&saved);
    }
    return zPane::printPage(d, band);
}

LRESULT ziVisualPane::forwardToOwner(zWindow* o, zEvent* ev)
{
    if (!o)
        return zWindow::defWindowProc(ev);
    if (ev->message == WM_COMMAND) {
        if (o->handle() && IsWindow(o->handle()))
            return SendMessageA(o->handle(), WM_COMMAND, ev->wParam, ev->lParam);
        return 0;
    }
    if (ev->message == WM_MENUSELECT)
        return SendMessageA(o->handle(), WM_MENUSELECT, ev->wParam, ev->lParam);
    return zWindow::defWindowProc(ev);
}
