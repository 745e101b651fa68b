#include "components/buttonedits/runtime/KeyState.h"

#include <windows.h>

bool ShiftIsPressed() { return (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }
bool IsAltKeyDown() { return (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0; }

TShiftState KeysToShift() {
  TShiftState s = 0;
  if (::GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (IsAltKeyDown()) s |= ssAlt;
  return s;
}
