#include "framework/core/zPane.h"

#include "framework/core/zApplication.h"
#include "framework/core/zCaret.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zMenu.h"
#include "framework/core/zScrollBarBase.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zScrollerBase.h"
#include "framework/core/zWinDisplay.h"

zPane::zPane(zWindow* parent, zSizer* sizer, DWORD style, int32_t id, int32_t createNow)
    : zChildWin(parent, sizer, style, id)
{
    setKind(zKindPane);
    setClassName(className);
    ownDisplay_ = new zWinDisplay(this);
    displayStack_.push(ownDisplay_);
    display_ = ownDisplay_;
    if (createNow)
        create();
}

zPane::~zPane()
{
    // The scroller outlives the pane only as a scroller of no pane.
    if (scroller_) {
        scroller_->setPane(nullptr);
        scroller_ = nullptr;
    }
    delete ownDisplay_;
    ownDisplay_ = nullptr;
    display_ = nullptr;
    delete extension_;
    extension_ = nullptr;
    while (displayStack_.count())
        displayStack_.pop();
}

WNDCLASSA zPane::windowClass()
{
    WNDCLASSA wc = zWindow::windowClass();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpfnWndProc = zPaneWndProc;
    // Registered once per process: later panes share the class, and
    // registering it again is skipped.
    WNDCLASSA existing;
    if (GetClassInfoA(wc.hInstance, className, &existing))
        wc.lpfnWndProc = nullptr;
    return wc;
}

void zPane::setExtension(zEvH* extension)
{
    if (extension_ != extension)
        delete extension_;
    extension_ = extension;
}

void zPane::pushDisplay(zDisplay* display)
{
    displayStack_.push(display);
    display_ = display;
    displayChanged();
}

zDisplay* zPane::popDisplay()
{
    // The own display stays at the bottom.
    if (displayStack_.count() <= 1)
        return nullptr;
    zDisplay* old = displayStack_.pop();
    display_ = displayStack_.top();
    displayChanged();
    return old;
}

int zPane::draw(zEvent*)
{
    display_->acquire();
    display_->release();
    return 0;
}

LRESULT zPane::paint(zEvent* ev)
{
    bool pushed = false;
    if (display_ != ownDisplay_) {
        pushDisplay(ownDisplay_);
        pushed = true;
    }
    int result;
    if (display_->kind() == zDisplay::Window) {
        zWinDisplay* wd = static_cast<zWinDisplay*>(display_);
        wd->paintMode(1);
        wd->acquire();
        result = draw(ev);
        wd->release();
        wd->paintMode(0);
    } else {
        result = draw(ev);
    }
    if (pushed)
        popDisplay();
    return result;
}

void zPane::scrollWindow(int32_t dx, int32_t dy, const zRect* rect)
{
    if (!hwnd_)
        return;
    if (rect) {
        RECT r{rect->left, rect->top, rect->right, rect->bottom};
        ScrollWindow(hwnd_, dx, dy, &r, &r);
    } else {
        ScrollWindow(hwnd_, dx, dy, nullptr, nullptr);
    }
}

int zPane::scroll(zEvent* ev)
{
    if (ev->lParam) {
        zWindow* bar = zWindow::find(reinterpret_cast<HWND>(ev->lParam));
        return bar && bar->scroller() ? bar->scroller()->dispatch(ev) : 0;
    }
    if (scroller_)
        return scroller_->dispatch(ev);
    if (LOWORD(ev->wParam) != SB_ENDSCROLL)
        return 0;
    // No scroller: the pane scrolls itself, one pixel per position.
    const POINT next{hScroll_ ? hScroll_->pos() : 0, vScroll_ ? vScroll_->pos() : 0};
    const POINT old = display_->windowOrg();
    if (next.x == old.x && next.y == old.y)
        return 1;
    RECT client{};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    if (hwnd_)
        ScrollWindow(hwnd_, old.x - next.x, old.y - next.y, &client, &client);
    display_->setWindowOrg(next.x, next.y);
    if (hwnd_)
        UpdateWindow(hwnd_);
    return 1;
}

int zPane::focus(zEvent* ev)
{
    if (caret_) {
        if (ev->message == WM_SETFOCUS)
            caret_->create();
        else
            caret_->destroy();
    }
    return zChildWin::focus(ev);
}

void zPane::backgroundColor(const zColor& colour)
{
    zChildWin::backgroundColor(colour);
    display_->backColor(colour);
    delete display_->swapBrush(new zBrush(colour));
}

void zPane::show(int code)
{
    if (state_ & WasShown) {
        showState(code);
        return;
    }
    displayChanged();
    zChildWin::show(code);
}

// ---- window procedure ----

namespace {

// A non-zero result is the procedure's result; zero runs defWindowProc.
LRESULT closing(zPane* pane, zEvent* ev, LRESULT result)
{
    return result ? result : pane->defWindowProc(ev);
}

// Messages the plain procedure routes to slots, devices or the window's
// bookkeeping rather than only to the handler nodes.
bool hasOwnRouting(UINT msg)
{
    switch (msg) {
    case WM_DESTROY: case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_SETFOCUS:
    case WM_KILLFOCUS: case WM_CLOSE: case WM_ERASEBKGND: case WM_NCDESTROY: case WM_TIMER:
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: case WM_MDIACTIVATE:
        return true;
    default:
        return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
    }
}

int trackedMenu(zEvent* ev) { return zTrackedPopup ? zTrackedPopup->dispatch(ev) : 0; }

LRESULT scrollMessage(zPane* pane, zEvent* ev)
{
    zScrollInfo* info = nullptr;
    if (ev->lParam) {
        zWindow* bar = zWindow::find(reinterpret_cast<HWND>(ev->lParam));
        if (!bar || !bar->isKind(zKindScrollBar))
            return closing(pane, ev, 0);
        info = static_cast<zScrollBarBase*>(bar)->scrollInfo();
    } else {
        info = ev->message == WM_VSCROLL ? pane->vertScroll() : pane->horzScroll();
    }
    if (info) {
        switch (LOWORD(ev->wParam)) {
        case SB_LINEUP: info->setPos(info->pos() - info->line()); break;
        case SB_LINEDOWN: info->setPos(info->pos() + info->line()); break;
        case SB_PAGEUP: info->setPos(info->pos() - info->page()); break;
        case SB_PAGEDOWN: info->setPos(info->pos() + info->page()); break;
        case SB_TOP: info->setPos(info->min()); break;
        case SB_BOTTOM: info->setPos(info->max()); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: info->jumpTo(HIWORD(ev->wParam)); break;
        default: break;
        }
    }
    return closing(pane, ev, pane->scroll(ev));
}

}  // namespace

LRESULT CALLBACK zPaneWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    zWindow* window = zWindow::find(hwnd);
    zPane* pane = window && window->isKind(zKindPane) ? static_cast<zPane*>(window) : nullptr;
    if (!pane)
        return window ? zPlainWndProc(hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
    zEvent ev{lParam, wParam, msg, hwnd};
    switch (msg) {
    case WM_PAINT:
        if (!pane->display())  // being destroyed
            break;
        return closing(pane, &ev, pane->paint(&ev));
    case WM_CHAR:
    case WM_SYSCHAR:
        return closing(pane, &ev, pane->charInput(&ev));
    case WM_COMMAND:
    case WM_SYSCOMMAND: {
        if (LRESULT r = trackedMenu(&ev))
            return r;
        int handled = zEvCore::dispatchCommand(&ev, pane);
        if (!handled)
            handled = pane->command(&ev);
        return closing(pane, &ev, handled);
    }
    case WM_INITMENU:
    case WM_MENUSELECT:
        if (LRESULT r = trackedMenu(&ev))
            return r;
        return closing(pane, &ev, 0);
    case WM_HSCROLL:
    case WM_VSCROLL:
        return scrollMessage(pane, &ev);
    case zScrollInfo::rangeMessage: {
        const int lo = LOWORD(lParam), hi = HIWORD(lParam);
        if (lo == hi)
            SetScrollRange(hwnd, static_cast<int>(wParam), 0, 0, TRUE);
        else
            SetScrollRange(hwnd, static_cast<int>(wParam), lo, hi, TRUE);
        return 1;
    }
    case WM_SETCURSOR:
        return closing(pane, &ev, (pane->interest() & zWindow::WantSetCursor) ? zEvCore::dispatch(&ev, pane) : 0);
    case WM_NCHITTEST:
        return closing(pane, &ev, (pane->interest() & zWindow::WantNcHitTest) ? zEvCore::dispatch(&ev, pane) : 0);
    default:
        break;
    }
    // The messages with a routing of their own go as the plain procedure
    // routes them; the others are offered to the handler nodes, whose
    // answer is the procedure's result.
    if (hasOwnRouting(msg))
        return zPaneRoute(hwnd, msg, wParam, lParam);
    return closing(pane, &ev, zEvCore::dispatch(&ev, pane));
}
