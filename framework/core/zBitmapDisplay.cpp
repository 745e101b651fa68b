#include "framework/core/zBitmapDisplay.h"

zBitmapDisplay::zBitmapDisplay(zBitmap* bitmap)
{
    HDC mem = nullptr;
    if (HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {
        mem = CreateCompatibleDC(ic);
        DeleteDC(ic);
    }
    init(mem, bitmap);
}

zBitmapDisplay::zBitmapDisplay(zDisplay* other, zBitmap* bitmap)
{
    HDC mem = nullptr;
    if (other) {
        other->acquire();
        if (other->hdc())
            mem = CreateCompatibleDC(other->hdc());
        other->release();
    }
    init(mem, bitmap);
}

void zBitmapDisplay::init(HDC mem, zBitmap* bitmap)
{
    hdc_ = mem;
    // Held for the display's whole life: the state is applied once here.
    acquire();
    kind_ = BitmapKind;
    if (hdc_) {
        if (bitmap && bitmap->handle())
            initialBitmap_ = SelectObject(hdc_, bitmap->handle());
        else
            initialBitmap_ = GetCurrentObject(hdc_, OBJ_BITMAP);
        readCaps(hdc_);
    }
    bitmap_ = bitmap;
}

zBitmapDisplay::~zBitmapDisplay()
{
    if (hdc_) {
        if (initialBitmap_)
            SelectObject(hdc_, initialBitmap_);
        // Nothing of ours may stay selected into the context when the
        // stacks delete their objects.
        SelectObject(hdc_, GetStockObject(WHITE_BRUSH));
        SelectObject(hdc_, GetStockObject(BLACK_PEN));
        SelectObject(hdc_, GetStockObject(SYSTEM_FONT));
        DeleteDC(hdc_);
    }
    delete bitmap_;
    bitmap_ = nullptr;
    hdc_ = nullptr;
    release();
}

zRect zBitmapDisplay::paintRect()
{
    if (!bitmap_)
        return {};
    SIZE s = bitmap_->size();
    return {0, 0, s.cx, s.cy};
}

void zBitmapDisplay::copyTo(zDisplay* target, int32_t x, int32_t y, int32_t width, int32_t height,
                            int32_t srcX, int32_t srcY)
{
    if (!target || !hdc_)
        return;
    target->acquire();
    if (target->hdc())
        BitBlt(target->hdc(), x, y, width, height, hdc_, srcX, srcY, SRCCOPY);
    target->release();
}

zBitmap* zBitmapDisplay::bitmap(zBitmap* newBitmap)
{
    zBitmap* previous = bitmap_;
    if (newBitmap) {
        if (hdc_ && newBitmap->handle())
            SelectObject(hdc_, newBitmap->handle());
        bitmap_ = newBitmap;
    } else {
        if (hdc_ && initialBitmap_)
            SelectObject(hdc_, initialBitmap_);
        bitmap_ = nullptr;
    }
    return previous;
}
