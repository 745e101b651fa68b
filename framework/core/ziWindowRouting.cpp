#include "framework/core/ziWindowRouting.h"

#include "framework/core/zApplication.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zGuardedWndProc.h"
#include "framework/core/zMDIAppFrame.h"
#include "framework/core/zMDIChildFrame.h"
#include "framework/core/zMenu.h"
#include "framework/core/zScrollBarBase.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTimer.h"
#include "framework/core/zWindow.h"
#include "framework/core/ziWindowMap.h"

namespace {

zMenu* menuOf(zWindow* w)
{
    return w && w->isKind(zKindFrameWin) ? static_cast<zFrameWin*>(w)->menu() : nullptr;
}

zMDIChildFrame* activeChildOf(zWindow* w)
{
    return w->isKind(zKindMDIAppFrame) ? static_cast<zMDIAppFrame*>(w)->activeChild() : nullptr;
}

void trackFocus(zWindow* w, const zEvent& ev)
{
    if (ev.message == WM_SETFOCUS)
        for (zWindow* p = w->parent(); p; p = p->parent())
            p->focusChanged(zWindow::lastFocus, w);
    zWindow::lastFocus = w;
}

// The messages offered to the handler nodes first when the window's
// interest flag is set, and otherwise to a slot.
struct NodesFirst {
    uint32_t flag;
    int (zWindow::*slot)(zEvent*);
};

NodesFirst nodesFirstRow(UINT message)
{
    switch (message) {
    case WM_ACTIVATE: return {zWindow::WantActivate, &zWindow::activate};
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return {zWindow::WantFocus, &zWindow::focus};
    case WM_CLOSE: return {zWindow::WantClose, &zWindow::close};
    case WM_MOUSEMOVE: return {zWindow::WantMouseMove, &zWindow::mouseMove};
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return {zWindow::WantButtonDown, &zWindow::mouseButtonDown};
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: return {zWindow::WantButtonUp, &zWindow::mouseButtonUp};
    default: return {0, nullptr};
    }
}

}  // namespace

int ziWindowRouting::nodes(zWindow* w, zEvent& ev) { return zEvCore::dispatch(&ev, w); }

int ziWindowRouting::nodesFirst(zWindow* w, zEvent& ev, uint32_t flag)
{
    return (w->interest() & flag) ? nodes(w, ev) : 0;
}

void ziWindowRouting::markDestroyed(zWindow* w, HWND hwnd)
{
    w->setState(zWindow::Destroyed);
    if (theApplication && theApplication->windowMap && zWindow::find(hwnd) == w)
        theApplication->windowMap->remove(hwnd);
}

void ziWindowRouting::forgetMenu(zWindow* w)
{
    if (zMenu* menu = menuOf(w))
        menu->clearHandle();
}

int ziWindowRouting::offerToMenu(zWindow* w, zEvent* ev)
{
    zMenu* menu = menuOf(w);
    return menu && (w->interest() & zWindow::WantMenu) ? menu->dispatch(ev) : 0;
}

void ziWindowRouting::setScrollRange(const zEvent& ev)
{
    int lo = LOWORD(ev.lParam), hi = HIWORD(ev.lParam);
    if (lo == hi)
        lo = hi = 0;
    SetScrollRange(ev.hwnd, static_cast<int>(ev.wParam), lo, hi, TRUE);
}

LRESULT ziWindowRouting::route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return zGuardedWndProc(hwnd, msg, [&] { return routeMessage(hwnd, msg, wParam, lParam); });
}

LRESULT ziWindowRouting::routeMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const
{
    if (msg == WM_DISPLAYCHANGE)
        zDisplay::screenChanged();
    zWindow* w = zWindow::find(hwnd);
    if (!w || (traits_.kind && !w->isKind(zKind(traits_.kind))) || !accepts(w))
        return traits_.unbound(hwnd, msg, wParam, lParam);
    zEvent ev{lParam, wParam, msg, hwnd};
    LRESULT result = 0;
    Step step = ownMessage(w, ev, result);
    if (step == Step::Common)
        step = common(w, ev, result);
    return step == Step::Answer ? result : close(w, ev, result);
}

LRESULT ziWindowRouting::close(zWindow* w, zEvent& ev, LRESULT result) const
{
    if (result)
        return traits_.answersResult ? result : 0;
    // A handler may have destroyed the window and deleted its object.
    if (zWindow::find(ev.hwnd) != w)
        return traits_.unbound(ev.hwnd, ev.message, ev.wParam, ev.lParam);
    return w->defWindowProc(&ev);
}

ziWindowRouting::Step ziWindowRouting::command(zWindow* w, zEvent& ev, LRESULT& r) const
{
    if (traits_.commandPopupFirst && zTrackedPopup && (r = zTrackedPopup->dispatch(&ev)))
        return Step::Answer;
    r = commandChain(w, ev, true);
    return Step::Close;
}

int ziWindowRouting::commandChain(zWindow* w, zEvent& ev, bool childCommand)
{
    int r = offerToMenu(w, &ev);
    if (!r)
        r = zEvCore::dispatchCommand(&ev, w);
    if (!r)
        r = w->command(&ev);
    if (!r)
        if (zMDIChildFrame* child = activeChildOf(w)) {
            r = offerToMenu(child, &ev);
            if (!r && childCommand)
                r = child->command(&ev);
        }
    return r;
}

ziWindowRouting::Step ziWindowRouting::menuSelect(zWindow* w, zEvent& ev, LRESULT& r) const
{
    if (traits_.menuSelect == MenuSelect::Nodes) {
        r = nodes(w, ev);
        return Step::Close;
    }
    if (zTrackedPopup && zTrackedPopup->dispatch(&ev)) {
        r = 1;
        return Step::Answer;
    }
    if (traits_.menuSelect == MenuSelect::PopupOnly)
        return Step::Close;
    if ((r = offerToMenu(w, &ev)))
        return Step::Answer;
    if (zMDIChildFrame* child = activeChildOf(w))
        if ((r = offerToMenu(child, &ev)))
            return Step::Answer;
    r = nodes(w, ev);
    return Step::Close;
}

bool ziWindowRouting::moveScrollState(zWindow* w, zEvent& ev)
{
    zScrollInfo* info = nullptr;
    if (ev.lParam) {
        zWindow* bar = zWindow::find(reinterpret_cast<HWND>(ev.lParam));
        if (!bar || !bar->isKind(zKindScrollBar))
            return false;
        info = static_cast<zScrollBarBase*>(bar)->scrollInfo();
    } else {
        info = ev.message == WM_VSCROLL ? w->vertScroll() : w->horzScroll();
    }
    if (!info)
        return true;
    switch (LOWORD(ev.wParam)) {
    case SB_LINEUP: info->setPos(info->pos() - info->line()); break;
    case SB_LINEDOWN: info->setPos(info->pos() + info->line()); break;
    case SB_PAGEUP: info->setPos(info->pos() - info->page()); break;
    case SB_PAGEDOWN: info->setPos(info->pos() + info->page()); break;
    case SB_TOP: info->setPos(info->min()); break;
    case SB_BOTTOM: info->setPos(info->max()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: info->jumpTo(HIWORD(ev.wParam)); break;
    default: break;
    }
    return true;
}

ziWindowRouting::Step ziWindowRouting::common(zWindow* w, zEvent& ev, LRESULT& r) const
{
    if (const NodesFirst row = nodesFirstRow(ev.message); row.slot) {
        if (ev.message == WM_MOUSEMOVE && w->cursor().handle())
            SetCursor(w->cursor().handle());
        // The nodes first when the window asks for it: a handled event is
        // answered at once.
        if ((r = nodesFirst(w, ev, row.flag)))
            return Step::Answer;
        r = (w->*row.slot)(&ev);
        if (ev.message == WM_SETFOCUS || ev.message == WM_KILLFOCUS)
            if (traits_.tracksFocus)
                trackFocus(w, ev);
        return Step::Close;
    }

    switch (ev.message) {
    case WM_MOVE:
        r = w->move(&ev);
        if (w->sizer())
            w->sizer()->setOrigin(static_cast<int16_t>(LOWORD(ev.lParam)), static_cast<int16_t>(HIWORD(ev.lParam)));
        return Step::Close;

    case WM_SIZE:
        r = w->sizeSizer(&ev);
        w->size(&ev);
        return Step::Close;

    case WM_ERASEBKGND:
        r = w->eraseBackground(&ev);
        return Step::Close;

    case WM_SETCURSOR:
        r = nodesFirst(w, ev, zWindow::WantSetCursor);
        return Step::Close;

    case WM_NCHITTEST:
        r = nodesFirst(w, ev, zWindow::WantNcHitTest);
        return Step::Close;

    case WM_NCDESTROY:
        markDestroyed(w, ev.hwnd);
        forgetMenu(w);
        if (w->state() & zWindow::DeleteOnDestroy)
            delete w;
        r = 0;
        return Step::Answer;

    case WM_CHAR:
    case WM_SYSCHAR:
        r = traits_.charInput == CharInput::Nodes ? 0 : w->charInput(&ev);
        if (!r && traits_.charInput != CharInput::Slot)
            r = nodes(w, ev);
        return Step::Close;

    case WM_COMMAND:
        return command(w, ev, r);

    case WM_SYSCOMMAND:
        if (traits_.sysCommandAsCommand)
            return command(w, ev, r);
        r = nodes(w, ev);
        return Step::Close;

    case WM_TIMER:
        if (theApplication && theApplication->timerDev) {
            theApplication->timerDev->dispatch();
            // A timer may have destroyed this window.
            if (zWindow::find(ev.hwnd) != w) {
                r = 0;
                return Step::Answer;
            }
        }
        r = 0;
        return Step::Close;

    case WM_INITMENU:
    case WM_MENUSELECT:
        return menuSelect(w, ev, r);

    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        r = reinterpret_cast<LRESULT>(w->ctlColor(&ev, w));
        return r ? Step::Answer : Step::Close;

    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!traits_.scrolls)
            break;
        r = moveScrollState(w, ev) ? w->scroll(&ev) : 0;
        return Step::Close;

    default:
        break;
    }
    r = nodes(w, ev);
    return Step::Close;
}
