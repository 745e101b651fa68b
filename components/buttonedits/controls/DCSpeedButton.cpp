#include "components/buttonedits/controls/DCSpeedButton.h"

TDCSpeedButton::TDCSpeedButton(TComponent* owner) : TSpeedButton(owner) {
  FPreviousGlyphChange = Glyph().OnChange;
  Glyph().OnChange = [this] {
    if (FPreviousGlyphChange) FPreviousGlyphChange();
    Invalidate();
  };
}
