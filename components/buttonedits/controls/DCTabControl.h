#pragma once
// A tab control that pages with Ctrl+Tab (Ctrl+Shift+Tab backwards,
// wrapping at both ends) while the focus is on it or on a control inside it.
#include "classlib/TabControl.h"

class TDCTabControl : public TTabControl {
 public:
  using TTabControl::TTabControl;
  bool DialogKey(WORD key, TShiftState shift) override;
};
