#pragma once
// The file operations of the entry data: positioned reads and writes of the
// data files, flushing to the disk, and files written whole. Every file the
// entry data writes goes through the installed file system, so that tests
// can make any single operation fail.
#include <cstdint>
#include <cstdio>
#include <string>

namespace kel {

class FileSystem {
public:
  virtual ~FileSystem() = default;

  // fopen with a C mode string; null on failure.
  virtual std::FILE* open(const std::string& path, const char* mode);
  // Creates a file that does not exist yet and opens it for writing (binary);
  // null when a file of that name exists or it cannot be made.
  virtual std::FILE* createNew(const std::string& path);
  // Exactly n bytes at byte position pos.
  virtual bool read(std::FILE* f, int64_t pos, void* data, size_t n);
  virtual bool write(std::FILE* f, int64_t pos, const void* data, size_t n);
  // Hands buffered data to the system; with toDisk waits until the disk
  // holds it (fsync, FlushFileBuffers).
  virtual bool flush(std::FILE* f, bool toDisk);
  virtual bool close(std::FILE* f);
  // The size of an open file, or -1.
  virtual int64_t size(std::FILE* f);
  // Moves a file over another one, replacing it.
  virtual bool replace(const std::string& from, const std::string& to);
  virtual bool remove(const std::string& path);
};

// The file system in use: the one installed last, else the system's.
FileSystem& fileSystem();
// Installs a file system (null restores the system's). Not owned.
void setFileSystem(FileSystem* fs);

// The mark in the names of this program's temporary files: "<name>.~kel<hex>.tmp".
inline constexpr const char* kTempMark = ".~kel";
// What a temporary file's name adds to the target's name: the mark, 16 hex
// digits and ".tmp".
inline constexpr size_t kTempSuffixLength = std::char_traits<char>::length(kTempMark) + 16 + 4;

// Writes a file whole: the bytes go to a temporary file of a unique name in
// the target's folder, which is flushed to the disk and then renamed over
// the target. On failure the target is as it was and the temporary file is
// gone. Temporary files that earlier runs left in the folder are removed
// first.
bool WriteWholeFile(const std::string& path, const void* data, size_t n);

}  // namespace kel
