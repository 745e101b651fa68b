#pragma once
// A speed button that draws itself again whenever its glyph is exchanged,
// after the glyph's previous change handler has run.
#include "classlib/SpeedButton.h"

class TDCSpeedButton : public TSpeedButton {
 public:
  explicit TDCSpeedButton(TComponent* owner);

 private:
  std::function<void()> FPreviousGlyphChange;
};
