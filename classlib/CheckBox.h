#pragma once
// A check box with its caption.
#include "classlib/WinControl.h"

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const;
  void SetChecked(bool v);

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CommandNotify(WORD code) override;

 private:
  bool FChecked = false;
};
