#include "components/buttonedits/runtime/FileCalls.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>

#include <memory>
#include <string>
#include <vector>

namespace filecalls {

bool GetAttributes(const AnsiString& path, uint32_t& attributes) {
  const DWORD a = ::GetFileAttributesA(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return false;
  attributes = a;
  return true;
}

bool DirectoryExists(const AnsiString& path) {
  uint32_t a;
  return GetAttributes(path, a) && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const AnsiString& path) {
  uint32_t a;
  return GetAttributes(path, a) && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SetReadOnly(const AnsiString& path, bool readOnly) {
  const DWORD a = ::GetFileAttributesA(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD n = readOnly ? (a | FILE_ATTRIBUTE_READONLY) : (a & ~DWORD(FILE_ATTRIBUTE_READONLY));
  return ::SetFileAttributesA(path.c_str(), n) != 0;
}

bool CreateDir(const AnsiString& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != 0; }
bool RemoveFile(const AnsiString& path) { return ::DeleteFileA(path.c_str()) != 0; }
bool RenameFile(const AnsiString& oldName, const AnsiString& newName) {
  return ::MoveFileA(oldName.c_str(), newName.c_str()) != 0;
}

int64_t FileAge(const AnsiString& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  ULARGE_INTEGER t;
  t.LowPart = data.ftLastWriteTime.dwLowDateTime;
  t.HighPart = data.ftLastWriteTime.dwHighDateTime;
  return static_cast<int64_t>(t.QuadPart / 10000000ULL) - 11644473600LL;
}

AnsiString GetCurrentDir() {
  const DWORD n = ::GetCurrentDirectoryA(0, nullptr);
  if (n == 0) return AnsiString();
  std::vector<char> buf(n + 1);
  const DWORD got = ::GetCurrentDirectoryA(static_cast<DWORD>(buf.size()), buf.data());
  return AnsiString(buf.data(), got < buf.size() ? got : 0);
}

bool SetCurrentDir(const AnsiString& path) { return ::SetCurrentDirectoryA(path.c_str()) != 0; }

AnsiString TempFolder() {
  char buf[MAX_PATH + 1];
  const DWORD n = ::GetTempPathA(sizeof buf, buf);
  if (n == 0 || n > sizeof buf) return AnsiString();
  return AnsiString(buf, n);
}

AnsiString MakeTempFile(const AnsiString& folder, const AnsiString& prefix) {
  char buf[MAX_PATH + 1];
  if (!::GetTempFileNameA(folder.empty() ? "." : folder.c_str(), prefix.c_str(), 0, buf)) return AnsiString();
  return buf;
}

char Separator() { return '\\'; }

bool ForEachEntry(const AnsiString& pathWithMask, uint32_t attributes,
                  const std::function<bool(const AnsiString& folder, const TSearchRec&)>& found) {
  const auto sep = pathWithMask.find_last_of("\\/:");
  const AnsiString folder = sep == AnsiString::npos ? AnsiString() : pathWithMask.substr(0, sep + 1);
  WIN32_FIND_DATAA data;
  HANDLE h = ::FindFirstFileA(pathWithMask.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return true;
  std::unique_ptr<void, decltype(&::FindClose)> guard(h, &::FindClose);
  do {
    const AnsiString name = data.cFileName;
    if (name == "." || name == "..") continue;
    const uint32_t special = data.dwFileAttributes & (faDirectory | faHidden | faSysFile);
    if ((special & ~attributes) != 0) continue;
    TSearchRec rec;
    rec.Name = name;
    rec.Attr = data.dwFileAttributes;
    rec.Size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (!found(folder, rec)) return false;
  } while (::FindNextFileA(h, &data));
  return true;
}

void* LoadResourceModule(const AnsiString& fileName) {
  return ::LoadLibraryExA(fileName.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void FreeResourceModule(void* module) {
  if (module) ::FreeLibrary(static_cast<HMODULE>(module));
}

bool ReadModuleResource(void* module, int32_t type, const AnsiString& typeName, const AnsiString& resName,
                        std::vector<uint8_t>& data) {
  if (!module) return false;
  const auto h = static_cast<HMODULE>(module);
  // A name of digits only is a numeric resource id.
  const bool numeric = !resName.empty() && resName.size() < 6 &&
                       resName.find_first_not_of("0123456789") == AnsiString::npos && std::stoi(resName) < 65536;
  LPCSTR name = numeric ? MAKEINTRESOURCEA(std::stoi(resName)) : resName.c_str();
  LPCSTR kind = type ? MAKEINTRESOURCEA(type) : typeName.c_str();
  HRSRC res = ::FindResourceA(h, name, kind);
  if (!res) return false;
  HGLOBAL block = ::LoadResource(h, res);
  const DWORD size = ::SizeofResource(h, res);
  const void* bytes = block ? ::LockResource(block) : nullptr;
  if (!bytes && size) return false;
  const auto* b = static_cast<const uint8_t*>(bytes);
  data.assign(b, b + size);
  return true;
}

bool SetAttributes(const AnsiString& path, uint32_t attributes) {
  return ::SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != 0;
}

AnsiString ExeFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  AnsiString p(path, n);
  return p.substr(0, p.find_last_of("\\/:") + 1);
}

AnsiString NewGuidText() {
  GUID g;
  if (::CoCreateGuid(&g) != S_OK) return AnsiString();
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return text;
}

bool UpdateModuleResource(const AnsiString& fileName, int32_t type, const AnsiString& typeName,
                          const AnsiString& resName, const void* data, uint32_t size, uint16_t language) {
  const bool numeric = !resName.empty() && resName.size() < 6 &&
                       resName.find_first_not_of("0123456789") == AnsiString::npos && std::stoi(resName) < 65536;
  LPCSTR name = numeric ? MAKEINTRESOURCEA(std::stoi(resName)) : resName.c_str();
  LPCSTR kind = type ? MAKEINTRESOURCEA(type) : typeName.c_str();
  HANDLE update = ::BeginUpdateResourceA(fileName.c_str(), FALSE);
  if (!update) return false;
  if (!::UpdateResourceA(update, kind, name, language, const_cast<void*>(data), size)) {
    ::EndUpdateResourceA(update, TRUE);
    return false;
  }
  return ::EndUpdateResourceA(update, FALSE) != 0;
}

}  // namespace filecalls
