#pragma once
// JPEG pictures: decoded with libjpeg into a bitmap (24-bit colour or
// greyscale sources).
#include <cstddef>
#include <cstdint>

#include "classlib/Bitmap.h"

class TJPEGImage {
 public:
  // Decodes a JPEG held in memory into `bitmap`; false (bitmap unchanged)
  // when the data is not a JPEG libjpeg can read.
  static bool LoadFromMemory(const uint8_t* data, size_t size, TBitmap& bitmap);
  // The same from a resource of type RT_RCDATA of the module.
  static bool LoadFromResourceName(HINSTANCE module, const char* name, TBitmap& bitmap);
};
