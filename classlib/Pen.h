#pragma once
// A pen description with its GDI pen, made when first asked for.
#include <windows.h>

#include "classlib/Color.h"

class TPen {
 public:
  TPen() = default;
  ~TPen() { reset(); }
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; reset(); }
  int Width() const { return width_; }
  void SetWidth(int w) { width_ = w < 1 ? 1 : w; reset(); }
  int Style() const { return style_; }  // PS_SOLID, PS_DASH, ..., PS_NULL
  void SetStyle(int s) { style_ = s; reset(); }

  HPEN Handle() {
    if (!handle_) handle_ = CreatePen(style_, width_, ColorToRGB(color_));
    return handle_;
  }

 private:
  void reset() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
  }
  TColor color_ = clBlack;
  int width_ = 1;
  int style_ = PS_SOLID;
  HPEN handle_ = nullptr;
};
