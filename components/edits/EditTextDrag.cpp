#include "components/edits/EditTextDrag.h"

#include "classlib/OleSession.h"
#include "components/edits/EditDropTarget.h"

namespace {

AnsiString windowText(HWND h) {
  AnsiString text(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(h, text.data(), static_cast<int>(text.size()))));
  return text;
}

void replaceRange(HWND h, int start, int end, const char* text) {
  SendMessageA(h, EM_SETSEL, start, end);
  SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

}  // namespace

TEditTextDrag::~TEditTextDrag() {
  if (FDropTarget) {
    FDropTarget->Detach();
    FDropTarget->Release();
    FDropTarget = nullptr;
  }
}

int TEditTextDrag::CharFromPoint(HWND edit, POINT client) {
  LRESULT r = SendMessageA(edit, EM_CHARFROMPOS, 0, MAKELPARAM(client.x, client.y));
  int index = static_cast<int>(static_cast<short>(LOWORD(r)));
  int len = GetWindowTextLengthA(edit);
  return index < 0 ? 0 : index > len ? len : index;
}

void TEditTextDrag::SetTarget(TAdvEdit* owner, HWND edit, bool on) {
  if (on == FTargetOn) return;
  FTargetOn = on;
  if (on) {
    if (!FDropTarget) FDropTarget = new TEditDropTarget(owner);
    Register(edit);
  } else if (edit) {
    RevokeDragDrop(edit);
  }
}

void TEditTextDrag::Register(HWND edit) {
  if (!edit || !FTargetOn || !FDropTarget) return;
  EnsureOleInitialized();
  RegisterDragDrop(edit, FDropTarget);
}

void TEditTextDrag::Revoke(HWND edit) {
  if (edit && FTargetOn) RevokeDragDrop(edit);
}

bool TEditTextDrag::Press(HWND edit, POINT client) {
  DWORD ss = 0, se = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&ss), reinterpret_cast<LPARAM>(&se));
  int i = CharFromPoint(edit, client);
  if (se > ss && i >= static_cast<int>(ss) && i < static_cast<int>(se)) {
    FPending = true;
    return true;
  }
  return false;
}

bool TEditTextDrag::Move(HWND edit, WPARAM keys, bool readOnly, const TTextDragRunner& runner) {
  if (!FPending || !(keys & MK_LBUTTON)) return false;
  FPending = false;
  Run(edit, readOnly, runner);
  return true;
}

void TEditTextDrag::Release(HWND edit, POINT client) {
  if (!FPending) return;
  // No drag after all: the click places the caret.
  FPending = false;
  int i = CharFromPoint(edit, client);
  SendMessageA(edit, EM_SETSEL, i, i);
}

void TEditTextDrag::Run(HWND edit, bool readOnly, const TTextDragRunner& runner) {
  DWORD s = 0, e = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  if (e <= s) return;
  AnsiString full = windowText(edit);
  if (e > full.size()) return;
  AnsiString text = full.substr(s, e - s);
  FDragging = true;
  FDroppedOnSelf = false;
  FStart = static_cast<int>(s);
  FLength = static_cast<int>(e - s);
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = runner ? runner(text, AnsiString(), DROPEFFECT_COPY | DROPEFFECT_MOVE, effect)
                      : DRAGDROP_S_CANCEL;
  FDragging = false;
  // A move to another place takes the text away here; a drop into this
  // edit has already moved it.
  if (hr == DRAGDROP_S_DROP && (effect & DROPEFFECT_MOVE) && !FDroppedOnSelf && IsWindow(edit) &&
      !readOnly) {
    AnsiString now = windowText(edit);
    if (now.compare(static_cast<size_t>(FStart), text.size(), text) == 0)
      replaceRange(edit, FStart, FStart + FLength, "");
  }
}

void TEditTextDrag::DragOver(HWND edit, POINT screen) {
  ScreenToClient(edit, &screen);
  int i = CharFromPoint(edit, screen);
  SendMessageA(edit, EM_SETSEL, i, i);
}

bool TEditTextDrag::Drop(HWND edit, POINT screen, const AnsiString& dropped, DWORD& effect,
                         int valueStart, int valueEnd) {
  // One line: the text up to its first line break.
  AnsiString text = dropped.substr(0, dropped.find_first_of("\r\n"));
  ScreenToClient(edit, &screen);
  int index = CharFromPoint(edit, screen);
  if (index < valueStart) index = valueStart;
  if (index > valueEnd) index = valueEnd < valueStart ? valueStart : valueEnd;
  if (FDragging) {
    FDroppedOnSelf = true;
    if (index >= FStart && index <= FStart + FLength) {
      // Dropped onto itself: nothing moves.
      effect = DROPEFFECT_NONE;
      return false;
    }
    if (effect & DROPEFFECT_MOVE) {
      replaceRange(edit, FStart, FStart + FLength, "");
      if (index > FStart) index -= FLength;
    }
  }
  replaceRange(edit, index, index, text.c_str());
  return true;
}
