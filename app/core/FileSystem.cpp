#include "app/core/FileSystem.h"

#include "app/core/Platform.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kel {

namespace {

FileSystem* gInstalled = nullptr;

bool Seek(std::FILE* f, int64_t pos) {
#ifdef _WIN32
  return _fseeki64(f, pos, SEEK_SET) == 0;
#else
  return fseeko(f, static_cast<off_t>(pos), SEEK_SET) == 0;
#endif
}

// A name no earlier save used: 64 random bits.
std::string TempName(const std::string& path) {
  static std::mt19937_64 gen = [] {
    std::random_device rd;
    const auto t = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return std::mt19937_64((static_cast<uint64_t>(rd()) << 32) ^ rd() ^ t);
  }();
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(gen()));
  std::string temp = path + kTempMark + hex + ".tmp";
  static_assert(sizeof hex - 1 + 4 + std::char_traits<char>::length(kTempMark) == kTempSuffixLength);
  return temp;
}

std::string FolderOf(const std::string& path) {
  const size_t sep = path.find_last_of("\\/");
  return sep == std::string::npos ? std::string(".") : path.substr(0, sep);
}

void RemoveStaleTempFiles(const std::string& folder) {
  FileSystem& fs = fileSystem();
  for (const std::string& name : platform().findFiles(folder + kPathSep + "*" + kTempMark + "*.tmp"))
    fs.remove(folder + kPathSep + name);
}

}  // namespace

std::FILE* FileSystem::open(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::FILE* FileSystem::createNew(const std::string& path) {
#ifdef _WIN32
  int fd = _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* f = _fdopen(fd, "wb");
  if (!f) _close(fd);
#else
  int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  std::FILE* f = fdopen(fd, "wb");
  if (!f) ::close(fd);
#endif
  return f;
}

bool FileSystem::read(std::FILE* f, int64_t pos, void* data, size_t n) {
  return f && Seek(f, pos) && std::fread(data, 1, n, f) == n;
}

bool FileSystem::write(std::FILE* f, int64_t pos, const void* data, size_t n) {
  return f && Seek(f, pos) && std::fwrite(data, 1, n, f) == n;
}

bool FileSystem::flush(std::FILE* f, bool toDisk) {
  if (!f || std::fflush(f) != 0) return false;
  if (!toDisk) return true;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

bool FileSystem::close(std::FILE* f) { return f && std::fclose(f) == 0; }

int64_t FileSystem::size(std::FILE* f) {
  if (!f) return -1;
#ifdef _WIN32
  struct _stat64 st;
  return _fstat64(_fileno(f), &st) == 0 ? st.st_size : -1;
#else
  struct stat st;
  return fstat(fileno(f), &st) == 0 ? st.st_size : -1;
#endif
}

bool FileSystem::replace(const std::string& from, const std::string& to) {
  return platform().replaceFile(from, to);
}

bool FileSystem::remove(const std::string& path) { return platform().removeFile(path); }

FileSystem& fileSystem() {
  static FileSystem system;
  return gInstalled ? *gInstalled : system;
}

void setFileSystem(FileSystem* fs) { gInstalled = fs; }

bool WriteWholeFile(const std::string& path, const void* data, size_t n) {
  FileSystem& fs = fileSystem();
  RemoveStaleTempFiles(FolderOf(path));
  std::string temp;
  std::FILE* f = nullptr;
  // 64 random bits make a clash all but impossible; a few tries cover one.
  for (int attempt = 0; attempt < 8 && !f; ++attempt) f = fs.createNew(temp = TempName(path));
  if (!f) return false;
  bool ok = fs.write(f, 0, data, n) && fs.flush(f, true);
  if (!fs.close(f)) ok = false;
  if (ok) ok = fs.replace(temp, path);
  if (!ok) fs.remove(temp);
  return ok;
}

}  // namespace kel
