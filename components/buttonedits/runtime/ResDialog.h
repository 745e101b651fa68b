#pragma once
// A modeless dialog from a dialog resource of the program, run with its own
// message loop until OK or Cancel ends it.
#include <windows.h>

#include <cstdint>

class TResDialog {
 public:
  // The dialog of the numeric resource (no parent). Its window is made on
  // first use, once the object is whole, so that InitDialog of a subclass
  // is the one called.
  explicit TResDialog(int32_t resourceId) : FResourceId(resourceId) {}
  virtual ~TResDialog();
  TResDialog(const TResDialog&) = delete;
  TResDialog& operator=(const TResDialog&) = delete;

  // Shows the dialog and runs until OK or Cancel (or WM_QUIT); true for OK.
  bool Execute();
  // The dialog's window, made when needed; null when the resource is
  // missing.
  HWND Handle();

 protected:
  // Called once the dialog's controls exist.
  virtual void InitDialog() {}
  // The dialog's messages; the base handles WM_INITDIALOG and the OK and
  // Cancel commands.
  virtual void DialogWndProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK SharedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int32_t FResourceId;
  bool FCreated = false;
  HWND FHandle = nullptr;
  bool FDone = false;
  bool FAccepted = false;
};

// Runs the dialog of the resource; true when the user ended it with OK.
bool ExecuteDialog(int32_t resourceId);
