#include "components/buttonedits/DCSimpleEdit.h"

#include "components/buttonedits/DCEdit.h"

TDCSimpleEdit::TDCSimpleEdit(TComponent* owner) : TCustomEdit(owner) {
  FTabStop = true;
  FColor = clWindow;
}

void TDCSimpleEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style = (p.Style | WS_CLIPSIBLINGS) & ~WS_BORDER;
  p.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TDCSimpleEdit::HandleCreated() {
  TCustomEdit::HandleCreated();
  NotifyEditorHandleCreated(this);
}

bool TDCSimpleEdit::WantsKey(WORD key, UINT code) const {
  if (auto* container = dynamic_cast<TCustomDCEdit*>(FParent); container && container->WantSpecialKey(key))
    return true;
  return TCustomEdit::WantsKey(key, code);
}

void TDCSimpleEdit::DoEnter() {
  if (GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  TCustomEdit::DoEnter();
}
