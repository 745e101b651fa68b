#pragma once
// The display of a window's client area.
#include "framework/core/zDisplay.h"

class zWindow;

class zWinDisplay : public zReadableDisplay {
public:
    explicit zWinDisplay(zWindow* window);
    ~zWinDisplay() override;

    void getDC() override;
    void releaseDC() override;
    // In paint mode: the PAINTSTRUCT's paint rectangle shifted by the
    // window origin; otherwise empty.
    zRect paintRect() override;
    void invalidateRect(const zRect* rect, int32_t erase) override;
    void invalidateRegion(const zRegion* region, int32_t erase) override;
    zRect extentRect() override;

    // Non-zero: the next acquire takes the context with BeginPaint.
    void paintMode(int32_t flag) { paintMode_ = flag; }
    int32_t paintMode() const { return paintMode_; }
    zWindow* window() const { return window_; }

private:
    HWND windowHandle() const;

    zWindow* window_;
    int32_t paintMode_ = 0;
    PAINTSTRUCT ps_{};
};
