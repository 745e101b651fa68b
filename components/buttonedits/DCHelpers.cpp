#include "components/buttonedits/DCHelpers.h"

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/GdiHandle.h"
#include "classlib/GuardedCall.h"
#include "classlib/ObjectText.h"
#include "classlib/OleSession.h"
#include "classlib/SelectedObject.h"
#include "classlib/TypInfo.h"
#include "classlib/Screen.h"
#include "components/buttonedits/OptionForms.h"
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

void JumpToURL(const AnsiString& text) {
  EnsureOleInitialized();
  ShellExecuteA(nullptr, nullptr, text.c_str(), nullptr, nullptr, SW_SHOW);
}

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
  SIZE size{};
  {
    TSelectedObject useFont(dc, font.Handle());
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
  }
  ReleaseDC(nullptr, dc);
  return size;
}

}  // namespace

TEXTMETRICA GetFontMetrics(TFont& font) { return font.Metrics(); }

int GetMaxFontWidth(TFont& font) { return GetFontMetrics(font).tmMaxCharWidth; }
int GetAveFontWidth(TFont& font) { return GetFontMetrics(font).tmAveCharWidth; }
int GetMaxFontHeight(TFont& font) { return TextSize(font, "Wg").cy; }
int GetMinFontHeight(TFont& font) { return TextSize(font, "x").cy; }
// The "fixed pitch" bit of the metrics is set for variable-pitch fonts.
bool IsFontMonoSpaced(TFont& font) { return (GetFontMetrics(font).tmPitchAndFamily & TMPF_FIXED_PITCH) == 0; }

void CreateBrushPatternEx(TBitmap& bitmap, COLORREF background, COLORREF foreground) {
  bitmap.SetSize(8, 8);
  HDC dc = bitmap.Canvas().Handle();
  RECT all{0, 0, 8, 8};
  FillRect(dc, &all, TGdiHandle<HBRUSH>(CreateSolidBrush(background)));
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
  const TGdiHandle<HDC> maskDc(CreateCompatibleDC(target));
  const TGdiHandle<HBITMAP> mask(CreateBitmap(sourceWidth, sourceHeight, 1, 1, nullptr));
  TSelectedObject useMask(maskDc, mask);
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

namespace {

bool SameTextNoCase(const AnsiString& a, const AnsiString& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// Reads up to `count` bytes at the position and puts the position back.
AnsiString Peek(TStream& stream, int32_t count) {
  const int64_t at = stream.Position();
  AnsiString bytes(static_cast<size_t>(count), '\0');
  const int32_t got = stream.Read(bytes.data(), count);
  stream.SetPosition(at);
  bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return bytes;
}

}  // namespace

AnsiString GetClassNameFromStream(TStream& stream) {
  if (IsTextStream(stream)) {
    AnsiString line = Peek(stream, 522);
    for (char end : {'\n', '\r'})
      if (auto cut = line.find(end); cut != AnsiString::npos) line.resize(cut);
    const auto colon = line.find(':');
    if (colon == AnsiString::npos) return AnsiString();
    AnsiString name = line.substr(colon + 1);
    const auto first = name.find_first_not_of(" \t");
    const auto last = name.find_last_not_of(" \t");
    return first == AnsiString::npos ? AnsiString() : name.substr(first, last - first + 1);
  }
  const int64_t at = stream.Position();
  AnsiString name;
  auto readByte = [&](uint8_t& b) { return stream.Read(&b, 1) == 1; };
  uint8_t b = 0;
  bool ok = readByte(b);
  if (ok && b == 0xFF) {
    // A resource header: the type (0xFF and a 16-bit id), the name up to a
    // zero byte, 16-bit flags and the 32-bit size of the data.
    uint16_t type = 0;
    ok = stream.Read(&type, 2) == 2;
    while (ok && (ok = readByte(b)) && b != 0) {
    }
    uint8_t rest[6];
    ok = ok && stream.Read(rest, 6) == 6;
  } else {
    stream.SetPosition(at);
  }
  char signature[4] = {};
  if (ok && stream.Read(signature, 4) == 4 && std::memcmp(signature, "TPF0", 4) == 0 && readByte(b)) {
    name.assign(b, '\0');
    if (stream.Read(name.data(), b) != b) name.clear();
  }
  stream.SetPosition(at);
  return name;
}

bool StreamContainsDataModule(TStream& stream) {
  const int64_t at = stream.Position();
  AnsiString name;
  if (IsTextStream(stream)) {
    // The text form is read into the binary form first, which also checks
    // that it is a well-formed component.
    TMemoryStream binary;
    try {
      ObjectTextToBinary(stream, binary);
      binary.SetPosition(0);
      name = GetClassNameFromStream(binary);
    } catch (const std::exception&) {
      name.clear();
    }
    stream.SetPosition(at);
  } else {
    name = GetClassNameFromStream(stream);
  }
  if (name.empty()) return false;
  const TClassInfo* cls = GetClass(name);
  return cls && InheritsFrom(*cls, TDataModule::Info);
}

void RemoveExtraMenuSeparators(TMenuItem* item) {
  if (!item) return;
  for (int i = item->Count() - 1; i >= 0; --i) {
    TMenuItem* sub = item->Items(i);
    if (!sub->IsLine()) continue;
    const bool atEnd = i == item->Count() - 1 || i == 0;
    TMenuItem* next = item->Items(i + 1);
    if (atEnd || (next && next->IsLine())) delete sub;
  }
  // Freeing a line can leave another one at the start.
  while (item->Count() > 0 && item->Items(0)->IsLine()) delete item->Items(0);
}

void ClearMenuSubItems(TMenuItem* item, bool disable) {
  if (!item) return;
  item->Clear();
  item->SetEnabled(!disable);
}

void ChangeTab(TTabControl* tabs, bool forward) {
  if (!tabs || tabs->TabCount() == 0) return;
  const int n = tabs->TabCount();
  const int i = tabs->TabIndex();
  tabs->SetTabIndex(forward ? (i + 1) % n : (i <= 0 ? n - 1 : i - 1));
}

void AddNewTab(TTabControl* tabs, const AnsiString& caption) {
  if (!tabs) return;
  for (int i = 0; i < tabs->TabCount(); ++i)
    if (SameTextNoCase(tabs->Tabs(i), caption)) {
      tabs->SetTabIndex(i);
      return;
    }
  tabs->SetTabIndex(tabs->AddTab(caption));
}

void MovePages(TPageControl* source, TPageControl* target) {
  if (!source || !target || source == target) return;
  while (source->PageCount() > 0) source->Pages(0)->SetPageControl(target);
}

void SetFlatPropToAll(TComponent* owner, bool flat) {
  if (!owner) return;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (auto* b = dynamic_cast<TSpeedButton*>(owner->Components(i))) b->SetFlat(flat);
}

void SetFlatProp(const std::vector<TSpeedButton*>& buttons, bool flat) {
  for (TSpeedButton* b : buttons)
    if (b) b->SetFlat(flat);
}

int ScreenFormCount() { return Screen ? Screen->FormCount() : 0; }
TCustomForm* ScreenForms(int index) { return Screen ? Screen->Forms(index) : nullptr; }

HRSRC GetFormResourceHandler(const AnsiString& className) {
  if (className.empty()) return nullptr;
  return FindResourceA(GetModuleHandleA(nullptr), className.c_str(), MAKEINTRESOURCEA(10));
}

bool FormFontFromMainForm = false;

void SetFormFont(TCustomForm* form) {
  if (!FormFontFromMainForm || !form || !form->ParentFont() || !Application) return;
  TCustomForm* main = Application->MainForm();
  if (main && main != form) form->Font().Assign(main->Font());
}

TComponent* FindGlobalComponent(const AnsiString& name) {
  if (name.empty()) return nullptr;
  for (int i = 0; i < ScreenFormCount(); ++i)
    if (SameTextNoCase(ScreenForms(i)->Name(), name)) return ScreenForms(i);
  for (int i = 0; i < TDataModule::Count(); ++i)
    if (SameTextNoCase(TDataModule::Items(i)->Name(), name)) return TDataModule::Items(i);
  return nullptr;
}

namespace {
const bool kGlobalLookupInstalled = (SetFindGlobalCompProc(FindGlobalComponent), true);
}  // namespace

TCustomForm* FormIsActiveSkipForm = nullptr;

bool FormIsActive(TCustomForm* form) {
  if (!form || !form->HandleAllocated() || !IsWindowVisible(form->Handle())) return false;
  // The top-level windows come in the screen's order, the front one first.
  struct Walk {
    TCustomForm* form;
    int result;  // -1 not decided
  } walk{form, -1};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM l) -> BOOL {
        auto* w = reinterpret_cast<Walk*>(l);
        if (!IsWindowVisible(h)) return TRUE;
        auto* other = dynamic_cast<TCustomForm*>(FindControl(h));
        if (!other) return TRUE;
        if (other == w->form) {
          w->result = 1;
          return FALSE;
        }
        if (other == (Application ? Application->MainForm() : nullptr) || other == FormIsActiveSkipForm)
          return TRUE;
        if (GuardedCall(LRESULT{1}, [&] { return other->WndProc(CM_FORMISACTIVEQUERY, 0, 0); }) == 0) {
          w->result = 0;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
  return walk.result == 1;
}

TCustomForm* GetPForm(TComponent* component) {
  if (auto* control = dynamic_cast<TControl*>(component)) {
    for (TControl* c = control; c; c = c->Parent())
      if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  }
  for (TComponent* c = component; c; c = c->Owner())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}

TComponent* GetTopOwner(TComponent* component) {
  for (TComponent* c = component; c; c = c->Owner())
    if (auto* d = dynamic_cast<TDataModule*>(c)) return d;
  return GetPForm(component);
}

void CallCompOnCreate(TComponent* component) {
  if (auto* d = dynamic_cast<TDataModule*>(component); d && d->OnCreate) d->OnCreate(d);
  if (auto* f = dynamic_cast<TCustomForm*>(component); f && f->OnCreate) f->OnCreate(f);
}

void SetDesign(TComponent* component, bool designing) {
  if (component) component->SetDesigning(designing);
}

std::function<void(TCustomForm* form)> DesignerModifiedHook;

void DesignerModified(TComponent* component) {
  if (!DesignerModifiedHook) return;
  if (TCustomForm* f = GetPForm(component)) DesignerModifiedHook(f);
}

void DesignerSelectComponent(TComponent*) {}

void UpdateEditors(TWinControl* control) {
  if (!control) return;
  for (int i = 0; i < control->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(control->Controls(i)); w && w->HandleAllocated())
      SendMessageA(w->Handle(), CM_UPDATEEDITORS, 0, 0);
}

void ModulesToList(std::vector<HMODULE>& list) {
  list.clear();
  DWORD needed = 0;
  std::vector<HMODULE> modules(256);
  for (;;) {
    const DWORD size = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
    if (!EnumProcessModules(GetCurrentProcess(), modules.data(), size, &needed)) return;
    if (needed <= size) break;
    modules.resize(needed / sizeof(HMODULE) + 16);
  }
  modules.resize(needed / sizeof(HMODULE));
  list = modules;
}

// Run-time packages do not exist on this platform: the program's module is
// the only one its resources come from.
void ResModulesToList(std::vector<HMODULE>& list) { list.assign(1, GetModuleHandleA(nullptr)); }

HMODULE FindResourceInstance(const char* name, const char* type) {
  std::vector<HMODULE> modules;
  ResModulesToList(modules);
  for (HMODULE m : modules)
    if (FindResourceA(m, name, type)) return m;
  return nullptr;
}

bool FileIsPackage(const AnsiString& file) { return CheckFileExt(file, "BPL") || CheckFileExt(file, "DPL"); }

void GetLoadedPackagesPaths(TStrings& paths) {
  std::vector<HMODULE> modules;
  ModulesToList(modules);
  for (HMODULE m : modules) {
    char path[1024] = {};
    if (GetModuleFileNameA(m, path, sizeof path - 1) && FileIsPackage(path)) paths.Add(path);
  }
}

void CorrectBitmap(TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  HDC screen = GetDC(nullptr);
  TGdiHandle<HBITMAP> copy(CreateCompatibleBitmap(screen, bitmap.Width(), bitmap.Height()));
  ReleaseDC(nullptr, screen);
  {
    const TGdiHandle<HDC> dc(CreateCompatibleDC(nullptr));
    TSelectedObject useCopy(dc, copy);
    BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
  }
  bitmap.SetHandle(copy.release());
}

void ChangeImageList(TImageList& list, TBitmap& bitmap, TColor transparent, int index) {
  if (index < 0 || index >= list.Count()) return;
  // The masked image goes to the end, takes the place of the old one and
  // the old one is dropped.
  const int added = list.AddMasked(bitmap, transparent);
  if (added < 0) return;
  ImageList_Copy(list.Handle(), index, list.Handle(), added, ILCF_SWAP);
  while (list.Count() > added) ImageList_Remove(list.Handle(), list.Count() - 1);
}

namespace {

// Draws into a bitmap of the rectangle's size filled with the background,
// then copies it to the rectangle.
template <class Paint>
void DrawOnBackground(TCanvas& canvas, TColor background, const RECT& r, Paint paint) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  TBitmap buffer;
  buffer.SetSize(w, h);
  RECT all{0, 0, w, h};
  FillRect(buffer.Canvas().Handle(), &all, TGdiHandle<HBRUSH>(CreateSolidBrush(ColorToRGB(background))));
  paint(buffer.Canvas().Handle(), w, h);
  BitBlt(canvas.Handle(), r.left, r.top, w, h, buffer.Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace

void DrawImage(TCanvas& canvas, TImageList& list, TColor background, const RECT& r, int index) {
  DrawOnBackground(canvas, background, r, [&](HDC dc, int, int) { list.Draw(dc, 0, 0, index); });
}

void DrawImage(TCanvas& canvas, TBitmap& bitmap, TColor background, const RECT& r) {
  if (bitmap.Empty()) return;
  DrawOnBackground(canvas, background, r, [&](HDC dc, int w, int h) {
    HDC source = bitmap.Canvas().Handle();
    StretchBltTransparent(dc, 0, 0, w, h, source, 0, 0, bitmap.Width(), bitmap.Height(), GetPixel(source, 0, 0));
  });
}

namespace {
int gHelperUsers = 0;
}

void InitDCHelpers() { ++gHelperUsers; }

void DoneDCHelpers() {
  if (gHelperUsers > 0 && --gHelperUsers == 0) FreeOptionForms();
}
