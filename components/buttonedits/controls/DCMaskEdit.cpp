#include "components/buttonedits/controls/DCMaskEdit.h"

#include "components/buttonedits/controls/EditOwner.h"

void TDCMaskEdit::HandleCreated() {
  TMaskEdit::HandleCreated();
  NotifyEditorHandleCreated(this);
}

void TDCMaskEdit::CreateParams(TCreateParams& p) {
  TMaskEdit::CreateParams(p);
  p.Style = (p.Style & ~WS_BORDER) | WS_CLIPSIBLINGS;
  p.ExStyle &= ~WS_EX_CLIENTEDGE;
}

LRESULT TDCMaskEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  LRESULT r = TMaskEdit::WndProc(msg, w, l);
  if (msg == WM_SETFOCUS && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
  return r;
}
