#include "components/designtime/UnRar.h"

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/PathHelpers.h"
#include "components/designtime/SystemFolders.h"

namespace {

struct TUnRarLibrary {
  HMODULE module = nullptr;
  HANDLE(WINAPI* OpenArchive)(TRAROpenArchiveData*) = nullptr;
  int(WINAPI* CloseArchive)(HANDLE) = nullptr;
  int(WINAPI* ReadHeader)(HANDLE, TRARHeaderData*) = nullptr;
  int(WINAPI* ProcessFile)(HANDLE, int, const char*, const char*) = nullptr;
  void(WINAPI* SetChangeVolProc)(HANDLE, TRARChangeVolProc) = nullptr;
  void(WINAPI* SetProcessDataProc)(HANDLE, TRARProcessDataProc) = nullptr;
  void(WINAPI* SetPassword)(HANDLE, const char*) = nullptr;

  ~TUnRarLibrary() {
    if (module) FreeLibrary(module);
  }
};

TUnRarLibrary gLibrary;

template <typename F>
bool Take(HMODULE module, const char* name, F& entry) {
  entry = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return entry != nullptr;
}

TUnRarLibrary& Library() {
  if (!gLibrary.module) LoadUnRAR();
  return gLibrary;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A name that stays below the destination: relative, without a drive, and
// no part of it is "..".
bool StaysInside(const AnsiString& name) {
  if (name.empty() || IsSeparator(name[0]) || name.find(':') != AnsiString::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    if (name.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}

AnsiString WithBackslashes(AnsiString name) {
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

AnsiString FolderOf(const AnsiString& file) {
  const size_t sep = file.find_last_of('\\');
  return sep == AnsiString::npos ? AnsiString() : file.substr(0, sep);
}

AnsiString NameOf(const AnsiString& file) {
  const size_t sep = file.find_last_of('\\');
  return sep == AnsiString::npos ? file : file.substr(sep + 1);
}

bool Listed(const TStrings* list, const AnsiString& name) {
  if (!list) return false;
  for (int32_t i = 0; i < list->Count(); ++i)
    if (lstrcmpiA(list->Strings(i).c_str(), name.c_str()) == 0) return true;
  return false;
}

}  // namespace

void LoadUnRARFromFile(const AnsiString& file) {
  UnloadUnRAR();
  HMODULE module = LoadLibraryA(file.c_str());
  if (!module) throw Exception("Can't load UNRAR.DLL");
  gLibrary.module = module;
  if (!Take(module, "RAROpenArchive", gLibrary.OpenArchive) || !Take(module, "RARCloseArchive", gLibrary.CloseArchive) ||
      !Take(module, "RARReadHeader", gLibrary.ReadHeader) || !Take(module, "RARProcessFile", gLibrary.ProcessFile) ||
      !Take(module, "RARSetChangeVolProc", gLibrary.SetChangeVolProc) ||
      !Take(module, "RARSetProcessDataProc", gLibrary.SetProcessDataProc) ||
      !Take(module, "RARSetPassword", gLibrary.SetPassword)) {
    UnloadUnRAR();
    throw Exception("Can't load UNRAR.DLL");
  }
}

void LoadUnRAR() {
  if (gLibrary.module) return;
  char self[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) throw Exception("Can't load UNRAR.DLL");
  // By full path: never whatever "unrar.dll" the search order finds first.
  LoadUnRARFromFile(FolderOf(AnsiString(self, n)) + "\\unrar.dll");
}

void UnloadUnRAR() {
  if (gLibrary.module) FreeLibrary(gLibrary.module);
  gLibrary = TUnRarLibrary();
}

HANDLE RAROpenArchive(TRAROpenArchiveData* data) { return Library().OpenArchive(data); }
int RARCloseArchive(HANDLE archive) { return Library().CloseArchive(archive); }
int RARReadHeader(HANDLE archive, TRARHeaderData* header) { return Library().ReadHeader(archive, header); }
int RARProcessFile(HANDLE archive, int operation, const char* destPath, const char* destName) {
  return Library().ProcessFile(archive, operation, destPath, destName);
}
void RARSetChangeVolProc(HANDLE archive, TRARChangeVolProc proc) { Library().SetChangeVolProc(archive, proc); }
void RARSetProcessDataProc(HANDLE archive, TRARProcessDataProc proc) { Library().SetProcessDataProc(archive, proc); }
void RARSetPassword(HANDLE archive, const char* password) { Library().SetPassword(archive, password); }

HANDLE OpenRARFile(const AnsiString& archive) {
  AnsiString name = archive;
  TRAROpenArchiveData data = {};
  data.ArcName = name.data();
  data.OpenMode = RAR_OM_EXTRACT;
  return RAROpenArchive(&data);
}

bool ExtractRARFile(const AnsiString& archive, const AnsiString& destFolder, const TExtractCallback& callback,
                    const TStrings* systemFiles, TStrings* createdFolders, TStrings* extractedFiles,
                    TStrings* failedFiles) {
  HANDLE handle = OpenRARFile(archive);
  if (!handle) return false;
  const AnsiString system = SystemDirectory();
  TRARHeaderData header = {};
  while (RARReadHeader(handle, &header) == ERAR_SUCCESS) {
    header.FileName[sizeof header.FileName - 1] = '\0';
    const AnsiString name = WithBackslashes(header.FileName);
    int operation = RAR_EXTRACT;
    AnsiString folder = destFolder;
    if (callback) callback(name, operation, folder);
    AnsiString target;
    if (operation == RAR_EXTRACT) {
      if (Listed(systemFiles, NameOf(name))) {
        target = AddSlash(system) + NameOf(name);
      } else if (!StaysInside(name)) {
        if (failedFiles) failedFiles->Add(name);
        operation = RAR_SKIP;
      } else {
        target = AddSlash(folder) + name;
        const AnsiString parent = FolderOf(target);
        if (!parent.empty() && !CreateAllDirectories(parent, createdFolders)) {
          if (failedFiles) failedFiles->Add(name);
          operation = RAR_SKIP;
        }
      }
    }
    const int result =
        RARProcessFile(handle, operation, nullptr, operation == RAR_EXTRACT ? target.c_str() : nullptr);
    if (operation != RAR_EXTRACT) continue;
    if (result == ERAR_SUCCESS) {
      if (extractedFiles) extractedFiles->Add(target);
    } else if (failedFiles) {
      failedFiles->Add(name);
    }
  }
  RARCloseArchive(handle);
  return true;
}
