#pragma once
// A pen description with its GDI pen, made when first asked for.
#include <windows.h>

#include "classlib/Color.h"
#include "classlib/GdiHandle.h"

class TPen {
 public:
  TPen() = default;
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; handle_.reset(); }
  int Width() const { return width_; }
  void SetWidth(int w) { width_ = w < 1 ? 1 : w; handle_.reset(); }
  int Style() const { return style_; }  // PS_SOLID, PS_DASH, ..., PS_NULL
  void SetStyle(int s) { style_ = s; handle_.reset(); }

  HPEN Handle() {
    if (!handle_) handle_.reset(CreatePen(style_, width_, ColorToRGB(color_)));
    return handle_;
  }

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  int style_ = PS_SOLID;
  TGdiHandle<HPEN> handle_;
};
