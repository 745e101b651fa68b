#include "components/buttonedits/controls/DCMaskEdit.h"

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
