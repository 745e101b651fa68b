#pragma once
// An edit with a value type that filters what is typed, pasted and
// assigned, fixed texts before and after the value, focus colours, Enter as
// Tab, a move to the next control when the value is full, and persistence of
// the value in an ini file or the registry.
#include <functional>
#include <vector>

#include "classlib/Edit.h"
#include "classlib/StringList.h"
#include "components/edits/AdvEditFormat.h"
#include "components/edits/AdvEditLookup.h"
#include "components/edits/AdvEditPainter.h"
#include "components/edits/EditBorder.h"
#include "components/edits/EditLabel.h"
#include "components/edits/EditLinkMode.h"
#include "components/edits/EditTextDrag.h"
#include "components/edits/RangeList.h"

enum TPrecisionDisplay { pdNormal, pdShortest };
enum TEditAlign { eaLeft, eaRight, eaDefault, eaCenter };
enum TPersistenceLocation { plInifile, plRegistry };

// Where the value is kept between runs.
class TPersistence : public TPersistent {
 public:
  bool Enable = false;
  AnsiString Key;  // ini file name (empty: the program's ".INI") or registry key
  AnsiString Section;
  TPersistenceLocation Location = plInifile;
};

using TValueValidateEvent = std::function<void(TObject* sender, AnsiString value, bool& isValid)>;
using TClipboardEvent = std::function<void(TObject* sender, AnsiString& value, bool& allow)>;
using TAdvKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TLookupSelectEvent = std::function<void(TObject* sender, AnsiString& value)>;
using TLookupIndexSelectEvent =
    std::function<void(TObject* sender, int index, AnsiString& value)>;

// The edit keeps its published interface and hands its concerns to parts:
// the value types' filter and format (TAdvEditFormat), the suggestion list
// (TAdvEditLookup), the drawing over the edit (TAdvEditPainter), the link
// look (TEditLinkMode), drag and drop of the text (TEditTextDrag), the
// attached label (TAttachedLabel) and the stored value (TPersistenceStore).
class TAdvEdit : public TCustomEdit {
 public:
  explicit TAdvEdit(TComponent* owner);
  ~TAdvEdit() override;

  // The control text without Prefix and Suffix (each removed only where
  // the text has it).
  AnsiString Text() const override;
  void SetText(const AnsiString& value) override;

  TAdvEditType EditType() const { return FEditType; }
  void SetEditType(TAdvEditType type);
  const AnsiString& Prefix() const { return FPrefix; }
  void SetPrefix(const AnsiString& s);
  const AnsiString& Suffix() const { return FSuffix; }
  void SetSuffix(const AnsiString& s);
  int Precision() const { return FPrecision; }
  void SetPrecision(int p);
  TPrecisionDisplay PrecisionDisplay = pdNormal;
  bool Signed = false;
  bool AllowNumericNullValue = false;
  bool AutoThousandSeparator = true;
  bool ExcelStyleDecimalSeparator = false;
  int LengthLimit = 0;
  bool TabOnFullLength = false;
  bool ReturnIsTab = false;
  AnsiString ValidChars;
  bool AutoSelect = true;
  bool CanUndo = true;
  TColor FocusColor = clNone;
  TColor FocusFontColor = clWindowText;
  bool ShowModified = false;
  TColor ModifiedColor = clHighlight;
  bool ShowError = false;
  TColor ErrorColor = clRed;
  TColor ErrorFontColor = clWhite;
  // A wavy line in ErrorColor under the characters Pos .. Pos + Len - 1 of
  // the value.
  int ErrorMarkerPos = 0;
  int ErrorMarkerLen = 0;
  void SetErrorMarker(int pos, int len);
  // Grey hint text drawn while the edit is empty and not focused.
  AnsiString EmptyText;
  bool ShowURL = false;
  TColor URLColor = clBlue;
  bool AutoFocus = false;
  bool FocusLabel = false;
  int FocusWidthInc = 0;
  bool HintShowLargeText = false;
  TEditAlign EditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign a);
  TEditAlign FocusAlign = eaDefault;

  // Flat, soft and focus borders and the disabled look.
  TEditBorder Border;
  bool Flat() const { return Border.Flat; }
  void SetFlat(bool v);
  // Drawn on the parent's background instead of its own colour.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // The attached label (LabelCaption, LabelPosition, LabelMargin ...).
  TAttachedLabel EditLabel;
  void SetLabelCaption(const AnsiString& caption);
  void SetLabelPosition(TLabelPosition position);

  // OLE drag and drop of the text.
  bool OleDropTarget() const { return FDrag.TargetOn(); }
  void SetOleDropTarget(bool v);
  bool OleDropSource = false;
  static TTextDragRunner DragRunner;

  // A value that looks like a web or mail address.
  virtual bool TestURL(const AnsiString& text) const;
  // Opens an address with the shell (ShellExecuteA "open"); tests replace it.
  static std::function<void(const AnsiString& url)> OpenURL;

  // The range text of the value into a list, and a list back as the value.
  bool RangeStrToList(TRangeList& list) const { return list.StrToList(Text()); }
  void ListToRangeStr(const TRangeList& list) { SetText(::ListToRangeStr(list)); }

  TLookupSettings& Lookup() { return FLookup; }
  TPersistence& Persistence() { return FPersistence; }

  double GetFloat() const;
  void SetFloat(double v);
  int GetInt() const;
  void SetInt(int v);
  bool Modified() const { return FModified; }
  void SetModified(bool v);
  bool Error() const { return FError; }
  // Selects the value only (not Prefix and Suffix).
  void SelectAll();

  // Called once the creator has set the properties: reads the persisted value.
  virtual void Loaded();

  TValueValidateEvent OnValueValidate;
  TClipboardEvent OnClipboardCopy;
  TClipboardEvent OnClipboardCut;
  TClipboardEvent OnClipboardPaste;
  TAdvKeyPressEvent OnKeyPress;
  TLookupSelectEvent OnLookupSelect;
  TLookupIndexSelectEvent OnLookupIndexSelect;
  TURLClickEvent OnURLClick;

  // The suggestion list while it is shown (null otherwise), its entries in
  // shown order, and taking its selected entry.
  HWND LookupWindow() const;
  std::vector<AnsiString> LookupEntries() const;
  void DoneLookup();

  bool WantsKey(WORD key, UINT dialogCode) const override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The locale's separators and the number conversion of the edit: the
  // thousand separators removed, then the decimal separator read; a text
  // that does not convert gives 0.
  static char DecimalSeparator() { return TAdvEditFormat::DecimalSeparator(); }
  static char ThousandSeparator() { return TAdvEditFormat::ThousandSeparator(); }
  static double StrToFloatDef(const AnsiString& s) { return TAdvEditFormat::StrToFloatDef(s); }
  // "%.<precision>f" with the locale's decimal separator, and with
  // thousand separators when `grouped`.
  static AnsiString FormatFloat(double v, int precision, bool grouped) {
    return TAdvEditFormat::FormatFloat(v, precision, grouped);
  }
  // Mixed case: a letter after a word separator (or first) upper-cased,
  // other letters lower-cased, with the "Mc", "Mac" and roman-numeral rules.
  static AnsiString MixedCase(const AnsiString& s) { return TAdvEditFormat::MixedCase(s); }

 protected:
  virtual bool DoValidate(const AnsiString& value);
  virtual void LoadPersist();
  virtual void SavePersist();
  void Change() override;
  void DoEnter() override;
  void DoExit() override;
  void HandleCreated() override;
  void CreateParams(TCreateParams& params) override;
  HBRUSH CtlColor(HDC dc) override;
  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  // Handlers of WM_CHAR and WM_KEYDOWN; false when the message is consumed.
  virtual bool KeyPress(char& key);
  virtual bool KeyDown(WORD& key);
  virtual void KeyUp(WORD key) {}
  // The ini file the persistence uses.
  AnsiString PersistFile(const AnsiString& key) const;
  void SetSelectedValue(int start, int length);
  // Caret and selection in positions of the value (after the Prefix).
  int ValueSelStart() const;

  bool FLoading = false;

 private:
  // One handler per message of the window procedure.
  LRESULT WMChar(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMKeyDown(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMKeyUp(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMLButtonDown(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMMouseMove(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMSetCursor(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMNCPaint(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMPaint(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMLButtonUp(UINT msg, WPARAM w, LPARAM l);
  LRESULT WMDestroy(UINT msg, WPARAM w, LPARAM l);

  // The keys the edit gives a meaning of its own; false when consumed.
  bool LookupKey(WORD key);
  bool EscapeKey();
  bool CaretKey(WORD key);
  // The decimal separator typed into a float or money value that has one:
  // the caret moves behind it.
  void MoveBehindDecimal();
  // The caret and selection kept out of Prefix and Suffix.
  void KeepSelectionInValue();
  // The position of the value's end in the control text.
  int ValueEnd() const;
  void UpdateLookup();
  void HideLookup() { FLookupPart.Hide(); }
  void PasteFromClipboard();
  void CopyToClipboard(bool cut);
  void ToggleSign();
  void ReinsertThousands();
  bool ValueFull() const;
  void SetError(bool v);
  AnsiString IntegerPart() const;
  void ApplyURL(bool on);
  void ApplyAlign(TEditAlign align);
  void PaintExtras();
  // The drop target's side: a drop at a screen point, the caret following.
  void OleDrop(POINT screen, const AnsiString& text, DWORD& effect);
  void OleDragOver(POINT screen);
  void UpdateLargeTextHint();
  void FixHeight();
  void FocusLook(bool focused);
  void NormaliseOnExit();
  void AddToHistory();

  TAdvEditType FEditType = etString;
  AnsiString FPrefix, FSuffix;
  int FPrecision = 0;
  TLookupSettings FLookup;
  TPersistence FPersistence;
  AnsiString FFocusValue;
  TColor FNormalColor = clWindow;
  TColor FNormalFontColor = clWindowText;
  bool FModified = false;
  bool FError = false;
  bool FValidating = false;
  bool FSwallowChange = false;
  bool FNumpadDecimal = false;
  bool FSaved = false;
  TAdvEditLookup FLookupPart;
  TAdvEditPainter FPainter;
  TEditLinkMode FLink;
  TEditTextDrag FDrag;

  TEditAlign FEditAlign = eaLeft;
  TEditAlign FShownAlign = eaLeft;
  bool FRealigning = false;
  int FNormalWidth = 0;
  TBrush FDisabledBrush;
  bool FTransparent = false;
  bool FLargeHint = false;
  AnsiString FSavedHint;
  bool FSavedShowHint = false;
  friend class TEditDropTarget;
};
