#include "classlib/Application.h"

#include <commctrl.h>

#include "classlib/Form.h"
#include "classlib/Screen.h"
#include "classlib/WinControl.h"
#include "classlib/WindowClass.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
const char* const kAppClass = "KelApplication";

LRESULT CALLBACK appWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) noexcept {
  return DefWindowProcA(h, msg, w, l);
}

bool isDialogKey(WPARAM key) {
  switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}
}  // namespace

TApplication& TApplication::Instance() {
  static TApplication app;
  return app;
}

TApplication::TApplication() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_ANIMATE_CLASS};
  InitCommonControlsEx(&icc);
  RegisterWindowClassOnce(kAppClass, 0, appWindowProc);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  AnsiString base = path;
  base = base.substr(base.find_last_of("\\/:") + 1);
  FTitle = base.substr(0, base.rfind('.'));
  FHandle = CreateWindowExA(0, kAppClass, FTitle.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  static TScreen screen;
  Screen = &screen;
  Application = this;
}

TApplication::~TApplication() {
  Application = nullptr;
  if (FHintWindow) DestroyWindow(FHintWindow);
  if (FHandle) DestroyWindow(FHandle);
}

void TApplication::SetTitle(const AnsiString& title) {
  FTitle = title;
  SetWindowTextA(FHandle, title.c_str());
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR)
    return false;
  TWinControl* target = nullptr;
  for (HWND h = msg.hwnd; h && !target; h = GetParent(h))
    target = dynamic_cast<TWinControl*>(FindControl(h));
  if (!target) return false;
  TCustomForm* form = target->ParentForm();
  if (!form) return false;
  // Alt+character: the form's controls may take it as their accelerator.
  if (msg.message == WM_SYSCHAR) return form->DialogChar(static_cast<char>(msg.wParam));
  WORD key = static_cast<WORD>(msg.wParam);
  TShiftState shift = KeyboardShiftState();
  if (form->KeyPreview() && form->OnKeyDown && target != form) {
    form->OnKeyDown(form, key, shift);
    if (key == 0) return true;
    msg.wParam = key;
  }
  if (!isDialogKey(key) || (shift & ssAlt)) return false;
  UINT code = static_cast<UINT>(
      SendMessageA(msg.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg)));
  if (target->WantsKey(key, code)) return false;
  return target->DialogKey(key, shift);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (IsKeyMsg(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void TApplication::HandleMessage() {
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
    FTerminated = true;
    return;
  }
  try {
    ProcessMessage(msg);
  } catch (const std::exception& e) {
    ShowException(e);
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    try {
      ProcessMessage(msg);
    } catch (const std::exception& e) {
      ShowException(e);
    }
  }
}

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = FHandle;
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void TApplication::ShowException(const std::exception& e) {
  if (OnException) {
    OnException(e);
    return;
  }
  AnsiString text = e.what();
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::UpdateHint(TControl* control) {
  TWinControl* parent = control->Parent();
  auto* win = dynamic_cast<TWinControl*>(control);
  HWND host = win ? win->FHandle : (parent ? parent->FHandle : nullptr);
  if (!host) return;
  if (!FHintWindow) {
    FHintWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FHandle, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!FHintWindow) return;
  }
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.uFlags = TTF_SUBCLASS | (win ? TTF_IDISHWND : 0);
  ti.hwnd = win ? (parent && parent->FHandle ? parent->FHandle : host) : host;
  ti.uId = win ? reinterpret_cast<UINT_PTR>(host) : reinterpret_cast<UINT_PTR>(control);
  if (!win) ti.rect = control->BoundsRect();
  SendMessageA(FHintWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  if (control->ShowHint() && !control->Hint().empty()) {
    // Wine draws some texts a pixel wider than it measures them, and its tip
    // clips the text to the measured room, cutting the last letter
    // ("auswähler"); a blank at the end takes the cut.
    AnsiString text = control->Hint() + " ";
    ti.lpszText = text.data();
    SendMessageA(FHintWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void TApplication::SetShowHint(bool show) {
  if (!FHintWindow) return;
  if (!show) SendMessageA(FHintWindow, TTM_POP, 0, 0);
  SendMessageA(FHintWindow, TTM_ACTIVATE, show ? TRUE : FALSE, 0);
}

void TApplication::ControlDestroyed(TControl* control) {
  if (!FHintWindow || dynamic_cast<TWinControl*>(control)) return;
  TWinControl* parent = control->Parent();
  if (!parent || !parent->FHandle) return;
  TOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = parent->FHandle;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  SendMessageA(FHintWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}
