#pragma once
// Menus of windows and pop-up menus.
#include "framework/core/zDevice.h"
#include "framework/core/zResId.h"

class zMenu : public zDevice {
public:
    // An empty pop-up menu, no window.
    zMenu();
    // Loads the menu and makes it the window's menu.
    zMenu(const zResId& id, zWindow* window);
    // Loads the menu, no window.
    explicit zMenu(const zResId& id);
    ~zMenu() override;

    void addSelectHandler(zEvH* handler, zEvProc fn);
    void removeSelectHandler(zEvH* handler, zEvProc fn);
    // A WM_COMMAND node for one command id of this menu.
    void addCommandHandler(uint32_t id, zEvH* handler, zEvProc fn);
    int enableItem(UINT id, int grey);
    int checkItem(UINT id, int check);
    int deleteItem(UINT id);
    void redraw();

    HMENU handle() const { return hmenu_; }
    // Windows destroyed the menu with its window.
    void clearHandle() { hmenu_ = nullptr; }
    HMENU detach() { HMENU h = hmenu_; hmenu_ = nullptr; return h; }
    zWindow* window() const { return window_; }
    void setWindow(zWindow* w) { window_ = w; }

protected:
    zWindow* window_ = nullptr;
    HMENU hmenu_ = nullptr;
};

class zPopupMenu : public zMenu {
public:
    // pos: in the window's client coordinates.
    zPopupMenu(POINT pos, zWindow* window, const zResId& id);
    ~zPopupMenu() override;
    // Becomes the tracked pop-up menu and shows the menu at the position.
    int track();

private:
    POINT pos_;
    HMENU loaded_ = nullptr;
};

// The pop-up menu being tracked (its commands are offered to it first).
extern zPopupMenu* zTrackedPopup;
