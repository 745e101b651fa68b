#pragma once
// A drawing surface over a device context with its font, pen and brush.
// The context is either given (a paint or printer context) or owned (a
// bitmap's memory context).
#include <windows.h>

#include <string>

#include "classlib/Brush.h"
#include "classlib/Font.h"
#include "classlib/Pen.h"

class TBitmap;

class TCanvas {
 public:
  TCanvas() = default;
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  // Takes a context for drawing; the previous selections are restored by
  // SetHandle(nullptr).
  void SetHandle(HDC dc);

  TFont Font;
  TPen Pen;
  TBrush Brush;

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int l, int t, int r, int b);
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void TextOut(int x, int y, const std::string& text);
  void TextRect(const RECT& r, const std::string& text, UINT format);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  void Draw(int x, int y, TBitmap& bitmap);
  void StretchDraw(const RECT& r, TBitmap& bitmap);
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
  void SetPixel(int x, int y, TColor c) { ::SetPixel(dc_, x, y, ColorToRGB(c)); }

 private:
  void select();

  HDC dc_ = nullptr;
  HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
};
