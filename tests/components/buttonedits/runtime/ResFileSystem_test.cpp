#include <windows.h>
#undef DeleteFile

#include <gtest/gtest.h>

#include "components/buttonedits/runtime/FileSystem.h"

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
  EXPECT_EQ(fs->GetFileStream("RCDATA\\KELDATA", fmOpenWrite), nullptr);
  ReleaseFileSystem(fs);
}
