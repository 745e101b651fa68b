#include "components/buttonedits/runtime/FileCalls.h"

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <random>

namespace filecalls {
namespace {

bool MatchMask(const char* name, const char* mask) {
  // Iterative wildcard match with one back-tracking point.
  const char* starMask = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask == '?' ||
               std::toupper(static_cast<unsigned char>(*mask)) == std::toupper(static_cast<unsigned char>(*name))) {
      ++mask;
      ++name;
    } else if (starMask) {
      mask = starMask;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == '\0';
}

bool Matches(const AnsiString& name, const AnsiString& mask) {
  if (mask == "*.*" || mask == "*") return true;
  return MatchMask(name.c_str(), mask.c_str());
}

}  // namespace

bool GetAttributes(const AnsiString& path, uint32_t& attributes) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  attributes = 0;
  if (S_ISDIR(st.st_mode)) attributes |= faDirectory;
  else attributes |= faArchive;
  if ((st.st_mode & 0222) == 0) attributes |= faReadOnly;
  const auto slash = path.find_last_of('/');
  const AnsiString base = slash == AnsiString::npos ? path : path.substr(slash + 1);
  if (!base.empty() && base[0] == '.') attributes |= faHidden;
  return true;
}

bool DirectoryExists(const AnsiString& path) {
  uint32_t a;
  return GetAttributes(path, a) && (a & faDirectory);
}

bool FileExists(const AnsiString& path) {
  uint32_t a;
  return GetAttributes(path, a) && !(a & faDirectory);
}

bool SetReadOnly(const AnsiString& path, bool readOnly) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = readOnly ? (mode & ~0222) : (mode | 0200);
  return ::chmod(path.c_str(), mode) == 0;
}

bool CreateDir(const AnsiString& path) { return ::mkdir(path.c_str(), 0777) == 0; }
bool RemoveFile(const AnsiString& path) { return ::unlink(path.c_str()) == 0; }
bool RenameFile(const AnsiString& oldName, const AnsiString& newName) {
  // Like MoveFile: an existing target is not replaced.
  if (::access(newName.c_str(), F_OK) == 0) return false;
  return std::rename(oldName.c_str(), newName.c_str()) == 0;
}

int64_t FileAge(const AnsiString& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_mtime);
}

AnsiString GetCurrentDir() {
  std::unique_ptr<char, decltype(&free)> cwd(::getcwd(nullptr, 0), &free);
  return cwd ? AnsiString(cwd.get()) : AnsiString();
}

bool SetCurrentDir(const AnsiString& path) { return ::chdir(path.c_str()) == 0; }

AnsiString TempFolder() {
  const char* dir = ::getenv("TMPDIR");
  AnsiString r = dir && *dir ? dir : "/tmp";
  if (r.back() != '/') r += '/';
  return r;
}

AnsiString MakeTempFile(const AnsiString& folder, const AnsiString& prefix) {
  AnsiString dir = folder.empty() ? AnsiString(".") : folder;
  if (dir.back() != '/') dir += '/';
  AnsiString templ = dir + prefix.substr(0, 3) + "XXXXXX";
  const int fd = ::mkstemp(templ.data());
  if (fd < 0) return AnsiString();
  ::close(fd);
  return templ;
}

char Separator() { return '/'; }

bool ForEachEntry(const AnsiString& pathWithMask, uint32_t attributes,
                  const std::function<bool(const AnsiString& folder, const TSearchRec&)>& found) {
  const auto slash = pathWithMask.find_last_of('/');
  const AnsiString folder = slash == AnsiString::npos ? AnsiString() : pathWithMask.substr(0, slash + 1);
  const AnsiString mask = slash == AnsiString::npos ? pathWithMask : pathWithMask.substr(slash + 1);
  struct CloseDir {
    void operator()(DIR* d) const { ::closedir(d); }
  };
  std::unique_ptr<DIR, CloseDir> dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return true;
  while (dirent* e = ::readdir(dir.get())) {
    const AnsiString name = e->d_name;
    if (name == "." || name == ".." || !Matches(name, mask)) continue;
    TSearchRec rec;
    rec.Name = name;
    if (!GetAttributes(folder + name, rec.Attr)) continue;
    const uint32_t special = rec.Attr & (faDirectory | faHidden | faSysFile);
    if ((special & ~attributes) != 0) continue;
    struct stat st;
    if (::stat((folder + name).c_str(), &st) == 0) rec.Size = static_cast<int64_t>(st.st_size);
    if (!found(folder, rec)) return false;
  }
  return true;
}

void* LoadResourceModule(const AnsiString&) { return nullptr; }
void FreeResourceModule(void*) {}
bool ReadModuleResource(void*, int32_t, const AnsiString&, const AnsiString&, std::vector<uint8_t>&) { return false; }

bool SetAttributes(const AnsiString& path, uint32_t attributes) {
  return SetReadOnly(path, (attributes & faReadOnly) != 0);
}

AnsiString ExeFolder() {
  char path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "./";
  AnsiString p(path, static_cast<size_t>(n));
  return p.substr(0, p.rfind('/') + 1);
}

AnsiString NewGuidText() {
  std::random_device rd;
  uint8_t b[16];
  for (auto& x : b) x = static_cast<uint8_t>(rd());
  b[6] = static_cast<uint8_t>((b[6] & 0x0F) | 0x40);  // version 4
  b[8] = static_cast<uint8_t>((b[8] & 0x3F) | 0x80);
  char text[40];
  std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[0], b[1],
                b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
  return text;
}

bool UpdateModuleResource(const AnsiString&, int32_t, const AnsiString&, const AnsiString&, const void*, uint32_t,
                          uint16_t) {
  return false;
}

}  // namespace filecalls
