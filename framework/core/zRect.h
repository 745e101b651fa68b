#pragma once
// Plain rectangle and palette arithmetic (no window calls).

#include <cstdint>

struct zRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool operator==(const zRect&) const = default;

    // Stores the overlap of a and b, or the empty rectangle (all 0) when
    // they do not overlap.
    zRect& intersect(const zRect& a, const zRect& b);
};

// Palette entries of a bitmap header: header size (12 core, 40 info), bit
// count and the used-colours field of the 40-byte header.
uint32_t ziPaletteEntries(uint32_t headerSize, uint32_t bitCount, uint32_t usedColours);
// Bytes of that palette: 3 per entry for the core header, 4 otherwise.
uint32_t ziPaletteBytes(uint32_t headerSize, uint32_t bitCount, uint32_t usedColours);
