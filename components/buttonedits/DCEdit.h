#pragma once
// The edit with buttons: a container holding a borderless inner editor and
// up to two buttons flush at its right end, with an optional drop-down
// popup. A button with its own click handler only focuses the edit and runs
// the handler; a button without one opens or closes the drop-down. The inner
// editor's window procedure is replaced, so that the container sees its
// keys (Up and Down move the focus, Enter and Escape never reach it), its
// focus and its text changes. Its parts: the buttons (TEditButton with
// TButtonParams), the default inner editor (TDCSimpleEdit), the drawn
// borders (TDCEditBorder) and the editor's replaced procedure
// (TDCEditorHook).
#include <functional>

#include "classlib/Edit.h"
#include "classlib/TypInfo.h"
#include "classlib/WinControl.h"
#include "components/buttonedits/ButtonParams.h"
#include "components/buttonedits/DCEditBorder.h"
#include "components/buttonedits/DCEditorHook.h"
#include "components/buttonedits/DCSimpleEdit.h"
#include "components/buttonedits/EditButton.h"
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

enum TDCBorderStyle { bsDCNone, bsDCSingle };

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
  // One handler per message of the edit's window procedure.
  LRESULT WMSize(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMSetFocus(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMKillFocus(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMTimer(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMLButtonDown(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMActivateApp(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMSetCursor(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMKey(UINT msg, WPARAM w, LPARAM l);
  // The inner editor's messages: each handler answers false when the
  // message is taken (the editor does not see it) and may change the key.
  LRESULT EditWndProc(UINT msg, WPARAM w, LPARAM l);
  bool EditorLButtonDown(WPARAM w);
  bool EditorKey(UINT msg, WPARAM& w, LPARAM l);
  LRESULT EditorGetDlgCode(UINT msg, WPARAM w, LPARAM l);
  void EditorKillFocus(WPARAM w);
  // The editor's own procedure, then what follows on the container.
  LRESULT EditorDefault(UINT msg, WPARAM w, LPARAM l);
  void InstallEditor(TWinControl* editor);
  void CloseFromHook();
  void UpdateBorder();
  void DrawBorder(HDC dc);
  // A sunken or raised single edge drawn with UseTarnelBorder.
  bool SingleBorder() const;
  void TrackDropMouse();
  void HookEditWndProc();
  void UnHookEditWndProc();
  void MoveFocus(bool forward);
  RECT EditScreenRect() const;

  TWinControl* FEdit = nullptr;
  TWinControl* FPopup = nullptr;
  TEditSource* FEditSource = nullptr;
  TButtonParams* FButton1 = nullptr;
  TButtonParams* FButton2 = nullptr;
  TDCEditorHook FHook;
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
