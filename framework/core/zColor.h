#pragma once
// Colour record: red, green, blue and kind, one byte each. Kind 0 is an
// explicit RGB value, kind 1 a palette index (low byte in red, high byte in
// green), any other kind a palette-relative RGB value.
#include <cstdint>

struct zColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t kind = 0;

    // The Windows COLORREF of the record.
    uint32_t colorRef() const
    {
        if (kind == 0)
            return red | (green << 8) | (uint32_t(blue) << 16);
        if (kind == 1)
            return 0x01000000u | red | (green << 8);
        return 0x02000000u | red | (green << 8) | (uint32_t(blue) << 16);
    }
    // Splits a COLORREF byte by byte (the top byte becomes the kind).
    static zColor fromColorRef(uint32_t c)
    {
        return zColor{uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), uint8_t(c >> 24)};
    }
    bool operator==(const zColor&) const = default;
};
static_assert(sizeof(zColor) == 4);
