#include "framework/core/ziBitmapInfo.h"

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
