#include "classlib/Stream.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include "classlib/Exception.h"
#include "classlib/Format.h"

int64_t TStream::Size() {
  const int64_t pos = Seek(0, soCurrent);
  const int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int32_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream-Lesefehler");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream-Schreibfehler");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  const int64_t total = count;
  char buf[8192];
  while (count > 0) {
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, sizeof buf));
    source.ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    count -= n;
  }
  return total;
}

namespace {

// The memory of the last stream that went on this thread, kept for the next
// one: a program that writes document after document into memory then
// neither maps nor faults in fresh pages for each (under Wine every large
// block is fresh pages, about 13 us each). Up to a bound, so that one huge
// stream does not stay resident.
constexpr int64_t kSpareMax = int64_t(8) << 20;

struct SpareBlock {
  uint8_t* memory = nullptr;
  int64_t capacity = 0;
  ~SpareBlock() { std::free(memory); }
};
thread_local SpareBlock tSpare;

// Frees memory, or keeps it as the spare when it is larger than the one
// kept and within the bound.
void Recycle(uint8_t* memory, int64_t capacity) {
  if (memory && capacity <= kSpareMax && capacity > tSpare.capacity) {
    std::swap(memory, tSpare.memory);
    tSpare.capacity = capacity;
  }
  std::free(memory);
}

}  // namespace

TMemoryStream::~TMemoryStream() {
  if (FOwnsMemory) Recycle(FMemory, FCapacity);
}

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || FPosition >= FSize) return 0;
  const int64_t n = std::min<int64_t>(count, FSize - FPosition);
  std::memcpy(buffer, FMemory + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return static_cast<int32_t>(n);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const int64_t end = FPosition + count;
  if (end > FSize) {
    // Only a gap between the old end and the position is zeroed: the bytes
    // about to be written are not written twice.
    if (FPosition > FSize) SetSize(FPosition);
    Reserve(end);
    FSize = end;
  }
  std::memcpy(FMemory + FPosition, buffer, static_cast<size_t>(count));
  FPosition = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t pos = offset;
  if (origin == soCurrent) pos += FPosition;
  else if (origin == soEnd) pos += FSize;
  if (pos < 0) pos = 0;
  FPosition = pos;
  return FPosition;
}

void TMemoryStream::Reserve(int64_t size) {
  if (size <= FCapacity) return;
  if (!FOwnsMemory) throw EWriteError("Stream-Schreibfehler");
  if (!FMemory && tSpare.capacity >= size) {
    FMemory = std::exchange(tSpare.memory, nullptr);
    FCapacity = std::exchange(tSpare.capacity, 0);
    return;
  }
  int64_t cap = std::max<int64_t>(size, FCapacity + FCapacity / 2);
  cap = (cap + 0x1FFF) & ~int64_t(0x1FFF);
  auto* p = static_cast<uint8_t*>(std::realloc(FMemory, static_cast<size_t>(cap)));
  if (!p) throw EStreamError("Zu wenig Arbeitsspeicher");
  FMemory = p;
  FCapacity = cap;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) size = 0;
  Reserve(size);
  if (size > FSize && FOwnsMemory) std::memset(FMemory + FSize, 0, static_cast<size_t>(size - FSize));
  FSize = size;
  if (FPosition > FSize) FPosition = FSize;
}

void TMemoryStream::Clear() {
  if (FOwnsMemory) Recycle(FMemory, FCapacity);
  FMemory = nullptr;
  FSize = FCapacity = FPosition = 0;
  FOwnsMemory = true;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  const int64_t size = stream.Size();
  SetSize(size);
  int64_t done = 0;
  while (done < size) {
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(size - done, 1 << 30));
    stream.ReadBuffer(FMemory + done, n);
    done += n;
  }
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) {
  int64_t done = 0;
  while (done < FSize) {
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(FSize - done, 1 << 30));
    stream.WriteBuffer(FMemory + done, n);
    done += n;
  }
}

void TMemoryStream::SetPointer(void* ptr, int64_t size) {
  if (FOwnsMemory && FMemory) throw EStreamError("Der Stream besitzt bereits eigenen Speicher");
  FMemory = static_cast<uint8_t*>(ptr);
  FSize = FCapacity = size < 0 ? 0 : size;
  FPosition = 0;
  FOwnsMemory = false;
}

namespace {

std::FILE* OpenFile(const AnsiString& name, const char* mode) {
  // The file system gets the name in its own form: UTF-16 on Windows,
  // UTF-8 natively.
  const std::filesystem::path p(AnsiToWide(name));
#ifdef _WIN32
  std::wstring wmode;
  for (const char* m = mode; *m; ++m) wmode.push_back(static_cast<wchar_t>(*m));
  return _wfopen(p.c_str(), wmode.c_str());
#else
  return std::fopen(p.c_str(), mode);
#endif
}

int Fseek(std::FILE* f, int64_t offset, int whence) {
#ifdef _WIN32
  return _fseeki64(f, offset, whence);
#else
  return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}

int64_t Ftell(std::FILE* f) {
#ifdef _WIN32
  return _ftelli64(f);
#else
  return static_cast<int64_t>(ftello(f));
#endif
}

}  // namespace

TFileStream::TFileStream(const AnsiString& fileName, uint16_t mode) : FFileName(fileName) {
  if (mode == fmCreate) {
    FFile = OpenFile(fileName, "w+b");
    if (!FFile) throw EFCreateError(Format("Datei %s kann nicht erstellt werden", fileName.c_str()));
    return;
  }
  switch (mode & 3) {
    case fmOpenWrite:
    case fmOpenReadWrite:
      FFile = OpenFile(fileName, "r+b");
      break;
    default:
      FFile = OpenFile(fileName, "rb");
      break;
  }
  if (!FFile) throw EFOpenError(Format("Datei %s kann nicht geöffnet werden", fileName.c_str()));
}

TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  if (FLastWrite) {
    // Switching from writing to reading needs a positioning call.
    Fseek(FFile, 0, SEEK_CUR);
    FLastWrite = false;
  }
  return static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), FFile));
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  if (!FLastWrite) {
    Fseek(FFile, 0, SEEK_CUR);
    FLastWrite = true;
  }
  return static_cast<int32_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), FFile));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  if (Fseek(FFile, offset, whence) != 0) return -1;
  return Ftell(FFile);
}

void TFileStream::SetSize(int64_t) { throw EStreamError("Die Dateigröße kann nicht geändert werden"); }

void TFileStream::Flush() {
  if (std::fflush(FFile) != 0) throw EWriteError("Stream-Schreibfehler");
}
