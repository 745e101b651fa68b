#pragma once
// File and folder edits: the edit with buttons whose first button asks for
// a file (standard open or save dialog) or a folder (the shell's folder
// browser), and which take files dropped from the shell.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <functional>

#include "components/buttonedits/DCEdit.h"

// The text of dropped items: folders only (a file gives its folder, up to
// and including its last "\" or ":"), and with `multiple` every item joined
// by `separator`, else the first. Releases the drop.
AnsiString DropFiles(HDROP drop, bool foldersOnly, bool multiple, char separator);

class TCustomFileDirEdit : public TCustomDCEdit {
 public:
  explicit TCustomFileDirEdit(TComponent* owner);
  ~TCustomFileDirEdit() override;

  const AnsiString& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const AnsiString& dir) { FInitialDir = dir; }
  bool AcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool value);

  // Runs the first button's question.
  virtual void Button1Click(TObject* sender) = 0;

  TNotifyEvent OnDropFiles;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void HandleCreated() override;
  // The text that dropped items give.
  virtual AnsiString DroppedText(HDROP drop) = 0;

  AnsiString FInitialDir;
  bool FAcceptFiles = false;
};

class TDCDirectoryEdit : public TCustomFileDirEdit {
 public:
  explicit TDCDirectoryEdit(TComponent* owner);

  bool MultipleDirs() const { return FMultipleDirs; }
  void SetMultipleDirs(bool v) { FMultipleDirs = v; }
  const AnsiString& DialogText() const { return FDialogText; }
  void SetDialogText(const AnsiString& text) { FDialogText = text; }

  // The folder where the browser starts: the part of the text after its
  // last ";", or InitialDir when the text is empty.
  AnsiString StartFolder() const;
  void Button1Click(TObject* sender) override;

  // The folder question (caption, start folder in, chosen folder out);
  // QueryDirectory unless replaced.
  static std::function<bool(const AnsiString& caption, AnsiString& folder)> Query;

 protected:
  AnsiString DroppedText(HDROP drop) override;

 private:
  bool FMultipleDirs = false;
  AnsiString FDialogText;
};

enum TFileDialogKind { fdOpen, fdSave, fdOpenpicture, fdSavePicture };

class TDCFileNameEdit : public TCustomFileDirEdit {
 public:
  explicit TDCFileNameEdit(TComponent* owner);

  AnsiString FileName() const { return GetText(); }
  void SetFileName(const AnsiString& name) { SetTextValue(name); }
  TFileDialogKind DialogKind() const { return FDialogKind; }
  void SetDialogKind(TFileDialogKind kind) { FDialogKind = kind; }
  AnsiString DefaultExt, DialogTitle, Filter;
  DWORD DialogOptions = OFN_HIDEREADONLY;
  int FilterIndex = 1;

  void Button1Click(TObject* sender) override;

 protected:
  AnsiString DroppedText(HDROP drop) override;

 private:
  TFileDialogKind FDialogKind = fdOpen;
};
