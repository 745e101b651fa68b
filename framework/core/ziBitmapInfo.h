#pragma once
// Palette arithmetic of device-independent bitmap headers (no window calls).
#include <cstdint>

// Palette entries of a bitmap header: header size (12 core, 40 info), bit
// count and the used-colours field of the 40-byte header.
uint32_t ziPaletteEntries(uint32_t headerSize, uint32_t bitCount, uint32_t usedColours);
// Bytes of that palette: 3 per entry for the core header, 4 otherwise.
uint32_t ziPaletteBytes(uint32_t headerSize, uint32_t bitCount, uint32_t usedColours);
