#pragma once
// A solid or hollow brush with its GDI brush, made when first asked for.
#include <windows.h>

#include "classlib/Color.h"

enum TBrushStyle { bsSolid, bsClear };

class TBrush {
 public:
  TBrush() = default;
  ~TBrush() { reset(); }
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; style_ = bsSolid; reset(); }
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle s) { style_ = s; reset(); }

  HBRUSH Handle() {
    if (!handle_) {
      handle_ = style_ == bsClear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                  : CreateSolidBrush(ColorToRGB(color_));
    }
    return handle_;
  }

 private:
  void reset() {
    if (handle_ && style_ == bsSolid) DeleteObject(handle_);
    handle_ = nullptr;
  }
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  HBRUSH handle_ = nullptr;
};
