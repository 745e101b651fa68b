#pragma once
// The sizes and places of the drop-down lists: how many rows a drop-down
// shows, the line height its font gives, and where a free-standing list
// opens so that it stays on the screen.
#include <algorithm>
#include <cstdint>

// A drop-down shows its items, at least one row and at most seven.
inline int32_t PopupRowCount(int32_t itemCount) { return std::clamp(itemCount, 1, 7); }

// The line height for a font of the given text height: one more, at least 9.
inline int32_t PopupItemHeight(int32_t textHeight) { return std::max(textHeight + 1, 9); }

struct TPopupPlace {
  int32_t x, y;
};

// A free-standing list of the given size asked to open at (x, y): when it
// would leave the screen at the bottom it opens above the point, when it
// would leave it at the right it opens to the left of the point.
inline TPopupPlace PlacePopupList(int32_t x, int32_t y, int32_t width, int32_t height, int32_t screenWidth,
                                  int32_t screenHeight) {
  if (y + height > screenHeight) y -= height;
  if (x + width > screenWidth) x -= width;
  return {x, y};
}
