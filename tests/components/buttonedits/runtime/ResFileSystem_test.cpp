#include <windows.h>
#undef DeleteFile

#include <gtest/gtest.h>

#include "components/buttonedits/runtime/FileSystem.h"
#include "tests/support/TestFiles.h"

TEST(ResFileSystem, ReadsTheResourcesOfAModuleAsFiles) {
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  TFileSystem* fs = GetFileSystem(GetResFileSystemFilerID(exe));
  EXPECT_TRUE(fs->FileExists("rt_rcdata\\keldata"));
  EXPECT_TRUE(fs->FileExists("RCDATA\\KELDATA"));
  EXPECT_FALSE(fs->FileExists("RCDATA\\OTHER"));
  EXPECT_FALSE(fs->FileExists("KELDATA"));
  auto stream = fs->GetFileStream("RCDATA\\KELDATA", fmOpenRead);
  ASSERT_NE(stream, nullptr);
  char buf[16] = {};
  EXPECT_EQ(stream->Read(buf, sizeof buf), 7);
  EXPECT_STREQ(buf, "Kelvora");
  ReleaseFileSystem(fs);
}

TEST(ResFileSystem, WrittenResourcesAreStoredIntoTheModule) {
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  kel::test::TempDir dir;
  const AnsiString copy = dir.path() + "\\copy.exe";
  ASSERT_TRUE(::CopyFileA(exe, copy.c_str(), FALSE));

  TResFileSystem fs(nullptr);
  fs.SetFileName(copy);
  {
    auto out = fs.GetFileStream("RCDATA\\MAINFORM", fmCreate);
    ASSERT_NE(out, nullptr);
    out->WriteBuffer("TPF0\x05TForm", 10);
  }
  EXPECT_TRUE(fs.FileExists("RCDATA\\MAINFORM"));
  EXPECT_TRUE(fs.FileExists("RCDATA\\KELDATA"));  // the others stay
  EXPECT_TRUE(IsFormInResource(copy, "mainform"));
  EXPECT_FALSE(IsFormInResource(copy, "KELDATA"));

  {  // read-write: starts with the present data, replaced when freed
    auto rw = fs.GetFileStream("RCDATA\\KELDATA", fmOpenReadWrite);
    rw->Seek(0, soEnd);
    rw->WriteBuffer("!", 1);
  }
  auto in = fs.GetFileStream("RCDATA\\KELDATA", fmOpenRead);
  char buf[16] = {};
  in->Read(buf, sizeof buf);
  EXPECT_STREQ(buf, "Kelvora!");
  EXPECT_FALSE(ResourceUpdate(dir.path() + "\\missing.exe", 10, "", "X", 1, "x"));
}
