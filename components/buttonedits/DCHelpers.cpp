#include "components/buttonedits/DCHelpers.h"

#include <shellapi.h>

#include <cctype>
#include <cstdint>
#include <cstring>

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

void CalcEditorMinMaxInfo(MINMAXINFO& info, TControl* form, bool whole) {
  info.ptMinTrackSize = POINT{320, 240};
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
  const int workHeight = work.bottom - work.top;
  if (form && !whole) {
    const int bottom = form->Top() + form->Height();
    if (bottom < workHeight) {
      info.ptMaxPosition = POINT{work.left - fx, bottom};
      info.ptMaxSize = POINT{work.right - work.left + 2 * fx, workHeight - bottom + fy};
      return;
    }
  }
  info.ptMaxPosition = POINT{work.left - fx, work.top - fy};
  info.ptMaxSize = POINT{work.right - work.left + 2 * fx, workHeight + 2 * fy};
}

void UpdateParamsWithBorderStyle(TCreateParams& params, bool singleBorder, bool ctl3D) {
  if (!singleBorder) return;
  if (ctl3D) {
    params.Style &= ~WS_BORDER;
    params.ExStyle |= WS_EX_CLIENTEDGE;
  } else {
    params.Style |= WS_BORDER;
  }
}

int GetScrollPosEx(HWND window, int bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  return GetScrollInfo(window, bar, &si) ? si.nTrackPos : 0;
}

void _SetScrollPos(HWND window, int bar, int position) {
  if (GetScrollPos(window, bar) != position) SetScrollPos(window, bar, position, TRUE);
}

void _SetScrollSize(HWND window, int bar, int minimum, int maximum, int page) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMin = minimum;
  si.nMax = maximum;
  si.nPage = static_cast<UINT>(page);
  SetScrollInfo(window, bar, &si, TRUE);
}

namespace {

SIZE TextSize(TFont& font, const char* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

}  // namespace

TEXTMETRICA GetFontMetrics(TFont& font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm;
}

int GetMaxFontWidth(TFont& font) { return GetFontMetrics(font).tmMaxCharWidth; }
int GetAveFontWidth(TFont& font) { return GetFontMetrics(font).tmAveCharWidth; }
int GetMaxFontHeight(TFont& font) { return TextSize(font, "Wg").cy; }
int GetMinFontHeight(TFont& font) { return TextSize(font, "x").cy; }
// The "fixed pitch" bit of the metrics is set for variable-pitch fonts.
bool IsFontMonoSpaced(TFont& font) { return (GetFontMetrics(font).tmPitchAndFamily & TMPF_FIXED_PITCH) == 0; }

void CreateBrushPatternEx(TBitmap& bitmap, COLORREF background, COLORREF foreground) {
  bitmap.SetSize(8, 8);
  HDC dc = bitmap.Canvas().Handle();
  HBRUSH back = CreateSolidBrush(background);
  RECT all{0, 0, 8, 8};
  FillRect(dc, &all, back);
  DeleteObject(back);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x % 2) == (y % 2)) SetPixel(dc, x, y, foreground);
}

void CreateBrushPattern(TBitmap& bitmap) {
  CreateBrushPatternEx(bitmap, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
}

void StretchBltTransparent(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight, COLORREF transparent) {
  // A monochrome mask: 1 where the source has the transparent colour.
  HDC maskDc = CreateCompatibleDC(target);
  HBITMAP mask = CreateBitmap(sourceWidth, sourceHeight, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDc, mask);
  const COLORREF oldBack = SetBkColor(source, transparent);
  BitBlt(maskDc, 0, 0, sourceWidth, sourceHeight, source, sourceX, sourceY, SRCCOPY);
  SetBkColor(source, oldBack);
  const COLORREF oldTargetBack = SetBkColor(target, RGB(255, 255, 255));
  const COLORREF oldTargetText = SetTextColor(target, RGB(0, 0, 0));
  const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
  // target ^ source, then keep it only where the mask is set, then ^ source
  // again: the target where transparent, the source elsewhere.
  StretchBlt(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, SRCINVERT);
  StretchBlt(target, x, y, width, height, maskDc, 0, 0, sourceWidth, sourceHeight, SRCAND);
  StretchBlt(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, SRCINVERT);
  SetStretchBltMode(target, oldMode);
  SetTextColor(target, oldTargetText);
  SetBkColor(target, oldTargetBack);
  SelectObject(maskDc, oldMask);
  DeleteObject(mask);
  DeleteDC(maskDc);
}

bool CheckFileExt(const AnsiString& file, const AnsiString& extension) {
  const auto dot = file.rfind('.');
  const auto slash = file.find_last_of("\\/:");
  if (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash)) return extension.empty();
  const AnsiString ext = file.substr(dot + 1);
  if (ext.size() != extension.size()) return false;
  for (size_t i = 0; i < ext.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(ext[i])) != std::toupper(static_cast<unsigned char>(extension[i])))
      return false;
  return true;
}
