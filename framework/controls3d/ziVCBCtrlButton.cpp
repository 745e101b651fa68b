#include "framework/controls3d/ziVCBCtrlButton.h"

#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziMnemonic.h"
#include "framework/controls3d/ziVisButton.h"
#include "framework/controls3d/ziVisText3d.h"

namespace {
int32_t g_keyHeld = 0;
}

int32_t ziVCBCtrlButton::keyHeld() { return g_keyHeld; }
void ziVCBCtrlButton::setKeyHeld(int32_t flag) { g_keyHeld = flag; }

ziVCBCtrlButton::ziVCBCtrlButton(zWindow* parent, zSizer* sizer, DWORD style, const char* title,
                                 int32_t id)
    : ziCtrlBase(parent, sizer, style, title, id)
{
}

int ziVCBCtrlButton::mouseButtonDown(zEvent* ev)
{
    if (!ziVisual::isLeftButton(ev))
        return 0;
    return ziCtrlBase::mouseButtonDown(ev);
}

int ziVCBCtrlButton::mouseButtonUp(zEvent* ev)
{
    if (!ziVisual::isLeftButton(ev))
        return 0;
    return ziCtrlBase::mouseButtonUp(ev);
}

int ziVCBCtrlButton::focus(zEvent* ev)
{
    const int32_t focused = ev->message == WM_SETFOCUS ? 1 : 0;
    if (!focused && g_keyHeld) {
        // The space key's release will reach another window: a face that
        // the key holds down goes back to its look before, without a click.
        g_keyHeld = 0;
        if (ziVisButton* f = buttonFace()) {
            ziAcquire hold(display());
            if (f->state() == 2)
                f->showSet();
            else if (f->state() == 3)
                f->showClear();
        }
    }
    ziVisText3d* c = caption();
    if (c)
        c->setFocused(focused);
    if (bitmapFace_) {
        if (ziVisButton* f = buttonFace()) {
            f->focusChanged(focused);
            ziAcquire hold(display());
            f->draw(nullptr);
        }
        if (!(captionStyle_ & 0x8000))
            return 1;
    }
    if (c) {
        ziAcquire hold(display());
        c->drawFocusFrame(focused ? 0 : 1);
    }
    return 1;
}

int ziVCBCtrlButton::keyPress(uint32_t key)
{
    if (key == VK_SPACE) {
        if (ziVisButton* f = buttonFace()) {
            ziAcquire hold(display());
            f->press();
        }
    }
    return 1;
}

int ziVCBCtrlButton::click()
{
    if (ziVisButton* f = buttonFace()) {
        ziAcquire hold(display());
        f->clickAction();
    }
    if (parent() && parent()->handle())
        SendMessageA(parent()->handle(), WM_COMMAND, WPARAM(LOWORD(uint32_t(ctrlId_))),
                     LPARAM(handle()));
    return 1;
}

LRESULT ziVCBCtrlButton::defWindowProc(zEvent* ev)
{
    ziVisButton* f = buttonFace();
    auto checkState = [f]() -> LRESULT {
        if (!f)
            return 0;
        switch (f->state()) {
        case 1: return 0;
        case 0: return 1;
        default: return 2;
        }
    };
    switch (ev->message) {
    case BM_GETCHECK:
        return checkState();
    case BM_SETCHECK:
        if (f) {
            ziAcquire hold(display());
            if (ev->wParam == 0)
                f->showClear();
            else
                f->showSet();
        }
        return 0;
    case BM_GETSTATE: {
        LRESULT r = checkState();
        if (caption() && caption()->focused())
            r |= 0x0C;
        return r;
    }
    case BM_SETSTATE:
        if (f) {
            ziAcquire hold(display());
            const uint8_t s = f->state();
            if (ev->wParam == 1 && (s == 0 || s == 1))
                f->press();
            else if (ev->wParam == 0 && s == 2)
                f->showSet();
            else if (ev->wParam == 0 && s == 3)
                f->showClear();
        }
        return 0;
    case BM_SETSTYLE:
        applyStyle(uint32_t(ev->wParam));
        return ziCtrlBase::defWindowProc(ev);
    case WM_KEYDOWN:
        // Only the space key holds a button down; other keys pass by.
        if (ev->wParam == VK_SPACE) {
            if (g_keyHeld)
                return 1;
            g_keyHeld = 1;
        }
        return keyPress(uint32_t(ev->wParam));
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        // The space key clicks only the button that its key-down pressed.
        const RcCString t = text();
        if ((ev->wParam == VK_SPACE && g_keyHeld) ||
            ziMnemonic::matches(t.c_str(), uint32_t(ev->wParam))) {
            g_keyHeld = 0;
            return click();
        }
        if (ev->message == WM_SYSKEYUP)
            DefWindowProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam);
        return 1;
    }
    case WM_COMMAND:
        return parent() && parent()->handle()
                   ? SendMessageA(parent()->handle(), WM_COMMAND, ev->wParam, ev->lParam)
                   : 0;
    default:
        return ziCtrlBase::defWindowProc(ev);
    }
}
