#pragma once
// The drop target of an enhanced edit: dropped text goes into the edit at
// the character under the mouse, and the caret follows the mouse.
#include "components/edits/OleDragDrop.h"

class TAdvEdit;

class TEditDropTarget : public TAEDropTarget {
 public:
  explicit TEditDropTarget(TAdvEdit* edit) : FEdit(edit) {}
  // The edit is going: nothing more is passed to it.
  void Detach() { FEdit = nullptr; }

 protected:
  void DropText(POINT pt, const AnsiString& text) override;
  void DragMouseMove(POINT pt, bool& allow) override;

 private:
  TAdvEdit* FEdit;
};
