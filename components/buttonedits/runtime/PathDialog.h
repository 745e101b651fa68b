#pragma once
// The folder browser: a component over the shell's folder dialog, and the
// queries that run it for a folder or a computer.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>

#include "classlib/Component.h"

enum TDCPathDialogFlag {
  pdfBrowseForComputer,
  pdfBrowseForPrinter,
  pdfDontGoBelowDomain,
  pdfReturnfsAncestors,
  pdfReturnOnlyFSDirs
};
// A set of TDCPathDialogFlag: bit n stands for the flag of ordinal n.
using TDCPathDialogFlags = uint8_t;
constexpr TDCPathDialogFlags PathDialogFlag(TDCPathDialogFlag f) { return static_cast<TDCPathDialogFlags>(1u << f); }

enum TDCPathDialogRoot {
  pdrNone,
  pdrBitBucket,
  pdrControls,
  pdrDesktop,
  pdrDesktopDirectory,
  pdrDrives,
  pdrFonts,
  pdrNetHood,
  pdrNetwork,
  pdrPersonal,
  pdrPrinters,
  pdrPrograms,
  pdrRecent,
  pdrSendto,
  pdrStartmenu,
  pdrStartup,
  pdrTemplates
};

class TDCPathDialog : public TComponent {
 public:
  explicit TDCPathDialog(TComponent* owner);

  // Runs the shell's folder browser modally. True when an item was chosen;
  // SelectedItem is then its file-system path (a drive root with its
  // backslash), or its display name when it has no path. Cancel keeps
  // SelectedItem.
  bool Execute();

  const AnsiString& Title() const { return FTitle; }
  void SetTitle(const AnsiString& title) { FTitle = title; }
  const AnsiString& SelectedItem() const { return FSelectedItem; }
  // Stores the start folder without one trailing backslash; an empty value
  // takes the current directory. While the browser is open it moves the
  // selection there.
  void SetSelectedItem(const AnsiString& value);
  TDCPathDialogRoot Root() const { return FRoot; }
  void SetRoot(TDCPathDialogRoot root) { FRoot = root; }
  TDCPathDialogFlags Flags() const { return FFlags; }
  void SetFlags(TDCPathDialogFlags flags) { FFlags = flags; }
  HWND OwnerHandle = nullptr;

  // The browser flag word of Flags.
  UINT GetFlags() const;
  // The item-id list of Root's special folder; null when the shell has none.
  LPITEMIDLIST GetRootpidl() const;
  // True when the last Execute returned an item with a file-system path.
  bool SelectedIsPath() const { return FSelectedIsPath; }

 private:
  friend int CALLBACK PathDialogBrowseCallback(HWND window, UINT message, LPARAM param, LPARAM data);

  AnsiString FTitle;
  AnsiString FSelectedItem;
  HWND FBrowserWindow = nullptr;
  TDCPathDialogRoot FRoot = pdrNone;
  TDCPathDialogFlags FFlags = PathDialogFlag(pdfReturnOnlyFSDirs);
  bool FSelectedIsPath = false;
};

// Asks for a folder; `folder` is the start folder and receives the choice.
// False (and `folder` unchanged) on Cancel or when the chosen item is no
// file-system folder.
bool QueryDir(const AnsiString& caption, AnsiString& folder, HWND owner);
// QueryDir owned by the application window.
bool QueryDirectory(const AnsiString& caption, AnsiString& folder);
// Asks for a computer of the network; `computer` receives its display name.
bool QueryComp(const AnsiString& caption, AnsiString& computer, HWND owner);
