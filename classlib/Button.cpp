#include "classlib/Button.h"

#include "classlib/Form.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FWidth = 75;
  FHeight = 25;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = "BUTTON";
  p.Style |= WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool v) {
  FDefault = v;
  if (FHandle) SendMessageA(FHandle, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

void TButton::Click() {
  if (FModalResult != mrNone)
    if (TCustomForm* f = ParentForm()) f->SetModalResult(FModalResult);
  TWinControl::Click();
}

bool TButton::DialogChar(char key) {
  if (!IsAccel(key, Caption()) || !CanFocus()) return false;
  SetFocus();
  Click();
  return true;
}
