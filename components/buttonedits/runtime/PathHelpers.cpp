#include "components/buttonedits/runtime/PathHelpers.h"

#include "components/buttonedits/runtime/FileCalls.h"

AnsiString AddSlash(const AnsiString& path) {
  if (path.empty() || path.back() == '\\') return path;
  return path + '\\';
}

AnsiString RemoveSlash(const AnsiString& path) {
  if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
  return path;
}

bool DirectoryExists(const AnsiString& path) { return filecalls::DirectoryExists(path); }

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool CreateAllDirectories(const AnsiString& folder, TStrings* created) {
  if (folder.empty()) return true;
  AnsiString dir = folder;
  if (IsSeparator(dir.back())) dir.pop_back();
  // A drive ("C:") or a root is never created.
  if (dir.empty() || dir.back() == ':' || filecalls::DirectoryExists(dir)) return true;
  const auto cut = dir.find_last_of("\\/:");
  const AnsiString parent = cut == AnsiString::npos ? AnsiString() : dir.substr(0, cut + 1);
  if (parent == dir) return true;
  if (!CreateAllDirectories(parent, created)) return false;
  if (!filecalls::CreateDir(dir)) return filecalls::DirectoryExists(dir);
  if (created) created->Add(dir);
  return true;
}

AnsiString GetTemporaryPath() {
  AnsiString path = filecalls::TempFolder();
  if (path.size() > 3 && IsSeparator(path.back())) path.pop_back();
  return path;
}
