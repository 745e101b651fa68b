#pragma once
// GDI regions.
#include <windows.h>

#include "framework/core/zRect.h"

class zRegion {
public:
    virtual ~zRegion() { if (hrgn_) DeleteObject(hrgn_); }
    HRGN handle() const { return hrgn_; }
    bool contains(int32_t x, int32_t y) const { return hrgn_ && PtInRegion(hrgn_, x, y); }

protected:
    zRegion() = default;
    HRGN hrgn_ = nullptr;
};

class zRectRegion : public zRegion {
public:
    zRectRegion(int32_t l, int32_t t, int32_t r, int32_t b) : rect_{l, t, r, b}
    {
        hrgn_ = CreateRectRgn(l, t, r, b);
    }
    explicit zRectRegion(const RECT& rc) : rect_{rc.left, rc.top, rc.right, rc.bottom}
    {
        hrgn_ = CreateRectRgnIndirect(&rc);
    }

private:
    zRect rect_;
};

class zPolygonRegion : public zRegion {
public:
    zPolygonRegion(const POINT* points, int count, int fillMode) : count_(count), fillMode_(fillMode)
    {
        hrgn_ = CreatePolygonRgn(points, count, fillMode);
    }

private:
    int count_;
    int fillMode_;
};
