#include "framework/core/zBitmap.h"

#include "framework/core/zDisplay.h"

zBitmap::zBitmap(int32_t width, int32_t height, zDisplay* display) : zDrawObj(nullptr, 0)
{
    if (!display)
        return;
    display->acquire();
    if (display->hdc())
        handle_ = CreateCompatibleBitmap(display->hdc(), width, height);
    display->release();
}

SIZE zBitmap::size() const
{
    BITMAP bm{};
    if (handle_ && GetObjectA(handle_, sizeof bm, &bm))
        return {bm.bmWidth, bm.bmHeight};
    return {0, 0};
}
