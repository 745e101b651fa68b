#pragma once
// OLE drag and drop of the enhanced edit's text: a press into the
// selection that becomes a drag when the mouse moves, the move or copy of
// the dragged text, and the drop target through which text dropped on the
// edit goes in at the character under the mouse.
#include <windows.h>

#include <functional>

#include "classlib/AnsiString.h"

class TAdvEdit;
class TEditDropTarget;

// The drag loop run for the selected text.
using TTextDragRunner = std::function<HRESULT(const AnsiString& text, const AnsiString& rtf,
                                              DWORD allowed, DWORD& effect)>;

class TEditTextDrag {
 public:
  TEditTextDrag() = default;
  ~TEditTextDrag();
  TEditTextDrag(const TEditTextDrag&) = delete;
  TEditTextDrag& operator=(const TEditTextDrag&) = delete;

  // The character index nearest to a client point of the edit.
  static int CharFromPoint(HWND edit, POINT client);

  // The drop target of `owner` on its window `edit` (null when it has none
  // yet): registered while on, revoked while off.
  bool TargetOn() const { return FTargetOn; }
  void SetTarget(TAdvEdit* owner, HWND edit, bool on);
  // The edit's window is made or goes.
  void Register(HWND edit);
  void Revoke(HWND edit);

  // A left press at a client point: inside the selection it may become a
  // drag (true: the press is kept from the edit).
  bool Press(HWND edit, POINT client);
  // A mouse move with the button down after such a press runs the drag
  // (true: it ran).
  bool Move(HWND edit, WPARAM keys, bool readOnly, const TTextDragRunner& runner);
  // A release without a drag places the caret at the press.
  void Release(HWND edit, POINT client);

  // The drop target's side: the caret follows the mouse; the text up to
  // its first line break goes in at the character under the drop point,
  // kept between `valueStart` and `valueEnd` (true: inserted).
  void DragOver(HWND edit, POINT screen);
  bool Drop(HWND edit, POINT screen, const AnsiString& dropped, DWORD& effect, int valueStart,
            int valueEnd);

 private:
  void Run(HWND edit, bool readOnly, const TTextDragRunner& runner);

  bool FTargetOn = false;
  TEditDropTarget* FDropTarget = nullptr;
  bool FPending = false;
  bool FDragging = false;
  bool FDroppedOnSelf = false;
  int FStart = 0, FLength = 0;
};
