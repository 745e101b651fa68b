#include "framework/core/zMDIAppFrame.h"

#include <cstdio>

#include "classlib/WindowClass.h"
#include "framework/core/zApplication.h"
#include "framework/core/zMDIChildFrame.h"
#include "framework/core/zMenu.h"
#include "framework/core/zSizer.h"

zMDIAppFrame::zMDIAppFrame(zWindow* parent, zSizer* sizer, DWORD style, const char* title, zMenu* windowMenu,
                           int32_t firstChildId)
    : zFrameWin(parent, sizer, style, title), windowMenu_(windowMenu ? windowMenu : new zMenu),
      firstChildId_(firstChildId)
{
    setKind(zKindMDIAppFrame);
    className_ = "MDIframeCL";
}

zMDIAppFrame::~zMDIAppFrame()
{
    // Every child except the active one first, so that no other child gets
    // activated (and merged) while the children go one by one.
    zMDIChildFrame* active = activeChild_;
    {
        zPListIterOf<zWindow> it(children_);
        while (zWindow* child = it.next()) {
            if (child == active)
                continue;
            it.remove();
            child->parent_ = nullptr;
            delete child;
        }
    }
    {
        zPListIterOf<zWindow> it(children_);
        while (zWindow* child = it.next()) {
            it.remove();
            child->parent_ = nullptr;
            delete child;
        }
    }
    windowMenu_->detach();
    delete windowMenu_;
    delete clientWrapper_;
    if (zMDIClientWindow == client())
        zMDIClientWindow = nullptr;
}

HWND zMDIAppFrame::client() const { return clientWrapper_ ? clientWrapper_->handle() : nullptr; }

LRESULT zMDIAppFrame::defWindowProc(zEvent* ev)
{
    applyMinTrack(ev);
    return DefFrameProcA(ev->hwnd, client(), ev->message, ev->wParam, ev->lParam);
}

WNDCLASSA zMDIAppFrame::windowClass()
{
    WNDCLASSA wc = zFrameWin::windowClass();
    wc.lpfnWndProc = zMDIFrameWndProc;
    return wc;
}

int zMDIAppFrame::create()
{
    style_ |= WS_OVERLAPPEDWINDOW;
    WNDCLASSA wc = windowClass();
    if (classStyle_)
        wc.style = classStyle_;
    if (const char* fixed = zFrameClassOverride::get()) {
        // The fixed name, without the identity suffix, for this frame only.
        className_ = fixed;
        zFrameClassOverride::clear();
    } else {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%lld", static_cast<long long>(reinterpret_cast<intptr_t>(this)));
        className_.append(suffix);
    }
    wc.lpszClassName = className_.c_str();
    if (RegisterWindowClassOnce(wc) && theApplication)
        theApplication->recordClass(className_.c_str());
    HWND hwnd = CreateWindowExA(exStyle_, className_.c_str(), nullptr, style_, sizer_->x(), sizer_->y(),
                                sizer_->width(), sizer_->height(), nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd)
        return 0;
    bind(hwnd);
    if (theApplication && !theApplication->mainFrame)
        theApplication->mainFrame = this;
    if (menu_ && menu_->handle())
        SetMenu(hwnd, menu_->handle());

    CLIENTCREATESTRUCT ccs{windowMenu_->handle(), static_cast<UINT>(firstChildId_)};
    HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, 0x42300001, 0, 0, 0, 0, hwnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xCAC)), wc.hInstance, &ccs);
    zMDIClientWindow = client;
    clientWrapper_ = new zFrameWin(static_cast<zWindow*>(nullptr));
    // The wrapper only holds the client's handle; its sizer fills the rest
    // of the frame.
    delete clientWrapper_->sizer_;
    clientWrapper_->sizer_ = new zGravSizer(zSizerFill, 0, sizer_);
    clientWrapper_->sizer_->setWindow(clientWrapper_);
    clientWrapper_->hwnd_ = client;
    if (theApplication && theApplication->mainFrame == clientWrapper_)
        theApplication->mainFrame = this;

    placeFrame();
    inheritParentFont();
    return 1;
}

void zMDIAppFrame::show(int code)
{
    if (state_ & WasShown) {
        showState(code);
        return;
    }
    setState(WasShown);
    setCaption(text_);
    if (hwnd_) {
        ShowWindow(hwnd_, code);
        if (client())
            ShowWindow(client(), SW_SHOW);
        UpdateWindow(hwnd_);
    }
    if (code)
        style_ |= WS_VISIBLE;
}

zMDIChildFrame* zMDIAppFrame::activeChild() const
{
    HWND c = client();
    if (!c || !IsWindow(c))
        return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessageA(c, WM_MDIGETACTIVE, 0, 0));
    if (!active || !IsWindow(active))
        return nullptr;
    zWindow* w = find(active);
    return w && w->isKind(zKindMDIChildFrame) ? static_cast<zMDIChildFrame*>(w) : nullptr;
}

void zMDIAppFrame::childDeleted(zMDIChildFrame* child)
{
    if (activeChild_ == child)
        activeChild_ = nullptr;
}

namespace {

void insertItems(HMENU frameMenu, HMENU childMenu, bool zoomed)
{
    int k = 1;
    if (zoomed)
        k += LOBYTE(LOWORD(GetVersion())) >= 4 ? 3 : 1;
    int pos = GetMenuItemCount(frameMenu) - k;
    if (pos < 0)
        pos = 0;
    const int items = GetMenuItemCount(childMenu);
    for (int i = 0; i < items; ++i, ++pos) {
        char text[100] = {};
        GetMenuStringA(childMenu, i, text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(childMenu, i, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(childMenu, i)) {
            InsertMenuA(frameMenu, pos, MF_BYPOSITION | MF_POPUP | MF_STRING | (state & (MF_GRAYED | MF_DISABLED)),
                        reinterpret_cast<UINT_PTR>(sub), text);
        } else {
            const UINT flags = (state & MF_SEPARATOR) ? MF_SEPARATOR
                                                      : MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
            InsertMenuA(frameMenu, pos, MF_BYPOSITION | flags, GetMenuItemID(childMenu, i), text);
        }
    }
}

// Removes (never destroys) what insertItems put in.
void removeItems(HMENU frameMenu, HMENU childMenu)
{
    const int items = GetMenuItemCount(childMenu);
    for (int i = 0; i < items; ++i) {
        if (GetSubMenu(childMenu, i)) {
            char text[100] = {};
            GetMenuStringA(childMenu, i, text, sizeof text, MF_BYPOSITION);
            const int count = GetMenuItemCount(frameMenu);
            for (int j = 0; j < count; ++j) {
                char other[100] = {};
                GetMenuStringA(frameMenu, j, other, sizeof other, MF_BYPOSITION);
                if (GetSubMenu(frameMenu, j) && lstrcmpA(text, other) == 0) {
                    RemoveMenu(frameMenu, j, MF_BYPOSITION);
                    break;
                }
            }
        } else {
            DeleteMenu(frameMenu, GetMenuItemID(childMenu, i), MF_BYCOMMAND);
        }
    }
}

HMENU menuOf(zFrameWin* frame)
{
    return frame && frame->menu() ? frame->menu()->handle() : nullptr;
}

} // namespace

void zMDIAppFrame::mergeMenu(zEvent* ev)
{
    auto* child = reinterpret_cast<zMDIChildFrame*>(ev->lParam);
    HMENU frameMenu = menuOf(this);
    if (!theApplication || !theApplication->mainFrame || !child || !menuOf(child) || !frameMenu)
        return;
    const bool activating = reinterpret_cast<HWND>(ev->wParam) == child->handle() || ev->wParam == 1;
    // Only the merged child's items are ever taken out, and a child is
    // merged once: activations may be reported more than once.
    if (activating) {
        if (activeChild_ == child)
            return;
        if (activeChild_)
            removeItems(frameMenu, menuOf(activeChild_));
        activeChild_ = child;
        insertItems(frameMenu, menuOf(child), child->handle() && IsZoomed(child->handle()));
    } else {
        if (activeChild_ != child)
            return;
        activeChild_ = nullptr;
        removeItems(frameMenu, menuOf(child));
    }
    if (hwnd_)
        DrawMenuBar(hwnd_);
}

void zMDIAppFrame::unmergeChild()
{
    if (!activeChild_)
        return;
    if (HMENU frameMenu = menuOf(this))
        if (HMENU childMenu = menuOf(activeChild_))
            removeItems(frameMenu, childMenu);
    activeChild_ = nullptr;
}
