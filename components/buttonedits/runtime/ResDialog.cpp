#include "components/buttonedits/runtime/ResDialog.h"

#include <algorithm>
#include <vector>

#include "classlib/GuardedCall.h"

namespace {

std::vector<TResDialog*>& Dialogs() {
  static std::vector<TResDialog*> list;
  return list;
}

}  // namespace

HWND TResDialog::Handle() {
  if (!FCreated) {
    FCreated = true;
    Dialogs().push_back(this);
    // The object comes as the creation parameter: WM_INITDIALOG arrives
    // before CreateDialogParamA has returned the handle.
    ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(FResourceId), nullptr, SharedDialogProc,
                         reinterpret_cast<LPARAM>(this));
  }
  return FHandle;
}

TResDialog::~TResDialog() {
  auto& list = Dialogs();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (FHandle) ::DestroyWindow(FHandle);
}

INT_PTR CALLBACK TResDialog::SharedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<TResDialog*>(lParam);
    auto& list = Dialogs();
    if (std::find(list.begin(), list.end(), dialog) != list.end()) dialog->FHandle = window;
  }
  for (TResDialog* dialog : Dialogs()) {
    if (dialog->FHandle == window) {
      GuardedCall([&] { dialog->DialogWndProc(message, wParam, lParam); });
      break;
    }
  }
  return 0;
}

void TResDialog::DialogWndProc(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    InitDialog();
  } else if (message == WM_COMMAND && HIWORD(wParam) == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    FDone = true;
    FAccepted = LOWORD(wParam) == IDOK;
  }
}

bool TResDialog::Execute() {
  if (!Handle()) return false;
  ::ShowWindow(FHandle, SW_SHOWDEFAULT);
  MSG msg;
  while (!FDone && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!::IsDialogMessageA(FHandle, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  return FAccepted;
}

bool ExecuteDialog(int32_t resourceId) {
  TResDialog dialog(resourceId);
  return dialog.Execute();
}
