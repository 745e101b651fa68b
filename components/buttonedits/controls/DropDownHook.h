#pragma once
// The one open drop-down of the thread: a thread mouse hook closes it on a
// left click outside the popup and its edit (window frames included) and
// hands mouse moves to the popup while it holds the capture; leaving the
// application closes it as well.
#include <windows.h>

#include <functional>

struct TDropDown {
  HWND Popup = nullptr;
  // The edit the popup belongs to (null for a free-standing list) and the
  // width its buttons add at its right edge.
  HWND Edit = nullptr;
  int ButtonsWidth = 0;
  // Closes the drop-down without acceptance.
  std::function<void()> Close;
};

// Installs the hooks for this drop-down (replacing an open one's).
void InstallDropDownHook(TDropDown dropDown);
// Removes the hooks and cancels a capture the popup holds; nothing when
// `popup` is not the open drop-down.
void RemoveDropDownHook(HWND popup);
// The popup of the open drop-down, or null.
HWND DroppedPopup();
