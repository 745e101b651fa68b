#include "framework/controls3d/ziCtrlPane.h"

#include "framework/core/zApplication.h"
#include "framework/core/zChildWin.h"
#include "framework/core/zFont.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTimer.h"
#include "framework/core/zWinDisplay.h"
#include "framework/core/ziWindowRouting.h"

ziCtrlPane::ziCtrlPane(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zControl(parent, sizer, style, title, id)
{
    kind_ = 8;  // a visual control
    setClassName("VisualCtrl");
    style_ &= ~DWORD(WS_CLIPSIBLINGS);
    create();
    display_ = new zWinDisplay(this);
    if (!font() && !(parent && parent->font()))
        display_->swapFont(zFont::fromStock(SYSTEM_FONT));
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

namespace {

// The "VisualCtrl" procedure: the plain routing, except that a handled
// message answers its result; the control paints its own display and takes
// character input itself, WM_SYSCOMMAND goes as WM_COMMAND, menu messages
// go to the nodes, and the focus is not tracked.
class VisualCtrlRouting : public ziWindowRouting {
public:
    VisualCtrlRouting()
        : ziWindowRouting(Traits{.answersResult = true, .commandPopupFirst = false, .sysCommandAsCommand = true,
                                 .charInput = CharInput::Slot, .menuSelect = MenuSelect::Nodes,
                                 .tracksFocus = false, .scrolls = true})
    {
    }

protected:
    bool accepts(zWindow* w) const override { return dynamic_cast<ziCtrlPane*>(w) != nullptr; }
    Step ownMessage(zWindow* w, zEvent& ev, LRESULT& r) const override
    {
        auto* ctrl = static_cast<ziCtrlPane*>(w);
        switch (ev.message) {
        case WM_DESTROY:
            r = 1;
            return Step::Answer;
        case WM_PAINT: {
            zWinDisplay* d = ctrl->winDisplay();
            d->paintMode(1);
            d->acquire();
            r = ctrl->draw(&ev);
            d->release();
            d->paintMode(0);
            return Step::Close;
        }
        case WM_NCDESTROY:
            markDestroyed(w, ev.hwnd);
            if (w->state() & zWindow::DeleteOnDestroy)
                delete w;
            r = DefWindowProcA(ev.hwnd, ev.message, ev.wParam, ev.lParam);
            return Step::Answer;
        default:
            return Step::Common;
        }
    }
};

const VisualCtrlRouting visualCtrlRouting;

}  // namespace

LRESULT CALLBACK ziCtrlPane::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return visualCtrlRouting.route(hwnd, msg, wParam, lParam);
}
