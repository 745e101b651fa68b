#include "framework/core/zPaneControl.h"

zPaneControl::zPaneControl(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zPane(parent, sizer, style, id, 1)
{
    if (text) {
        setText(text);
        if (hwnd_)
            SetWindowTextA(hwnd_, text);
    }
    backgroundColor(zColor::fromColorRef(GetSysColor(COLOR_BTNFACE)));
}

LRESULT zPaneControl::defWindowProc(zEvent* ev)
{
    switch (ev->message) {
    case WM_ENABLE:
        enableChanged(static_cast<int32_t>(ev->wParam));
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        break;
    }
    return DefWindowProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam);
}

void zPaneControl::notifyParent(int32_t code)
{
    if (parent_ && parent_->handle())
        PostMessageA(parent_->handle(), WM_COMMAND, MAKEWPARAM(id_, code), reinterpret_cast<LPARAM>(hwnd_));
}
