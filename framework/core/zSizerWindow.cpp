// The sizer's calls on its window. The native build has no windows, so a
// sizer there never has one and these only answer "no window".
#include "framework/core/zSizer.h"

#ifdef _WIN32
#include <windows.h>

#include "framework/core/zWindow.h"

bool zSizer::windowExists() const
{
    return window_ && window_->handle() && IsWindow(window_->handle());
}

bool zSizer::windowClientSize(int32_t& width, int32_t& height) const
{
    if (!windowExists())
        return false;
    RECT rc;
    GetClientRect(window_->handle(), &rc);
    width = rc.right - rc.left;
    height = rc.bottom - rc.top;
    return true;
}

void zSizer::moveWindowTo(const zRect& r) const
{
    if (window_)
        window_->moveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void zSizeWithParent::parentResized(zWindow* window, zEvent* ev)
{
    if (!window || !ev)
        return;
    const uintptr_t size = static_cast<uintptr_t>(ev->lParam);
    window->moveWindow(0, 0, LOWORD(size), HIWORD(size));
}

#else

bool zSizer::windowExists() const { return false; }
bool zSizer::windowClientSize(int32_t&, int32_t&) const { return false; }
void zSizer::moveWindowTo(const zRect&) const {}
void zSizeWithParent::parentResized(zWindow*, zEvent*) {}

#endif
