#pragma once
// Base of every visual control: owner and parent, bounds, visibility,
// enabling, font, colour, hint, caption and the mouse and click events.
// Windowed controls derive from TWinControl, windowless ones from
// TGraphicControl.
#include <windows.h>

#include <functional>

#include "classlib/AnsiString.h"
#include "classlib/Brush.h"
#include "classlib/Color.h"
#include "classlib/Component.h"
#include "classlib/Font.h"
#include "classlib/Screen.h"

class TWinControl;
class TCustomForm;

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                       mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                       mrYesToAll = 10;

// The shift state of the keyboard now.
TShiftState KeyboardShiftState();
// Whether the caption marks the key as its accelerator ("&S" for S or s;
// "&&" is a plain "&").
bool IsAccel(char key, const AnsiString& caption);

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  // Read back inside a windowed control's data: that control is the parent.
  void SetParentComponent(TComponent* parent) override;
  // The form that contains the control (the control itself for a form).
  TCustomForm* ParentForm() const;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible with every parent up to a shown window.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  TFont& Font() { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  TColor Color() const { return FColor; }
  void SetColor(TColor c);
  const AnsiString& Hint() const { return FHint; }
  void SetHint(const AnsiString& hint);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  // The cursor over the control (crDefault: its window's own).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor) { FCursor = cursor; }

  // Caption and Text are one value: the control's text.
  virtual AnsiString Text() const { return FText; }
  virtual void SetText(const AnsiString& text);
  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& text) { SetText(text); }

  void SetName(const AnsiString& name) override;

  virtual void Click();
  // An Alt+character offered to the controls of a form in turn: true when
  // the control takes it as its accelerator (nothing here).
  virtual bool DialogChar(char key) { return false; }
  void Invalidate();
  // The control's rectangle in its parent's client area.
  bool ContainsPoint(POINT parentPoint) const;

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // Brush of the control's colour (for backgrounds).
  HBRUSH BackgroundBrush();

  // Mouse handling for controls without a window; the windowed parent
  // passes the messages on in the control's coordinates.
  virtual void MouseDown(int x, int y) {}
  virtual void MouseUp(int x, int y) {}
  // The second press of a double click (after its MouseDown).
  virtual void MouseDblClick(int x, int y) {}
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Paints a windowless control on the canvas its parent gives it (origin at
  // the control's top left corner).
  virtual void PaintOn(HDC dc) {}

 protected:
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void FontChanged() {}
  virtual void ColorChanged() {}
  virtual void TextChanged() {}
  virtual void NameChanged() {}
  virtual void HintChanged() {}
  // Called when the parent's font changes and the control takes it.
  void ParentFontChanged();

  AnsiString FText;
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FShowHint = false;
  TColor FColor = clBtnFace;
  AnsiString FHint;
  TCursor FCursor = crDefault;
  TFont FFont;
  TBrush FBrush;

  friend class TWinControl;
};

// Finds the control object of a window of this layer (null for others).
TControl* FindControl(HWND window);
// The component name a window of this layer carries (empty for others).
AnsiString ControlNameOf(HWND window);
