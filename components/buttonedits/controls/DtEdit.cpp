#include "components/buttonedits/controls/DtEdit.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "classlib/Exception.h"
#include "components/buttonedits/controls/EditOwner.h"

namespace {

std::vector<int> numbers(const std::string& text) {
  std::vector<int> out;
  int v = -1;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      v = (v < 0 ? 0 : v * 10) + (c - '0');
      if (v > 99999) v = 99999;
    } else if (v >= 0) {
      out.push_back(v);
      v = -1;
    }
  }
  if (v >= 0) out.push_back(v);
  return out;
}

[[noreturn]] void badText(const std::string& text, const char* kind) {
  throw EConvertError("'" + text + "' ist kein gültiges " + kind);
}

}  // namespace

TDCDtEdit::TDCDtEdit(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FColor = clWindow;
}

void TDCDtEdit::SetParent(TWinControl* parent) {
  TWinControl::SetParent(parent);
  if (parent && !FParentedOnce) {
    FParentedOnce = true;
    // The picker brings its own drop-down.
    if (TEditOwner* edit = EditOwnerOf(this)) edit->SetNumButtons(0);
  }
}

void TDCDtEdit::CreateParams(TCreateParams& p) {
  static bool init = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)init;
  TWinControl::CreateParams(p);
  p.ClassName = DATETIMEPICK_CLASSA;
  p.Style |= WS_TABSTOP | DTS_SHOWNONE | DTS_RIGHTALIGN | (TimeKind() ? DTS_TIMEFORMAT : 0);
  p.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TDCDtEdit::HandleCreated() {
  SetWindowLongPtrA(FHandle, GWL_EXSTYLE, GetWindowLongPtrA(FHandle, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
  if (FHasPending) {
    FHasPending = false;
    SetText(FPending);
  }
  NotifyEditorHandleCreated(this);
}

bool TDCDtEdit::Value(SYSTEMTIME& value) {
  if (!FHandle || FNoValue) return false;
  return SendMessageA(FHandle, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value)) == GDT_VALID;
}

void TDCDtEdit::SetValue(const SYSTEMTIME* value) {
  if (!Handle()) return;
  FNoValue = value == nullptr;
  SendMessageA(FHandle, DTM_SETSYSTEMTIME, value ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(value));
}

LRESULT TDCDtEdit::NotifyReflect(NMHDR* h) {
  switch (h->code) {
    case DTN_DATETIMECHANGE:
      FModified = true;
      FNoValue = reinterpret_cast<NMDATETIMECHANGE*>(h)->dwFlags == GDT_NONE;
      break;
    case DTN_DROPDOWN:
      FDropped = true;
      break;
    case DTN_CLOSEUP:
      FDropped = false;
      break;
    default:
      break;
  }
  return 0;
}

LRESULT TDCDtEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_SETTEXT:
      SetText(l ? reinterpret_cast<const char*>(l) : "");
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(GetText().size());
    case WM_GETTEXT: {
      std::string text = GetText();
      if (w == 0 || !l) return 0;
      size_t n = std::min(text.size(), static_cast<size_t>(w) - 1);
      memcpy(reinterpret_cast<char*>(l), text.data(), n);
      reinterpret_cast<char*>(l)[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    default:
      return TWinControl::WndProc(msg, w, l);
  }
}

std::string TDCDtEdit::GetText() {
  SYSTEMTIME t{};
  if (!Value(t)) return std::string();
  return FormatValue(t);
}

void TDCDtEdit::SetText(const std::string& text) {
  if (!FHandle) {
    FPending = text;
    FHasPending = true;
    return;
  }
  if (text.empty()) {
    SetValue(nullptr);
    return;
  }
  SYSTEMTIME t{};
  if (!ParseValue(text, t)) badText(text, KindName());
  SetValue(&t);
}

std::string TDCDateEdit::FormatValue(const SYSTEMTIME& t) const {
  char buf[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, buf, sizeof buf);
  return buf;
}

bool TDCDateEdit::ParseValue(const std::string& text, SYSTEMTIME& t) const {
  std::vector<int> n = numbers(text);
  if (n.size() != 3) return false;
  char order[4] = "1";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, sizeof order);
  int d = n[0], m = n[1], y = n[2];
  if (order[0] == '0') d = n[1], m = n[0];
  if (order[0] == '2') y = n[0], m = n[1], d = n[2];
  if (y < 100) y += y < 50 ? 2000 : 1900;
  t = SYSTEMTIME{};
  t.wYear = static_cast<WORD>(y);
  t.wMonth = static_cast<WORD>(m);
  t.wDay = static_cast<WORD>(d);
  FILETIME probe;
  return m >= 1 && m <= 12 && d >= 1 && d <= 31 && y <= 9999 && SystemTimeToFileTime(&t, &probe);
}

std::string TDCTimeEdit::FormatValue(const SYSTEMTIME& t) const {
  char buf[64] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, buf, sizeof buf);
  return buf;
}

bool TDCTimeEdit::ParseValue(const std::string& text, SYSTEMTIME& t) const {
  std::vector<int> n = numbers(text);
  if (n.size() < 2 || n.size() > 3 || n[0] > 23 || n[1] > 59 || (n.size() == 3 && n[2] > 59))
    return false;
  GetLocalTime(&t);  // the picker keeps a date; the time is what counts
  t.wHour = static_cast<WORD>(n[0]);
  t.wMinute = static_cast<WORD>(n[1]);
  t.wSecond = static_cast<WORD>(n.size() == 3 ? n[2] : 0);
  t.wMilliseconds = 0;
  return true;
}
