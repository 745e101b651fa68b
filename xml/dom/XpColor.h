#pragma once
// Colour names and "#RRGGBB" texts to colour values.
#include <cstdint>

#include "classlib/AnsiString.h"

// Colour value blue * 65536 + green * 256 + red, with the parts in r, g, b.
// "#" followed by hex pairs gives each pair (0 for a pair that is missing or
// not hexadecimal); otherwise the name (any case) is looked up among the SVG
// colour keywords; an unknown name, "black" and "" give 0.
int32_t XpEvaluateColor(const WideString& name, uint8_t& r, uint8_t& g, uint8_t& b);
// Number of colour names known.
int32_t XpNamedColorCount();
