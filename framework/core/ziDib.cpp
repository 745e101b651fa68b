#include "framework/core/ziDib.h"

#include <cstring>

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "framework/core/ziBitmapInfo.h"

HGLOBAL ziDibCopy(HBITMAP bitmap, DWORD compression, WORD bitCount, HPALETTE palette)
{
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm))
        return nullptr;
    if (bitCount == 0)
        bitCount = static_cast<WORD>(bm.bmPlanes * bm.bmBitsPixel);

    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = bm.bmWidth;
    bi.biHeight = bm.bmHeight;
    bi.biPlanes = 1;
    bi.biBitCount = bitCount;
    bi.biCompression = compression;
    const DWORD headerBytes = sizeof bi + ziPaletteBytes(sizeof bi, bitCount, 0);

    HDC dc = GetDC(nullptr);
    if (!dc)
        return nullptr;
    HPALETTE pal = palette ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    HPALETTE oldPal = SelectPalette(dc, pal, FALSE);
    RealizePalette(dc);

    HGLOBAL block = GlobalAlloc(GHND, headerBytes);
    HGLOBAL result = nullptr;
    if (block) {
        auto* info = static_cast<BITMAPINFO*>(GlobalLock(block));
        std::memcpy(info, &bi, sizeof bi);
        const bool sized = GetDIBits(dc, bitmap, 0, bm.bmHeight, nullptr, info, DIB_RGB_COLORS) != 0;
        bi = info->bmiHeader;
        GlobalUnlock(block);
        if (sized) {
            if (bi.biSizeImage == 0) {
                bi.biSizeImage = ((bm.bmWidth * bitCount + 31) / 32) * 4 * bm.bmHeight;
                if (compression != BI_RGB)
                    bi.biSizeImage = bi.biSizeImage * 3 / 2;
            }
            HGLOBAL grown = GlobalReAlloc(block, headerBytes + bi.biSizeImage, GMEM_MOVEABLE | GMEM_ZEROINIT);
            if (grown) {
                block = grown;
                info = static_cast<BITMAPINFO*>(GlobalLock(block));
                info->bmiHeader = bi;
                if (GetDIBits(dc, bitmap, 0, bm.bmHeight, reinterpret_cast<BYTE*>(info) + headerBytes, info,
                              DIB_RGB_COLORS))
                    result = block;
                GlobalUnlock(block);
            }
        }
        if (!result)
            GlobalFree(block);
    }
    SelectPalette(dc, oldPal, FALSE);
    ReleaseDC(nullptr, dc);
    return result;
}

BOOL ziDrawDib(HDC dc, int x, int y, int width, int height, HGLOBAL dib, DWORD rop)
{
    if (!dib)
        return PatBlt(dc, x, y, width, height, rop);
    auto* info = static_cast<BITMAPINFO*>(GlobalLock(dib));
    if (!info)
        return FALSE;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const BYTE* bits = reinterpret_cast<const BYTE*>(info) + h.biSize +
                       ziPaletteBytes(h.biSize, h.biBitCount, h.biClrUsed);
    const int lines = StretchDIBits(dc, x, y, width, height, 0, 0, h.biWidth, h.biHeight, bits, info,
                                    DIB_RGB_COLORS, rop);
    GlobalUnlock(dib);
    return lines != static_cast<int>(GDI_ERROR) && lines != 0;
}

BOOL ziPrintBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, DWORD rop)
{
    HGLOBAL dib = ziDibCopy(bitmap, BI_RGB, 0, nullptr);
    if (!dib)
        return FALSE;
    const BOOL ok = ziDrawDib(dc, x, y, width, height, dib, rop);
    GlobalFree(dib);
    return ok;
}

BOOL ziScreenBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, DWORD rop)
{
    const TGdiHandle<HDC> mem(CreateCompatibleDC(dc));
    if (!mem)
        return FALSE;
    SetMapMode(mem, GetMapMode(dc));
    TSelectedObject useBitmap(mem, bitmap);
    return BitBlt(dc, x, y, width, height, mem, 0, 0, rop);
}
