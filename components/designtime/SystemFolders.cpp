#include "components/designtime/SystemFolders.h"

#include <objbase.h>
#include <shlobj.h>

#include "components/buttonedits/runtime/PathHelpers.h"

AnsiString StringFromGUID(const GUID& guid) {
  LPOLESTR wide = nullptr;
  if (FAILED(StringFromCLSID(guid, &wide))) return AnsiString();
  AnsiString out;
  for (const wchar_t* c = wide; *c; ++c) out += static_cast<char>(*c);  // hex digits, braces and dashes
  CoTaskMemFree(wide);
  return out;
}

AnsiString GetUniqueString(const AnsiString& prefix) {
  GUID guid;
  if (FAILED(CoCreateGuid(&guid))) return AnsiString();
  return prefix + StringFromGUID(guid);
}

AnsiString GetTemporaryFileName(const AnsiString& prefix) {
  char name[MAX_PATH];
  if (!GetTempFileNameA(GetTemporaryPath().c_str(), prefix.c_str(), 0, name)) return AnsiString();
  return name;
}

AnsiString SystemDirectory() {
  char path[MAX_PATH];
  const UINT n = GetSystemDirectoryA(path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? AnsiString(path, n) : AnsiString();
}

AnsiString WindowsDirectory() {
  char path[MAX_PATH];
  const UINT n = GetWindowsDirectoryA(path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? AnsiString(path, n) : AnsiString();
}

AnsiString ProgramFilesDirectory() {
  char path[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path)))
    return AnsiString();
  return AddSlash(path);
}

AnsiString StartMenuProgramsFolder() {
  char path[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path))) return AnsiString();
  return AddSlash(path);
}

bool CreateFolders(const TStrings& folders) {
  bool ok = true;
  for (int32_t i = 0; i < folders.Count(); ++i) ok = CreateAllDirectories(folders.Strings(i), nullptr) && ok;
  return ok;
}

AnsiString ProcessFileTemplate(const AnsiString& text) {
  static const AnsiString kPlaceholder = "%SYSTEM%";
  const AnsiString system = SystemDirectory();
  AnsiString out;
  size_t start = 0;
  for (size_t p; (p = text.find(kPlaceholder, start)) != AnsiString::npos; start = p + kPlaceholder.size())
    out += text.substr(start, p - start) + system;
  return out + text.substr(start);
}
