#pragma once
// A push button; its modal result ends a modal form, Default and Cancel make
// it the button of Enter and Escape.
#include "classlib/WinControl.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult r) { FModalResult = r; }
  void Click() override;
  // Alt + the caption's marked letter clicks the button.
  bool DialogChar(char key) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CommandNotify(WORD code) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};
