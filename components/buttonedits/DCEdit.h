#pragma once
// The edit with buttons: a container holding a borderless inner editor and
// up to two buttons flush at its right end, with an optional drop-down
// popup. A button with its own click handler only focuses the edit and runs
// the handler; a button without one opens or closes the drop-down. The inner
// editor's window procedure is replaced, so that the container sees its
// keys (Up and Down move the focus, Enter and Escape never reach it), its
// focus and its text changes.
#include <functional>

#include "classlib/Edit.h"
#include "classlib/SpeedButton.h"
#include "classlib/TypInfo.h"
#include "classlib/WinControl.h"
#include "components/buttonedits/controls/EditClassRegistry.h"
#include "components/buttonedits/controls/EditOwner.h"

class TCustomDCEdit;

// Holds one string.
class TDummyEditSource : public TEditSource {
 public:
  using TEditSource::TEditSource;
  AnsiString GetValue() const override { return FValue; }
  void SetValue(const AnsiString& value) override { FValue = value; }

 private:
  AnsiString FValue;
};

// The stand-in popup: empty and never shown; a drop-down with it does
// nothing.
class TDummyPopup : public TWinControl {
 public:
  explicit TDummyPopup(TComponent* owner) : TWinControl(owner) { FVisible = false; }
};

// The default inner editor: a borderless single-line edit that selects its
// text when the focus comes without the left mouse button.
class TDCSimpleEdit : public TCustomEdit {
 public:
  explicit TDCSimpleEdit(TComponent* owner);
  bool WantsKey(WORD key, UINT dialogCode) const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void DoEnter() override;
};

enum TButtonKind { bkCustom, bkDropDown, bkDots };

// A button glyph of w × h pixels: the button face, with `paint` drawing the
// picture on it. The caller owns the bitmap.
HBITMAP MakeButtonGlyph(int w, int h, const std::function<void(HDC)>& paint);

class TEditButton : public TSpeedButton {
 public:
  explicit TEditButton(TCustomDCEdit* edit);
  void Click() override;

 private:
  TCustomDCEdit* FEdit;
};

// The description of one button: kind, width, glyph, hint.
class TButtonParams {
 public:
  TButtonParams(TEditButton* button, std::function<void()> sizeChanged);

  TEditButton* Button() const { return FButton; }
  TButtonKind Kind() const { return FKind; }
  // bkDropDown and bkDots take their own glyphs; bkCustom keeps the glyph.
  void SetKind(TButtonKind kind);
  // 0 is automatic: the glyph width + 4 for bkCustom, the width of a scroll
  // thumb otherwise.
  int Width() const { return FWidth; }
  void SetWidth(int width);
  // Takes ownership of the bitmap; the kind becomes bkCustom.
  void SetGlyph(HBITMAP glyph);
  void GlyphChanged();
  // The images side by side in the glyph (up, disabled, pressed, down);
  // the kinds with their own glyph have one, so only bkCustom takes more.
  int NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(int count);
  bool Visible() const { return FButton->Visible(); }
  void SetVisible(bool visible);
  AnsiString Hint() const { return FButton->Hint(); }
  void SetHint(const AnsiString& hint) { FButton->SetHint(hint); }
  bool ShowHint() const { return FButton->ShowHint(); }
  void SetShowHint(bool v) { FButton->SetShowHint(v); }

  // Set by the edit: counts the visible buttons again.
  std::function<void()> OnVisibleChanged;

 private:
  TEditButton* FButton;
  std::function<void()> FSizeChanged;
  TButtonKind FKind = bkCustom;
  int FWidth = 0;
};

enum TDCBorderStyle { bsDCNone, bsDCSingle };

// Borders the edit draws itself (with UseTarnelBorder).
enum TTarnelBorderStyle {
  tbsSunkenBorder,
  tbsRaisedBorder,
  tbsSunkenLine,
  tbsRaisedLine,
  tbsLine,
  tbsLineBorder,
  tbsSunkenSingle,
  tbsRaisedSingle,
  tbsNone
};

// The version of the edit library, shown as a property that is never stored.
using TDCVersion = AnsiString;
inline constexpr const char* kDCEditVersion = "4.01";

// A class of inner editor or popup: its registered name and its maker.
struct TEditPartClass {
  AnsiString Name;
  TComponentFactory Make;
};

class TCustomDCEdit : public TWinControl, public TEditOwner {
 public:
  explicit TCustomDCEdit(TComponent* owner);
  ~TCustomDCEdit() override;
  // Alt+ the accelerator of the edit's window caption clicks the edit;
  // taken when the edit can have the focus.
  bool DialogChar(char key) override;

  // Creates the inner editor when a parent is given.
  void SetParent(TWinControl* parent) override;

  virtual AnsiString GetText() const;
  // Only with an inner editor and a changed value: sets the editor's text
  // and fires OnChange. Without an editor the value is kept for it.
  virtual void SetTextValue(const AnsiString& value);
  AnsiString Text() const override { return GetText(); }
  void SetText(const AnsiString& value) override { SetTextValue(value); }

  TWinControl* Edit() const { return FEdit; }
  TWinControl* PopupWindow() const { return FPopup; }
  // Replaces the popup (owned by the edit from then on); null puts back the
  // stand-in.
  void SetPopup(TWinControl* popup);
  TEditSource* EditSource() const { return FEditSource; }
  // Replaces the inner editor by one the factory makes (the text keeps).
  void SetEditorClass(const TComponentFactory& factory);
  // Exchange the inner editor, the popup or the value adapter by the class
  // name registered for it; an unknown name gives the simple editor, the
  // stand-in popup or the one-string adapter.
  const AnsiString& EditClass() const { return FEditClass; }
  void SetEditClass(const AnsiString& name);
  const AnsiString& PopupWindowClass() const { return FPopupWindowClass; }
  void SetPopupClassName(const AnsiString& name);
  const AnsiString& EditSourceClass() const { return FEditSourceClass; }
  void SetEditSourceType(const AnsiString& name);

  TButtonParams& Button1() { return *FButton1; }
  TButtonParams& Button2() { return *FButton2; }
  int NumButtons() const { return FNumButtons; }
  // 0 to 2; larger values are ignored.
  void SetNumButtons(int n) override;
  void UpdateButtonCount();

  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool value);
  bool DropOnClick() const { return FDropOnClick; }
  void SetDropOnClick(bool v) { FDropOnClick = v; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  bool GetReadOnly() override { return FReadOnly; }
  // The inner editor shows its focused look (with DisplayFocused and not
  // Flat).
  bool DisplayFocused() const { return FDisplayFocused; }
  void SetDisplayFocused(bool v);
  bool DisplayFocusedLook() override { return FDisplayFocused && !FFlat; }
  bool HideCaret() const { return FHideCaret; }
  void SetHideCaret(bool v);
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  TDCBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TDCBorderStyle style);
  // A drawn border in place of the standard one.
  bool UseTarnelBorder() const { return FUseTarnelBorder; }
  void SetUseTarnelBorder(bool v);
  TTarnelBorderStyle TarnelBorderStyle() const { return FTarnelBorderStyle; }
  void SetTarnelBorderStyle(TTarnelBorderStyle style);
  // The colour of the tbsLine and tbsLineBorder styles.
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor color);
  bool Modified() const;
  void SetModified(bool v);
  // The library's version; setting it changes nothing.
  TDCVersion Version() const { return kDCEditVersion; }
  void SetVersion(const TDCVersion&) {}

  // Focuses the inner editor unless it has the focus.
  void FocusEditor();
  void SelectAll();
  void Deselect();
  // Commits the text to the value adapter (not while a commit runs).
  void Term() override;
  void PostValue();

  // Click handlers of the buttons, also assigned to the button controls.
  void SetOnButton1Click(TNotifyEvent handler);
  void SetOnButton2Click(TNotifyEvent handler);

  virtual void Drop();
  void CloseDropped(bool accept) override;
  void Change() override;
  // Lays the buttons and the inner editor out.
  void SetButtonBounds();

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnButton1Click;
  TNotifyEvent OnButton2Click;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Whether the container takes a key from the inner editor: Up and Down
  // always, Enter and Escape while dropped down.
  bool WantSpecialKey(WORD key) const;
  // Hooks the editor once its window exists.
  void EditorHandleCreated(TComponent* editor) override;
  // Timers of the edit's window: the drop-down's mouse tracking and the
  // hover tracking of the flat look run on ids of their own, so that
  // neither stops the other.
  static constexpr UINT_PTR kDropTimer = 1;
  static constexpr UINT_PTR kHoverTimer = 2;
  // Whether the flat look is showing (flat, mouse outside, not focused).
  bool LooksFlat() const;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void BoundsChanged() override;
  void EnabledChanged() override;
  void ColorChanged() override;
  void DoEnter() override;
  // A new font gives the edit the height it needs (AdjustHeight).
  void FontChanged() override;

  // The height for the font: its text height plus eight border widths (the
  // sunken frame and the editor's margins).
  void AdjustHeight();

  // The default inner editor and popup, made when the edit gets a parent.
  virtual TEditPartClass GetDefaultEditorClass() const;
  virtual TEditPartClass GetDefaultPopupClass() const;
  // Checks a value before SetText stores anything (nothing here).
  virtual void ValidateText(const AnsiString& value) {}
  virtual void RestoreSavedText();
  virtual void CheckReadOnly();
  virtual void DoTerm();
  virtual void SetDropValue();
  virtual void GetDropValue();
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // A left press into the edit: closes the drop-down and focuses the
  // editor. False when a descendant took the press for something else
  // (then the editor does not see it).
  virtual bool MouseDownInEditor(TShiftState shift);
  // A double click into the inner editor (nothing here).
  virtual void DblClick() {}
  void MouseEnter() override;
  void MouseLeave() override;
  void PaintBackground(HDC dc, const RECT& r) override;

 private:
  friend class TDCSimpleEdit;
  static LRESULT CALLBACK EditHookProc(HWND window, UINT msg, WPARAM w, LPARAM l);
  void InstallEditor(TWinControl* editor);
  void CloseFromHook();
  void UpdateBorder();
  void DrawBorder(HDC dc);
  // A sunken or raised single edge drawn with UseTarnelBorder.
  bool SingleBorder() const;
  void TrackDropMouse();
  void HookEditWndProc();
  void UnHookEditWndProc();
  LRESULT EditWndProc(UINT msg, WPARAM w, LPARAM l);
  void MoveFocus(bool forward);
  RECT EditScreenRect() const;

  TWinControl* FEdit = nullptr;
  TWinControl* FPopup = nullptr;
  TEditSource* FEditSource = nullptr;
  TButtonParams* FButton1 = nullptr;
  TButtonParams* FButton2 = nullptr;
  WNDPROC FSavedProc = nullptr;
  bool FHooked = false;
  int FNumButtons = 1;
  AnsiString FSavedText;
  bool FHasSavedText = false;
  TDCBorderStyle FBorderStyle = bsDCSingle;
  bool FDroppedDown = false;
  bool FDropOnClick = false;
  bool FHideCaret = false;
  bool FFlat = false;
  bool FModifiedFallback = false;
  bool FReadOnly = false;
  bool FInCommit = false;
  bool FClickRegistered = false;
  bool FFocusLost = false;
  bool FDropPending = false;
  bool FDestroying = false;
  bool FDisplayFocused = true;
  bool FMouseOutside = true;
  // 0 or 1: the look last drawn; 2: not drawn yet.
  int FLastFlatState = 2;
  bool FUseTarnelBorder = false;
  TTarnelBorderStyle FTarnelBorderStyle = tbsSunkenBorder;
  TColor FLineColor = clSystemColor | COLOR_3DDKSHADOW;
  AnsiString FEditClass;
  AnsiString FPopupWindowClass;
  AnsiString FEditSourceClass;
};

// The published edit with buttons.
class TDCEdit : public TCustomDCEdit {
 public:
  using TCustomDCEdit::TCustomDCEdit;
  // Published: Version (not stored).
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
};
