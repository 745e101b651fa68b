#include "framework/core/zRect.h"

#include <algorithm>

zRect& zRect::intersect(const zRect& a, const zRect& b)
{
    const int32_t l = std::max(a.left, b.left);
    const int32_t r = std::min(a.right, b.right);
    const int32_t t = std::max(a.top, b.top);
    const int32_t btm = std::min(a.bottom, b.bottom);
    if (l < r && t < btm)
        *this = zRect{l, t, r, btm};
    else
        *this = zRect{};
    return *this;
}

uint32_t ziPaletteEntries(uint32_t headerSize, uint32_t bitCount, uint32_t usedColours)
{
    if (headerSize != 12 && usedColours != 0)
        return usedColours;
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint32_t ziPaletteBytes(uint32_t headerSize, uint32_t bitCount, uint32_t usedColours)
{
    return ziPaletteEntries(headerSize, bitCount, usedColours) * (headerSize == 12 ? 3u : 4u);
}
