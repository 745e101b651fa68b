#pragma once
// How a control's background is painted, and the colour ramp of the
// gradient backgrounds.
#include <cstdint>
#include <vector>

enum TBkgndOption { boNone, boStretch, boCenter, boTile, boHorzGradient, boVertGradient };

// Whether a background needs painting: never for an empty paint rectangle
// or boNone, always for the gradients, for a picture only when it has one.
inline bool BackgroundNeedsPaint(TBkgndOption option, bool paintRectEmpty, bool bitmapEmpty) {
  if (paintRectEmpty || option == boNone) return false;
  if (option == boHorzGradient || option == boVertGradient) return true;
  return !bitmapEmpty;
}

// The colours of a ramp from `from` to `to` (RGB values 0x00BBGGRR): one
// step per unit of the largest difference of the red, green and blue
// parts (at least one), the first step `from`, the last `to`.
std::vector<uint32_t> GradientColors(uint32_t from, uint32_t to);
