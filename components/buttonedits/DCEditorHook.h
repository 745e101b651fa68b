#pragma once
// The replaced window procedure of the inner editor of the edit with
// buttons: every message of the editor goes to the edit's handler first
// (guarded), which passes it on to the editor's own procedure.
#include <windows.h>

#include <functional>

class TDCEditorHook {
 public:
  TDCEditorHook() = default;
  TDCEditorHook(const TDCEditorHook&) = delete;
  TDCEditorHook& operator=(const TDCEditorHook&) = delete;

  bool Hooked() const { return FHooked; }
  // Replaces the editor window's procedure (once).
  void Install(HWND editor);
  // Puts the editor's own procedure back, where this hook is still in place.
  void Remove(HWND editor);
  // The editor's own procedure.
  LRESULT CallEditor(HWND editor, UINT msg, WPARAM w, LPARAM l) const {
    return CallWindowProcA(FSavedProc, editor, msg, w, l);
  }

  // The edit's handler of the editor's messages.
  std::function<LRESULT(UINT msg, WPARAM w, LPARAM l)> OnMessage;
  // The hook came off: the editor window goes, or Remove took it off.
  std::function<void()> OnRemoved;

 private:
  static LRESULT CALLBACK HookProc(HWND window, UINT msg, WPARAM w, LPARAM l);

  WNDPROC FSavedProc = nullptr;
  bool FHooked = false;
};
