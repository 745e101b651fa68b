#include "framework/core/zMDIChildFrame.h"

#include <cstdio>

#include "classlib/WindowClass.h"
#include "framework/core/zApplication.h"
#include "framework/core/zMDIAppFrame.h"
#include "framework/core/zMenu.h"
#include "framework/core/zSizer.h"

zMDIChildFrame::zMDIChildFrame(zWindow* parentFrame, zSizer* sizer, DWORD style, const char* title)
    : zFrameWin(parentFrame, sizer, style | WS_CHILD, title)
{
    setKind(zKindMDIChildFrame);
    className_ = "MDIchildCL";
    if (parentFrame)
        parentFrame->children().append(this);
}

namespace {
zMDIAppFrame* mainMDIFrame()
{
    if (!theApplication || !theApplication->mainFrame || !theApplication->mainFrame->isKind(zKindMDIAppFrame))
        return nullptr;
    return static_cast<zMDIAppFrame*>(theApplication->mainFrame);
}
} // namespace

zMDIChildFrame::~zMDIChildFrame()
{
    if (zMDIAppFrame* frame = mainMDIFrame()) {
        // Merge what is still queued for the frame while this object lives.
        MSG msg;
        while (frame->handle() && PeekMessageA(&msg, frame->handle(), zMsgMdiMerge, zMsgMdiMerge, PM_REMOVE)) {
            zEvent ev{msg.lParam, msg.wParam, msg.message, msg.hwnd};
            frame->mergeMenu(&ev);
        }
        if (frame->mergedChild() == this && !(state_ & Destroyed)) {
            zEvent ev{reinterpret_cast<LPARAM>(this), 0, zMsgMdiMerge, frame->handle()};
            frame->mergeMenu(&ev);
        }
        frame->childDeleted(this);
    }
    {
        zPListIterOf<zWindow> it(children_);
        while (zWindow* child = it.next()) {
            it.remove();
            child->parent_ = nullptr;
            delete child;
        }
    }
    if (!(state_ & Destroyed) && hwnd_) {
        setState(Destroyed);
        unbind();
        if (zMDIClientWindow && IsWindow(hwnd_))
            SendMessageA(zMDIClientWindow, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd_), 0);
    }
    if (!className_.isEmpty())
        UnregisterClassA(className_.c_str(), theApplication ? theApplication->instance : GetModuleHandleA(nullptr));
}

LRESULT zMDIChildFrame::defWindowProc(zEvent* ev)
{
    applyMinTrack(ev);
    // A child that moves is drawn again at its new place, not copied there
    // from the screen: while a maximised sibling covered it, the screen at
    // its old place showed that sibling (Wine copies those pixels).
    if (ev->message == WM_WINDOWPOSCHANGING && ev->lParam) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(ev->lParam);
        if (!(pos->flags & SWP_NOMOVE))
            pos->flags |= SWP_NOCOPYBITS;
    }
    return DefMDIChildProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam);
}

WNDCLASSA zMDIChildFrame::windowClass()
{
    WNDCLASSA wc = zFrameWin::windowClass();
    wc.lpfnWndProc = zMDIChildWndProc;
    return wc;
}

int zMDIChildFrame::create()
{
    style_ |= WS_CHILD;
    WNDCLASSA wc = windowClass();
    wc.style = classStyle_ & 0xFFFF;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%lld", static_cast<long long>(reinterpret_cast<intptr_t>(this)));
    className_.append(suffix);
    wc.lpszClassName = className_.c_str();
    RegisterWindowClassOnce(wc);

    HWND client = zMDIClientWindow;
    if (!client)
        return 0;
    SendMessageA(client, WM_SETREDRAW, FALSE, 0);
    MDICREATESTRUCTA mcs{};
    mcs.szClass = className_.c_str();
    mcs.szTitle = "";
    mcs.hOwner = wc.hInstance;
    mcs.x = sizer_->x();
    mcs.y = sizer_->y();
    mcs.cx = sizer_->width();
    mcs.cy = sizer_->height();
    mcs.style = style_;
    HWND hwnd = reinterpret_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    if (hwnd)
        ShowWindow(hwnd, SW_HIDE);
    SendMessageA(client, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(client, nullptr, TRUE);
    UpdateWindow(client);
    if (!hwnd)
        return 0;
    bind(hwnd);
    setCaption(text_);
    sizerFromWindowRect();
    inheritParentFont();
    return 1;
}

void zMDIChildFrame::activate()
{
    if (zMDIClientWindow && hwnd_)
        SendMessageA(zMDIClientWindow, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd_), 0);
}

void zMDIChildFrame::show(int code)
{
    zMDIAppFrame* frame = mainMDIFrame();
    if (!(state_ & WasShown)) {
        sizer_->setRect(nullptr);
        setState(WasShown);
        setCaption(text_);
        if (hwnd_)
            ShowWindow(hwnd_, code);
        if (code != SW_SHOWMINNOACTIVE && code != SW_SHOWNOACTIVATE) {
            activate();
            // The client activated the child while it was created, before
            // the object was bound: report the activation now.
            if (frame && frame->handle() && frame->activeChild() == this)
                PostMessageA(frame->handle(), zMsgMdiMerge, reinterpret_cast<WPARAM>(hwnd_),
                             reinterpret_cast<LPARAM>(this));
        }
        if (zMDIClientWindow)
            SendMessageA(zMDIClientWindow, WM_MDIREFRESHMENU, 0, 0);
        redrawMenuBar(frame);
        if (hwnd_)
            UpdateWindow(hwnd_);
        if (code)
            style_ |= WS_VISIBLE;
        return;
    }
    showState(code);
    if (zMDIClientWindow)
        SendMessageA(zMDIClientWindow, WM_MDIREFRESHMENU, 0, 0);
    redrawMenuBar(frame);
}

// The menu bar is drawn again after the window list changed. A maximised
// child has just had it drawn by the MDI client, with the child's icon and
// buttons: another drawing repaints the whole frame (under Wine about a
// fifth of opening a window) and changes nothing.
void zMDIChildFrame::redrawMenuBar(zMDIAppFrame* frame)
{
    if (frame && frame->handle() && frame->menu() && !(hwnd_ && IsZoomed(hwnd_)))
        DrawMenuBar(frame->handle());
}
