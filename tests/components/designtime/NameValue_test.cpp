// Name-value texts and help contents files.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "classlib/StringList.h"
#include "components/designtime/HelpContents.h"
#include "components/designtime/NameValue.h"
#include "tests/support/TestFiles.h"

namespace {

TEST(NameValue, PartsAroundTheFirstSeparator) {
  const struct {
    const char* text;
    char separator;
    const char* name;
    const char* value;
  } cases[] = {
      {"a=b=c", '=', "a", "b=c"}, {"abc", '=', "", ""},     {"=x", '=', "", "x"},
      {"x=", '=', "x", ""},       {"k:v=w", ':', "k", "v=w"}, {"", '=', "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ExtractNamePartEx(c.text, c.separator), c.name);
    EXPECT_EQ(ExtractValuePartEx(c.text, c.separator), c.value);
    if (c.separator == '=') {
      EXPECT_EQ(ExtractNamePart(c.text), c.name);
      EXPECT_EQ(ExtractValuePart(c.text), c.value);
    }
  }
  TStringList lines;
  lines.SetText("a=x.hlp\r\nnone\r\nb=y.hlp\r\nc=Y.HLP\r\n");
  EXPECT_EQ(IndexOfValue(lines, "y.hlp"), 2);
  EXPECT_EQ(IndexOfValue(lines, "Y.HLP"), 3);
  EXPECT_EQ(IndexOfValue(lines, "z.hlp"), -1);
  EXPECT_EQ(Quote("a b", '\''), "'a b'");
  EXPECT_EQ(QuoteFileName("C:\\Programme\\x.exe"), "\"C:\\Programme\\x.exe\"");
}

TEST(HelpContents, LinesGoBehindTheFirstIndexRunAndComeOutAgain) {
  kel::test::TempDir dir;
  const AnsiString file = dir / "help.cnt";
  const struct {
    const char* before;
    const char* after;
  } cases[] = {
      // Behind the first run of ":Index " lines, not the second.
      {":Base main.hlp\r\n:Index A =a.hlp\r\n:Index B =b.hlp\r\n:Title x\r\n:Index C =c.hlp\r\n",
       ":Base main.hlp\r\n:Index A =a.hlp\r\n:Index B =b.hlp\r\n:Index Kel =kel.hlp\r\n:Title x\r\n"
       ":Index C =c.hlp\r\n"},
      // None: at the end.
      {":Base main.hlp\n:Title x", ":Base main.hlp\r\n:Title x\r\n:Index Kel =kel.hlp\r\n"},
      // Registered already: the old line goes, the new one comes once.
      {":Index Kel alt =kel.hlp\r\n:Index A =a.hlp\r\n", ":Index A =a.hlp\r\n:Index Kel =kel.hlp\r\n"},
      // No file yet.
      {nullptr, ":Index Kel =kel.hlp\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before ? c.before : "(no file)");
    std::remove(file.c_str());
    if (c.before) std::ofstream(file, std::ios::binary) << c.before;
    ASSERT_TRUE(AddHelpToCntFile("Kel", "kel.hlp", file));
    EXPECT_EQ(kel::test::FileBytes(file), c.after);
    ASSERT_TRUE(RemoveHelpFromCntFile("kel.hlp", file));
    const std::string removed = kel::test::FileBytes(file);
    EXPECT_EQ(removed.find("kel.hlp"), std::string::npos);
  }
  // A contents file that cannot be written is reported.
  EXPECT_FALSE(AddHelpToCntFile("Kel", "kel.hlp", dir / "missing" + "/help.cnt"));
}

}  // namespace
