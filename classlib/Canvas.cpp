#include "classlib/Canvas.h"

#include "classlib/Bitmap.h"

TCanvas::~TCanvas() { SetHandle(nullptr); }

void TCanvas::SetHandle(HDC dc) {
  if (dc_) {
    SelectObject(dc_, oldFont_);
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
  }
  dc_ = dc;
  oldFont_ = oldPen_ = oldBrush_ = nullptr;
  if (dc_) {
    oldFont_ = SelectObject(dc_, Font.Handle());
    oldPen_ = SelectObject(dc_, Pen.Handle());
    oldBrush_ = SelectObject(dc_, Brush.Handle());
  }
}

// The descriptions may have changed since the context was taken: select the
// current objects before each drawing call.
void TCanvas::select() {
  SelectObject(dc_, Font.Handle());
  SelectObject(dc_, Pen.Handle());
  SelectObject(dc_, Brush.Handle());
  SetTextColor(dc_, ColorToRGB(Font.Color()));
  if (Brush.Style() == bsClear) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(Brush.Color()));
  }
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  select();
  ::LineTo(dc_, x, y);
}

void TCanvas::Rectangle(int l, int t, int r, int b) {
  select();
  ::Rectangle(dc_, l, t, r, b);
}

void TCanvas::FillRect(const RECT& r) {
  select();
  ::FillRect(dc_, &r, Brush.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  select();
  ::FrameRect(dc_, &r, Brush.Handle());
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  select();
  ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const RECT& r, const std::string& text, UINT format) {
  select();
  RECT rc = r;
  DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rc, format);
}

int TCanvas::TextWidth(const std::string& text) {
  select();
  SIZE s{};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &s);
  return s.cx;
}

int TCanvas::TextHeight(const std::string& text) {
  select();
  SIZE s{};
  GetTextExtentPoint32A(dc_, text.empty() ? "W" : text.data(),
                        text.empty() ? 1 : static_cast<int>(text.size()), &s);
  return s.cy;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, bitmap.Canvas().Handle(), 0,
             0, bitmap.Width(), bitmap.Height(), SRCCOPY);
}
