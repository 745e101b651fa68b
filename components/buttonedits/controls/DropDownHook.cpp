#include "components/buttonedits/controls/DropDownHook.h"

#include "classlib/GuardedCall.h"

namespace {

struct State {
  TDropDown drop;
  HHOOK mouse = nullptr;
  HHOOK callWnd = nullptr;
};

State& state() {
  static State s;
  return s;
}

bool inside(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

void closeOutside() {
  // The close call removes the hooks; keep the callback alive through it.
  // Both hooks call it: it is their only way into the components' code.
  GuardedCall([] {
    std::function<void()> close = state().drop.Close;
    if (close) close();
  });
}

LRESULT CALLBACK mouseProc(int code, WPARAM w, LPARAM l) {
  State& s = state();
  if (code == HC_ACTION && s.drop.Popup) {
    auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(l);
    RECT popup{}, edit{};
    GetWindowRect(s.drop.Popup, &popup);
    if (s.drop.Edit) {
      GetWindowRect(s.drop.Edit, &edit);
      edit.right += s.drop.ButtonsWidth;
    }
    bool outside = !inside(popup, info->pt) && !inside(edit, info->pt);
    switch (w) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_NCLBUTTONDOWN:
      case WM_NCLBUTTONUP:
        if (outside) {
          closeOutside();
          return CallNextHookEx(nullptr, code, w, l);
        }
        if (w == WM_LBUTTONDOWN && inside(popup, info->pt)) SetCapture(s.drop.Popup);
        break;
      case WM_MOUSEMOVE:
        if (GetCapture() == s.drop.Popup) {
          POINT p = info->pt;
          ScreenToClient(s.drop.Popup, &p);
          SendMessageA(s.drop.Popup, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
          if (outside) return 1;
        }
        break;
      default:
        break;
    }
  }
  return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CALLBACK callWndProc(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION) {
    auto* msg = reinterpret_cast<CWPSTRUCT*>(l);
    if (msg->message == WM_ACTIVATEAPP && !msg->wParam && state().drop.Popup) closeOutside();
  }
  return CallNextHookEx(nullptr, code, w, l);
}

void removeHooks() {
  State& s = state();
  if (s.mouse) UnhookWindowsHookEx(s.mouse);
  if (s.callWnd) UnhookWindowsHookEx(s.callWnd);
  s.mouse = nullptr;
  s.callWnd = nullptr;
}

}  // namespace

void InstallDropDownHook(TDropDown dropDown) {
  removeHooks();
  State& s = state();
  s.drop = std::move(dropDown);
  s.mouse = SetWindowsHookExA(WH_MOUSE, mouseProc, nullptr, GetCurrentThreadId());
  s.callWnd = SetWindowsHookExA(WH_CALLWNDPROC, callWndProc, nullptr, GetCurrentThreadId());
}

void RemoveDropDownHook(HWND popup) {
  State& s = state();
  if (!popup || s.drop.Popup != popup) return;
  if (GetCapture() == popup) SendMessageA(popup, WM_CANCELMODE, 0, 0);
  if (GetCapture() == popup) ReleaseCapture();
  removeHooks();
  s.drop = TDropDown{};
}

HWND DroppedPopup() { return state().drop.Popup; }
