#include "classlib/Label.h"

#include "classlib/SelectedObject.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 65;
  FHeight = 13;
}

UINT TLabel::DrawFlags() const {
  UINT f = DT_EXPANDTABS;
  if (FWordWrap) f |= DT_WORDBREAK;
  if (FAlignment == taRightJustify) f |= DT_RIGHT;
  if (FAlignment == taCenter) f |= DT_CENTER;
  return f;
}

void TLabel::AdjustSize() {
  if (!FAutoSize) return;
  HDC dc = GetDC(nullptr);
  RECT r{0, 0, FWordWrap ? FWidth : 0, 0};
  {
    TSelectedObject useFont(dc, FFont.Handle());
    AnsiString text = FText.empty() ? AnsiString(" ") : FText;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
  }
  ReleaseDC(nullptr, dc);
  // One pixel more than measured: Wine draws some texts a pixel past their
  // measured width ("Auf WK-Listen:", "Art der Veranstaltung:"), and the
  // label's bounds would cut that last pixel column and with it the colon.
  SetBounds(FLeft, FTop, FWordWrap ? FWidth : r.right + 1, r.bottom);
}

void TLabel::SetAutoSize(bool v) {
  FAutoSize = v;
  AdjustSize();
}

void TLabel::SetWordWrap(bool v) {
  FWordWrap = v;
  AdjustSize();
  Invalidate();
}

void TLabel::SetAlignment(TAlignment a) {
  FAlignment = a;
  Invalidate();
}

void TLabel::SetTransparent(bool v) {
  FTransparent = v;
  Invalidate();
}

void TLabel::TextChanged() {
  AdjustSize();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustSize();
  Invalidate();
}

void TLabel::PaintOn(HDC dc) {
  RECT r{0, 0, FWidth, FHeight};
  if (!FTransparent) {
    TControl* back = FParent ? static_cast<TControl*>(FParent) : this;
    FillRect(dc, &r, back->BackgroundBrush());
  }
  SetBkMode(dc, TRANSPARENT);
  TSelectedObject useFont(dc, FFont.Handle());
  SetTextColor(dc, ColorToRGB(FEnabled ? FFont.Color() : clGrayText));
  DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &r, DrawFlags());
}
