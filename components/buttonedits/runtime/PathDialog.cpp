#include "components/buttonedits/runtime/PathDialog.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "classlib/Application.h"
#include "classlib/GuardedCall.h"
#include "classlib/OleSession.h"

namespace {

constexpr UINT pdf2bif[] = {BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER, BIF_DONTGOBELOWDOMAIN,
                            BIF_RETURNFSANCESTORS, BIF_RETURNONLYFSDIRS};
constexpr int pdr2csidl[] = {0x00, 0x0A, 0x03, 0x00, 0x10, 0x11, 0x14, 0x13, 0x12,
                             0x05, 0x04, 0x02, 0x08, 0x09, 0x0B, 0x07, 0x15};

// Frees an item-id list through the shell's allocator.
void FreeIdList(LPITEMIDLIST list) {
  if (list) ::CoTaskMemFree(list);
}

// Places the browser over the middle of its owner, inside the owner's
// monitor: the user looks there, not at the screen's corner.
void CenterOverOwner(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  RECT own{}, me{};
  if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &own) || !GetWindowRect(window, &me)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const LONG w = me.right - me.left, h = me.bottom - me.top;
  LONG x = (own.left + own.right - w) / 2, y = (own.top + own.bottom - h) / 2;
  x = std::max(work.left, std::min(x, work.right - w));
  y = std::max(work.top, std::min(y, work.bottom - h));
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int CALLBACK PathDialogBrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    CenterOverOwner(window);
    auto* dialog = reinterpret_cast<TDCPathDialog*>(data);
    dialog->FBrowserWindow = window;
    GuardedCall([&] { dialog->SetSelectedItem(dialog->FSelectedItem); });
  }
  return 0;
}

TDCPathDialog::TDCPathDialog(TComponent* owner) : TComponent(owner) {}

UINT TDCPathDialog::GetFlags() const {
  UINT flags = 0;
  for (int i = 0; i <= pdfReturnOnlyFSDirs; ++i)
    if (FFlags & (1u << i)) flags |= pdf2bif[i];
  return flags;
}

LPITEMIDLIST TDCPathDialog::GetRootpidl() const {
  LPITEMIDLIST list = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, pdr2csidl[FRoot], &list))) return nullptr;
  return list;
}

void TDCPathDialog::SetSelectedItem(const AnsiString& value) {
  if (!value.empty()) {
    FSelectedItem = value;
    if (FSelectedItem.back() == '\\') FSelectedItem.pop_back();
  } else {
    const DWORD n = ::GetCurrentDirectoryA(0, nullptr);
    std::vector<char> buf(n + 1);
    const DWORD got = ::GetCurrentDirectoryA(static_cast<DWORD>(buf.size()), buf.data());
    FSelectedItem.assign(buf.data(), got < buf.size() ? got : 0);
  }
  if (FBrowserWindow)
    ::SendMessageA(FBrowserWindow, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(FSelectedItem.c_str()));
}

bool TDCPathDialog::Execute() {
  EnsureOleInitialized();
  // The display name is limited by the shell to MAX_PATH characters.
  char displayName[MAX_PATH + 1] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = OwnerHandle;
  info.pidlRoot = GetRootpidl();
  info.pszDisplayName = displayName;
  info.lpszTitle = FTitle.c_str();
  info.ulFlags = GetFlags();
  info.lpfn = PathDialogBrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
  FreeIdList(const_cast<LPITEMIDLIST>(info.pidlRoot));
  FBrowserWindow = nullptr;
  if (!chosen) return false;
  FSelectedItem = displayName;
  FSelectedIsPath = false;
  // A path can be longer than MAX_PATH on newer systems; the A function
  // never writes more than MAX_PATH characters.
  char path[MAX_PATH + 1] = {};
  if (::SHGetPathFromIDListA(chosen, path) && path[0]) {
    FSelectedItem = path;
    FSelectedIsPath = true;
  }
  FreeIdList(chosen);
  return true;
}

bool QueryDir(const AnsiString& caption, AnsiString& folder, HWND owner) {
  TDCPathDialog dialog(nullptr);
  dialog.SetSelectedItem(folder);
  dialog.OwnerHandle = owner;
  dialog.SetTitle(caption);
  // An item without a file-system path (a computer, a virtual folder) is
  // no folder: the query fails rather than hand back its display name.
  if (!dialog.Execute() || !dialog.SelectedIsPath()) return false;
  folder = dialog.SelectedItem();
  return true;
}

bool QueryDirectory(const AnsiString& caption, AnsiString& folder) {
  // The window the user works in owns the browser: it is disabled while the
  // browser is open and active again when it closes.
  HWND owner = ::GetActiveWindow();
  if (!owner && Application) owner = Application->Handle();
  return QueryDir(caption, folder, owner);
}

bool QueryComp(const AnsiString& caption, AnsiString& computer, HWND owner) {
  TDCPathDialog dialog(nullptr);
  dialog.OwnerHandle = owner;
  dialog.SetTitle(caption);
  dialog.SetFlags(PathDialogFlag(pdfBrowseForComputer));
  dialog.SetRoot(pdrNetwork);
  if (!dialog.Execute()) return false;
  computer = dialog.SelectedItem();
  return true;
}
