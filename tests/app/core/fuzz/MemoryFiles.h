#pragma once
// Files in memory for the entry-data fuzz targets: the file system the
// store and the loaders use, and a platform whose file search, folders,
// removal and renaming see the same files. A run then touches no disk and
// makes no system call for its files. Files are byte vectors by path,
// opened as stdio streams over them (fopencookie), so that the program's
// positioned reads and writes work on them unchanged.
#include "app/core/FileSystem.h"
#include "app/core/PortablePlatform.h"

#include <sys/types.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace kel::fuzz {

class MemoryFiles : public FileSystem {
public:
  using Bytes = std::vector<uint8_t>;

  // The bytes of a file, made empty when there is none.
  Bytes& Contents(const std::string& path) {
    std::shared_ptr<Bytes>& b = files_[path];
    if (!b) b = std::make_shared<Bytes>();
    return *b;
  }
  // How many times the program changed a file (wrote, emptied, made,
  // renamed or removed one); changes through Contents() do not count.
  uint64_t Changes() const { return shared_->changes; }
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  bool IsFolder(const std::string& path) const { return folders_.count(Trimmed(path)) != 0; }
  void AddFolder(const std::string& path) { folders_.insert(Trimmed(path)); }

  // The names of the files in a folder that match a pattern of "*" and "?".
  std::vector<std::string> Find(const std::string& pattern) const {
    const size_t sep = pattern.find_last_of("/\\");
    const std::string folder = sep == std::string::npos ? std::string() : pattern.substr(0, sep + 1);
    const std::string mask = pattern.substr(folder.size());
    std::vector<std::string> out;
    for (auto it = files_.lower_bound(folder); it != files_.end() && it->first.compare(0, folder.size(), folder) == 0;
         ++it) {
      const std::string name = it->first.substr(folder.size());
      if (name.find_first_of("/\\") == std::string::npos && MatchesWildcard(name, mask)) out.push_back(name);
    }
    return out;
  }

  std::FILE* open(const std::string& path, const char* mode) override {
    const bool update = std::strchr(mode, '+') != nullptr;
    if (mode[0] == 'r' && !Exists(path)) return nullptr;
    if (mode[0] == 'w') {
      Contents(path).clear();
      ++shared_->changes;
    }
    return Stream(path, mode[0] != 'r' || update);
  }
  std::FILE* createNew(const std::string& path) override {
    if (Exists(path)) return nullptr;
    Contents(path);
    ++shared_->changes;
    return Stream(path, true);
  }
  bool flush(std::FILE* f, bool) override { return f && std::fflush(f) == 0; }
  int64_t size(std::FILE* f) override {
    if (!f || std::fflush(f) != 0) return -1;
    return EndOf(f);
  }
  bool replace(const std::string& from, const std::string& to) override {
    auto it = files_.find(from);
    if (it == files_.end()) return false;
    files_[to] = it->second;
    files_.erase(from);
    ++shared_->changes;
    return true;
  }
  bool remove(const std::string& path) override {
    if (files_.erase(path) == 0) return false;
    ++shared_->changes;
    return true;
  }

private:
  // What the streams share with the files: the count of changes and the
  // buffers of closed streams for reuse. A stream keeps it alive, so that
  // one closed after the files are gone (at exit) is still sound.
  struct Shared {
    uint64_t changes = 0;
    std::vector<std::unique_ptr<char[]>> spare;
  };

  // An open stream's file (kept alive by the stream even when removed), its
  // position and its buffer.
  struct Cookie {
    std::shared_ptr<Bytes> data;
    size_t pos = 0;
    std::shared_ptr<Shared> shared;
    std::unique_ptr<char[]> buffer;
  };

  static constexpr size_t kBufferSize = BUFSIZ;

  static std::string Trimmed(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
  }

  static int64_t EndOf(std::FILE* f) {
    const off_t at = ftello(f);
    if (at < 0 || fseeko(f, 0, SEEK_END) != 0) return -1;
    const off_t end = ftello(f);
    fseeko(f, at, SEEK_SET);
    return end;
  }

  std::FILE* Stream(const std::string& path, bool writable) {
    auto* cookie = new Cookie{files_[path], 0, shared_, nullptr};
    std::vector<std::unique_ptr<char[]>>& spare = shared_->spare;
    if (spare.empty()) {
      cookie->buffer = std::make_unique<char[]>(kBufferSize);
    } else {
      cookie->buffer = std::move(spare.back());
      spare.pop_back();
    }
    cookie_io_functions_t io{};
    io.read = [](void* c, char* buf, size_t n) -> ssize_t {
      auto* k = static_cast<Cookie*>(c);
      const size_t have = k->pos < k->data->size() ? k->data->size() - k->pos : 0;
      n = std::min(n, have);
      if (n > 0) std::memcpy(buf, k->data->data() + k->pos, n);
      k->pos += n;
      return static_cast<ssize_t>(n);
    };
    if (writable)
      io.write = [](void* c, const char* buf, size_t n) -> ssize_t {
        auto* k = static_cast<Cookie*>(c);
        if (n == 0) return 0;
        if (k->data->size() < k->pos + n) k->data->resize(k->pos + n);
        std::memcpy(k->data->data() + k->pos, buf, n);
        k->pos += n;
        ++k->shared->changes;
        return static_cast<ssize_t>(n);
      };
    io.seek = [](void* c, off64_t* offset, int whence) -> int {
      auto* k = static_cast<Cookie*>(c);
      const off64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<off64_t>(k->pos)
                                                                        : static_cast<off64_t>(k->data->size());
      if (base + *offset < 0) return -1;
      k->pos = static_cast<size_t>(base + *offset);
      *offset = static_cast<off64_t>(k->pos);
      return 0;
    };
    io.close = [](void* c) -> int {
      auto* k = static_cast<Cookie*>(c);
      k->shared->spare.push_back(std::move(k->buffer));
      delete k;
      return 0;
    };
    std::FILE* f = fopencookie(cookie, writable ? "r+" : "r", io);
    if (!f) {
      delete cookie;
      return nullptr;
    }
    // The stream's buffer comes from the ones closed streams gave back: a
    // run opens several streams and allocates no buffer for them.
    std::setvbuf(f, cookie->buffer.get(), _IOFBF, kBufferSize);
    return f;
  }

  std::map<std::string, std::shared_ptr<Bytes>> files_;
  std::set<std::string> folders_;
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

// The portable platform with its files in memory; it shows nothing.
class MemoryPlatform : public PortablePlatform {
public:
  explicit MemoryPlatform(MemoryFiles& files) : files_(files) {}

  std::vector<std::string> findFiles(const std::string& pattern) override { return files_.Find(pattern); }
  bool pathExists(const std::string& path) override { return files_.Exists(path) || files_.IsFolder(path); }
  bool createFolder(const std::string& path) override {
    files_.AddFolder(path);
    return true;
  }
  bool removeFile(const std::string& path) override { return files_.remove(path); }
  bool replaceFile(const std::string& from, const std::string& to) override { return files_.replace(from, to); }
  int32_t messageBox(const std::string&, const std::string&, uint32_t) override { return 1; }

private:
  MemoryFiles& files_;
};

}  // namespace kel::fuzz
