// The framework's four window procedures: the plain one of ordinary window
// classes, the MDI application frame's, the MDI child frame's and the
// subclass procedure of standard controls. Each is the common routing with
// its kind's differences.
#include "framework/core/zApplication.h"
#include "framework/core/zMDIAppFrame.h"
#include "framework/core/zMDIChildFrame.h"
#include "framework/core/zTaskDev.h"
#include "framework/core/ziWindowRouting.h"

namespace {

HBRUSH g_controlBrush = nullptr;

LRESULT CALLBACK frameDefault(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(hwnd, zMDIClientWindow, msg, wp, lp);
}

LRESULT CALLBACK noAnswer(HWND, UINT, WPARAM, LPARAM) { return 0; }

using Routing = ziWindowRouting;
using CharInput = Routing::CharInput;
using MenuSelect = Routing::MenuSelect;

class MDIFrameRouting : public Routing {
public:
    MDIFrameRouting() : Routing(Traits{.unbound = frameDefault, .kind = zKindMDIAppFrame}) {}

protected:
    Step ownMessage(zWindow* w, zEvent& ev, LRESULT& r) const override
    {
        auto* frame = static_cast<zMDIAppFrame*>(w);
        switch (ev.message) {
        case WM_DESTROY:
            if (theApplication && theApplication->taskDev)
                theApplication->taskDev->setEnabled(false);
            PostQuitMessage(0);
            r = 0;
            return Step::Answer;
        case WM_MOVE:
            common(w, ev, r);
            return Step::Answer;
        case WM_SIZE:
            r = w->sizeSizer(&ev);
            if (ev.wParam != SIZE_MINIMIZED)
                w->size(&ev);
            r = 0;
            return Step::Answer;
        case WM_CLOSE: {
            if ((r = nodesFirst(w, ev, zWindow::WantClose)))
                return Step::Answer;
            // One child that refuses keeps every window open.
            zPListIterOf<zWindow> it(w->children());
            while (zWindow* child = it.next())
                if ((r = child->close(&ev)))
                    return Step::Answer;
            r = w->close(&ev);
            return Step::Close;
        }
        case WM_ERASEBKGND:
            r = nodes(w, ev);
            return Step::Close;
        case WM_NCDESTROY:
            // Windows destroys the frame's menu with the window: take the
            // merged child's pop-ups out first, they belong to the child.
            frame->unmergeChild();
            if (theApplication && theApplication->mainFrame == w)
                theApplication->mainFrame = nullptr;
            return Step::Common;
        case WM_SYSCOMMAND:
            r = commandChain(w, ev, false);
            return Step::Close;
        case zMsgMdiMerge:
            frame->mergeMenu(&ev);
            r = 0;
            return Step::Close;
        case zMsgDeleteChild:
            delete reinterpret_cast<zWindow*>(ev.lParam);
            r = 0;
            return Step::Close;
        default:
            return Step::Common;
        }
    }
};

class MDIChildRouting : public Routing {
public:
    MDIChildRouting() : Routing(Traits{.unbound = DefMDIChildProcA, .kind = zKindMDIChildFrame}) {}

protected:
    Step ownMessage(zWindow* w, zEvent& ev, LRESULT& r) const override
    {
        switch (ev.message) {
        case WM_MOVE:
        case WM_SIZE:
            // The MDI child procedure must see them too.
            common(w, ev, r);
            r = w->defWindowProc(&ev);
            return Step::Answer;
        case WM_NCDESTROY:
            // The MDI client is not finished with the child yet: the main
            // frame deletes the object later.
            markDestroyed(w, ev.hwnd);
            if ((w->state() & zWindow::DeleteOnDestroy) && theApplication && theApplication->mainFrame && theApplication->mainFrame->handle())
                PostMessageA(theApplication->mainFrame->handle(), zMsgDeleteChild, 0, reinterpret_cast<LPARAM>(w));
            r = 0;
            return Step::Answer;
        case WM_MDIACTIVATE:
            if (theApplication && theApplication->mainFrame && theApplication->mainFrame->handle())
                PostMessageA(theApplication->mainFrame->handle(), zMsgMdiMerge, static_cast<WPARAM>(ev.lParam),
                             reinterpret_cast<LPARAM>(w));
            r = static_cast<zMDIChildFrame*>(w)->mdiActivate(&ev);
            return Step::Answer;
        default:
            return Step::Common;
        }
    }
};

// The control's WM_CTLCOLOREDIT / WM_CTLCOLORLISTBOX answer, or 0 when the
// nodes are to be asked.
LRESULT controlColor(zWindow* w, zEvent& ev)
{
    HDC dc = reinterpret_cast<HDC>(ev.wParam);
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
        return 0;
    }
    const COLORREF bk = GetBkColor(dc);
    w->backgroundColor(zColor::fromColorRef(bk));
    SetBkColor(dc, bk);
    return reinterpret_cast<LRESULT>(w->ctlBrush());
}

// A handled message answers its result; the default is the saved procedure.
class ControlRouting : public Routing {
public:
    ControlRouting()
        : Routing(Traits{.unbound = noAnswer, .answersResult = true, .commandPopupFirst = false,
                         .charInput = CharInput::SlotThenNodes, .menuSelect = MenuSelect::PopupOnly})
    {
    }

protected:
    Step ownMessage(zWindow* w, zEvent& ev, LRESULT& r) const override
    {
        switch (ev.message) {
        case WM_DESTROY:
            r = 0;
            return Step::Close;
        case WM_SIZE:
            if (w->isKind(zKindListBox) && ev.wParam == 0 && ev.lParam == 0) {
                RECT rc;
                if (IsWindow(ev.hwnd) && GetClientRect(ev.hwnd, &rc))
                    ev.lParam = MAKELPARAM(rc.right - rc.left, rc.bottom - rc.top);
            }
            common(w, ev, r);
            InvalidateRect(ev.hwnd, nullptr, TRUE);
            return Step::Close;
        case WM_SETCURSOR:
        case WM_NCHITTEST:
        case WM_TIMER:
            r = nodes(w, ev);
            return Step::Close;
        case WM_NCDESTROY: {
            // The saved procedure gets the message before the object goes.
            markDestroyed(w, ev.hwnd);
            const LRESULT saved = w->defWindowProc(&ev);
            if (w->state() & zWindow::DeleteOnDestroy)
                delete w;
            r = saved;
            return Step::Answer;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            if ((r = controlColor(w, ev)))
                return Step::Answer;
            r = nodes(w, ev);
            return Step::Close;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            r = nodes(w, ev);
            return Step::Close;
        case zMsgScrollRange:
            if (!w->isKind(zKindScrollBar)) {
                r = 0;
                return Step::Close;
            }
            setScrollRange(ev);
            r = 1;
            return Step::Answer;
        default:
            return Step::Common;
        }
    }
};

// A handled message answers 0; unhandled ones go to the window's default.
const Routing plainRouting{Routing::Traits{}};
const MDIFrameRouting mdiFrameRouting;
const MDIChildRouting mdiChildRouting;
const ControlRouting controlRouting;

}  // namespace

void zDeleteControlColorBrush()
{
    if (g_controlBrush) {
        DeleteObject(g_controlBrush);
        g_controlBrush = nullptr;
    }
}

LRESULT CALLBACK zPlainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return plainRouting.route(hwnd, msg, wp, lp); }
LRESULT CALLBACK zMDIFrameWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return mdiFrameRouting.route(hwnd, msg, wp, lp); }
LRESULT CALLBACK zMDIChildWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return mdiChildRouting.route(hwnd, msg, wp, lp); }
LRESULT CALLBACK zControlWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return controlRouting.route(hwnd, msg, wp, lp); }
