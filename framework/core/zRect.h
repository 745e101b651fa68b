#pragma once
// A rectangle of 32-bit coordinates: left, top, right, bottom.
#include <cstdint>

struct zRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool operator==(const zRect&) const = default;

    // Stores the overlap of a and b, or the empty rectangle (all 0) when
    // they do not overlap.
    zRect& intersect(const zRect& a, const zRect& b);
};
