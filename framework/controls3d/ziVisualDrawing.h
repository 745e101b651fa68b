#pragma once
// Small helpers for the drawing steps of the visuals: colours, lines, text
// extents and fonts, with the scope guards of the drawing state.

#include <windows.h>

#include <cstdint>

#include "framework/core/zColor.h"
#include "framework/core/zDisplay.h"
#include "framework/core/ziDisplayScope.h"

// The system button-face colour.
inline COLORREF ziBtnFace() { return GetSysColor(COLOR_BTNFACE); }
inline zColor ziColor(COLORREF c) { return zColor::fromColorRef(c); }

// A line from (x0, y0) to (x1, y1); the end point is not drawn.
inline void ziLine(HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

// The text extent of the first n characters on a held display.
SIZE ziTextExtent(zDisplay* d, const char* text, int32_t n);

// A font object for the display's font stack: a copy of the given font,
// or the stock system font (never deleted) for none.
zFont* ziMakeFont(HFONT font);

// The display's window origin.
POINT ziWindowOrigin(zDisplay* d);

class zWindow;
// The application's main frame, or null.
zWindow* ziMainFrame();
