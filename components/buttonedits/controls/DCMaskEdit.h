#pragma once
// The masked inner editor of an edit with buttons: borderless, it selects
// its whole text when the focus comes from the keyboard.
#include "classlib/MaskEdit.h"

class TDCMaskEdit : public TMaskEdit {
 public:
  using TMaskEdit::TMaskEdit;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
};
