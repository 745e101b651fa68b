#pragma once
// A solid or hollow brush with its GDI brush, made when first asked for.
#include <windows.h>

#include "classlib/Color.h"
#include "classlib/GdiHandle.h"

enum TBrushStyle { bsSolid, bsClear };

class TBrush {
 public:
  TBrush() = default;
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; style_ = bsSolid; solid_.reset(); }
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle s) { style_ = s; solid_.reset(); }

  // A hollow brush is the stock one; a solid brush is made and owned.
  HBRUSH Handle() {
    if (style_ == bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (!solid_) solid_.reset(CreateSolidBrush(ColorToRGB(color_)));
    return solid_;
  }

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TGdiHandle<HBRUSH> solid_;
};
