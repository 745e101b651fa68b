#include "components/edits/AdvEdit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <shellapi.h>

#include "classlib/AnsiString.h"
#include "classlib/Form.h"
#include "classlib/GuardedCall.h"
#include "classlib/OleSession.h"
#include "components/edits/EditDropTarget.h"

namespace {

DWORD alignStyle(TEditAlign a) {
  return a == eaRight ? ES_RIGHT : a == eaCenter ? ES_CENTER : ES_LEFT;
}

bool isNumericType(TAdvEditType t) { return t == etNumeric || t == etFloat || t == etMoney; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isInteger(const AnsiString& s) {
  size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i)
    if (!isDigit(s[i])) return false;
  return true;
}

// A number in the locale's form (thousand separators allowed).
bool isNumber(const AnsiString& s) {
  char dec = TAdvEdit::DecimalSeparator(), th = TAdvEdit::ThousandSeparator();
  size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  bool digits = false, sep = false;
  for (; i < s.size(); ++i) {
    if (isDigit(s[i])) {
      digits = true;
    } else if (s[i] == dec && !sep) {
      sep = true;
    } else if (!(s[i] == th && !sep)) {
      return false;
    }
  }
  return digits;
}

AnsiString localeInfo(LCTYPE type, const char* fallback) {
  char buf[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) <= 1) return fallback;
  return buf;
}

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

char TAdvEdit::DecimalSeparator() { return localeInfo(LOCALE_SDECIMAL, ".")[0]; }
char TAdvEdit::ThousandSeparator() { return localeInfo(LOCALE_STHOUSAND, ",")[0]; }

double TAdvEdit::StrToFloatDef(const AnsiString& s) {
  char dec = DecimalSeparator(), th = ThousandSeparator();
  AnsiString t;
  for (char c : s) {
    if (c == th && th != dec) continue;
    t += c == dec ? '.' : c;
  }
  size_t b = t.find_first_not_of(' ');
  size_t e = t.find_last_not_of(' ');
  if (b == AnsiString::npos) return 0;
  t = t.substr(b, e - b + 1);
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || *end != 0 || !std::isfinite(v)) return 0;
  return v;
}

AnsiString TAdvEdit::FormatFloat(double v, int precision, bool grouped) {
  if (precision < 0) precision = 0;
  if (precision > 15) precision = 15;
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", precision, v);
  AnsiString s = buf;
  AnsiString sign;
  if (!s.empty() && s[0] == '-') {
    sign = "-";
    s.erase(0, 1);
  }
  size_t dot = s.find('.');
  AnsiString ip = s.substr(0, dot);
  AnsiString fp = dot == AnsiString::npos ? AnsiString() : s.substr(dot + 1);
  if (grouped) {
    AnsiString g;
    int n = static_cast<int>(ip.size());
    for (int i = 0; i < n; ++i) {
      if (i > 0 && (n - i) % 3 == 0) g += ThousandSeparator();
      g += ip[i];
    }
    ip = g;
  }
  return sign + ip + (fp.empty() ? AnsiString() : AnsiString(1, DecimalSeparator()) + fp);
}

AnsiString TAdvEdit::MixedCase(const AnsiString& s) {
  static const char kSeparators[] = " \"$&'()*,-./:[\\]";
  AnsiString r = s;
  size_t n = r.size();
  for (size_t i = 0; i < n; ++i) {
    bool start = i == 0 || std::strchr(kSeparators, r[i - 1]) != nullptr;
    // "Mc" and "Mac" at the start and " Mc" inside start a new word.
    if (!start && i == 2 && AnsiUpperCase(r.substr(0, 2)) == "MC") start = true;
    if (!start && i == 3 && AnsiUpperCase(r.substr(0, 3)) == "MAC") start = true;
    if (!start && i >= 3 && AnsiUpperCase(r.substr(i - 3, 3)) == " MC") start = true;
    r[i] = start ? AnsiUpperChar(r[i]) : AnsiLowerChar(r[i]);
  }
  // Roman numerals at the end: " I" and " II".
  for (const char* tail : {" II", " I"}) {
    size_t len = std::strlen(tail);
    if (n >= len && AnsiUpperCase(r.substr(n - len)) == tail) {
      for (size_t i = n - len + 1; i < n; ++i) r[i] = AnsiUpperChar(r[i]);
      break;
    }
  }
  return r;
}

TTextDragRunner TAdvEdit::DragRunner = StartTextDoDragDrop;

std::function<void(const AnsiString&)> TAdvEdit::OpenURL = [](const AnsiString& url) {
  EnsureOleInitialized();
  ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
};

TAdvEdit::TAdvEdit(TComponent* owner) : TCustomEdit(owner) {}

TAdvEdit::~TAdvEdit() {
  if (FDropTarget) {
    if (FHandle && FOleDropTarget) RevokeDragDrop(FHandle);
    FDropTarget->Detach();
    FDropTarget->Release();
    FDropTarget = nullptr;
  }
  OnURLClick = nullptr;
  if (FLookupWindow) DestroyWindow(FLookupWindow);
  if (FLookupFont) DeleteObject(FLookupFont);
  if (FParentBrush) DeleteObject(FParentBrush);
  if (FParentBitmap) DeleteObject(FParentBitmap);
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
  if (FOleDropTarget && FDropTarget) {
    EnsureOleInitialized();
    RegisterDragDrop(FHandle, FDropTarget);
  }
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

void TAdvEdit::SetOleDropTarget(bool v) {
  if (v == FOleDropTarget) return;
  FOleDropTarget = v;
  if (v) {
    if (!FDropTarget) FDropTarget = new TEditDropTarget(this);
    if (FHandle) {
      EnsureOleInitialized();
      RegisterDragDrop(FHandle, FDropTarget);
    }
  } else if (FHandle) {
    RevokeDragDrop(FHandle);
  }
}

bool TAdvEdit::TestURL(const AnsiString& text) const {
  if (text.find("://") != AnsiString::npos) return true;
  size_t at = text.find('@');
  if (at != AnsiString::npos && at >= 1) return true;
  return AnsiUpperCase(text.substr(0, 4)) == "WWW.";
}

void TAdvEdit::ApplyURL(bool on) {
  if (on == FURLShown) return;
  FURLShown = on;
  if (on) {
    FNormalFontColor = Font().Color();
    Font().SetStyle(Font().Style() | fsUnderline);
    Font().SetColor(URLColor);
  } else {
    Font().SetStyle(Font().Style() & ~fsUnderline);
    Font().SetColor(FNormalFontColor);
  }
}

void TAdvEdit::UpdateLargeTextHint() {
  if (!HintShowLargeText || !FHandle) return;
  AnsiString text = TCustomEdit::Text();
  HDC dc = GetDC(FHandle);
  HGDIOBJ old = SelectObject(dc, Font().Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
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

int TAdvEdit::CharFromPoint(POINT client) const {
  LRESULT r = SendMessageA(FHandle, EM_CHARFROMPOS, 0, MAKELPARAM(client.x, client.y));
  int index = static_cast<int>(static_cast<short>(LOWORD(r)));
  int len = GetWindowTextLengthA(FHandle);
  return index < 0 ? 0 : index > len ? len : index;
}

void TAdvEdit::StartDrag() {
  DWORD s = 0, e = 0;
  SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  if (e <= s) return;
  AnsiString full = TCustomEdit::Text();
  if (e > full.size()) return;
  AnsiString text = full.substr(s, e - s);
  FDragging = true;
  FDroppedOnSelf = false;
  FDragStart = static_cast<int>(s);
  FDragLength = static_cast<int>(e - s);
  DWORD effect = DROPEFFECT_NONE;
  HRESULT hr = DragRunner ? DragRunner(text, AnsiString(), DROPEFFECT_COPY | DROPEFFECT_MOVE,
                                       effect)
                          : DRAGDROP_S_CANCEL;
  FDragging = false;
  // A move to another place takes the text away here; a drop into this
  // edit has already moved it.
  if (hr == DRAGDROP_S_DROP && (effect & DROPEFFECT_MOVE) && !FDroppedOnSelf && FHandle &&
      !FReadOnly) {
    AnsiString now = TCustomEdit::Text();
    if (now.compare(static_cast<size_t>(FDragStart), text.size(), text) == 0) {
      SendMessageA(FHandle, EM_SETSEL, FDragStart, FDragStart + FDragLength);
      SendMessageA(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    }
  }
}

void TAdvEdit::OleDragOver(POINT screen) {
  if (!FHandle) return;
  ScreenToClient(FHandle, &screen);
  int i = CharFromPoint(screen);
  SendMessageA(FHandle, EM_SETSEL, i, i);
}

void TAdvEdit::OleDrop(POINT screen, const AnsiString& dropped, DWORD& effect) {
  if (!FHandle || FReadOnly) {
    effect = DROPEFFECT_NONE;
    return;
  }
  // One line: the text up to its first line break.
  AnsiString text = dropped.substr(0, dropped.find_first_of("\r\n"));
  ScreenToClient(FHandle, &screen);
  int index = CharFromPoint(screen);
  int pre = static_cast<int>(FPrefix.size());
  int valueEnd = static_cast<int>(TCustomEdit::Text().size() - FSuffix.size());
  if (index < pre) index = pre;
  if (index > valueEnd) index = valueEnd < pre ? pre : valueEnd;
  if (FDragging) {
    FDroppedOnSelf = true;
    if (index >= FDragStart && index <= FDragStart + FDragLength) {
      // Dropped onto itself: nothing moves.
      effect = DROPEFFECT_NONE;
      return;
    }
    if (effect & DROPEFFECT_MOVE) {
      SendMessageA(FHandle, EM_SETSEL, FDragStart, FDragStart + FDragLength);
      SendMessageA(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
      if (index > FDragStart) index -= FDragLength;
    }
  }
  SendMessageA(FHandle, EM_SETSEL, index, index);
  SendMessageA(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  FModified = true;
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
  bool numeric = isNumericType(FEditType) || FEditType == etHex;
  if (v.empty() && !AllowNumericNullValue && numeric) v = "0";
  if (FEditType == etFloat || FEditType == etMoney) {
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
    if ((type == etNumeric && !isInteger(v)) ||
        (type == etHex && v.find_first_not_of("0123456789ABCDEFabcdef-") != AnsiString::npos))
      SetInt(0);
    else if ((type == etFloat || type == etMoney) && !isNumber(v))
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
  if (FEditType == etFloat || FEditType == etMoney) SetText(v);
}

double TAdvEdit::GetFloat() const { return StrToFloatDef(Text()); }

void TAdvEdit::SetFloat(double v) {
  if (FEditType == etFloat || FEditType == etMoney)
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
  if (FEditType == etFloat || FEditType == etMoney)
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
  int len = static_cast<int>(TCustomEdit::Text().size());
  int start = static_cast<int>(FPrefix.size());
  int end = len - static_cast<int>(FSuffix.size());
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
    if (HBRUSH brush = ParentBackgroundBrush()) {
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

// The parent erases its background into a bitmap of the edit's client
// size, shifted so that the bitmap shows what lies under the edit; the
// edit's background and text runs are then filled with it.
HBRUSH TAdvEdit::ParentBackgroundBrush() {
  RECT r;
  GetClientRect(FHandle, &r);
  int w = r.right > 0 ? r.right : 1, h = r.bottom > 0 ? r.bottom : 1;
  HWND parent = FParent->Handle();
  POINT origin{0, 0};
  MapWindowPoints(FHandle, parent, &origin, 1);
  HDC screen = GetDC(FHandle);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(FHandle, screen);
  if (!mem || !bitmap) {
    if (mem) DeleteDC(mem);
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(mem, bitmap);
  SetViewportOrgEx(mem, -origin.x, -origin.y, nullptr);
  SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
  SelectObject(mem, old);
  DeleteDC(mem);
  HBRUSH brush = CreatePatternBrush(bitmap);
  if (!brush) {
    DeleteObject(bitmap);
    return nullptr;
  }
  if (FParentBrush) DeleteObject(FParentBrush);
  if (FParentBitmap) DeleteObject(FParentBitmap);
  FParentBrush = brush;
  FParentBitmap = bitmap;
  return brush;
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

void TAdvEdit::DoEnter() {
  if (FRealigning) return;
  FFocusValue = Text();
  FNormalColor = FColor;
  if (!FURLShown) FNormalFontColor = Font().Color();
  if (!FError) {
    if (FocusColor != clNone) SetColor(FocusColor);
    if (!ShowModified && !FURLShown) Font().SetColor(FocusFontColor);
  }
  if (FocusLabel) {
    EditLabel.Bold = true;
    EditLabel.Update(*this);
  }
  if (FocusWidthInc) {
    FNormalWidth = FWidth;
    SetBounds(FLeft, FTop, FWidth + FocusWidthInc, FHeight);
  }
  ApplyAlign(FocusAlign);
  if (AutoSelect) SelectAll();
  TEditBorder::Refresh(FHandle);
  TCustomEdit::DoEnter();
}

void TAdvEdit::DoExit() {
  if (FRealigning) return;
  HideLookup();
  if (!FLoading) {
    if (!FError && !ShowModified) {
      SetColor(FNormalColor);
      if (!FURLShown) Font().SetColor(FNormalFontColor);
    } else if (!FError) {
      SetColor(FNormalColor);
    }
    AnsiString v = Text();
    if ((FEditType == etFloat || FEditType == etMoney) && FPrecision > 0 && !v.empty()) {
      bool modified = FModified;
      SetText(v);
      FModified = modified;
    } else if (isNumericType(FEditType) && v.empty() && !AllowNumericNullValue) {
      bool modified = FModified;
      SetText("0");
      FModified = modified;
    }
    SetError(ShowError && !DoValidate(Text()));
    if (FLookup.Enabled && FLookup.History) {
      AnsiString t = Text();
      size_t b = t.find_first_not_of(' '), e = t.find_last_not_of(' ');
      t = b == AnsiString::npos ? AnsiString() : t.substr(b, e - b + 1);
      if (!t.empty() && FLookup.DisplayList.IndexOf(t) < 0) FLookup.DisplayList.Add(t);
    }
    if (FocusLabel) {
      EditLabel.Bold = false;
      EditLabel.Update(*this);
    }
    if (FocusWidthInc && FNormalWidth) SetBounds(FLeft, FTop, FNormalWidth, FHeight);
    ApplyAlign(FEditAlign);
    TEditBorder::Refresh(FHandle);
  }
  TCustomEdit::DoExit();
}

AnsiString TAdvEdit::IntegerPart() const {
  AnsiString v = Text();
  size_t dec = v.find(DecimalSeparator());
  if (FEditType == etFloat || FEditType == etMoney) v = v.substr(0, dec);
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
  size_t dec = (FEditType == etFloat || FEditType == etMoney) ? v.find(DecimalSeparator())
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

bool TAdvEdit::KeyPress(char& key) {
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
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

  char dec = DecimalSeparator(), th = ThousandSeparator();
  if (ExcelStyleDecimalSeparator && FNumpadDecimal && (key == '.' || key == ',')) key = dec;
  if (key == '\b' && !FPrefix.empty() && SelStart() <= static_cast<int>(FPrefix.size()) &&
      SelLength() == 0)
    return false;
  bool minusAllowed = Signed && isNumericType(FEditType);
  if (LengthLimit > 0 && ValueFull() && key != '\b' && key != dec && !(key == '-' && minusAllowed))
    return false;
  if (key == '-' && isNumericType(FEditType)) {
    if (Signed) ToggleSign();
    return false;
  }

  bool control = key == '\b' || key == '\t' || key == '\r';
  switch (FEditType) {
    case etString:
    case etPassword:
      break;
    case etNumeric:
      if (!isDigit(key) && !control) return false;
      break;
    case etFloat:
    case etMoney: {
      if (key == dec) {
        AnsiString v = Text();
        size_t p = v.find(dec);
        if (p != AnsiString::npos) {
          // A second separator moves behind the first one; with decimals
          // they are selected so that typing replaces them.
          int after = static_cast<int>(p) + 1;
          SetSelectedValue(after, FPrecision > 0 ? static_cast<int>(v.size()) - after : 0);
          return false;
        }
        break;
      }
      if (key == th) return false;
      if (!isDigit(key) && !control) return false;
      break;
    }
    case etUppercase:
      key = AnsiUpperChar(key);
      break;
    case etLowerCase:
      key = AnsiLowerChar(key);
      break;
    case etMixedCase:
      break;
    case etRange:
      if (!isDigit(key) && !control && key != ',' && key != '-' && key != ';') return false;
      break;
    case etHex:
      if (!control && !isDigit(key) && key != '-' && !(key >= 'A' && key <= 'F') &&
          !(key >= 'a' && key <= 'f'))
        return false;
      break;
    case etAlphaNumeric:
      if (!control && !isDigit(key) && !(key >= 'A' && key <= 'Z') && !(key >= 'a' && key <= 'z'))
        return false;
      break;
    case etValidChars:
      if (key != '\b' && ValidChars.find(key) == AnsiString::npos) return false;
      break;
  }
  if (key != '\t' && key != '\r') FModified = true;
  return true;
}

bool TAdvEdit::KeyDown(WORD& key) {
  bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  FNumpadDecimal = key == VK_DECIMAL;
  int pre = static_cast<int>(FPrefix.size());
  int valueEnd = static_cast<int>(TCustomEdit::Text().size()) - static_cast<int>(FSuffix.size());
  DWORD s = 0, e = 0;
  SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  int start = static_cast<int>(s), end = static_cast<int>(e);
  if (HWND list = LookupWindow()) {
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    int sel = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    int page = FLookup.DisplayCount > 0 ? FLookup.DisplayCount : 1;
    int to = -2;
    switch (key) {
      case VK_RETURN: DoneLookup(); return false;
      case VK_HOME: to = 0; break;
      case VK_END: to = count - 1; break;
      case VK_UP: to = sel - 1; break;
      case VK_DOWN: to = sel + 1; break;
      case VK_PRIOR: to = sel - page; break;
      case VK_NEXT: to = sel + page; break;
      default: break;
    }
    if (to != -2) {
      to = to < 0 ? 0 : to >= count ? count - 1 : to;
      SendMessageA(list, LB_SETCURSEL, to, 0);
      return false;
    }
  }
  switch (key) {
    case VK_RETURN:
      if (ctrl) return true;
      if (ReturnIsTab && IsWindowVisible(FHandle)) {
        PostMessageA(FHandle, WM_KEYDOWN, VK_TAB, 0);
        return false;
      }
      return true;
    case VK_ESCAPE: {
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

bool TAdvEdit::WantsKey(WORD key, UINT code) const {
  if (key == VK_RETURN && LookupWindow()) return true;
  if (key == VK_RETURN) return ReturnIsTab && !(GetKeyState(VK_CONTROL) & 0x8000);
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
  char dec = DecimalSeparator();
  bool taken = true;
  switch (FEditType) {
    case etString:
    case etPassword:
    case etRange:
    case etHex:
      break;
    case etNumeric:
      taken = isInteger(nv) && nv[0] != '+' && (Signed || nv[0] != '-');
      break;
    case etFloat:
    case etMoney:
      taken = isNumber(nv) && (FPrecision > 0 || nv.find(dec) == AnsiString::npos) &&
              (Signed || nv[0] != '-');
      break;
    case etUppercase:
      nv = AnsiUpperCase(nv);
      break;
    case etLowerCase:
      nv = AnsiLowerCase(nv);
      break;
    case etMixedCase:
      nv = MixedCase(nv);
      break;
    case etAlphaNumeric:
      for (char c : nv)
        if (!isDigit(c) && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z')) taken = false;
      break;
    case etValidChars:
      for (char c : nv)
        if (ValidChars.find(c) == AnsiString::npos) taken = false;
      break;
  }
  if (!taken) return;
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
    case WM_CHAR: {
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
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(w);
      if (OnKeyDown) {
        OnKeyDown(this, key, KeyboardShiftState());
        if (key == 0) return 0;
      }
      if (!KeyDown(key)) return 0;
      return DefaultHandler(msg, key, l);
    }
    case WM_KEYUP: {
      LRESULT r = TCustomEdit::WndProc(msg, w, l);
      KeyUp(static_cast<WORD>(w));
      return r;
    }
    case WM_PASTE:
      PasteFromClipboard();
      return 0;
    case WM_COPY:
      CopyToClipboard(false);
      return 0;
    case WM_CUT:
      CopyToClipboard(true);
      return 0;
    case WM_LBUTTONDOWN: {
      // A press inside the selection of the focused edit may start a drag.
      if (OleDropSource && Focused()) {
        DWORD ss = 0, se = 0;
        SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&ss),
                     reinterpret_cast<LPARAM>(&se));
        POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        int i = CharFromPoint(p);
        if (se > ss && i >= static_cast<int>(ss) && i < static_cast<int>(se)) {
          FDragPending = true;
          return 0;
        }
      }
      break;
    }
    case WM_MOUSEMOVE:
      if (FDragPending && (w & MK_LBUTTON)) {
        FDragPending = false;
        StartDrag();
        return 0;
      }
      if (AutoFocus && FEnabled && !Focused() && FHandle &&
          GetActiveWindow() == GetAncestor(FHandle, GA_ROOT))
        SetFocus();
      break;
    case WM_SETCURSOR:
      if (FURLShown && Focused() && LOWORD(l) == HTCLIENT) {
        ::SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_NCPAINT: {
      LRESULT r = TCustomEdit::WndProc(msg, w, l);
      Border.Paint(FHandle, Focused(), FEnabled, FEnabled ? FColor : Border.DisabledColor);
      return r;
    }
    case WM_PAINT: {
      LRESULT r = TCustomEdit::WndProc(msg, w, l);
      PaintExtras();
      return r;
    }
    case WM_LBUTTONUP: {
      if (FDragPending) {
        // No drag after all: the click places the caret.
        FDragPending = false;
        POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        int i = CharFromPoint(p);
        SendMessageA(FHandle, EM_SETSEL, i, i);
      }
      if (ShowURL && FURLShown && Focused()) {
        bool show = true;
        AnsiString url = Text();
        if (OnURLClick) OnURLClick(this, url, show);
        if (show && OpenURL) OpenURL(url);
      }
      LRESULT r = TCustomEdit::WndProc(msg, w, l);
      // The caret stays out of Prefix and Suffix.
      int pre = static_cast<int>(FPrefix.size());
      int valueEnd = static_cast<int>(TCustomEdit::Text().size() - FSuffix.size());
      int s = SelStart(), len = SelLength();
      if (s < pre || s + len > valueEnd) {
        int ns = s < pre ? pre : s;
        int ne = s + len > valueEnd ? valueEnd : s + len;
        SendMessageA(FHandle, EM_SETSEL, ns, ne < ns ? ns : ne);
      }
      return r;
    }
    case WM_DESTROY:
      if (FOleDropTarget) RevokeDragDrop(FHandle);
      // The suggestion list belongs to this window and goes with it.
      if (FLookupWindow) {
        DestroyWindow(FLookupWindow);
        FLookupWindow = nullptr;
      }
      if (FRealigning) break;
      if (!FSaved) {
        FSaved = true;
        SavePersist();
      }
      break;
    default:
      break;
  }
  return TCustomEdit::WndProc(msg, w, l);
}

// Drawn over the edit's own painting: the hint text of an empty edit and
// the wavy error line.
void TAdvEdit::PaintExtras() {
  bool empty = TCustomEdit::Text().empty();
  bool hint = !EmptyText.empty() && empty && !Focused();
  if (!hint && ErrorMarkerLen <= 0) return;
  HDC dc = GetDC(FHandle);
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  if (hint) {
    RECT r;
    GetClientRect(FHandle, &r);
    DWORD margins = static_cast<DWORD>(SendMessageA(FHandle, EM_GETMARGINS, 0, 0));
    r.left += LOWORD(margins) + 1;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(clGrayText));
    DrawTextA(dc, EmptyText.c_str(), static_cast<int>(EmptyText.size()), &r,
              DT_SINGLELINE | DT_NOPREFIX | (FShownAlign == eaRight    ? DT_RIGHT
                                             : FShownAlign == eaCenter ? DT_CENTER
                                                                       : DT_LEFT));
  }
  if (ErrorMarkerLen > 0) {
    int len = static_cast<int>(TCustomEdit::Text().size());
    int from = static_cast<int>(FPrefix.size()) + ErrorMarkerPos;
    int to = from + ErrorMarkerLen;
    if (from < 0) from = 0;
    if (to > len) to = len;
    if (from < to) {
      auto xOf = [&](int i) -> int {
        if (i < len) return static_cast<short>(LOWORD(SendMessageA(FHandle, EM_POSFROMCHAR, i, 0)));
        // The end of the text: after the last character.
        LRESULT last = SendMessageA(FHandle, EM_POSFROMCHAR, len - 1, 0);
        SIZE size{};
        AnsiString text = TCustomEdit::Text();
        GetTextExtentPoint32A(dc, text.c_str() + len - 1, 1, &size);
        return static_cast<short>(LOWORD(last)) + size.cx;
      };
      int x0 = xOf(from), x1 = xOf(to);
      int y = static_cast<short>(HIWORD(SendMessageA(FHandle, EM_POSFROMCHAR, from, 0))) +
              tm.tmAscent + 1;
      HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(ErrorColor));
      HGDIOBJ oldPen = SelectObject(dc, pen);
      MoveToEx(dc, x0, y + 2, nullptr);
      for (int x = x0, k = 0; x < x1; ++k) {
        x += 2;
        LineTo(dc, x > x1 ? x1 : x, (k % 2 == 0) ? y : y + 2);
      }
      SelectObject(dc, oldPen);
      DeleteObject(pen);
    }
  }
  SelectObject(dc, oldFont);
  ReleaseDC(FHandle, dc);
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

namespace {

AnsiString readIni(const AnsiString& file, const AnsiString& section, const AnsiString& key,
                   const AnsiString& def) {
  std::vector<char> buf(4096);
  GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                           static_cast<DWORD>(buf.size()), file.c_str());
  return buf.data();
}

AnsiString readReg(const AnsiString& key, const AnsiString& section, const AnsiString& name,
                   const AnsiString& def) {
  HKEY h;
  AnsiString path = key + "\\" + section;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return def;
  std::vector<char> buf(4096);
  DWORD size = static_cast<DWORD>(buf.size() - 1), type = 0;
  LONG r = RegQueryValueExA(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                            &size);
  RegCloseKey(h);
  if (r != ERROR_SUCCESS || type != REG_SZ) return def;
  return AnsiString(buf.data(), strnlen(buf.data(), size));
}

void writeReg(const AnsiString& key, const AnsiString& section, const AnsiString& name,
              const AnsiString& value) {
  HKEY h;
  AnsiString path = key + "\\" + section;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(h);
}

}  // namespace

void TAdvEdit::LoadPersist() {
  if (!FPersistence.Enable) return;
  AnsiString section = FPersistence.Section.empty() ? Name() : FPersistence.Section;
  if (section.empty()) return;
  bool reg = FPersistence.Location == plRegistry;
  AnsiString file = PersistFile(FPersistence.Key);
  auto read = [&](const AnsiString& name, const AnsiString& def) {
    return reg ? readReg(FPersistence.Key, section, name, def) : readIni(file, section, name, def);
  };
  if (FLookup.Enabled && FLookup.History) {
    int count = std::atoi(read("LOOKUPCOUNT", "0").c_str());
    for (int i = 1; i <= count; ++i) {
      AnsiString v = read("LOOKUPVAL" + std::to_string(i), "");
      if (!v.empty()) FLookup.ValueList.Add(v);
      AnsiString d = read("LOOKUPDISPL" + std::to_string(i), "");
      if (!d.empty()) FLookup.DisplayList.Add(d);
    }
  }
  AnsiString v = read(Name().empty() ? AnsiString("Value") : Name(), "@");
  // The stored value goes through the same setter as a typed one.
  if (v != "@") SetText(v);
}

void TAdvEdit::SavePersist() {
  if (!FPersistence.Enable) return;
  AnsiString section = FPersistence.Section.empty() ? Name() : FPersistence.Section;
  if (section.empty()) return;
  bool reg = FPersistence.Location == plRegistry;
  AnsiString file = PersistFile(FPersistence.Key);
  auto write = [&](const AnsiString& name, const AnsiString& value) {
    if (reg)
      writeReg(FPersistence.Key, section, name, value);
    else
      WritePrivateProfileStringA(section.c_str(), name.c_str(), value.c_str(), file.c_str());
  };
  write(Name().empty() ? AnsiString("Value") : Name(), Text());
  if (FLookup.Enabled && FLookup.History) {
    int count = FLookup.DisplayList.Count();
    write("LOOKUPCOUNT", std::to_string(count));
    for (int i = 1; i <= count; ++i) {
      write("LOOKUPDISPL" + std::to_string(i), FLookup.DisplayList.Strings(i - 1));
      write("LOOKUPVAL" + std::to_string(i),
            i <= FLookup.ValueList.Count() ? FLookup.ValueList.Strings(i - 1) : AnsiString());
    }
  }
}

HWND TAdvEdit::LookupWindow() const {
  return FLookupWindow && IsWindowVisible(FLookupWindow) ? FLookupWindow : nullptr;
}

std::vector<AnsiString> TAdvEdit::LookupEntries() const {
  std::vector<AnsiString> entries;
  for (int i : FLookupIndex) entries.push_back(FLookup.DisplayList.Strings(i));
  return entries;
}

void TAdvEdit::HideLookup() {
  if (FLookupWindow) ShowWindow(FLookupWindow, SW_HIDE);
}

LRESULT CALLBACK TAdvEdit::LookupProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto* edit = reinterpret_cast<TAdvEdit*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  LRESULT r = CallWindowProcA(edit->FLookupDefProc, h, msg, w, l);
  if (msg == WM_LBUTTONUP) GuardedCall([&] { edit->DoneLookup(); });
  // The list never keeps the activation: the edit stays the active window.
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return r;
}

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
  AnsiString key = FLookup.CaseSensitive ? fragment : AnsiUpperCase(fragment);
  std::vector<std::pair<AnsiString, int>> matches;
  for (int i = 0; i < FLookup.DisplayList.Count(); ++i) {
    AnsiString entry = FLookup.DisplayList.Strings(i);
    AnsiString head = entry.substr(0, fragment.size());
    if ((FLookup.CaseSensitive ? head : AnsiUpperCase(head)) == key) matches.emplace_back(entry, i);
  }
  if (matches.empty()) {
    HideLookup();
    return;
  }
  std::stable_sort(matches.begin(), matches.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  bool wasVisible = LookupWindow() != nullptr;
  if (!FLookupWindow) {
    FLookupWindow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "LISTBOX", "",
                                    WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0, 0, 0, 0,
                                    FHandle, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!FLookupWindow) return;
    SetWindowLongPtrA(FLookupWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FLookupDefProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        FLookupWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TAdvEdit::LookupProc)));
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    if (!FLookupFont)
      FLookupFont = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                "Arial");
    SendMessageA(FLookupWindow, WM_SETFONT, reinterpret_cast<WPARAM>(FLookupFont), FALSE);
    SendMessageA(FLookupWindow, LB_SETITEMHEIGHT, 0, 12);
  }
  SendMessageA(FLookupWindow, LB_RESETCONTENT, 0, 0);
  FLookupIndex.clear();
  HDC dc = GetDC(FLookupWindow);
  HGDIOBJ old = SelectObject(dc, FLookupFont);
  int widest = 50;
  for (auto& [entry, index] : matches) {
    SendMessageA(FLookupWindow, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    FLookupIndex.push_back(index);
    SIZE size{};
    GetTextExtentPoint32A(dc, entry.c_str(), static_cast<int>(entry.size()), &size);
    if (size.cx > widest) widest = size.cx;
  }
  SelectObject(dc, old);
  ReleaseDC(FLookupWindow, dc);
  SendMessageA(FLookupWindow, LB_SETCURSEL, 0, 0);
  int shown = std::min(FLookup.DisplayCount > 0 ? FLookup.DisplayCount : 1,
                       static_cast<int>(matches.size()));
  int width = widest + (static_cast<int>(matches.size()) > shown ? GetSystemMetrics(SM_CXVSCROLL) : 0) +
              (wasVisible ? 0 : 10);
  // Below the edit, under the fragment's first character.
  RECT r;
  GetWindowRect(FHandle, &r);
  LRESULT pos = SendMessageA(FHandle, EM_POSFROMCHAR, FPrefix.size() + fragmentStart, 0);
  POINT at{static_cast<short>(LOWORD(pos)), 0};
  ClientToScreen(FHandle, &at);
  SetWindowPos(FLookupWindow, HWND_TOPMOST, at.x + 8, r.bottom, width, shown * 12 + 4,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TAdvEdit::DoneLookup() {
  if (!FLookupWindow) return;
  int sel = static_cast<int>(SendMessageA(FLookupWindow, LB_GETCURSEL, 0, 0));
  HideLookup();
  if (sel < 0 || sel >= static_cast<int>(FLookupIndex.size())) return;
  int index = FLookupIndex[static_cast<size_t>(sel)];
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
