#pragma once
// A button of the edit with buttons: a speed button at the edit's right
// end. A button with its own click handler only focuses the edit and runs
// the handler; a button without one opens or closes the drop-down.
#include <windows.h>

#include <functional>

#include "classlib/SpeedButton.h"

class TCustomDCEdit;

// A button glyph of w × h pixels: the button face, with `paint` drawing the
// picture on it. The caller owns the bitmap.
HBITMAP MakeButtonGlyph(int w, int h, const std::function<void(HDC)>& paint);

class TEditButton : public TSpeedButton {
 public:
  explicit TEditButton(TCustomDCEdit* edit);
  void Click() override;

 private:
  TCustomDCEdit* FEdit;
};
