#include "components/edits/EditDropTarget.h"

#include "components/edits/AdvEdit.h"

void TEditDropTarget::DropText(POINT pt, const AnsiString& text) {
  if (!FEdit) {
    FDropEffect = DROPEFFECT_NONE;
    return;
  }
  FEdit->OleDrop(pt, text, FDropEffect);
}

void TEditDropTarget::DragMouseMove(POINT pt, bool& allow) {
  if (!FEdit) {
    allow = false;
    return;
  }
  FEdit->OleDragOver(pt);
}
