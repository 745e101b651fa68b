#include "framework/core/zPane.h"

#include "framework/core/zApplication.h"
#include "framework/core/zCaret.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zScrollerBase.h"
#include "framework/core/zWinDisplay.h"
#include "framework/core/ziWindowRouting.h"

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
    // The display is given back and the stack restored also when draw
    // throws (the window procedure reports it): the next paint must find
    // them as before, or it would draw on a device context that is never
    // ended and never validate the window.
    struct Restore {
        zPane* pane;
        zWinDisplay* painting = nullptr;
        bool pushed = false;
        ~Restore()
        {
            if (painting) {
                painting->release();
                painting->paintMode(0);
            }
            if (pushed)
                pane->popDisplay();
        }
    } restore{this};
    if (display_ != ownDisplay_) {
        pushDisplay(ownDisplay_);
        restore.pushed = true;
    }
    if (display_->kind() == zDisplay::Window) {
        zWinDisplay* wd = static_cast<zWinDisplay*>(display_);
        wd->paintMode(1);
        wd->acquire();
        restore.painting = wd;
    }
    return draw(ev);
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
    display_->swapBrush(new zBrush(colour));
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

// The plain routing, except: a handled message answers its result; panes
// paint, scroll and take character input themselves, WM_SYSCOMMAND goes as
// WM_COMMAND, and of the menu messages only the tracked pop-up menu's count.
class PaneRouting : public ziWindowRouting {
public:
    PaneRouting()
        : ziWindowRouting(Traits{.kind = zKindPane, .answersResult = true, .sysCommandAsCommand = true,
                                 .charInput = CharInput::Slot, .menuSelect = MenuSelect::PopupOnly, .scrolls = true})
    {
    }

protected:
    Step ownMessage(zWindow* w, zEvent& ev, LRESULT& r) const override
    {
        auto* pane = static_cast<zPane*>(w);
        switch (ev.message) {
        case WM_PAINT:
            if (!pane->display())  // being destroyed
                return Step::Common;
            r = pane->paint(&ev);
            return Step::Close;
        case zScrollInfo::rangeMessage:
            setScrollRange(ev);
            r = 1;
            return Step::Answer;
        default:
            return Step::Common;
        }
    }
};

const PaneRouting paneRouting;

}  // namespace

LRESULT CALLBACK zPaneWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return paneRouting.route(hwnd, msg, wParam, lParam);
}
