#include "framework/controls3d/ziCtrlPane.h"

#include "framework/core/zApplication.h"
#include "framework/core/zChildWin.h"
#include "framework/core/zFont.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTimer.h"
#include "framework/core/zWinDisplay.h"

ziCtrlPane::ziCtrlPane(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zControl(parent, sizer, style, title, id)
{
    kind_ = 8;  // a visual control
    setClassName("VisualCtrl");
    style_ &= ~DWORD(WS_CLIPSIBLINGS);
    create();
    display_ = new zWinDisplay(this);
    if (!font() && !(parent && parent->font()))
        delete display_->swapFont(zFont::fromStock(SYSTEM_FONT));
    display_->setBackMode(TRANSPARENT);
}

ziCtrlPane::~ziCtrlPane()
{
    delete display_;
    display_ = nullptr;
}

zDisplay* ziCtrlPane::display() const { return display_; }

LRESULT ziCtrlPane::defWindowProc(zEvent* ev) { return zWindow::defWindowProc(ev); }

WNDCLASSA ziCtrlPane::windowClass()
{
    WNDCLASSA wc = zWindow::windowClass();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "VisualCtrl";
    wc.lpfnWndProc = &ziCtrlPane::windowProc;
    return wc;
}

int ziCtrlPane::create()
{
    style_ &= ~DWORD(WS_CLIPSIBLINGS);
    return zChildWin::create();
}

LRESULT CALLBACK ziCtrlPane::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    zEvent ev{lParam, wParam, msg, hwnd};
    auto* w = dynamic_cast<ziCtrlPane*>(zWindow::find(hwnd));
    if (!w)
        return DefWindowProcA(hwnd, msg, wParam, lParam);

    LRESULT r = 0;
    auto nodesFirst = [&](uint32_t interest) {
        return (w->interest() & interest) ? zEvCore::dispatch(&ev, w) : 0;
    };
    switch (msg) {
    case WM_DESTROY:
        return 1;
    case WM_MOVE:
        r = w->move(&ev);
        if (w->sizer())
            w->sizer()->setOrigin(int16_t(LOWORD(lParam)), int16_t(HIWORD(lParam)));
        break;
    case WM_SIZE:
        r = w->sizeSizer(&ev);
        w->size(&ev);
        break;
    case WM_ACTIVATE:
        if ((r = nodesFirst(zWindow::WantActivate)) != 0)
            return r;
        r = w->activate(&ev);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if ((r = nodesFirst(zWindow::WantFocus)) != 0)
            return r;
        r = w->focus(&ev);
        break;
    case WM_PAINT:
        w->display_->paintMode(1);
        w->display_->acquire();
        r = w->draw(&ev);
        w->display_->release();
        w->display_->paintMode(0);
        break;
    case WM_CLOSE:
        if ((r = nodesFirst(zWindow::WantClose)) != 0)
            return r;
        r = w->close(&ev);
        break;
    case WM_ERASEBKGND:
        r = w->eraseBackground(&ev);
        break;
    case WM_SETCURSOR:
        r = nodesFirst(zWindow::WantSetCursor);
        break;
    case WM_NCDESTROY: {
        w->setState(zWindow::Destroyed);
        w->unbind();
        if (w->state() & zWindow::DeleteOnDestroy)
            delete w;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    case WM_NCHITTEST:
        r = nodesFirst(zWindow::WantNcHitTest);
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        r = w->charInput(&ev);
        break;
    case WM_COMMAND:
    case WM_SYSCOMMAND:
        r = zEvCore::dispatchCommand(&ev, w);
        if (!r)
            r = w->command(&ev);
        break;
    case WM_TIMER:
        if (zApp && zApp->timerDev)
            zApp->timerDev->dispatch();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        r = w->scroll(&ev);
        break;
    case WM_MOUSEMOVE:
        SetCursor(w->cursor().handle());
        if ((r = nodesFirst(zWindow::WantMouseMove)) != 0)
            return r;
        r = w->mouseMove(&ev);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if ((r = nodesFirst(zWindow::WantButtonDown)) != 0)
            return r;
        r = w->mouseButtonDown(&ev);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if ((r = nodesFirst(zWindow::WantButtonUp)) != 0)
            return r;
        r = w->mouseButtonUp(&ev);
        break;
    default:
        if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
            if (HBRUSH b = w->ctlColor(&ev, w))
                return reinterpret_cast<LRESULT>(b);
            break;
        }
        r = zEvCore::dispatch(&ev, w);
        break;
    }
    return r ? r : w->defWindowProc(&ev);
}
