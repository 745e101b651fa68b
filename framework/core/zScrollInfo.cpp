#include "framework/core/zScrollInfo.h"

#include <windows.h>

#include <algorithm>

#include "framework/core/zWindow.h"

zScrollInfo::zScrollInfo(zWindow* owner, int32_t bar) : bar_(bar), owner_(owner) {}

void zScrollInfo::setPos(int32_t position)
{
    position = std::min(position, max_);
    position = std::max(position, min_);
    prev_ = pos_;
    pos_ = position;
    moveThumb();
}

void zScrollInfo::jumpTo(int32_t position)
{
    position = std::min(position, max_);
    position = std::max(position, min_);
    pos_ = position;
    moveThumb();
}

void zScrollInfo::moveThumb()
{
    HWND hwnd = owner_ ? owner_->handle() : nullptr;
    if (!hwnd || !IsWindow(hwnd))
        return;
    // A range posted earlier must land before this position.
    MSG msg;
    while (PeekMessageA(&msg, hwnd, rangeMessage, rangeMessage, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    SetScrollPos(hwnd, bar_, pos_, TRUE);
    if (!IsWindowVisible(hwnd) && GetFocus() == hwnd) {
        zWindow* parent = owner_->parent();
        if (parent && parent->handle())
            SetFocus(parent->handle());
        SetFocus(hwnd);
    }
}

void zScrollInfo::setRange(int32_t minimum, int32_t maximum)
{
    min_ = minimum;
    max_ = maximum;
    HWND hwnd = owner_ ? owner_->handle() : nullptr;
    // Without a window there is nobody to post to (a null window would make
    // it a thread message that no window procedure sees).
    if (hwnd)
        PostMessageA(hwnd, rangeMessage, static_cast<WPARAM>(bar_),
                     MAKELPARAM(static_cast<WORD>(minimum), static_cast<WORD>(maximum)));
}
