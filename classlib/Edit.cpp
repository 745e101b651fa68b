#include "classlib/Edit.h"

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FColor = clWindow;
  FBrush.SetColor(FColor);
  FWidth = 121;
  FHeight = 21;
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = "EDIT";
  p.Style |= WS_TABSTOP | ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0);
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::HandleCreated() {
  if (FMaxLength > 0) SendMessageA(FHandle, EM_LIMITTEXT, FMaxLength, 0);
}

AnsiString TCustomEdit::Text() const {
  return WindowText();
}

void TCustomEdit::SetMaxLength(int n) {
  FMaxLength = n;
  if (FHandle) SendMessageA(FHandle, EM_LIMITTEXT, n, 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, v, 0);
}

int TCustomEdit::SelStart() const {
  DWORD start = 0;
  if (FHandle) SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int TCustomEdit::SelLength() const {
  DWORD start = 0, end = 0;
  if (FHandle)
    SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelection(int start, int length) {
  if (FHandle) SendMessageA(FHandle, EM_SETSEL, start, length < 0 ? -1 : start + length);
}

void TCustomEdit::CommandNotify(WORD code) {
  if (code == EN_CHANGE) {
    FText = Text();
    Change();
  }
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

HBRUSH TCustomEdit::CtlColor(HDC dc) {
  SetBkColor(dc, ColorToRGB(FColor));
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  return BackgroundBrush();
}
