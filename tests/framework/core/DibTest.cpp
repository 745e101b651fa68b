#include <gtest/gtest.h>

#include <windows.h>

#include "framework/core/zBitmap.h"
#include "framework/core/zBitmapDisplay.h"
#include "framework/core/ziDib.h"
#include "framework/core/ziImageStrip.h"

namespace {
HBITMAP compatibleBitmap(int w, int h)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    return bmp;
}

HBITMAP makeBitmap(int w, int h, COLORREF left, COLORREF right)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixel(mem, x, y, x < w / 2 ? left : right);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}
} // namespace

TEST(ziDib, CopyDrawsBackTheSamePixels)
{
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    HBITMAP source = makeBitmap(6, 3, red, blue);
    for (WORD bits : {WORD(24), WORD(8)}) {
        HGLOBAL dib = ziDibCopy(source, BI_RGB, bits, nullptr);
        ASSERT_NE(dib, nullptr) << bits;
        auto* info = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
        EXPECT_EQ(info->biSize, 40u);
        EXPECT_EQ(info->biPlanes, 1);
        EXPECT_EQ(info->biBitCount, bits);
        EXPECT_EQ(info->biWidth, 6);
        GlobalUnlock(dib);

        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP target = CreateCompatibleBitmap(screen, 12, 6);
        HGDIOBJ old = SelectObject(mem, target);
        EXPECT_TRUE(ziDrawDib(mem, 0, 0, 12, 6, dib, SRCCOPY)); // stretched twice
        EXPECT_EQ(GetPixel(mem, 1, 1), red);
        EXPECT_EQ(GetPixel(mem, 10, 4), blue);
        // Without a bitmap the rectangle gets the raster operation.
        EXPECT_TRUE(ziDrawDib(mem, 0, 0, 12, 6, nullptr, WHITENESS));
        EXPECT_EQ(GetPixel(mem, 10, 4), RGB(255, 255, 255));
        EXPECT_TRUE(ziScreenBitmap(mem, source, 0, 0, 6, 3, SRCCOPY));
        EXPECT_EQ(GetPixel(mem, 5, 2), blue);
        EXPECT_TRUE(ziPrintBitmap(mem, source, 0, 0, 12, 6, SRCCOPY));
        EXPECT_EQ(GetPixel(mem, 0, 5), red);
        SelectObject(mem, old);
        DeleteObject(target);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        GlobalFree(dib);
    }
    EXPECT_EQ(ziDibCopy(nullptr, BI_RGB, 0, nullptr), nullptr);
    DeleteObject(source);
}

TEST(ziImageStrip, DrawsTheNthImage)
{
    // Three 4 x 4 images: red, green, blue.
    auto* strip = new zBitmapDisplay(new zBitmap(compatibleBitmap(12, 4)));
    const COLORREF colours[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 4; ++y)
            SetPixel(strip->hdc(), x, y, colours[x / 4]);
    ziImageStrip images(strip, 4, 4);

    zBitmapDisplay target(new zBitmap(compatibleBitmap(10, 10)));
    images.drawAt(&target, 2, 3, 1);
    images.draw(&target, POINT{6, 6}, 2);
    EXPECT_EQ(GetPixel(target.hdc(), 2, 3), colours[1]);
    EXPECT_EQ(GetPixel(target.hdc(), 5, 6), colours[1]);
    EXPECT_EQ(GetPixel(target.hdc(), 9, 9), colours[2]);
}
