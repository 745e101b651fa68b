#include "classlib/Stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "classlib/Exception.h"
#include "tests/support/TestFiles.h"

namespace {

class OuterBufferStream : public TMemoryStream {
 public:
  using TMemoryStream::SetPointer;
};


}  // namespace

TEST(MemoryStream, WritesGrowAndSeeksPastTheEndFillWithZeros) {
  TMemoryStream s;
  s.WriteBuffer("abc", 3);
  EXPECT_EQ(s.Size(), 3);
  s.Seek(2, soEnd);
  s.WriteBuffer("z", 1);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(std::memcmp(s.Memory(), "abc\0\0z", 6), 0);
  s.SetPosition(1);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 8), 5);
  EXPECT_THROW(s.ReadBuffer(buf, 1), EReadError);
  EXPECT_EQ(s.Seek(-100, soCurrent), 0);
}

TEST(MemoryStream, MemoryOfAStreamThatWentShowsNothingOfItsBytesInTheNext) {
  // The memory of a stream that goes is handed to the next one.
  auto leaveStaleBytes = [] {
    TMemoryStream first;
    for (int i = 0; i < 1000; ++i) first.WriteBuffer("stale bytes ", 12);
  };
  const char zeros[16] = {};
  leaveStaleBytes();
  TMemoryStream grown;
  grown.SetSize(16);
  EXPECT_EQ(std::memcmp(grown.Memory(), zeros, 16), 0);
  leaveStaleBytes();
  TMemoryStream gap;
  gap.Seek(10, soBeginning);
  gap.WriteBuffer("x", 1);
  EXPECT_EQ(std::memcmp(gap.Memory(), zeros, 10), 0);
  EXPECT_EQ(static_cast<const char*>(gap.Memory())[10], 'x');
}

TEST(MemoryStream, OuterBufferIsReadButNeverOutgrown) {
  char data[] = "hello";
  OuterBufferStream s;
  s.SetPointer(data, 5);
  char buf[5];
  s.ReadBuffer(buf, 5);
  EXPECT_EQ(std::memcmp(buf, "hello", 5), 0);
  EXPECT_THROW(s.WriteBuffer("x", 1), EWriteError);
  OuterBufferStream owning;
  owning.WriteBuffer("x", 1);
  EXPECT_THROW(owning.SetPointer(data, 5), EStreamError);
}

TEST(FileStream, CreatesReadsAndReportsMissingFiles) {
  const kel::test::TempDir temp;
  const std::filesystem::path dir = temp.path();
#ifdef _WIN32
  // Wine under the tests' de_DE.UTF-8 (not generated on the host) cannot
  // make non-ASCII file names at all, so the umlaut is checked natively.
  const AnsiString name = (dir / "t.bin").string();
#else
  // A name with an umlaut (Windows-1252 "ü") reaches the file system intact.
  const AnsiString name = (dir / "t").string() + "\xFC.bin";
#endif
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("12345", 5);
    f.SetPosition(1);
    char c;
    f.ReadBuffer(&c, 1);
    EXPECT_EQ(c, '2');
    EXPECT_EQ(f.Size(), 5);
  }
#ifndef _WIN32
  EXPECT_TRUE(std::filesystem::exists(dir / "t\xC3\xBC.bin"));
#endif
  TFileStream r(name, fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(r.Size(), 5);
  EXPECT_EQ(r.FileName(), name);
  TMemoryStream m;
  m.LoadFromStream(r);
  EXPECT_EQ(std::memcmp(m.Memory(), "12345", 5), 0);
  EXPECT_THROW(TFileStream((dir / "missing.bin").string(), fmOpenRead), EFOpenError);
  // A folder of that name cannot be created as a file.
  EXPECT_THROW(TFileStream(dir.string(), fmCreate), EFCreateError);
}
