#pragma once
// Holders of GDI objects. Each owns its handle and deletes it, except stock
// or borrowed objects (stock flag set).
#include <windows.h>

#include <cstdint>

#include "framework/core/zColor.h"

class zDrawObj {
public:
    zDrawObj() = default;
    zDrawObj(HGDIOBJ h, int32_t isStock) : handle_(h), stock_(isStock) {}
    ~zDrawObj()
    {
        if (handle_ && !stock_)
            DeleteObject(handle_);
    }
    zDrawObj(const zDrawObj&) = delete;
    zDrawObj& operator=(const zDrawObj&) = delete;

    HGDIOBJ handle() const { return handle_; }
    // 1: a stock or borrowed object, never deleted.
    int32_t stock() const { return stock_; }

protected:
    HGDIOBJ handle_ = nullptr;
    int32_t stock_ = 0;
};

class zPen : public zDrawObj {
public:
    zPen(int32_t style, int32_t width, const zColor& colour);
    explicit zPen(int32_t stockObject);  // GetStockObject; colour 0

    HPEN pen() const { return static_cast<HPEN>(handle_); }
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

    HBRUSH brush() const { return static_cast<HBRUSH>(handle_); }
    const zColor& colour() const { return colour_; }

private:
    uint8_t kind_ = 99;
    uint8_t stockNumber_ = 0;
    zColor colour_{};
};
