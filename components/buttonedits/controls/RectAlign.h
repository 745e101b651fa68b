#pragma once
// Rectangle arithmetic of the library's drawing helpers: widths, moving a
// rectangle into bounds, aligning one rectangle inside another, and the
// strips around an inner rectangle. Right and bottom edges are exclusive,
// as in a Windows RECT.
#include <array>
#include <cstdint>

struct TRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const TRect&) const = default;
};

enum THorzAlignment { haNone, haLeft, haCenter, haRight };
// vaLeft means top and vaRight bottom.
enum TVertAlignment { vaNone, vaLeft, vaCenter, vaRight };

inline int32_t RectWidth(const TRect& r) { return r.right - r.left; }
inline int32_t RectHeight(const TRect& r) { return r.bottom - r.top; }

// Moves the rectangle so that it lies inside the bounds and clips what
// still sticks out: left, top, right, bottom edge in turn.
void CorrectRectByRect(TRect& rect, const TRect& bounds);

// The rectangle's size placed inside the bounds: haLeft/vaLeft at the
// start edge (its far edge kept margin away from the bounds' far edge),
// haRight/vaRight at the far edge (its start edge at least margin inside),
// haCenter/vaCenter centred, haNone/vaNone the bounds' own edges.
TRect AlignRectByRect(const TRect& rect, const TRect& bounds, THorzAlignment horz, TVertAlignment vert,
                      int32_t horzMargin, int32_t vertMargin);

// The four strips of `outer` around `inner`: left, right, top, bottom.
// A strip that is empty has no area; `inner` is clipped to `outer` first.
std::array<TRect, 4> RectStrips(const TRect& outer, const TRect& inner);

// Format flags of the text drawing that place a text in its rectangle.
inline constexpr uint32_t kDtCenter = 0x1, kDtVCenter = 0x4, kDtBottom = 0x8;

// Where a text of the measured size goes inside `rect` by the format
// flags: centred horizontally with kDtCenter (else at the left), at the
// bottom with kDtBottom, centred vertically with kDtVCenter (else at the
// top); clipped to `rect`.
TRect PlaceTextRect(const TRect& rect, int32_t textWidth, int32_t textHeight, uint32_t format);
