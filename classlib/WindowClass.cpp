#include "classlib/WindowClass.h"

bool RegisterWindowClassOnce(const WNDCLASSA& wc) {
  WNDCLASSA known;
  if (GetClassInfoA(wc.hInstance, wc.lpszClassName, &known)) return false;
  return RegisterClassA(&wc) != 0;
}

bool RegisterWindowClassOnce(const char* name, UINT style, WNDPROC proc, HCURSOR cursor) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = cursor;
  wc.lpszClassName = name;
  return RegisterWindowClassOnce(wc);
}
