#include "components/buttonedits/DCHelpers.h"

#include <shellapi.h>

#include <cctype>
#include <cstdint>

#include "classlib/Form.h"
#include "components/buttonedits/runtime/RegistryPersistence.h"

namespace {

static_assert(sizeof(WINDOWPLACEMENT) == 44, "the stored placement is 44 bytes");

AnsiString FormPath(const AnsiString& key, const char* value) { return "Forms\\" + key + "\\" + value; }

bool StartsWithNoCase(const AnsiString& text, const char* prefix) {
  for (size_t i = 0; prefix[i]; ++i)
    if (i >= text.size() || std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

}  // namespace

void WriteWinPosToReg(TControl* control, const AnsiString& key) {
  auto* win = dynamic_cast<TWinControl*>(control);
  if (!win || !win->HandleAllocated()) return;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(win->Handle(), &wp)) return;
  WriteBufToRegistry(FormPath(key, "WinPos"), &wp, sizeof wp);
  if (dynamic_cast<TCustomForm*>(control)) {
    const int32_t state = IsIconic(win->Handle()) ? 1 : IsZoomed(win->Handle()) ? 2 : 0;
    WriteToRegistry(FormPath(key, "WindowState"), Variant::Integer(state));
  }
}

void ReadWinPosFromReg(TControl* control, const AnsiString& key) {
  if (!control) return;
  WINDOWPLACEMENT wp{};
  if (ReadBufFromRegistry(FormPath(key, "WinPos"), &wp, sizeof wp) != sizeof wp || wp.length != sizeof wp) return;
  const RECT r = wp.rcNormalPosition;
  if (r.right <= r.left || r.bottom <= r.top || !MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return;
  control->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  auto* form = dynamic_cast<TCustomForm*>(control);
  if (!form || !form->HandleAllocated()) return;
  const int32_t state = static_cast<int32_t>(ReadFromRegistry(FormPath(key, "WindowState"), Variant::Integer(0)).AsInt());
  if (state == 2) ShowWindow(form->Handle(), SW_MAXIMIZE);
  else if (state == 1) ShowWindow(form->Handle(), SW_MINIMIZE);
  else if (form->Visible()) ShowWindow(form->Handle(), SW_RESTORE);
}

bool IsEmailString(const AnsiString& text) {
  if (text.empty()) return false;
  if (StartsWithNoCase(text, "MAILTO:")) return true;
  const auto at = text.find('@');
  if (at == AnsiString::npos || text.find('@', at + 1) != AnsiString::npos) return false;
  if (at + 1 >= text.size()) return false;
  const unsigned char next = static_cast<unsigned char>(text[at + 1]);
  if (!(std::isalnum(next) || next == '_' || next >= 0xC0)) return false;
  return text.find('.', at + 1) != AnsiString::npos;
}

bool IsWWWString(const AnsiString& text) {
  return StartsWithNoCase(text, "WWW.") || StartsWithNoCase(text, "HTTP://") ||
         StartsWithNoCase(text, "GOPHER://") || StartsWithNoCase(text, "FTP://");
}

std::function<bool(const AnsiString&)> IsStringHotHook;

bool IsStringHot(const AnsiString& text) {
  if (IsWWWString(text) || IsEmailString(text)) return true;
  return IsStringHotHook ? IsStringHotHook(text) : false;
}

void JumpToURL(const AnsiString& text) { ShellExecuteA(nullptr, nullptr, text.c_str(), nullptr, nullptr, SW_SHOW); }
