#include <gtest/gtest.h>

#include <windows.h>

#include "framework/core/ziDib.h"

namespace {
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
