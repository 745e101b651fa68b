#include "framework/core/zMenu.h"

#include "framework/core/zFrameWin.h"

zPopupMenu* zTrackedPopup = nullptr;

namespace {
HMENU loadMenu(const zResId& id)
{
    return id.loadWith([](HINSTANCE m, LPCSTR r) { return LoadMenuA(m, r); });
}
} // namespace

zMenu::zMenu() : zDevice(zWindow::WantMenu), hmenu_(CreatePopupMenu()) {}

zMenu::zMenu(const zResId& id, zWindow* window) : zDevice(zWindow::WantMenu), window_(window), hmenu_(loadMenu(id))
{
    if (window && window->isKind(zKindFrameWin))
        static_cast<zFrameWin*>(window)->setMenu(this);
    else if (window && window->handle())
        SetMenu(window->handle(), hmenu_);
}

zMenu::zMenu(const zResId& id) : zDevice(zWindow::WantMenu), hmenu_(loadMenu(id)) {}

zMenu::~zMenu()
{
    if (hmenu_) {
        if (window_ && window_->handle() && IsWindow(window_->handle()) && GetMenu(window_->handle()) == hmenu_)
            SetMenu(window_->handle(), nullptr);
        DestroyMenu(hmenu_);
    }
}

void zMenu::addSelectHandler(zEvH* handler, zEvProc fn)
{
    addNode(window_, new zNotifyNode(fn, handler, WM_MENUSELECT));
}

void zMenu::removeSelectHandler(zEvH* handler, zEvProc fn)
{
    removeNode(window_, handler, fn, WM_MENUSELECT);
}

void zMenu::addCommandHandler(uint32_t id, zEvH* handler, zEvProc fn)
{
    addNode(window_, new zNotifyNode(id, fn, handler, WM_COMMAND));
}

int zMenu::enableItem(UINT id, int grey)
{
    return EnableMenuItem(hmenu_, id, MF_BYCOMMAND | (grey ? MF_GRAYED : MF_ENABLED)) != -1;
}

int zMenu::checkItem(UINT id, int check)
{
    return CheckMenuItem(hmenu_, id, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED)) != DWORD(-1);
}

int zMenu::deleteItem(UINT id) { return DeleteMenu(hmenu_, id, MF_BYCOMMAND) ? 1 : 0; }

void zMenu::redraw()
{
    if (window_ && window_->handle())
        DrawMenuBar(window_->handle());
}

zPopupMenu::zPopupMenu(POINT pos, zWindow* window, const zResId& id) : pos_(pos)
{
    window_ = window;
    DestroyMenu(hmenu_);
    loaded_ = loadMenu(id);
    hmenu_ = loaded_ ? GetSubMenu(loaded_, 0) : nullptr;
    if (window && window->handle())
        ClientToScreen(window->handle(), &pos_);
}

zPopupMenu::~zPopupMenu()
{
    if (zTrackedPopup == this)
        zTrackedPopup = nullptr;
    hmenu_ = nullptr; // part of the loaded menu
    window_ = nullptr;
    if (loaded_)
        DestroyMenu(loaded_);
}

int zPopupMenu::track()
{
    zTrackedPopup = this;
    if (!hmenu_ || !window_ || !window_->handle())
        return 0;
    return TrackPopupMenu(hmenu_, TPM_RIGHTBUTTON, pos_.x, pos_.y, 0, window_->handle(), nullptr);
}
