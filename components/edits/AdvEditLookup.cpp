#include "components/edits/AdvEditLookup.h"

#include <algorithm>

#include "classlib/AnsiString.h"
#include "classlib/GuardedCall.h"
#include "classlib/SelectedObject.h"
#include "components/edits/AdvEditFormat.h"

TAdvEditLookup::~TAdvEditLookup() {
  Destroy();
}

std::vector<std::pair<AnsiString, int>> TAdvEditLookup::Matches(const TLookupSettings& settings,
                                                                const AnsiString& fragment) {
  AnsiString key = settings.CaseSensitive ? fragment : AnsiUpperCase(fragment);
  std::vector<std::pair<AnsiString, int>> matches;
  for (int i = 0; i < settings.DisplayList.Count(); ++i) {
    AnsiString entry = settings.DisplayList.Strings(i);
    AnsiString head = entry.substr(0, fragment.size());
    if ((settings.CaseSensitive ? head : AnsiUpperCase(head)) == key)
      matches.emplace_back(entry, i);
  }
  std::stable_sort(matches.begin(), matches.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return matches;
}

HWND TAdvEditLookup::Window() const {
  return FWindow && IsWindowVisible(FWindow) ? FWindow : nullptr;
}

std::vector<AnsiString> TAdvEditLookup::Entries(const TLookupSettings& settings) const {
  std::vector<AnsiString> entries;
  for (int i : FIndex) entries.push_back(settings.DisplayList.Strings(i));
  return entries;
}

void TAdvEditLookup::Hide() {
  if (FWindow) ShowWindow(FWindow, SW_HIDE);
}

void TAdvEditLookup::Destroy() {
  if (FWindow) {
    DestroyWindow(FWindow);
    FWindow = nullptr;
  }
}

int TAdvEditLookup::SelectedIndex() const {
  if (!FWindow) return -1;
  int sel = static_cast<int>(SendMessageA(FWindow, LB_GETCURSEL, 0, 0));
  if (sel < 0 || sel >= static_cast<int>(FIndex.size())) return -1;
  return FIndex[static_cast<size_t>(sel)];
}

bool TAdvEditLookup::MoveSelection(WORD key, int page) {
  HWND list = Window();
  if (!list) return false;
  int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  int sel = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  int to = 0;
  switch (key) {
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    case VK_UP: to = sel - 1; break;
    case VK_DOWN: to = sel + 1; break;
    case VK_PRIOR: to = sel - page; break;
    case VK_NEXT: to = sel + page; break;
    default: return false;
  }
  to = to < 0 ? 0 : to >= count ? count - 1 : to;
  SendMessageA(list, LB_SETCURSEL, to, 0);
  return true;
}

LRESULT CALLBACK TAdvEditLookup::WndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto* lookup = reinterpret_cast<TAdvEditLookup*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  switch (msg) {
    case WM_LBUTTONUP: return lookup->ButtonUp(msg, w, l);
    case WM_MOUSEACTIVATE: return lookup->MouseActivate(msg, w, l);
    default: return CallWindowProcA(lookup->FDefProc, h, msg, w, l);
  }
}

LRESULT TAdvEditLookup::ButtonUp(UINT msg, WPARAM w, LPARAM l) {
  LRESULT r = CallWindowProcA(FDefProc, FWindow, msg, w, l);
  if (OnPick) GuardedCall([&] { OnPick(); });
  return r;
}

// The list never keeps the activation: the edit stays the active window.
LRESULT TAdvEditLookup::MouseActivate(UINT msg, WPARAM w, LPARAM l) {
  CallWindowProcA(FDefProc, FWindow, msg, w, l);
  return MA_NOACTIVATE;
}

bool TAdvEditLookup::Create(HWND edit) {
  FWindow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "LISTBOX", "",
                            WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0, 0, 0, 0, edit,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!FWindow) return false;
  SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  FDefProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TAdvEditLookup::WndProc)));
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  if (!FFont)
    FFont.reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
  SendMessageA(FWindow, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
  SendMessageA(FWindow, LB_SETITEMHEIGHT, 0, 12);
  return true;
}

int TAdvEditLookup::Fill(const std::vector<std::pair<AnsiString, int>>& matches) {
  SendMessageA(FWindow, LB_RESETCONTENT, 0, 0);
  FIndex.clear();
  HDC dc = GetDC(FWindow);
  int widest = 50;
  {
    TSelectedObject useFont(dc, FFont);
    for (auto& [entry, index] : matches) {
      SendMessageA(FWindow, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
      FIndex.push_back(index);
      SIZE size{};
      GetTextExtentPoint32A(dc, entry.c_str(), static_cast<int>(entry.size()), &size);
      if (size.cx > widest) widest = size.cx;
    }
  }
  ReleaseDC(FWindow, dc);
  SendMessageA(FWindow, LB_SETCURSEL, 0, 0);
  return widest;
}

void TAdvEditLookup::Show(HWND edit, const TLookupSettings& settings,
                          const std::vector<std::pair<AnsiString, int>>& matches, int charIndex) {
  if (matches.empty()) {
    Hide();
    return;
  }
  bool wasVisible = Window() != nullptr;
  if (!FWindow && !Create(edit)) return;
  int widest = Fill(matches);
  int shown = std::min(settings.DisplayCount > 0 ? settings.DisplayCount : 1,
                       static_cast<int>(matches.size()));
  int width = widest +
              (static_cast<int>(matches.size()) > shown ? GetSystemMetrics(SM_CXVSCROLL) : 0) +
              (wasVisible ? 0 : 10);
  // Below the edit, under the fragment's first character.
  RECT r;
  GetWindowRect(edit, &r);
  LRESULT pos = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(charIndex), 0);
  POINT at{static_cast<short>(LOWORD(pos)), 0};
  ClientToScreen(edit, &at);
  SetWindowPos(FWindow, HWND_TOPMOST, at.x + 8, r.bottom, width, shown * 12 + 4,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
