#include "components/buttonedits/runtime/StringHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/PathHelpers.h"
#include "tests/support/TestFiles.h"

TEST(StringHelpers, ReplaceAllOccurDoesNotSearchItsOwnReplacements) {
  struct Case {
    const char* text;
    const char* old;
    const char* replacement;
    bool ignoreCase;
    const char* result;
  } cases[] = {
      {"aaa", "a", "aa", false, "aaaaaa"},
      {"Ab ab AB", "ab", "x", true, "x x x"},
      {"Ab ab AB", "ab", "x", false, "Ab x AB"},
      {"abc", "", "x", false, "abc"},
      {"\xC4rger \xE4rger", "\xE4r", "Z", true, "Zger Zger"},
  };
  for (const Case& c : cases) {
    AnsiString t = c.text;
    ReplaceAllOccurEx(t, c.old, c.replacement, c.ignoreCase);
    EXPECT_EQ(t, c.result) << c.text;
  }
}

TEST(StringHelpers, ExtractQuotedStr) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"", ""}, {"'", "'"}, {"''", ""}, {"'ab'", "ab"}, {"'it''s'", "it's"}, {"a''b", "a'b"}, {"'ab", "'ab"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtractQuotedStr(c.in, '\''), c.out) << c.in;
}

TEST(StringHelpers, WordsAreRunsOfNonSeparators) {
  const TCharSet seps = CharSetOf(" ,");
  struct Case {
    const char* text;
    int32_t n;
    int32_t pos;
    const char* word;
  } cases[] = {
      {"  eins, zwei drei ", 1, 1, "eins"}, {"  eins, zwei drei ", 2, 7, "zwei"},
      {"  eins, zwei drei ", 3, 12, "drei"}, {"  eins, zwei drei ", 4, -1, ""},
      {"", 1, -1, ""},                       {",,,", 1, -1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetWordPos(c.text, c.n, seps), c.pos) << c.text << " #" << c.n;
    EXPECT_EQ(GetWordEx(c.text, c.n, seps), c.word) << c.text << " #" << c.n;
  }
  EXPECT_EQ(TrimSeparators(",a,", seps), "a");
  EXPECT_EQ(AddCharOccurence("a%b", '%', 1), "a%%b");
  EXPECT_EQ(AddCharOccurence("a%b", '%', 0), "a%b");
  EXPECT_EQ(RemoveExtraSlash("C:\\\\a\\\\b\\c"), "C:\\a\\b\\c");
  EXPECT_EQ(GetFirstNotSpace("   "), 4);
}

TEST(StringHelpers, LengthPrefixedTextsAreBounded) {
  TMemoryStream stream;
  DCWriteStrWithLenToStream(stream, "Kelvora");
  stream.SetPosition(0);
  EXPECT_EQ(DCReadStrWithLenFromStream(stream), "Kelvora");

  TMemoryStream bad;
  bad.WriteBuffer("\xFF\xFF\0\0" "abc", 7);
  bad.SetPosition(0);
  EXPECT_THROW(DCReadStrWithLenFromStream(bad), EReadError);
}

TEST(StringHelpers, FindFilesExListsEachMatchOnceUpperCasedAndSorted) {
  kel::test::TempDir tmp;
  const char s = filecalls::Separator();
  ASSERT_TRUE(CreateAllDirectories(tmp.path() + s + "sub", nullptr));
  for (const char* name : {"b.vov", "a.VOV", "c.txt", "sub/d.vov"}) {
    AnsiString n = name;
    for (char& ch : n)
      if (ch == '/') ch = s;
    std::FILE* f = std::fopen((tmp.path() + s + n).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  const AnsiString base = AnsiUpperCase(tmp.path() + s);
  TStringList found;
  FindFilesEx(tmp.path(), "*.vov; a.*;;", 0, found, false);
  EXPECT_EQ(found.Text(), base + "A.VOV\r\n" + base + "B.VOV\r\n");

  found.Clear();
  FindFilesEx(tmp.path(), "*.vov", 0, found, true);
  EXPECT_EQ(found.Count(), 3);
  EXPECT_EQ(found.Strings(2), base + "SUB" + s + "D.VOV");

  found.Clear();
  FindFilesEx(tmp.path(), "", 0, found, false);
  EXPECT_EQ(found.Count(), 3);  // the folder itself only with its attribute
}

TEST(StringHelpers, SaveStringToFileReplacesTheWholeContent) {
  kel::test::TempDir tmp;
  const AnsiString file = tmp.path() + filecalls::Separator() + "x.txt";
  ASSERT_TRUE(SaveStringToFile(file, "lang und alt"));
  ASSERT_TRUE(SaveStringToFile(file, "neu"));
  std::FILE* f = std::fopen(file.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char buf[32] = {};
  const size_t n = std::fread(buf, 1, sizeof buf, f);
  std::fclose(f);
  EXPECT_EQ(AnsiString(buf, n), "neu");
  TStringList left;
  FindFilesEx(tmp.path(), "", 0, left, false);
  EXPECT_EQ(left.Count(), 1);
  EXPECT_EQ(ExtractOnlyName(file), "x");
}
