#include "classlib/CheckBox.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FWidth = 97;
  FHeight = 17;
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = "BUTTON";
  p.Style |= WS_TABSTOP | BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated() {
  SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Checked() const {
  if (FHandle) return SendMessageA(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return FChecked;
}

void TCheckBox::SetChecked(bool v) {
  if (v == Checked()) return;
  FChecked = v;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

void TCheckBox::CommandNotify(WORD code) {
  if (code != BN_CLICKED) return;
  FChecked = Checked();
  Click();
}
