#include "framework/controls3d/ziVisButton.h"

#include "framework/controls3d/ziCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/core/zTimer.h"
#include "framework/core/zWindow.h"

namespace {
HWND g_hovered = nullptr;
}

HWND ziVisButton::hoveredWindow() { return g_hovered; }

ziVisButton::ziVisButton(ziCompound* parent, zSizer* sizer, int32_t id)
    : ziVisControl(parent, sizer, id)
{
    button_ = 1;
    setActive(ActiveBit);
}

ziVisButton::ziVisButton(ziCompound* parent, zSizer* sizer, int32_t id, uint32_t style, bool autoToggle,
                         bool latching)
    : ziVisButton(parent, sizer, id)
{
    style_ = style;
    autoToggle_ = autoToggle ? 1 : 0;
    latching_ = latching ? 1 : 0;
    state_ = 1;
}

ziVisButton::~ziVisButton()
{
    delete hoverTimer_;
    hoverTimer_ = nullptr;
    clearCaptureChildren();
    hovering_ = 0;
}

HWND ziVisButton::hostWindow() const
{
    zWindow* h = host();
    if (!h)
        h = ziMainFrame();
    return h ? h->handle() : nullptr;
}

void ziVisButton::clearCaptureChildren()
{
    if (!parent_)
        return;
    if (parent_->captureChild() == this)
        parent_->setCaptureChild(nullptr);
    ziCompound* grand = parent_->parent();
    if (grand && grand->captureChild() == this)
        grand->setCaptureChild(nullptr);
}

void ziVisButton::showSet() { state_ = 0; }
void ziVisButton::press() { state_ = 2; }
void ziVisButton::showPressedClear() { state_ = 3; }
void ziVisButton::clickAction() {}
void ziVisButton::focusChanged(int32_t) {}
int32_t ziVisButton::hasFocus() { return 0; }

void ziVisButton::draw(const zRect* r)
{
    switch (state_) {
    case 0: showSet(); break;
    case 2: press(); break;
    case 3: showPressedClear(); break;
    default: ziVisControl::draw(r); break;
    }
}

int ziVisButton::mouseButtonDown(zEvent* ev)
{
    if (!isLeftButton(ev))
        return 0;
    tracking_ = 1;
    pressed_ = 1;
    savedState_ = state_;
    if (HWND h = hostWindow())
        SetCapture(h);
    ziAcquire hold(display());
    press();
    return 1;
}

int ziVisButton::mouseMove(zEvent* ev)
{
    const int32_t px = eventX(ev), py = eventY(ev);
    const bool leftHeld = (ev->wParam & MK_LBUTTON) != 0;
    if (contains(px, py) && hits(px, py)) {
        if (leftHeld && state_ != 2 && state_ != 3 && pressed_ && tracking_) {
            ziAcquire hold(display());
            press();
        }
        if (!hovering_ && !tracking_ && !leftHeld) {
            if (!hoverTimer_)
                hoverTimer_ = new zTimer(this, zTask(&ziVisButton::hoverCheck), 500);
            g_hovered = hostWindow();
            if (parent_) {
                parent_->setCaptureChild(this);
                if (parent_->parent())
                    parent_->parent()->setCaptureChild(this);
            }
            hovering_ = 1;
            if (HWND h = hostWindow())
                SendMessageA(GetParent(h), WM_MENUSELECT, WPARAM(uint32_t(id_)), 0);
        }
    } else if (state_ == 2 || state_ == 3) {
        ziAcquire hold(display());
        if (savedState_ == 0)
            showSet();
        else
            showClear();
    }
    return 0;
}

void ziVisButton::endHover()
{
    hovering_ = 0;
    zTimer* t = hoverTimer_;
    hoverTimer_ = nullptr;
    // While no button is held, the capture children only served the hover.
    if (!pressed_)
        clearCaptureChildren();
    delete t;
}

int ziVisButton::hoverCheck()
{
    const HWND h = hostWindow();
    if (h && h == g_hovered) {
        POINT pt;
        GetCursorPos(&pt);
        if (WindowFromPoint(pt) != h) {
            SendMessageA(GetParent(h), WM_MENUSELECT, WPARAM(0xFFFF0000u), 0);
            endHover();
        }
    } else {
        endHover();
    }
    return 0;
}

int ziVisButton::mouseButtonUp(zEvent* ev)
{
    if (!isLeftButton(ev))
        return 0;
    tracking_ = 0;
    const HWND h = hostWindow();
    zDisplay* d = display();
    if (state_ == 2 || state_ == 3) {
        {
            ziAcquire hold(d);
            if (state_ == 2) {
                if (!latching_ || !autoToggle_)
                    showSet();
                else
                    showClear();
            } else {
                if (autoToggle_)
                    showSet();
                else
                    showClear();
            }
        }
        pressed_ = 0;
        clearCaptureChildren();
        ReleaseCapture();
        if (h)
            SendMessageA(GetParent(h), WM_MENUSELECT, WPARAM(0xFFFF0000u), 0);
        int handled = 0;
        if (clickObj_ && clickFn_)
            handled = (clickObj_->*clickFn_)(this);
        if (!handled && commandObj_ && commandFn_) {
            zEvent rec{0, WPARAM(uint32_t(id_)), WM_COMMAND, h};
            handled = (commandObj_->*commandFn_)(&rec);
        }
        if (!handled && h)
            SendMessageA(h, WM_COMMAND, WPARAM(LOWORD(uint32_t(id_))), LPARAM(h));
        return 1;
    }
    if (state_ != savedState_) {
        state_ = savedState_;
        ziAcquire hold(d);
        const zRect r = rect();
        draw(&r);
    }
    pressed_ = 0;
    clearCaptureChildren();
    ReleaseCapture();
    if (h)
        SendMessageA(GetParent(h), WM_MENUSELECT, WPARAM(0xFFFF0000u), 0);
    return 1;
}

zRect ziVisButton::markBox(int32_t rightInset) const
{
    zDisplay* d = display();
    const zRect ext = d ? d->extentRect() : rect();
    zRect box;
    box.left = ext.left;
    box.top = ext.top + (ext.bottom - ext.top) / 2 - 6;
    box.right = box.left + 12;
    box.bottom = box.top + 12;
    if (style_ & 0x20) {
        box.left = width() - rightInset;
        box.right = width() - 1;
    }
    return box;
}
