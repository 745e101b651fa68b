#include "components/buttonedits/controls/RectAlign.h"

#include <algorithm>

void CorrectRectByRect(TRect& r, const TRect& b) {
  if (r.left < b.left) {
    r.right += b.left - r.left;
    r.left = b.left;
  }
  if (r.top < b.top) {
    r.bottom += b.top - r.top;
    r.top = b.top;
  }
  if (r.right > b.right) {
    r.left = std::max(b.left, r.left - (r.right - b.right));
    r.right = b.right;
  }
  if (r.bottom > b.bottom) {
    r.top = std::max(b.top, r.top - (r.bottom - b.bottom));
    r.bottom = b.bottom;
  }
}

namespace {

// One axis of AlignRectByRect: kind 1 start, 2 centre, 3 far edge.
void alignAxis(int32_t size, int32_t& start, int32_t& end, int kind, int32_t margin) {
  switch (kind) {
    case 1:
      end = std::min(start + size, end - margin);
      break;
    case 2: {
      int32_t s = start + (end - start - size) / 2;
      start = s;
      end = s + size;
      break;
    }
    case 3:
      start = std::max(end - size, start + margin);
      break;
    default:
      break;
  }
}

}  // namespace

TRect AlignRectByRect(const TRect& rect, const TRect& bounds, THorzAlignment horz, TVertAlignment vert,
                      int32_t horzMargin, int32_t vertMargin) {
  TRect r = bounds;
  alignAxis(RectWidth(rect), r.left, r.right, static_cast<int>(horz), horzMargin);
  alignAxis(RectHeight(rect), r.top, r.bottom, static_cast<int>(vert), vertMargin);
  return r;
}

std::array<TRect, 4> RectStrips(const TRect& o, const TRect& in) {
  TRect i{std::clamp(in.left, o.left, o.right), std::clamp(in.top, o.top, o.bottom),
          std::clamp(in.right, o.left, o.right), std::clamp(in.bottom, o.top, o.bottom)};
  if (i.right < i.left) i.right = i.left;
  if (i.bottom < i.top) i.bottom = i.top;
  return {TRect{o.left, o.top, i.left, o.bottom}, TRect{i.right, o.top, o.right, o.bottom},
          TRect{i.left, o.top, i.right, i.top}, TRect{i.left, i.bottom, i.right, o.bottom}};
}

TRect PlaceTextRect(const TRect& rect, int32_t w, int32_t h, uint32_t format) {
  TRect r{rect.left, rect.top, rect.left + w, rect.top + h};
  if (format & kDtCenter) {
    r.left = rect.left + (RectWidth(rect) - w) / 2;
    r.right = r.left + w;
  }
  if (format & kDtBottom) {
    r.bottom = rect.bottom;
    r.top = rect.bottom - h;
  } else if (format & kDtVCenter) {
    r.top = rect.top + (RectHeight(rect) - h) / 2;
    r.bottom = r.top + h;
  }
  r.left = std::max(r.left, rect.left);
  r.top = std::max(r.top, rect.top);
  r.right = std::min(r.right, rect.right);
  r.bottom = std::min(r.bottom, rect.bottom);
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}
