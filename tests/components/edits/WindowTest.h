#pragma once
// Helpers of the tests that drive real windows of this layer: message
// pumping, actions run from inside a modal loop, and typing into a window.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "classlib/Application.h"
#include "classlib/Form.h"

namespace kel::wintest {

inline void pump(int rounds = 5) {
  for (int i = 0; i < rounds; ++i) {
    Application->ProcessMessages();
    Sleep(5);
  }
}

// The visible form of this thread that was shown last (a modal loop's form).
inline TCustomForm* visibleForm(TCustomForm* except = nullptr) {
  struct Search {
    TCustomForm* except;
    TCustomForm* found;
  } s{except, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM l) -> BOOL {
        auto* search = reinterpret_cast<Search*>(l);
        auto* f = dynamic_cast<TCustomForm*>(FindControl(h));
        if (f && f != search->except && IsWindowVisible(h) && !search->found) search->found = f;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// Runs `action` once from a timer, i.e. from inside the next modal loop; a
// watchdog ends a modal loop the action failed to end.
inline std::function<void()>& pending() {
  static std::function<void()> p;
  return p;
}
inline void later(std::function<void()> action, UINT delay = 30) {
  pending() = std::move(action);
  SetTimer(nullptr, 0, delay, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto a = std::move(pending());
    pending() = nullptr;
    if (a) a();
  });
  static UINT_PTR watchdog = 0;
  if (watchdog) KillTimer(nullptr, watchdog);
  watchdog = SetTimer(nullptr, 0, 15000, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (TCustomForm* f = visibleForm(); f && f->Modal()) {
      ADD_FAILURE() << "modal loop not ended by the test's action";
      f->SetModalResult(mrAbort);
    }
  });
}

// Clears the keyboard state (no Shift, Ctrl or Alt held).
// A real left click at a point of the screen.
inline void clickAt(POINT screen) {
  const int sw = GetSystemMetrics(SM_CXSCREEN) - 1, sh = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT in[3] = {};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = screen.x * 65535 / sw;
    i.mi.dy = screen.y * 65535 / sh;
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, in, sizeof(INPUT));
  pump(10);
}

inline void releaseKeys() {
  BYTE keys[256] = {};
  SetKeyboardState(keys);
}

inline void holdKey(int vk, bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[vk] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

// One key as the keyboard gives it: key down and key up through the
// message handling (dialog keys included); the message handling turns the
// key down into its character.
inline void pressKey(HWND target, WORD vk) {
  PostMessageA(target, WM_KEYDOWN, vk, 1);
  PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
  pump(2);
}

// Types text character by character (Windows-1252 bytes): the character
// and the release of its key.
inline void typeText(HWND target, const std::string& text) {
  for (char c : text) {
    SHORT vks = VkKeyScanA(c);
    WORD vk = vks == -1 ? 0 : LOBYTE(vks);
    PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
    pump(1);
  }
  pump(2);
}

inline std::string windowText(HWND h) {
  char buf[1024] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

inline void setClipboard(const std::string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(g), text.c_str(), text.size() + 1);
  GlobalUnlock(g);
  SetClipboardData(CF_TEXT, g);
  CloseClipboard();
}

// A temporary file path (removed by the caller).
inline std::string tempPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

}  // namespace kel::wintest
