// The framework's window procedures: each message reaches, in an order fixed
// per message, the handler nodes registered on the window, the window's
// virtual operations and finally its default procedure.
#include "framework/core/zApplication.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zMDIAppFrame.h"
#include "framework/core/zMDIChildFrame.h"
#include "framework/core/zMenu.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTaskDev.h"
#include "framework/core/zTimer.h"
#include "framework/core/ziWindowMap.h"

namespace {

HBRUSH g_controlBrush = nullptr;

// Pane: the plain routing with the pane's closing rule (a handled
// message answers its non-zero result instead of 0).
enum class Proc { Plain, Frame, Child, Control, Pane };

zMenu* menuOf(zWindow* w)
{
    return w && w->isKind(zKindFrameWin) ? static_cast<zFrameWin*>(w)->menu() : nullptr;
}

// The menu slot of a window's menu when the window wants menu messages.
int offerToMenu(zWindow* w, zEvent* ev)
{
    zMenu* menu = menuOf(w);
    return menu && (w->interest() & zWindow::WantMenu) ? menu->dispatch(ev) : 0;
}

zMDIChildFrame* activeChildOf(zWindow* w)
{
    return w->isKind(zKindMDIAppFrame) ? static_cast<zMDIAppFrame*>(w)->activeChild() : nullptr;
}

LRESULT rawDefault(Proc kind, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (kind) {
    case Proc::Plain:
    case Proc::Pane: return DefWindowProcA(hwnd, msg, wp, lp);
    case Proc::Frame: return DefFrameProcA(hwnd, zMDIClientWindow, msg, wp, lp);
    case Proc::Child: return DefMDIChildProcA(hwnd, msg, wp, lp);
    case Proc::Control: return 0;
    }
    return 0;
}

void trackFocus(zWindow* w, zEvent* ev)
{
    if (ev->message == WM_SETFOCUS)
        for (zWindow* p = w->parent(); p; p = p->parent())
            p->focusChanged(zWindow::lastFocus, w);
    zWindow::lastFocus = w;
}

// The control's WM_CTLCOLOREDIT / WM_CTLCOLORLISTBOX answer; handled is
// cleared when the nodes are to be asked.
LRESULT controlColor(zWindow* w, zEvent* ev, bool& handled)
{
    handled = true;
    HDC dc = reinterpret_cast<HDC>(ev->wParam);
    SetTextColor(dc, w->ctlTextColor().colorRef());
    if (w->background() != zWindow::NoBackground) {
        const COLORREF bk = w->effectiveBackground();
        SetBkColor(dc, bk);
        if (g_controlBrush)
            DeleteObject(g_controlBrush);
        g_controlBrush = CreateSolidBrush(bk);
        return reinterpret_cast<LRESULT>(g_controlBrush);
    }
    if (w->ctlBrush()) {
        SetBkColor(dc, w->effectiveBackground());
        handled = false;
        return 0;
    }
    const COLORREF bk = GetBkColor(dc);
    w->backgroundColor(zColor::fromColorRef(bk));
    SetBkColor(dc, bk);
    return reinterpret_cast<LRESULT>(w->ctlBrush());
}

void markDestroyed(zWindow* w, HWND hwnd)
{
    w->setState(zWindow::Destroyed);
    if (zApp && zApp->windowMap && zWindow::find(hwnd) == w)
        zApp->windowMap->remove(hwnd);
}

LRESULT route(Proc kind, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    zWindow* w = zWindow::find(hwnd);
    if (!w)
        return rawDefault(kind, hwnd, msg, wp, lp);
    zEvent ev{lp, wp, msg, hwnd};
    const bool control = kind == Proc::Control;
    int r = 0;

    // Offers the event to the nodes first when the window asks for it.
    auto nodesFirst = [&](uint32_t flag) { return (w->interest() & flag) ? zEvCore::dispatch(&ev, w) : 0; };

    switch (msg) {
    case WM_DESTROY:
        if (kind == Proc::Frame) {
            if (zApp && zApp->taskDev)
                zApp->taskDev->setEnabled(false);
            PostQuitMessage(0);
            return 0;
        }
        if (!control)
            r = zEvCore::dispatch(&ev, w);
        break;

    case WM_MOVE:
        r = w->move(&ev);
        if (w->sizer())
            w->sizer()->setOrigin(static_cast<int16_t>(LOWORD(lp)), static_cast<int16_t>(HIWORD(lp)));
        if (kind == Proc::Frame)
            return r;
        if (kind == Proc::Child)
            return w->defWindowProc(&ev);
        break;

    case WM_SIZE:
        if (control) {
            if (w->isKind(zKindListBox) && wp == 0 && lp == 0) {
                RECT rc;
                if (IsWindow(hwnd) && GetClientRect(hwnd, &rc))
                    ev.lParam = MAKELPARAM(rc.right - rc.left, rc.bottom - rc.top);
            }
            r = w->sizeSizer(&ev);
            w->size(&ev);
            InvalidateRect(hwnd, nullptr, TRUE);
            break;
        }
        r = w->sizeSizer(&ev);
        if (kind == Proc::Frame) {
            if (wp != SIZE_MINIMIZED)
                w->size(&ev);
            return 0;
        }
        w->size(&ev);
        if (kind == Proc::Child)
            return w->defWindowProc(&ev);
        break;

    case WM_ACTIVATE:
        if ((r = nodesFirst(zWindow::WantActivate)))
            return r;
        r = w->activate(&ev);
        break;

    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if ((r = nodesFirst(zWindow::WantFocus)))
            return r;
        r = w->focus(&ev);
        trackFocus(w, &ev);
        break;

    case WM_CLOSE:
        if ((r = nodesFirst(zWindow::WantClose)))
            return r;
        if (kind == Proc::Frame) {
            zPListIterOf<zWindow> it(w->children());
            while (zWindow* child = it.next())
                if (int refused = child->close(&ev))
                    return refused;
        }
        r = w->close(&ev);
        break;

    case WM_ERASEBKGND:
        r = kind == Proc::Frame ? zEvCore::dispatch(&ev, w) : w->eraseBackground(&ev);
        break;

    case WM_SETCURSOR:
        r = control || (w->interest() & zWindow::WantSetCursor) ? zEvCore::dispatch(&ev, w) : 0;
        break;

    case WM_NCHITTEST:
        r = control || (w->interest() & zWindow::WantNcHitTest) ? zEvCore::dispatch(&ev, w) : 0;
        break;

    case WM_NCDESTROY: {
        markDestroyed(w, hwnd);
        if (kind == Proc::Child) {
            // The MDI client is not finished with the child yet: the main
            // frame deletes the object later.
            if ((w->state() & zWindow::DeleteOnDestroy) && zApp && zApp->mainFrame &&
                zApp->mainFrame->handle())
                PostMessageA(zApp->mainFrame->handle(), zMsgDeleteChild, 0, reinterpret_cast<LPARAM>(w));
            return 0;
        }
        if (kind == Proc::Frame) {
            // Windows destroys the frame's menu with the window: take the
            // merged child's pop-ups out first, they belong to the child.
            static_cast<zMDIAppFrame*>(w)->unmergeChild();
            if (zApp && zApp->mainFrame == w)
                zApp->mainFrame = nullptr;
        }
        if (zMenu* menu = menuOf(w))
            menu->clearHandle();
        LRESULT result = 0;
        if (control)
            result = w->defWindowProc(&ev);
        if (w->state() & zWindow::DeleteOnDestroy)
            delete w;
        return result;
    }

    case WM_CHAR:
    case WM_SYSCHAR:
        if (control) {
            r = w->charInput(&ev);
            if (!r)
                r = zEvCore::dispatch(&ev, w);
        } else {
            r = zEvCore::dispatch(&ev, w);
        }
        break;

    case WM_COMMAND:
        if (control) {
            r = zEvCore::dispatchCommand(&ev, w);
            if (!r)
                r = w->command(&ev);
            break;
        }
        if (zTrackedPopup && (r = zTrackedPopup->dispatch(&ev)))
            return r;
        r = offerToMenu(w, &ev);
        if (!r)
            r = zEvCore::dispatchCommand(&ev, w);
        if (!r)
            r = w->command(&ev);
        if (!r && kind == Proc::Frame) {
            if (zMDIChildFrame* child = activeChildOf(w)) {
                r = offerToMenu(child, &ev);
                if (!r)
                    r = child->command(&ev);
            }
        }
        break;

    case WM_SYSCOMMAND:
        if (kind == Proc::Frame) {
            r = offerToMenu(w, &ev);
            if (!r)
                r = zEvCore::dispatchCommand(&ev, w);
            if (!r)
                r = w->command(&ev);
            if (!r)
                if (zMDIChildFrame* child = activeChildOf(w))
                    r = offerToMenu(child, &ev);
        } else {
            r = zEvCore::dispatch(&ev, w);
        }
        break;

    case WM_TIMER:
        if (control) {
            r = zEvCore::dispatch(&ev, w);
        } else if (zApp && zApp->timerDev) {
            zApp->timerDev->dispatch();
            // A timer may have destroyed this window.
            if (zWindow::find(hwnd) != w)
                return 0;
        }
        break;

    case WM_INITMENU:
    case WM_MENUSELECT:
        if (zTrackedPopup && zTrackedPopup->dispatch(&ev))
            return 1;
        if (control)
            break;
        if ((r = offerToMenu(w, &ev)))
            return r;
        if (kind == Proc::Frame)
            if (zMDIChildFrame* child = activeChildOf(w))
                if ((r = offerToMenu(child, &ev)))
                    return r;
        r = zEvCore::dispatch(&ev, w);
        break;

    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (control) {
            if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
                bool handled;
                LRESULT brush = controlColor(w, &ev, handled);
                if (handled)
                    return brush;
            }
            r = zEvCore::dispatch(&ev, w);
        } else if (HBRUSH brush = w->ctlColor(&ev, w)) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;

    case WM_MOUSEMOVE:
        if (w->cursor().handle())
            SetCursor(w->cursor().handle());
        if ((r = nodesFirst(zWindow::WantMouseMove)))
            return r;
        r = w->mouseMove(&ev);
        break;

    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if ((r = nodesFirst(zWindow::WantButtonDown)))
            return r;
        r = w->mouseButtonDown(&ev);
        break;

    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if ((r = nodesFirst(zWindow::WantButtonUp)))
            return r;
        r = w->mouseButtonUp(&ev);
        break;

    case WM_MDIACTIVATE:
        if (kind == Proc::Child) {
            if (zApp && zApp->mainFrame && zApp->mainFrame->handle())
                PostMessageA(zApp->mainFrame->handle(), zMsgMdiMerge, static_cast<WPARAM>(lp),
                             reinterpret_cast<LPARAM>(w));
            return static_cast<zMDIChildFrame*>(w)->mdiActivate(&ev);
        }
        r = zEvCore::dispatch(&ev, w);
        break;

    case zMsgMdiMerge:
        if (kind == Proc::Frame)
            static_cast<zMDIAppFrame*>(w)->mergeMenu(&ev);
        else
            r = zEvCore::dispatch(&ev, w);
        break;

    case zMsgDeleteChild:
        if (kind == Proc::Frame) {
            if (auto* child = reinterpret_cast<zWindow*>(lp))
                delete child;
        } else {
            r = zEvCore::dispatch(&ev, w);
        }
        break;

    case zMsgScrollRange:
        if (control) {
            if (w->isKind(zKindScrollBar)) {
                int lo = LOWORD(lp), hi = HIWORD(lp);
                if (lo == hi)
                    lo = hi = 0;
                SetScrollRange(hwnd, static_cast<int>(wp), lo, hi, TRUE);
                return 1;
            }
            break;
        }
        r = zEvCore::dispatch(&ev, w);
        break;

    default:
        r = zEvCore::dispatch(&ev, w);
        break;
    }

    if (r)
        return control || kind == Proc::Pane ? r : 0;
    // A handler may have destroyed the window and deleted its object.
    if (zWindow::find(hwnd) != w)
        return rawDefault(kind, hwnd, msg, wp, lp);
    return w->defWindowProc(&ev);
}

} // namespace

void zDeleteControlColorBrush()
{
    if (g_controlBrush) {
        DeleteObject(g_controlBrush);
        g_controlBrush = nullptr;
    }
}

LRESULT CALLBACK zPlainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return route(Proc::Plain, hwnd, msg, wp, lp); }
LRESULT CALLBACK zMDIFrameWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return route(Proc::Frame, hwnd, msg, wp, lp); }
LRESULT CALLBACK zMDIChildWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return route(Proc::Child, hwnd, msg, wp, lp); }
LRESULT CALLBACK zControlWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return route(Proc::Control, hwnd, msg, wp, lp); }
LRESULT zPaneRoute(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return route(Proc::Pane, hwnd, msg, wp, lp); }
