#include "components/edits/AdvEdit.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <shellapi.h>

#include "classlib/AnsiString.h"
#include "classlib/Form.h"
#include "classlib/OleSession.h"
#include "classlib/SelectedObject.h"
#include "components/edits/EditDropTarget.h"
#include "components/edits/PersistenceStore.h"

namespace {

DWORD alignStyle(TEditAlign a) {
  return a == eaRight ? ES_RIGHT : a == eaCenter ? ES_CENTER : ES_LEFT;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool keyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

POINT pointOf(LPARAM l) { return POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))}; }

AnsiString clipboardText(HWND owner) {
  AnsiString text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      text.assign(p, strnlen(p, GlobalSize(h)));
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

void setClipboardText(HWND owner, const AnsiString& text) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (char* p = static_cast<char*>(GlobalLock(g))) {
      std::memcpy(p, text.c_str(), text.size() + 1);
      GlobalUnlock(g);
      if (!SetClipboardData(CF_TEXT, g)) GlobalFree(g);
    } else {
      GlobalFree(g);
    }
  }
  CloseClipboard();
}

}  // namespace

TTextDragRunner TAdvEdit::DragRunner = StartTextDoDragDrop;

std::function<void(const AnsiString&)> TAdvEdit::OpenURL = [](const AnsiString& url) {
  EnsureOleInitialized();
  ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
};

TAdvEdit::TAdvEdit(TComponent* owner) : TCustomEdit(owner) {
  FLookupPart.OnPick = [this] { DoneLookup(); };
}

TAdvEdit::~TAdvEdit() {
  FDrag.Revoke(FHandle);
  OnURLClick = nullptr;
  FLookupPart.Destroy();
  // The window goes with the base class; the value is saved while this
  // object is whole.
  if (FHandle && !FSaved) {
    FSaved = true;
    SavePersist();
  }
  OnValueValidate = nullptr;
  OnClipboardCopy = OnClipboardCut = OnClipboardPaste = nullptr;
  OnKeyPress = nullptr;
  OnLookupSelect = nullptr;
  OnLookupIndexSelect = nullptr;
}

void TAdvEdit::HandleCreated() {
  TCustomEdit::HandleCreated();
  if (FEditType == etPassword) SendMessageA(FHandle, EM_SETPASSWORDCHAR, '*', 0);
  FDrag.Register(FHandle);
}

void TAdvEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= alignStyle(FShownAlign);
}

void TAdvEdit::SetEditAlign(TEditAlign a) {
  FEditAlign = a;
  ApplyAlign(a);
}

// The edit control takes its alignment only when its window is made: the
// window is made again, without the focus bookkeeping that would run.
void TAdvEdit::ApplyAlign(TEditAlign a) {
  if (a == eaDefault || a == FShownAlign) return;
  FShownAlign = a;
  if (!FHandle) return;
  bool focused = Focused();
  DWORD s = 0, e = 0;
  SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  FText = TCustomEdit::Text();
  FRealigning = true;
  RecreateWnd();
  if (focused && FHandle && GetFocus() != FHandle) ::SetFocus(FHandle);
  FRealigning = false;
  if (FHandle) SendMessageA(FHandle, EM_SETSEL, s, e);
}

void TAdvEdit::SetFlat(bool v) {
  Border.Flat = v;
  if (v && Border.FlatParentColor && FParent) SetColor(FParent->Color());
  FNormalColor = FColor;
  TEditBorder::Refresh(FHandle);
}

void TAdvEdit::SetLabelCaption(const AnsiString& caption) {
  EditLabel.Caption = caption;
  EditLabel.Update(*this);
}

void TAdvEdit::SetLabelPosition(TLabelPosition position) {
  EditLabel.Position = position;
  EditLabel.Update(*this);
}

void TAdvEdit::BoundsChanged() {
  TCustomEdit::BoundsChanged();
  if (!FRealigning) EditLabel.Update(*this);
  UpdateLargeTextHint();
}

void TAdvEdit::VisibleChanged() {
  TCustomEdit::VisibleChanged();
  EditLabel.Update(*this);
}

void TAdvEdit::EnabledChanged() {
  TCustomEdit::EnabledChanged();
  EditLabel.Update(*this);
  TEditBorder::Refresh(FHandle);
}

void TAdvEdit::SetErrorMarker(int pos, int len) {
  ErrorMarkerPos = pos;
  ErrorMarkerLen = len;
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TAdvEdit::SetOleDropTarget(bool v) { FDrag.SetTarget(this, FHandle, v); }

bool TAdvEdit::TestURL(const AnsiString& text) const { return TEditLinkMode::LooksLikeURL(text); }

void TAdvEdit::ApplyURL(bool on) { FLink.Apply(on, Font(), URLColor, FNormalFontColor); }

void TAdvEdit::UpdateLargeTextHint() {
  if (!HintShowLargeText || !FHandle) return;
  AnsiString text = TCustomEdit::Text();
  HDC dc = GetDC(FHandle);
  SIZE size{};
  {
    TSelectedObject useFont(dc, Font().Handle());
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  }
  ReleaseDC(FHandle, dc);
  RECT r;
  GetClientRect(FHandle, &r);
  if (size.cx > r.right - 4) {
    if (!FLargeHint) {
      FSavedHint = FHint;
      FSavedShowHint = FShowHint;
      FLargeHint = true;
    }
    if (FHint == Text() && FShowHint) return;
    FHint = Text();
    FShowHint = true;
    HintChanged();
  } else if (FLargeHint) {
    FLargeHint = false;
    FHint = FSavedHint;
    FShowHint = FSavedShowHint;
    HintChanged();
  }
}

void TAdvEdit::OleDragOver(POINT screen) {
  if (FHandle) FDrag.DragOver(FHandle, screen);
}

void TAdvEdit::OleDrop(POINT screen, const AnsiString& dropped, DWORD& effect) {
  if (!FHandle || FReadOnly) {
    effect = DROPEFFECT_NONE;
    return;
  }
  if (FDrag.Drop(FHandle, screen, dropped, effect, static_cast<int>(FPrefix.size()), ValueEnd()))
    FModified = true;
}

int TAdvEdit::ValueEnd() const {
  return static_cast<int>(TCustomEdit::Text().size()) - static_cast<int>(FSuffix.size());
}

AnsiString TAdvEdit::Text() const {
  AnsiString s = TCustomEdit::Text();
  if (!FPrefix.empty() && s.compare(0, FPrefix.size(), FPrefix) == 0) s.erase(0, FPrefix.size());
  if (!FSuffix.empty() && s.size() >= FSuffix.size() &&
      s.compare(s.size() - FSuffix.size(), FSuffix.size(), FSuffix) == 0)
    s.resize(s.size() - FSuffix.size());
  return s;
}

void TAdvEdit::SetText(const AnsiString& value) {
  AnsiString v = value;
  bool numeric = TAdvEditFormat::IsNumeric(FEditType) || FEditType == etHex;
  if (v.empty() && !AllowNumericNullValue && numeric) v = "0";
  if (TAdvEditFormat::HasDecimals(FEditType)) {
    if (PrecisionDisplay == pdShortest) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%g", StrToFloatDef(v));
      v = buf;
      for (char& c : v)
        if (c == '.') c = DecimalSeparator();
    } else if (FPrecision >= 1 && !v.empty()) {
      v = FormatFloat(StrToFloatDef(v), FPrecision, FEditType == etMoney);
    }
  }
  if (FEditType == etHex) v = AnsiUpperCase(v);
  TCustomEdit::SetText(FPrefix + v + FSuffix);
  FModified = false;
  if (ShowURL) ApplyURL(TestURL(Text()));
  UpdateLargeTextHint();
}

void TAdvEdit::SetEditType(TAdvEditType type) {
  FEditType = type;
  if (type == etPassword) CanUndo = false;
  if (FHandle) {
    SendMessageA(FHandle, EM_SETPASSWORDCHAR, type == etPassword ? '*' : 0, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  AnsiString v = Text();
  if (!v.empty() || !AllowNumericNullValue) {
    if ((type == etNumeric && !TAdvEditFormat::IsInteger(v)) ||
        (type == etHex && v.find_first_not_of("0123456789ABCDEFabcdef-") != AnsiString::npos))
      SetInt(0);
    else if (TAdvEditFormat::HasDecimals(type) && !TAdvEditFormat::IsNumber(v))
      SetFloat(0);
  }
}

void TAdvEdit::SetPrefix(const AnsiString& s) {
  AnsiString v = Text();
  FPrefix = s;
  SetText(v);
}

void TAdvEdit::SetSuffix(const AnsiString& s) {
  AnsiString v = Text();
  FSuffix = s;
  SetText(v);
}

void TAdvEdit::SetPrecision(int p) {
  AnsiString v = Text();
  FPrecision = p < 0 ? 0 : p;
  if (TAdvEditFormat::HasDecimals(FEditType)) SetText(v);
}

double TAdvEdit::GetFloat() const { return StrToFloatDef(Text()); }

void TAdvEdit::SetFloat(double v) {
  if (TAdvEditFormat::HasDecimals(FEditType))
    SetText(FormatFloat(v, FPrecision, FEditType == etMoney));
  else
    SetText(FormatFloat(v, 0, false));
  FModified = true;
}

int TAdvEdit::GetInt() const {
  if (FEditType == etHex) return static_cast<int>(std::strtol(Text().c_str(), nullptr, 16));
  return static_cast<int>(std::lround(StrToFloatDef(Text())));
}

void TAdvEdit::SetInt(int v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, FEditType == etHex ? "%X" : "%d", v);
  if (TAdvEditFormat::HasDecimals(FEditType))
    SetFloat(v);
  else
    SetText(buf);
  FModified = true;
}

void TAdvEdit::SetModified(bool v) {
  if (FLoading || FReadOnly) return;
  if (ShowModified) Font().SetColor(v ? ModifiedColor : FNormalFontColor);
  FModified = v;
}

void TAdvEdit::SelectAll() {
  int start = static_cast<int>(FPrefix.size());
  int end = ValueEnd();
  if (end < start) end = start;
  SetSelection(start, end - start);
}

int TAdvEdit::ValueSelStart() const {
  int p = SelStart() - static_cast<int>(FPrefix.size());
  return p < 0 ? 0 : p;
}

void TAdvEdit::SetSelectedValue(int start, int length) {
  SetSelection(static_cast<int>(FPrefix.size()) + start, length);
}

bool TAdvEdit::DoValidate(const AnsiString& value) {
  if (!OnValueValidate || FValidating) return true;
  FValidating = true;
  bool valid = true;
  try {
    OnValueValidate(this, value, valid);
  } catch (...) {
    FValidating = false;
    throw;
  }
  FValidating = false;
  return valid;
}

void TAdvEdit::SetError(bool v) {
  if (FLoading || v == FError || !ShowError) return;
  FError = v;
  if (v) {
    SetColor(ErrorColor);
    Font().SetColor(ErrorFontColor);
  } else if (Focused()) {
    SetColor(FocusColor != clNone ? FocusColor : FNormalColor);
    Font().SetColor(FocusFontColor);
  } else {
    SetColor(FNormalColor);
    Font().SetColor(FNormalFontColor);
  }
}

void TAdvEdit::Change() {
  if (FSwallowChange) {
    FSwallowChange = false;
    return;
  }
  if (ShowURL) ApplyURL(TestURL(Text()));
  // The edit paints only the changed text; a transparent one needs the
  // parent's background under all of it again.
  if (FTransparent && FHandle) InvalidateRect(FHandle, nullptr, TRUE);
  UpdateLargeTextHint();
  TCustomEdit::Change();
  if (!FLoading && ShowError) SetError(!DoValidate(Text()));
}

HBRUSH TAdvEdit::CtlColor(HDC dc) {
  if (!FEnabled) {
    FDisabledBrush.SetColor(Border.DisabledColor);
    SetBkColor(dc, ColorToRGB(Border.DisabledColor));
    SetTextColor(dc, ColorToRGB(clGrayText));
    return FDisabledBrush.Handle();
  }
  if (FTransparent && FParent && FParent->HandleAllocated()) {
    if (HBRUSH brush = FPainter.ParentBackgroundBrush(FHandle, FParent->Handle())) {
      SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, ColorToRGB(FParent->Color()));
      SetTextColor(dc, ColorToRGB(Font().Color()));
      return brush;
    }
  }
  return TCustomEdit::CtlColor(dc);
}

void TAdvEdit::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

// An edit lower than its font needs is made as high as the text plus a
// pixel above and below it plus its frame; higher edits keep their height.
void TAdvEdit::FixHeight() {
  const TEXTMETRICA tm = Font().Metrics();
  int frame = 2 * GetSystemMetrics(SM_CYEDGE);
  if (FHandle) {
    RECT w, c;
    GetWindowRect(FHandle, &w);
    GetClientRect(FHandle, &c);
    frame = (w.bottom - w.top) - c.bottom;
  }
  int needed = tm.tmHeight + 2 + frame;
  if (FHeight < needed) SetBounds(FLeft, FTop, FWidth, needed);
}

// The bold label and the wider edit while focused.
void TAdvEdit::FocusLook(bool focused) {
  if (FocusLabel) {
    EditLabel.Bold = focused;
    EditLabel.Update(*this);
  }
  if (focused && FocusWidthInc) {
    FNormalWidth = FWidth;
    SetBounds(FLeft, FTop, FWidth + FocusWidthInc, FHeight);
  } else if (!focused && FocusWidthInc && FNormalWidth) {
    SetBounds(FLeft, FTop, FNormalWidth, FHeight);
  }
}

void TAdvEdit::DoEnter() {
  if (FRealigning) return;
  FFocusValue = Text();
  FNormalColor = FColor;
  if (!FLink.Shown()) FNormalFontColor = Font().Color();
  if (!FError) {
    if (FocusColor != clNone) SetColor(FocusColor);
    if (!ShowModified && !FLink.Shown()) Font().SetColor(FocusFontColor);
  }
  FocusLook(true);
  ApplyAlign(FocusAlign);
  if (AutoSelect) SelectAll();
  TEditBorder::Refresh(FHandle);
  TCustomEdit::DoEnter();
}

// A left float or money value shows its decimals; an empty number that may
// not be empty becomes 0. Neither counts as a change by the user.
void TAdvEdit::NormaliseOnExit() {
  AnsiString v = Text();
  bool modified = FModified;
  if (TAdvEditFormat::HasDecimals(FEditType) && FPrecision > 0 && !v.empty())
    SetText(v);
  else if (TAdvEditFormat::IsNumeric(FEditType) && v.empty() && !AllowNumericNullValue)
    SetText("0");
  FModified = modified;
}

// The value left behind joins the suggestions.
void TAdvEdit::AddToHistory() {
  if (!FLookup.Enabled || !FLookup.History) return;
  AnsiString t = Text();
  size_t b = t.find_first_not_of(' '), e = t.find_last_not_of(' ');
  t = b == AnsiString::npos ? AnsiString() : t.substr(b, e - b + 1);
  if (!t.empty() && FLookup.DisplayList.IndexOf(t) < 0) FLookup.DisplayList.Add(t);
}

void TAdvEdit::DoExit() {
  if (FRealigning) return;
  HideLookup();
  if (!FLoading) {
    if (!FError) {
      SetColor(FNormalColor);
      if (!ShowModified && !FLink.Shown()) Font().SetColor(FNormalFontColor);
    }
    NormaliseOnExit();
    SetError(ShowError && !DoValidate(Text()));
    AddToHistory();
    FocusLook(false);
    ApplyAlign(FEditAlign);
    TEditBorder::Refresh(FHandle);
  }
  TCustomEdit::DoExit();
}

AnsiString TAdvEdit::IntegerPart() const {
  AnsiString v = Text();
  size_t dec = v.find(DecimalSeparator());
  if (TAdvEditFormat::HasDecimals(FEditType)) v = v.substr(0, dec);
  if (Signed && !v.empty() && v[0] == '-') v.erase(0, 1);
  if (FEditType == etMoney) {
    AnsiString d;
    for (char c : v)
      if (c != ThousandSeparator()) d += c;
    v = d;
  }
  return v;
}

// The value holds LengthLimit characters before its decimal separator,
// nothing is selected and the caret stands before the separator.
bool TAdvEdit::ValueFull() const {
  if (LengthLimit <= 0) return false;
  if (static_cast<int>(IntegerPart().size()) < LengthLimit) return false;
  if (SelLength() > 0) return false;
  AnsiString v = Text();
  size_t dec = TAdvEditFormat::HasDecimals(FEditType) ? v.find(DecimalSeparator())
                                                      : AnsiString::npos;
  return dec == AnsiString::npos || ValueSelStart() <= static_cast<int>(dec);
}

void TAdvEdit::ToggleSign() {
  int len = static_cast<int>(Text().size());
  if (len > 0 && SelLength() >= len) {
    SetText("-");
    SetSelectedValue(1, 0);
    return;
  }
  int caret = ValueSelStart();
  AnsiString v = Text();
  if (!v.empty() && v[0] == '-') {
    v.erase(0, 1);
    --caret;
  } else {
    v.insert(0, 1, '-');
    ++caret;
  }
  AnsiString full = FPrefix + v + FSuffix;
  TCustomEdit::SetText(full);
  SetSelectedValue(caret < 0 ? 0 : caret, 0);
  FModified = true;
}

void TAdvEdit::ReinsertThousands() {
  AnsiString v = Text();
  int fromEnd = static_cast<int>(v.size()) - ValueSelStart();
  size_t dec = v.find(DecimalSeparator());
  AnsiString ip = v.substr(0, dec), fp = dec == AnsiString::npos ? AnsiString() : v.substr(dec);
  AnsiString sign;
  if (!ip.empty() && ip[0] == '-') {
    sign = "-";
    ip.erase(0, 1);
  }
  AnsiString digits;
  for (char c : ip)
    if (isDigit(c)) digits += c;
  AnsiString grouped = digits.empty() ? AnsiString()
                                      : FormatFloat(std::strtod(digits.c_str(), nullptr), 0,
                                                    AutoThousandSeparator);
  AnsiString nv = sign + grouped + fp;
  if (nv == v) return;
  FSwallowChange = true;
  TCustomEdit::SetText(FPrefix + nv + FSuffix);
  FSwallowChange = false;
  int caret = static_cast<int>(nv.size()) - fromEnd;
  SetSelectedValue(caret < 0 ? 0 : caret, 0);
}

void TAdvEdit::MoveBehindDecimal() {
  AnsiString v = Text();
  size_t p = v.find(DecimalSeparator());
  // A second separator moves behind the first one; with decimals they are
  // selected so that typing replaces them.
  int after = static_cast<int>(p) + 1;
  SetSelectedValue(after, FPrecision > 0 ? static_cast<int>(v.size()) - after : 0);
}

bool TAdvEdit::KeyPress(char& key) {
  bool ctrl = keyHeld(VK_CONTROL);
  if (key == '\n' && ctrl) return false;
  if (key == '\r') {
    if (OnKeyPress) OnKeyPress(this, key);
    return false;
  }
  if (OnKeyPress) {
    OnKeyPress(this, key);
    if (key == 0) return false;
  }
  if (key == 27) return !CanUndo;
  if (key == 3 || key == 22 || key == 24) return true;
  if (ctrl && static_cast<unsigned char>(key) < 32 && key != '\b') return true;

  char dec = DecimalSeparator();
  if (ExcelStyleDecimalSeparator && FNumpadDecimal && (key == '.' || key == ',')) key = dec;
  if (key == '\b' && !FPrefix.empty() && SelStart() <= static_cast<int>(FPrefix.size()) &&
      SelLength() == 0)
    return false;
  bool numeric = TAdvEditFormat::IsNumeric(FEditType);
  bool minusAllowed = Signed && numeric;
  if (LengthLimit > 0 && ValueFull() && key != '\b' && key != dec && !(key == '-' && minusAllowed))
    return false;
  if (key == '-' && numeric) {
    if (Signed) ToggleSign();
    return false;
  }
  if (TAdvEditFormat::HasDecimals(FEditType) && key == dec) {
    if (Text().find(dec) != AnsiString::npos) {
      MoveBehindDecimal();
      return false;
    }
  } else if (!TAdvEditFormat::FilterChar(FEditType, key, ValidChars)) {
    return false;
  }
  if (key != '\t' && key != '\r') FModified = true;
  return true;
}

// While the suggestion list shows, Enter takes its entry and the moving
// keys move in it.
bool TAdvEdit::LookupKey(WORD key) {
  if (!FLookupPart.Window()) return true;
  if (key == VK_RETURN) {
    DoneLookup();
    return false;
  }
  return !FLookupPart.MoveSelection(key, FLookup.DisplayCount > 0 ? FLookup.DisplayCount : 1);
}

// Escape gives back the value the edit had when it got the focus, and the
// parent sees the key too.
bool TAdvEdit::EscapeKey() {
  if (!CanUndo) return true;
  SetText(FFocusValue);
  Font().SetColor(FocusFontColor);
  SelectAll();
  FModified = false;
  if (HWND parent = GetParent(FHandle)) {
    PostMessageA(parent, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(parent, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  }
  return false;
}

// Home, End, the arrows and Delete keep the caret out of Prefix and Suffix;
// Delete in a money value puts the thousand separators back.
bool TAdvEdit::CaretKey(WORD key) {
  bool shift = keyHeld(VK_SHIFT);
  int pre = static_cast<int>(FPrefix.size());
  int valueEnd = ValueEnd();
  DWORD s = 0, e = 0;
  SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  int start = static_cast<int>(s), end = static_cast<int>(e);
  switch (key) {
    case VK_HOME:
      if (!pre) return true;
      SendMessageA(FHandle, EM_SETSEL, shift ? end : pre, pre);
      return false;
    case VK_END:
      if (FSuffix.empty()) return true;
      SendMessageA(FHandle, EM_SETSEL, shift ? start : valueEnd, valueEnd);
      return false;
    case VK_LEFT:
      if (pre && start <= pre && end <= pre + (shift ? 1 : 0) && !shift) {
        SendMessageA(FHandle, EM_SETSEL, pre, pre);
        return false;
      }
      if (pre && start <= pre && shift) return false;
      return true;
    case VK_RIGHT:
      if (!FSuffix.empty() && end >= valueEnd) {
        if (!shift) SendMessageA(FHandle, EM_SETSEL, valueEnd, valueEnd);
        return false;
      }
      return true;
    case VK_DELETE:
      if (!FSuffix.empty() && start >= valueEnd && start == end) return false;
      if (FEditType == etMoney) {
        DefaultHandler(WM_KEYDOWN, key, 0);
        ReinsertThousands();
        return false;
      }
      return true;
    default:
      return true;
  }
}

bool TAdvEdit::KeyDown(WORD& key) {
  FNumpadDecimal = key == VK_DECIMAL;
  if (!LookupKey(key)) return false;
  switch (key) {
    case VK_RETURN:
      if (keyHeld(VK_CONTROL)) return true;
      if (ReturnIsTab && IsWindowVisible(FHandle)) {
        PostMessageA(FHandle, WM_KEYDOWN, VK_TAB, 0);
        return false;
      }
      return true;
    case VK_ESCAPE:
      return EscapeKey();
    default:
      return CaretKey(key);
  }
}

bool TAdvEdit::WantsKey(WORD key, UINT code) const {
  if (key == VK_RETURN && LookupWindow()) return true;
  if (key == VK_RETURN) return ReturnIsTab && !keyHeld(VK_CONTROL);
  if (key == VK_ESCAPE) {
    TCustomForm* form = ParentForm();
    return CanUndo && !(form && form->KeyPreview()) && !FReadOnly;
  }
  return TCustomEdit::WantsKey(key, code);
}

void TAdvEdit::PasteFromClipboard() {
  if (FReadOnly) return;
  AnsiString clip = clipboardText(FHandle);
  AnsiString v = Text();
  int start = ValueSelStart();
  int length = SelLength();
  if (start > static_cast<int>(v.size())) start = static_cast<int>(v.size());
  if (start + length > static_cast<int>(v.size())) length = static_cast<int>(v.size()) - start;
  AnsiString nv = v.substr(0, start) + clip + v.substr(start + length);
  bool allow = true;
  if (OnClipboardPaste) OnClipboardPaste(this, nv, allow);
  if (!allow) return;
  int limit = FMaxLength > 0 ? FMaxLength - static_cast<int>(FPrefix.size() + FSuffix.size()) : 0;
  if (FMaxLength > 0 && static_cast<int>(nv.size()) > limit) return;
  if (!TAdvEditFormat::FilterPaste(FEditType, nv, Signed, FPrecision, ValidChars)) return;
  SetText(nv);
  FModified = true;
  AnsiString shown = Text();
  if (FEditType == etMoney && shown.size() > 3) {
    SelectAll();
  } else {
    int caret = start + static_cast<int>(clip.size());
    if (caret > static_cast<int>(shown.size())) caret = static_cast<int>(shown.size());
    SetSelectedValue(caret, 0);
  }
  UpdateLookup();
  if (TabOnFullLength && LengthLimit > 0 && static_cast<int>(shown.size()) == LengthLimit)
    PostMessageA(FHandle, WM_KEYDOWN, VK_TAB, 0);
}

void TAdvEdit::CopyToClipboard(bool cut) {
  AnsiString v = Text();
  int start = ValueSelStart(), length = SelLength();
  AnsiString part = start < static_cast<int>(v.size()) ? v.substr(start, length) : AnsiString();
  bool allow = true;
  if (cut ? static_cast<bool>(OnClipboardCut) : static_cast<bool>(OnClipboardCopy))
    (cut ? OnClipboardCut : OnClipboardCopy)(this, part, allow);
  if (!allow) return;
  setClipboardText(FHandle, part);
  if (cut && !FReadOnly) SendMessageA(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
}

LRESULT TAdvEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_CHAR: return WMChar(msg, w, l);
    case WM_KEYDOWN: return WMKeyDown(msg, w, l);
    case WM_KEYUP: return WMKeyUp(msg, w, l);
    case WM_PASTE: PasteFromClipboard(); return 0;
    case WM_COPY: CopyToClipboard(false); return 0;
    case WM_CUT: CopyToClipboard(true); return 0;
    case WM_LBUTTONDOWN: return WMLButtonDown(msg, w, l);
    case WM_MOUSEMOVE: return WMMouseMove(msg, w, l);
    case WM_SETCURSOR: return WMSetCursor(msg, w, l);
    case WM_NCPAINT: return WMNCPaint(msg, w, l);
    case WM_PAINT: return WMPaint(msg, w, l);
    case WM_LBUTTONUP: return WMLButtonUp(msg, w, l);
    case WM_DESTROY: return WMDestroy(msg, w, l);
    default: return TCustomEdit::WndProc(msg, w, l);
  }
}

LRESULT TAdvEdit::WMChar(UINT msg, WPARAM w, LPARAM l) {
  char key = static_cast<char>(w);
  if (!KeyPress(key)) return 0;
  LRESULT r = DefaultHandler(msg, static_cast<unsigned char>(key), l);
  if (FEditType == etMixedCase && key != '\b' && static_cast<unsigned char>(key) >= 32) {
    int caret = ValueSelStart();
    TCustomEdit::SetText(FPrefix + MixedCase(Text()) + FSuffix);
    SetSelectedValue(caret, 0);
  }
  if (FEditType == etMoney) ReinsertThousands();
  UpdateLookup();
  if (TabOnFullLength && LengthLimit > 0 && key != '\b' && key != '\t' &&
      static_cast<int>(IntegerPart().size()) >= LengthLimit && SelLength() == 0 &&
      ValueSelStart() == LengthLimit)
    PostMessageA(FHandle, WM_KEYDOWN, VK_TAB, 0);
  return r;
}

LRESULT TAdvEdit::WMKeyDown(UINT msg, WPARAM w, LPARAM l) {
  WORD key = static_cast<WORD>(w);
  if (OnKeyDown) {
    OnKeyDown(this, key, KeyboardShiftState());
    if (key == 0) return 0;
  }
  if (!KeyDown(key)) return 0;
  return DefaultHandler(msg, key, l);
}

LRESULT TAdvEdit::WMKeyUp(UINT msg, WPARAM w, LPARAM l) {
  LRESULT r = TCustomEdit::WndProc(msg, w, l);
  KeyUp(static_cast<WORD>(w));
  return r;
}

// A press inside the selection of the focused edit may start a drag.
LRESULT TAdvEdit::WMLButtonDown(UINT msg, WPARAM w, LPARAM l) {
  if (OleDropSource && Focused() && FDrag.Press(FHandle, pointOf(l))) return 0;
  return TCustomEdit::WndProc(msg, w, l);
}

LRESULT TAdvEdit::WMMouseMove(UINT msg, WPARAM w, LPARAM l) {
  if (FDrag.Move(FHandle, w, FReadOnly, DragRunner)) return 0;
  if (AutoFocus && FEnabled && !Focused() && FHandle &&
      GetActiveWindow() == GetAncestor(FHandle, GA_ROOT))
    SetFocus();
  return TCustomEdit::WndProc(msg, w, l);
}

LRESULT TAdvEdit::WMSetCursor(UINT msg, WPARAM w, LPARAM l) {
  if (FLink.Shown() && Focused() && LOWORD(l) == HTCLIENT) {
    ::SetCursor(LoadCursorA(nullptr, IDC_HAND));
    return TRUE;
  }
  return TCustomEdit::WndProc(msg, w, l);
}

LRESULT TAdvEdit::WMNCPaint(UINT msg, WPARAM w, LPARAM l) {
  LRESULT r = TCustomEdit::WndProc(msg, w, l);
  Border.Paint(FHandle, Focused(), FEnabled, FEnabled ? FColor : Border.DisabledColor);
  return r;
}

LRESULT TAdvEdit::WMPaint(UINT msg, WPARAM w, LPARAM l) {
  LRESULT r = TCustomEdit::WndProc(msg, w, l);
  PaintExtras();
  return r;
}

LRESULT TAdvEdit::WMLButtonUp(UINT msg, WPARAM w, LPARAM l) {
  FDrag.Release(FHandle, pointOf(l));
  if (ShowURL && FLink.Shown() && Focused()) TEditLinkMode::Click(this, Text(), OnURLClick, OpenURL);
  LRESULT r = TCustomEdit::WndProc(msg, w, l);
  KeepSelectionInValue();
  return r;
}

void TAdvEdit::KeepSelectionInValue() {
  int pre = static_cast<int>(FPrefix.size());
  int valueEnd = ValueEnd();
  int s = SelStart(), len = SelLength();
  if (s < pre || s + len > valueEnd) {
    int ns = s < pre ? pre : s;
    int ne = s + len > valueEnd ? valueEnd : s + len;
    SendMessageA(FHandle, EM_SETSEL, ns, ne < ns ? ns : ne);
  }
}

LRESULT TAdvEdit::WMDestroy(UINT msg, WPARAM w, LPARAM l) {
  FDrag.Revoke(FHandle);
  // The suggestion list belongs to this window and goes with it.
  FLookupPart.Destroy();
  if (!FRealigning && !FSaved) {
    FSaved = true;
    SavePersist();
  }
  return TCustomEdit::WndProc(msg, w, l);
}

// Drawn over the edit's own painting: the hint text of an empty edit and
// the wavy error line.
void TAdvEdit::PaintExtras() {
  AnsiString text = TCustomEdit::Text();
  bool hint = !EmptyText.empty() && text.empty() && !Focused();
  if (!hint && ErrorMarkerLen <= 0) return;
  UINT align = FShownAlign == eaRight ? DT_RIGHT : FShownAlign == eaCenter ? DT_CENTER : DT_LEFT;
  FPainter.PaintExtras(FHandle, Font().Handle(), text, hint ? EmptyText : AnsiString(), align,
                       static_cast<int>(FPrefix.size()) + ErrorMarkerPos, ErrorMarkerLen,
                       ErrorColor);
}

void TAdvEdit::Loaded() {
  if (Border.Flat && Border.FlatParentColor && FParent) SetColor(FParent->Color());
  FDisabledBrush.SetColor(Border.DisabledColor);
  EditLabel.Update(*this);
  TEditBorder::Refresh(FHandle);
  FNormalColor = FColor;
  FNormalFontColor = Font().Color();
  FixHeight();
  FSaved = false;
  LoadPersist();
}

AnsiString TAdvEdit::PersistFile(const AnsiString& key) const {
  if (!key.empty()) return key;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  AnsiString p = path;
  size_t dot = p.rfind('.');
  size_t slash = p.find_last_of("\\/");
  if (dot != AnsiString::npos && (slash == AnsiString::npos || dot > slash)) p.resize(dot);
  return p + ".INI";
}

void TAdvEdit::LoadPersist() {
  if (!FPersistence.Enable) return;
  AnsiString section = FPersistence.Section.empty() ? Name() : FPersistence.Section;
  if (section.empty()) return;
  TPersistenceStore store(FPersistence.Location == plRegistry, FPersistence.Key,
                          PersistFile(FPersistence.Key), section);
  if (FLookup.Enabled && FLookup.History) {
    int count = std::atoi(store.Read("LOOKUPCOUNT", "0").c_str());
    for (int i = 1; i <= count; ++i) {
      AnsiString v = store.Read("LOOKUPVAL" + std::to_string(i), "");
      if (!v.empty()) FLookup.ValueList.Add(v);
      AnsiString d = store.Read("LOOKUPDISPL" + std::to_string(i), "");
      if (!d.empty()) FLookup.DisplayList.Add(d);
    }
  }
  AnsiString v = store.Read(Name().empty() ? AnsiString("Value") : Name(), "@");
  // The stored value goes through the same setter as a typed one.
  if (v != "@") SetText(v);
}

void TAdvEdit::SavePersist() {
  if (!FPersistence.Enable) return;
  AnsiString section = FPersistence.Section.empty() ? Name() : FPersistence.Section;
  if (section.empty()) return;
  TPersistenceStore store(FPersistence.Location == plRegistry, FPersistence.Key,
                          PersistFile(FPersistence.Key), section);
  store.Write(Name().empty() ? AnsiString("Value") : Name(), Text());
  if (FLookup.Enabled && FLookup.History) {
    int count = FLookup.DisplayList.Count();
    store.Write("LOOKUPCOUNT", std::to_string(count));
    for (int i = 1; i <= count; ++i) {
      store.Write("LOOKUPDISPL" + std::to_string(i), FLookup.DisplayList.Strings(i - 1));
      store.Write("LOOKUPVAL" + std::to_string(i),
                  i <= FLookup.ValueList.Count() ? FLookup.ValueList.Strings(i - 1) : AnsiString());
    }
  }
}

HWND TAdvEdit::LookupWindow() const { return FLookupPart.Window(); }

std::vector<AnsiString> TAdvEdit::LookupEntries() const { return FLookupPart.Entries(FLookup); }

void TAdvEdit::UpdateLookup() {
  if (!FLookup.Enabled || !FHandle) return;
  AnsiString text = Text();
  AnsiString fragment = text;
  size_t fragmentStart = 0;
  if (FLookup.Multi) {
    size_t p = text.rfind(FLookup.Separator);
    if (p != AnsiString::npos) {
      fragmentStart = p + 1;
      fragment = text.substr(p + 1);
    }
  }
  if (static_cast<int>(fragment.size()) < FLookup.NumChars) {
    HideLookup();
    return;
  }
  FLookupPart.Show(FHandle, FLookup, TAdvEditLookup::Matches(FLookup, fragment),
                   static_cast<int>(FPrefix.size() + fragmentStart));
}

void TAdvEdit::DoneLookup() {
  int index = FLookupPart.SelectedIndex();
  HideLookup();
  if (index < 0) return;
  AnsiString value = index < FLookup.ValueList.Count() ? FLookup.ValueList.Strings(index)
                                                       : FLookup.DisplayList.Strings(index);
  if (OnLookupSelect) OnLookupSelect(this, value);
  if (OnLookupIndexSelect) OnLookupIndexSelect(this, index, value);
  if (FHandle) ::SetFocus(FHandle);
  if (FLookup.Multi) {
    AnsiString text = Text();
    size_t p = text.rfind(FLookup.Separator);
    SetText((p == AnsiString::npos ? AnsiString() : text.substr(0, p + 1)) + value);
    int end = static_cast<int>(Text().size());
    SetSelectedValue(end, 0);
  } else {
    SetText(value);
    SelectAll();
  }
  FModified = true;
}
