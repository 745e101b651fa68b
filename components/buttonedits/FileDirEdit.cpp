#include "components/buttonedits/FileDirEdit.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "classlib/Application.h"
#include "classlib/GdiHandle.h"
#include "classlib/OleSession.h"
#include "components/buttonedits/runtime/PathDialog.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

namespace {

// The browse glyphs, drawn once per button on the button face: a folder, or
// a page with a folded corner.
HBITMAP MakeBrowseGlyph(bool folder) {
  return MakeButtonGlyph(13, 11, [folder](HDC dc) {
    HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
    if (folder) {
      RECT tab{1, 1, 6, 3}, body{0, 2, 12, 11}, inner{1, 3, 11, 10};
      FillRect(dc, &tab, ink);
      FillRect(dc, &body, ink);
      FillRect(dc, &inner, TGdiHandle<HBRUSH>(CreateSolidBrush(RGB(255, 255, 0))));
    } else {
      RECT body{2, 0, 11, 11}, inner{3, 1, 10, 10};
      FillRect(dc, &body, ink);
      FillRect(dc, &inner, GetSysColorBrush(COLOR_WINDOW));
      for (int y = 3; y <= 7; y += 2) {
        RECT line{4, y, 9, y + 1};
        FillRect(dc, &line, ink);
      }
    }
  });
}

AnsiString QueryItem(HDROP drop, UINT index) {
  const UINT n = DragQueryFileA(drop, index, nullptr, 0);
  AnsiString item(static_cast<size_t>(n) + 1, '\0');
  const UINT got = DragQueryFileA(drop, index, item.data(), n + 1);
  item.resize(got);
  return item;
}

}  // namespace

AnsiString DropFiles(HDROP drop, bool foldersOnly, bool multiple, char separator) {
  AnsiString result;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count && (multiple || i == 0); ++i) {
    AnsiString item = QueryItem(drop, i);
    if (foldersOnly) {
      const DWORD attr = GetFileAttributesA(item.c_str());
      if (attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        const auto cut = item.find_last_of("\\:");
        item = cut == AnsiString::npos ? AnsiString() : item.substr(0, cut + 1);
      }
    }
    if (i > 0) result += separator;
    result += item;
  }
  DragFinish(drop);
  return result;
}

// ---------------------------------------------------------------------------

TCustomFileDirEdit::TCustomFileDirEdit(TComponent* owner) : TCustomDCEdit(owner) {
  SetNumButtons(1);
  Button1().SetKind(bkCustom);
  SetOnButton1Click([this](TObject* sender) { Button1Click(sender); });
}

TCustomFileDirEdit::~TCustomFileDirEdit() {
  if (FAcceptFiles && FHandle) DragAcceptFiles(FHandle, FALSE);
}

void TCustomFileDirEdit::SetAcceptFiles(bool value) {
  if (value == FAcceptFiles) return;
  if (FHandle) DragAcceptFiles(FHandle, value);
  FAcceptFiles = value;
}

void TCustomFileDirEdit::HandleCreated() {
  TCustomDCEdit::HandleCreated();
  if (FAcceptFiles) DragAcceptFiles(FHandle, TRUE);
}

LRESULT TCustomFileDirEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_DROPFILES) {
    SetTextValue(DroppedText(reinterpret_cast<HDROP>(w)));
    if (OnDropFiles) OnDropFiles(this);
    return 0;
  }
  return TCustomDCEdit::WndProc(msg, w, l);
}

// ---------------------------------------------------------------------------

std::function<bool(const AnsiString&, AnsiString&)> TDCDirectoryEdit::Query =
    [](const AnsiString& caption, AnsiString& folder) { return QueryDirectory(caption, folder); };

TDCDirectoryEdit::TDCDirectoryEdit(TComponent* owner) : TCustomFileDirEdit(owner) {
  Button1().SetGlyph(MakeBrowseGlyph(true));
}

AnsiString TDCDirectoryEdit::StartFolder() const {
  const AnsiString text = GetText();
  if (text.empty()) return FInitialDir;
  const auto cut = text.rfind(';');
  return cut == AnsiString::npos ? text : text.substr(cut + 1);
}

void TDCDirectoryEdit::Button1Click(TObject*) {
  AnsiString folder = StartFolder();
  if (!Query) return;
  // The button's hint does not show over the open browser.
  if (Application) Application->SetShowHint(false);
  const bool chosen = Query(LoadResString(dcconsts::_SSelectDirectory), folder);
  if (Application) Application->SetShowHint(true);
  if (!chosen) return;
  const AnsiString text = GetText();
  SetTextValue(!text.empty() && FMultipleDirs ? text + ";" + folder : folder);
}

AnsiString TDCDirectoryEdit::DroppedText(HDROP drop) { return DropFiles(drop, true, FMultipleDirs, ';'); }

// ---------------------------------------------------------------------------

TDCFileNameEdit::TDCFileNameEdit(TComponent* owner) : TCustomFileDirEdit(owner) {
  Button1().SetGlyph(MakeBrowseGlyph(false));
}

void TDCFileNameEdit::Button1Click(TObject*) {
  std::vector<char> file(32768, '\0');
  const AnsiString current = GetText();
  current.copy(file.data(), std::min(current.size(), file.size() - 1));
  // "Text|*.txt|Alle|*.*" becomes the dialog's pairs of zero-ended texts.
  AnsiString filter = Filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  // The window the user works in owns the dialog and is active again after it.
  ofn.hwndOwner = GetActiveWindow();
  if (!ofn.hwndOwner && Application) ofn.hwndOwner = Application->Handle();
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  ofn.lpstrTitle = DialogTitle.empty() ? nullptr : DialogTitle.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn.Flags = DialogOptions;
  const bool save = FDialogKind == fdSave || FDialogKind == fdSavePicture;
  EnsureOleInitialized();
  if (Application) Application->SetShowHint(false);
  const bool chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (Application) Application->SetShowHint(true);
  if (chosen) SetTextValue(file.data());
}

AnsiString TDCFileNameEdit::DroppedText(HDROP drop) { return DropFiles(drop, false, false, ';'); }
