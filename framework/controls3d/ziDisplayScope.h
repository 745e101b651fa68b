#pragma once
// Small helpers for the drawing steps of the visuals: a display taken for
// the length of a scope, and pens and brushes pushed on a display for one
// drawing step and popped and deleted afterwards.

#include <windows.h>

#include <cstdint>

#include "framework/core/zColor.h"
#include "framework/core/zDisplay.h"

// Takes the display's device context for the scope.
class ziAcquire {
public:
    explicit ziAcquire(zDisplay* d) : d_(d) { if (d_) d_->acquire(); }
    ~ziAcquire() { if (d_) d_->release(); }
    ziAcquire(const ziAcquire&) = delete;
    ziAcquire& operator=(const ziAcquire&) = delete;
    HDC dc() const;

private:
    zDisplay* d_;
};

// A solid pen of width 0 (or a stock pen), pushed for the scope.
class ziPenScope {
public:
    ziPenScope(zDisplay* d, COLORREF colour);
    ziPenScope(zDisplay* d, int stockObject, bool stock);
    ~ziPenScope();
    ziPenScope(const ziPenScope&) = delete;
    ziPenScope& operator=(const ziPenScope&) = delete;

private:
    zDisplay* d_;
};

// A solid brush (or a stock brush), pushed for the scope.
class ziBrushScope {
public:
    ziBrushScope(zDisplay* d, COLORREF colour);
    ziBrushScope(zDisplay* d, int stockObject, bool stock);
    ~ziBrushScope();
    ziBrushScope(const ziBrushScope&) = delete;
    ziBrushScope& operator=(const ziBrushScope&) = delete;

private:
    zDisplay* d_;
};

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
