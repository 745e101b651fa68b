#pragma once
// A hint that shows a text with one bold section (between "~" markers) near
// the cursor: a top-most window that never takes the focus, shown once the
// cursor has rested, hidden when it leaves the hint's rectangle or the show
// time has passed. A 50 ms timer drives the states.
#include <windows.h>

#include "classlib/Component.h"
#include "classlib/Control.h"
#include "classlib/Font.h"

enum THintState { hsShow, hsHide, hsBeginShow };

class TDCHint : public TComponent {
 public:
  explicit TDCHint(TComponent* owner);
  ~TDCHint() override;

  bool AutoHide() const { return FAutoHide; }
  void SetAutoHide(bool v) { FAutoHide = v; }
  // How long the hint stays, in milliseconds.
  int Interval() const { return FInterval; }
  void SetInterval(int ms) { FInterval = ms; }
  bool Immediate() const { return FImmediate; }
  void SetImmediate(bool v) { FImmediate = v; }
  TFont& Font() { return FFont; }
  TFont& BoldFont() { return FBoldFont; }
  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& caption);
  bool GetVisible() const;
  void SetVisible(bool v);
  THintState State() const { return FState; }
  HWND WindowHandle() const { return FWindow; }
  // The hint's rectangle on the screen.
  const RECT& HintRect() const { return FRect; }

  // At the cursor, 20 pixels lower.
  void ActivateHint(const AnsiString& caption);
  // An empty caption cancels the hint.
  void ActivateHintAtPos(POINT p, const AnsiString& caption);
  void CancelHint();
  // Width and height of the caption, its bold section in the bold font.
  SIZE GetSize();
  bool IsHintInRect() const;
  // One tick of the state machine (the timer's).
  void ExecHintTimer();

  TNotifyEvent OnVisibleChanged;

 private:
  static LRESULT CALLBACK WindowProc(HWND h, UINT msg, WPARAM w, LPARAM l);
  void HideHintWindow();
  void ShowHintWindow();
  void VisibleChanged();
  void Paint(HDC dc);

  HWND FWindow = nullptr;
  RECT FRect{};
  THintState FState = hsHide;
  AnsiString FCaption;
  TFont FFont, FBoldFont;
  int FTicks = 0;
  int FInterval = 2500;
  int FVerticalOffset = 20;
  bool FAutoHide = true;
  bool FImmediate = false;
  bool FTimerOn = false;
};
