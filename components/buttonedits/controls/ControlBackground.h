#pragma once
// A background that controls of the library can paint: a picture
// stretched, centred or tiled, or a horizontal or vertical colour ramp.
#include <functional>

#include "classlib/Bitmap.h"
#include "classlib/Persistent.h"
#include "components/buttonedits/controls/BkgndOption.h"

class TControlBackground : public TPersistent {
 public:
  TBitmap& Background() { return FBackground; }
  // Call after changing the picture.
  void SetBackground(const TBitmap& picture);
  TBkgndOption BkgndOption() const { return FBkgndOption; }
  void SetBkgndOption(TBkgndOption v);
  TColor GradientBeginColor() const { return FBegin; }
  void SetGradientBeginColor(TColor c);
  TColor GradientEndColor() const { return FEnd; }
  void SetGradientEndColor(TColor c);
  void Assign(const TPersistent& source) override;

  bool NeedPaint(const RECT& paintRect) const;
  void PaintBackground(TCanvas& canvas, const RECT& rect);

  std::function<void()> OnChange;

 private:
  void BackgroundChanged() {
    if (OnChange) OnChange();
  }
  TBitmap FBackground;
  TBkgndOption FBkgndOption = boNone;
  TColor FBegin = clWhite;
  TColor FEnd = clBlack;
};
