#include "framework/core/zWinDisplay.h"

#include "framework/core/zRegion.h"
#include "framework/core/zWindow.h"

zWinDisplay::zWinDisplay(zWindow* window) : window_(window)
{
    readScreenCaps();
    useWindowColours();
    zFont* font = window ? window->font() : nullptr;
    if (!font && window && window->parent())
        font = window->parent()->font();
    if (font)
        pushFont(new zFont(font->logFont(), 0, nullptr));
    kind_ = Window;
}

zWinDisplay::~zWinDisplay()
{
    // A context still held at destruction is given back.
    if (hdc_)
        releaseDC();
    hdc_ = nullptr;
}

HWND zWinDisplay::windowHandle() const
{
    HWND h = window_ ? window_->handle() : nullptr;
    return h && IsWindow(h) ? h : nullptr;
}

void zWinDisplay::getDC()
{
    // Without a window there is nothing to draw on (GetDC of no window
    // would be the whole screen).
    HWND h = windowHandle();
    if (!h)
        return;
    hdc_ = paintMode_ ? BeginPaint(h, &ps_) : GetDC(h);
}

void zWinDisplay::releaseDC()
{
    HWND h = windowHandle();
    if (!hdc_)
        return;
    if (paintMode_)
        EndPaint(h, &ps_);
    else
        ReleaseDC(h, hdc_);
}

zRect zWinDisplay::paintRect()
{
    if (!paintMode_)
        return {};
    const RECT& r = ps_.rcPaint;
    return {r.left + windowOrg_.x, r.top + windowOrg_.y, r.right + windowOrg_.x, r.bottom + windowOrg_.y};
}

void zWinDisplay::invalidateRect(const zRect* rect, int32_t erase)
{
    HWND h = windowHandle();
    if (!h)
        return;
    if (rect) {
        RECT r{rect->left, rect->top, rect->right, rect->bottom};
        InvalidateRect(h, &r, erase);
    } else {
        InvalidateRect(h, nullptr, erase);
    }
}

void zWinDisplay::invalidateRegion(const zRegion* region, int32_t erase)
{
    if (HWND h = windowHandle())
        InvalidateRgn(h, region ? region->handle() : nullptr, erase);
}

zRect zWinDisplay::extentRect()
{
    RECT r{};
    if (HWND h = windowHandle()) {
        GetClientRect(h, &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    return {};
}
