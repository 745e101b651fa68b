#pragma once
// Device-independent bitmap helpers of the displays.
#include <windows.h>

// A device-independent copy of the bitmap (header, palette and bits in one
// moveable, zeroed memory block) with the given compression and bit count
// (0: planes x bits of the bitmap), through the palette (the stock default
// palette when null). Null on any failure; the caller frees the block.
HGLOBAL ziDibCopy(HBITMAP bitmap, DWORD compression, WORD bitCount, HPALETTE palette);

// Draws a device-independent bitmap stretched to the rectangle; without a
// bitmap the rectangle gets a PatBlt of the raster operation.
BOOL ziDrawDib(HDC dc, int x, int y, int width, int height, HGLOBAL dib, DWORD rop);

// Printing: the bitmap is converted to a device-independent copy and
// stretched to its logical size.
BOOL ziPrintBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, DWORD rop);

// Screen drawing: the bitmap is selected into a compatible device context
// with the target's mapping mode and copied at its logical size.
BOOL ziScreenBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, DWORD rop);
