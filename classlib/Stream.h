#pragma once
// Byte streams: TStream (abstract), TMemoryStream (growable memory block, or
// an outside buffer it only reads) and TFileStream (a file on disk).
#include "classlib/AnsiString.h"
#include "classlib/Persistent.h"

#include <cstdint>
#include <cstdio>
#include <memory>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  // Bytes actually read or written (fewer at the end of the data).
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // New position from the beginning.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual void SetSize(int64_t size) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  virtual int64_t Size();

  // Exactly `count` bytes or EReadError / EWriteError.
  void ReadBuffer(void* buffer, int32_t count);
  void WriteBuffer(const void* buffer, int32_t count);
  // Copies `count` bytes from `source` (0: all of it from its start).
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  ~TMemoryStream() override;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;
  int64_t Size() override { return FSize; }

  void* Memory() const { return FMemory; }
  void Clear();
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);

 protected:
  // Lets the stream read `size` bytes at `ptr`, which it does not own;
  // writing beyond that block raises EWriteError. Only for a stream that
  // holds no memory of its own (EStreamError otherwise).
  void SetPointer(void* ptr, int64_t size);

 private:
  // Room for size bytes; an outer buffer that is smaller raises EWriteError.
  void Reserve(int64_t size);

  uint8_t* FMemory = nullptr;
  int64_t FSize = 0;
  int64_t FCapacity = 0;
  int64_t FPosition = 0;
  bool FOwnsMemory = true;
};

// Open modes: one access mode; fmCreate creates or truncates. Share flags
// are accepted for compatibility and not enforced.
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyNone = 0x0040;
constexpr uint16_t fmCreate = 0xFF00;

class TFileStream : public TStream {
 public:
  // The name is Windows-1252. Raises EFCreateError / EFOpenError.
  TFileStream(const AnsiString& fileName, uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  // Not supported on a file stream: raises EStreamError.
  void SetSize(int64_t size) override;

  const AnsiString& FileName() const { return FFileName; }
  // Writes buffered data to the file; raises EWriteError when that fails.
  void Flush();

 private:
  AnsiString FFileName;
  std::FILE* FFile = nullptr;
  bool FLastWrite = false;
};
