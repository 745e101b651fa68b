#pragma once
// Holders of GDI objects. Each owns its handle and deletes it, except stock
// or borrowed objects (stock flag set).
#include <windows.h>

#include <cstdint>

#include "framework/core/zColor.h"

struct zDrawObj {
    HGDIOBJ handle = nullptr;
    int32_t stock = 0;  // 1: stock or borrowed object, never deleted

    zDrawObj() = default;
    zDrawObj(HGDIOBJ h, int32_t isStock) : handle(h), stock(isStock) {}
    ~zDrawObj()
    {
        if (handle && !stock)
            DeleteObject(handle);
    }
    zDrawObj(const zDrawObj&) = delete;
    zDrawObj& operator=(const zDrawObj&) = delete;
};

class zPen : public zDrawObj {
public:
    zPen(int32_t style, int32_t width, const zColor& colour);
    explicit zPen(int32_t stockObject);  // GetStockObject; colour 0

    HPEN pen() const { return static_cast<HPEN>(handle); }
    int8_t style() const { return style_; }
    int32_t width() const { return width_; }
    const zColor& colour() const { return colour_; }

private:
    int8_t style_ = 0;
    int32_t width_ = 0;
    zColor colour_{};
    uint8_t stockNumber_ = 0;
};

class zBrush : public zDrawObj {
public:
    explicit zBrush(int32_t stockObject);   // GetStockObject
    explicit zBrush(const zColor& colour);  // CreateSolidBrush

    HBRUSH brush() const { return static_cast<HBRUSH>(handle); }
    const zColor& colour() const { return colour_; }

private:
    uint8_t kind_ = 99;
    uint8_t stockNumber_ = 0;
    zColor colour_{};
};
