#pragma once
// The inner editor of a truth value: a check box (or, for TRadioEdit, a
// radio button) that exchanges its state with the owning edit as window
// text: "T..." or "Y..." in either case is on, "True" and "False" come back.
#include "classlib/WinControl.h"

class TCheckEdit : public TWinControl {
 public:
  explicit TCheckEdit(TComponent* owner);

  bool Checked() const { return FChecked; }
  bool Modified() const { return FModified; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool v);
  // A click anywhere toggles, not only into the box.
  bool FreeClick() const { return FFreeClick; }
  void SetFreeClick(bool v) { FFreeClick = v; }
  // Flips the state unless the owning edit is read-only.
  void Toggle();

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  // The frame-control style of the box: 0 check box, 4 radio button.
  virtual UINT GetWinStyle() const { return 0; }
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void Paint(HDC dc);

  bool FModified = false;
  bool FCute = false;
  bool FScaled = false;
  bool FInverted = false;
  bool FChecked = false;
  bool FFreeClick = false;
};

// Toggles only from unchecked to checked.
class TRadioEdit : public TCheckEdit {
 public:
  using TCheckEdit::TCheckEdit;

 protected:
  UINT GetWinStyle() const override { return DFCS_BUTTONRADIO; }
};
