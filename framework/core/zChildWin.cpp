#include "framework/core/zChildWin.h"

#include "framework/core/zSizer.h"

zChildWin::zChildWin(zWindow* parent, zSizer* sizer, DWORD style, int32_t id)
    : zWindow(parent, sizer, style | WS_CHILD)
{
    setKind(zKindChildWin);
    background_ = GetSysColor(COLOR_WINDOW);
    id_ = id;
    if (parent)
        parent->children().append(this);
}

zChildWin::zChildWin(zWindow* parent) : zWindow(parent)
{
    setKind(zKindChildWin);
    setStyle(style_ | WS_CHILD);
    background_ = GetSysColor(COLOR_WINDOW);
    if (parent)
        parent->children().append(this);
}

int zChildWin::create()
{
    WNDCLASSA wc = windowClass();
    // A child window is always created with a parent window.
    if (!createWindow(wc, parent_ ? parent_->handle() : nullptr))
        return 0;
    // The sizer keeps the place it gave, in the parent's client
    // coordinates; only frames take their created window's rectangle.
    inheritParentFont();
    return 1;
}
