#pragma once
// Drawing state for the length of a scope: a display taken, and pens and
// brushes pushed on a display for one drawing step and popped and deleted
// afterwards.

#include <windows.h>

#include "framework/core/zDisplay.h"

// Takes the display's device context for the scope.
class ziAcquire {
public:
    explicit ziAcquire(zDisplay* d) : d_(d) { if (d_) d_->acquire(); }
    ~ziAcquire() { if (d_) d_->release(); }
    ziAcquire(const ziAcquire&) = delete;
    ziAcquire& operator=(const ziAcquire&) = delete;
    HDC dc() const { return d_ ? d_->hdc() : nullptr; }

private:
    zDisplay* d_;
};

// A pen or brush pushed on a display for the scope, popped and deleted
// afterwards: a solid one of the colour (a pen of width 0), or a stock one.
// Nothing happens on no display.
template <class T>
class ziDrawScope {
public:
    ziDrawScope(zDisplay* d, COLORREF colour);
    ziDrawScope(zDisplay* d, int stockObject, bool stock);
    ~ziDrawScope();
    ziDrawScope(const ziDrawScope&) = delete;
    ziDrawScope& operator=(const ziDrawScope&) = delete;

private:
    zDisplay* d_;
};

using ziPenScope = ziDrawScope<zPen>;
using ziBrushScope = ziDrawScope<zBrush>;
