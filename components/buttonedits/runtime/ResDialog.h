#pragma once
// A modeless dialog from a dialog resource of the program, run with its own
// message loop until OK or Cancel ends it.
#include <windows.h>

#include <cstdint>

class TResDialog {
 public:
  // Creates the dialog from the numeric resource (no parent).
  explicit TResDialog(int32_t resourceId);
  virtual ~TResDialog();
  TResDialog(const TResDialog&) = delete;
  TResDialog& operator=(const TResDialog&) = delete;

  // Shows the dialog and runs until OK or Cancel (or WM_QUIT); true for OK.
  bool Execute();
  HWND Handle() const { return FHandle; }

 protected:
  // Called once the dialog's controls exist.
  virtual void InitDialog() {}
  // The dialog's messages; the base handles WM_INITDIALOG and the OK and
  // Cancel commands.
  virtual void DialogWndProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK SharedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
  bool FDone = false;
  bool FAccepted = false;
};

// Runs the dialog of the resource; true when the user ended it with OK.
bool ExecuteDialog(int32_t resourceId);
