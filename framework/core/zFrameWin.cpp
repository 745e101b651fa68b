#include "framework/core/zFrameWin.h"

#include <string>

#include "framework/core/zApplication.h"
#include "framework/core/zMenu.h"
#include "framework/core/zSizer.h"

namespace {
std::string g_frameClassName;
bool g_frameClassSet = false;
} // namespace

void zFrameClassOverride::set(const char* name)
{
    g_frameClassName = name ? name : "";
    g_frameClassSet = name != nullptr;
}
const char* zFrameClassOverride::get() { return g_frameClassSet ? g_frameClassName.c_str() : nullptr; }
void zFrameClassOverride::clear() { g_frameClassSet = false; g_frameClassName.clear(); }

void zFrameWin::initFrame()
{
    setKind(zKindFrameWin);
    background_ = GetSysColor(COLOR_APPWORKSPACE);
    id_ = 0;
    if (theApplication && !theApplication->mainFrame)
        theApplication->mainFrame = this;
}

zFrameWin::zFrameWin(zWindow* parent, zSizer* sizer, DWORD style, const char* title)
    : zWindow(parent, sizer, style)
{
    initFrame();
    text_ = title;
}

zFrameWin::zFrameWin(zWindow* parent) : zWindow(parent) { initFrame(); }

zFrameWin::zFrameWin(zSizer* sizer, DWORD style, const char* title) : zWindow(sizer, style)
{
    initFrame();
    text_ = title;
}

zFrameWin::~zFrameWin()
{
    delete menu_;
    menu_ = nullptr;
    if (theApplication && theApplication->mainFrame == this)
        theApplication->mainFrame = nullptr;
}

void zFrameWin::setMenu(zMenu* menu)
{
    if (menu == menu_)
        return;
    zMenu* old = menu_;
    menu_ = menu;
    if (menu)
        menu->setWindow(this);
    if (hwnd_)
        SetMenu(hwnd_, menu ? menu->handle() : nullptr);
    if (old) {
        old->setWindow(nullptr);
        delete old;
    }
}

void zFrameWin::applyMinTrack(zEvent* ev) const
{
    if (ev->message != WM_GETMINMAXINFO || !ev->lParam)
        return;
    auto* info = reinterpret_cast<MINMAXINFO*>(ev->lParam);
    if (minTrackWidth_)
        info->ptMinTrackSize.x = minTrackWidth_;
    if (minTrackHeight_)
        info->ptMinTrackSize.y = minTrackHeight_;
}

LRESULT zFrameWin::defWindowProc(zEvent* ev)
{
    applyMinTrack(ev);
    return DefWindowProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam);
}

void zFrameWin::setCaption(const RcCString& text)
{
    text_ = text;
    if (hwnd_)
        SetWindowTextA(hwnd_, text_.c_str());
}

void zFrameWin::setCaption(const char* text)
{
    text_ = text;
    if (hwnd_)
        SetWindowTextA(hwnd_, text_.c_str());
}

void zFrameWin::placeFrame()
{
    const bool unplaced = (sizer_->x() == 0 && sizer_->y() == 0 && sizer_->width() == 0 && sizer_->height() == 0) ||
                          (sizer_->x() == zSizerUnset && sizer_->y() == zSizerUnset &&
                           sizer_->width() == zSizerUnset && sizer_->height() == zSizerUnset);
    if ((style_ & WS_POPUP) && unplaced && hwnd_) {
        RECT rc;
        GetWindowRect(hwnd_, &rc);
        sizer_->setOrigin(rc.left, rc.top);
        sizer_->setExtent(500, 500);
        moveWindow(sizer_->x(), sizer_->y(), 500, 500);
        return;
    }
    sizerFromWindowRect();
}

int zFrameWin::create()
{
    WNDCLASSA wc = windowClass();
    if (!createWindow(wc, nullptr))
        return 0;
    if (menu_ && menu_->handle())
        SetMenu(hwnd_, menu_->handle());
    placeFrame();
    inheritParentFont();
    return 1;
}
