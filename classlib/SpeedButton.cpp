#include "classlib/SpeedButton.h"

#include "classlib/SelectedObject.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 23;
  FHeight = 22;
}

void TSpeedButton::SetDown(bool v) {
  if (v == FDown) return;
  if (!v && FGroupIndex != 0 && !FAllowAllUp) return;
  FDown = v;
  if (v && FGroupIndex != 0 && FParent) {
    for (int i = 0; i < FParent->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
        other->FDown = false;
        other->Invalidate();
      }
    }
  }
  Invalidate();
}

void TSpeedButton::SetFlat(bool v) {
  FFlat = v;
  Invalidate();
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) {
    if (!FDown) SetDown(true);
    else if (FAllowAllUp) SetDown(false);
  }
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(int, int) {
  FPressed = true;
  Invalidate();
}

void TSpeedButton::MouseUp(int x, int y) {
  bool inside = x >= 0 && y >= 0 && x < FWidth && y < FHeight;
  FPressed = false;
  Invalidate();
  if (inside && FEnabled) Click();
}

void TSpeedButton::MouseEnter() {
  FHot = true;
  if (FFlat) Invalidate();
  TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  FHot = false;
  if (FFlat) Invalidate();
  TGraphicControl::MouseLeave();
}

void TSpeedButton::SetNumGlyphs(int count) {
  count = count < 1 ? 1 : count > 4 ? 4 : count;
  if (count == FNumGlyphs) return;
  FNumGlyphs = count;
  Invalidate();
}

void TSpeedButton::PaintOn(HDC dc) {
  RECT r{0, 0, FWidth, FHeight};
  TControl* back = FParent ? static_cast<TControl*>(FParent) : this;
  FillRect(dc, &r, back->BackgroundBrush());
  bool sunken = FPressed || FDown;
  if (!FFlat || FHot || sunken) DrawEdge(dc, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  int shift = sunken ? 1 : 0;
  int textLeft = 0;
  if (!FGlyph.Empty()) {
    const int w = FGlyph.Width() / FNumGlyphs;
    int image = 0;
    if (!FEnabled && FNumGlyphs > 1) image = 1;
    else if (FPressed && FNumGlyphs > 2) image = 2;
    else if (FDown && FNumGlyphs > 3) image = 3;
    int gx = FText.empty() ? (FWidth - w) / 2 : 4;
    int gy = (FHeight - FGlyph.Height()) / 2;
    BitBlt(dc, gx + shift, gy + shift, w, FGlyph.Height(), FGlyph.Canvas().Handle(), image * w, 0, SRCCOPY);
    textLeft = gx + w;
  }
  if (!FText.empty()) {
    RECT tr{textLeft + shift, shift, FWidth + shift, FHeight + shift};
    SetBkMode(dc, TRANSPARENT);
    TSelectedObject useFont(dc, FFont.Handle());
    SetTextColor(dc, ColorToRGB(FEnabled ? FFont.Color() : clGrayText));
    DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &tr,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}
