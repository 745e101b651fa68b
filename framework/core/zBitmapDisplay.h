#pragma once
// A memory display drawing into a selected bitmap. Its context is taken at
// construction and held for the display's whole life.
#include "framework/core/zDisplay.h"

class zBitmapDisplay : public zReadableDisplay {
public:
    // A display compatible with the screen, drawing into the bitmap (owned).
    explicit zBitmapDisplay(zBitmap* bitmap);
    // A display compatible with another display.
    zBitmapDisplay(zDisplay* compatibleWith, zBitmap* bitmap);
    ~zBitmapDisplay() override;

    zRect paintRect() override;
    zRect extentRect() override { return paintRect(); }
    void copyTo(zDisplay* target, int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX,
                int32_t srcY) override;

    // Selects a new bitmap and answers the previous one (not deleted, no
    // longer owned). Null reselects the context's initial bitmap.
    zBitmap* bitmap(zBitmap* newBitmap);
    zBitmap* bitmap() const { return bitmap_; }

private:
    void init(HDC memoryDC, zBitmap* bitmap);

    zBitmap* bitmap_ = nullptr;
    HGDIOBJ initialBitmap_ = nullptr;
};
