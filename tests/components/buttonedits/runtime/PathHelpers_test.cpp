#include "components/buttonedits/runtime/PathHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "components/buttonedits/runtime/FileCalls.h"
#include "tests/support/TestFiles.h"

TEST(PathHelpers, SlashRules) {
  struct Case {
    const char* in;
    const char* added;
    const char* removed;
  } cases[] = {
      {"", "", ""},
      {"C:\\a", "C:\\a\\", "C:\\a"},
      {"C:\\a\\", "C:\\a\\", "C:\\a"},
      {"C:\\a\\\\", "C:\\a\\\\", "C:\\a\\"},
      {"\\", "\\", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddSlash(c.in), c.added) << c.in;
    EXPECT_EQ(RemoveSlash(c.in), c.removed) << c.in;
  }
}

TEST(PathHelpers, TemporaryPathHasNoTrailingSeparatorUnlessItIsADriveRoot) {
  const AnsiString path = GetTemporaryPath();
  ASSERT_FALSE(path.empty());
  if (path.size() > 3) {
    EXPECT_NE(path.back(), filecalls::Separator());
  }
  EXPECT_TRUE(DirectoryExists(path));
}

TEST(PathHelpers, CreateAllDirectoriesCreatesEachMissingLevelOutermostFirst) {
  kel::test::TempDir tmp;
  const char s = filecalls::Separator();
  const AnsiString outer = tmp.path() + s + "a";
  const AnsiString inner = outer + s + "b";
  TStringList created;
  EXPECT_TRUE(CreateAllDirectories(inner + s, &created));
  ASSERT_EQ(created.Count(), 2);
  EXPECT_EQ(created.Strings(0), outer);
  EXPECT_EQ(created.Strings(1), inner);
  EXPECT_TRUE(DirectoryExists(inner));

  created.Clear();
  EXPECT_TRUE(CreateAllDirectories(inner, &created));
  EXPECT_EQ(created.Count(), 0);
  EXPECT_TRUE(CreateAllDirectories("", nullptr));
}

TEST(PathHelpers, CreateAllDirectoriesReportsFailureAndListsOnlyWhatItMade) {
  kel::test::TempDir tmp;
  const char s = filecalls::Separator();
  const AnsiString file = tmp.path() + s + "file";
  std::FILE* f = std::fopen(file.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  struct Case {
    AnsiString target;
    std::vector<AnsiString> listed;
  } cases[] = {
      // A file stands where a folder should be.
      {file + s + "below" + s + "deeper", {}},
      // The first level is made, the second has a name no file system takes.
      {tmp.path() + s + "new" + s + AnsiString(300, 'x'), {tmp.path() + s + "new"}},
  };
  for (const Case& c : cases) {
    TStringList created;
    EXPECT_FALSE(CreateAllDirectories(c.target, &created)) << c.target;
    ASSERT_EQ(created.Count(), static_cast<int32_t>(c.listed.size()));
    for (size_t i = 0; i < c.listed.size(); ++i) EXPECT_EQ(created.Strings(static_cast<int32_t>(i)), c.listed[i]);
  }
}
