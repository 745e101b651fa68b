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

// A solid pen of width 0 (or a stock pen), pushed for the scope.
class ziPenScope {
public:
    ziPenScope(zDisplay* d, COLORREF colour);
    ziPenScope(zDisplay* d, int stockObject, bool stock);
    ~ziPenScope() { if (d_) d_->popPen(); }
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
    ~ziBrushScope() { if (d_) d_->popBrush(); }
    ziBrushScope(const ziBrushScope&) = delete;
    ziBrushScope& operator=(const ziBrushScope&) = delete;

private:
    zDisplay* d_;
};
