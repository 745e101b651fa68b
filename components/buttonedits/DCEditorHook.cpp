#include "components/buttonedits/DCEditorHook.h"

#include "classlib/GuardedCall.h"

namespace {

const char* const kHookProp = "KelDCEdit";

}  // namespace

void TDCEditorHook::Install(HWND h) {
  if (FHooked) return;
  SetPropA(h, kHookProp, static_cast<HANDLE>(this));
  FSavedProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TDCEditorHook::HookProc)));
  FHooked = true;
}

void TDCEditorHook::Remove(HWND h) {
  if (!FHooked) return;
  FHooked = false;
  if (!h) return;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC)) == &TDCEditorHook::HookProc)
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FSavedProc));
  RemovePropA(h, kHookProp);
  if (OnRemoved) OnRemoved();
}

LRESULT CALLBACK TDCEditorHook::HookProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto* hook = static_cast<TDCEditorHook*>(GetPropA(h, kHookProp));
  if (!hook) return DefWindowProcA(h, msg, w, l);
  if (msg == WM_NCDESTROY) {
    WNDPROC saved = hook->FSavedProc;
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
    RemovePropA(h, kHookProp);
    hook->FHooked = false;
    if (hook->OnRemoved) hook->OnRemoved();
    return CallWindowProcA(saved, h, msg, w, l);
  }
  return GuardedWndProc(h, msg, [&] { return hook->OnMessage(msg, w, l); });
}
