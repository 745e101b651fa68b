#pragma once
// A windowless button with a glyph and/or caption; with a group index it
// stays down like a radio button of its group.
#include "classlib/Bitmap.h"
#include "classlib/WinControl.h"

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  TBitmap& Glyph() { return FGlyph; }
  // The glyph holds 1 to 4 images side by side: up, disabled, pressed and
  // down; a state without its own image shows the first.
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int count);
  bool Down() const { return FDown; }
  void SetDown(bool v);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v) { FGroupIndex = v; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v) { FAllowAllUp = v; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);

  void Click() override;
  void MouseDown(int x, int y) override;
  void MouseUp(int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void PaintOn(HDC dc) override;

 private:
  TBitmap FGlyph;
  bool FDown = false;
  bool FPressed = false;
  bool FHot = false;
  bool FFlat = false;
  bool FAllowAllUp = false;
  int FGroupIndex = 0;
  int FNumGlyphs = 1;
};
