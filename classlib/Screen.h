#pragma once
// The screen: its size, the active form and the cursor shown over every
// window of the program.
#include <windows.h>

#include <vector>

class TCustomForm;

using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeAll = -22,
                  crUpArrow = -10, crHourGlass = -11, crNo = -18, crHandPoint = -21,
                  crAppStart = -19, crDrag = -12, crNoDrop = -13;

class TScreen {
 public:
  TCursor Cursor() const { return FCursor; }
  // Shows the cursor at once; crDefault gives the windows back their own.
  void SetCursor(TCursor cursor);
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  // The form whose window is active, or null.
  TCustomForm* ActiveForm() const;
  // The forms that exist, in the order they were made.
  int FormCount() const { return static_cast<int>(FForms.size()); }
  // Null outside 0..FormCount()-1.
  TCustomForm* Forms(int index) const;
  // Kept up to date by the forms.
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);

 private:
  TCursor FCursor = crDefault;
  std::vector<TCustomForm*> FForms;
};

extern TScreen* Screen;

// The cursor the screen imposes on every window, or null for the windows' own.
HCURSOR ScreenCursorHandle();
// The system cursor of a cursor value (null for crDefault).
HCURSOR CursorHandle(TCursor cursor);
