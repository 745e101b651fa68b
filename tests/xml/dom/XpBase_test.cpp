#include "xml/dom/XpBase.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <iostream>
#include <limits>

#include "classlib/Exception.h"
#include "xml/dom/XpComponent.h"
#include "xml/dom/XpMemoryStream.h"

TEST(XpBase, SearchAndCopy) {
  EXPECT_EQ(XpCopy(u"abc", 2, 5), u"bc");
  EXPECT_EQ(XpCopy(u"abc", 4, 1), u"");
  EXPECT_EQ(XpCopy(u"abc", 0, 2), u"");
  EXPECT_EQ(XpCopy(u"abc", 1, 0), u"");
  EXPECT_EQ(XpRPos(u"/", u"a/b/c"), 4);
  EXPECT_EQ(XpPos(u"/", u"a/b/c"), 2);
  EXPECT_EQ(XpPos(u"x", u"abc"), 0);
  EXPECT_EQ(XpRPos(u"", u"abc"), 0);
  EXPECT_TRUE(XpStartsWith(u"ab", u"abc"));
  EXPECT_FALSE(XpStartsWith(u"", u"abc"));
  EXPECT_FALSE(XpStartsWith(u"abcd", u"abc"));
  EXPECT_TRUE(XpStrEquals(u"abX", u"abY", 2));
  EXPECT_FALSE(XpStrEquals(u"abX", u"abY", 3));
  EXPECT_TRUE(XpStrEquals(u"a", u"b", 0));
  EXPECT_FALSE(XpStrEquals(u"ab", u"abc", 3));
  EXPECT_TRUE(XpStrIEquals(u"M\u00FCller", u"M\u00DCLLER", 6));
  EXPECT_EQ(XpGetWord("word rest"), "word");
  EXPECT_EQ(XpGetWord("line\rnext"), "line");
}

TEST(XpBase, ReplaceAllDoesNotRescanInsertedText) {
  EXPECT_EQ(XpStringReplaceAll(u"aaa", u"a", u"aa"), u"aaaaaa");
  EXPECT_EQ(XpStringReplaceAll(u"a-b-c", u"-", u""), u"abc");
  EXPECT_EQ(XpStringReplaceAll(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(XpStringReplaceAll(u"abc", u"x", u"y"), u"abc");
}

TEST(XpBase, DomBufferGrowsInsertsAndDeletes) {
  WideString buf(2, u' ');
  int32_t used = 0;
  XpDOMBufferAppend(u"abc", buf, used);
  XpDOMBufferAppend(u"de", buf, used);
  EXPECT_EQ(buf.substr(0, used), u"abcde");
  XpDOMBufferInsert(u"XY", buf, 2, used);
  EXPECT_EQ(buf.substr(0, used), u"aXYbcde");
  XpDOMBufferInsert(u"!", buf, used + 1, used);
  EXPECT_EQ(buf.substr(0, used), u"aXYbcde!");
  XpDOMBufferDelete(buf, 2, 2, used);
  EXPECT_EQ(buf.substr(0, used), u"abcde!");
  XpDOMBufferDelete(buf, 5, 5, used);  // beyond the used part: ignored
  EXPECT_EQ(buf.substr(0, used), u"abcde!");
  XpDOMBufferInsert(u"z", buf, 0, used);  // outside: ignored
  EXPECT_EQ(used, 6);
}

TEST(XpBase, Paths) {
  struct Case {
    const char* path;
    bool relative;
  } cases[] = {
      {"..\\x.xml", true}, {"sub\\x.xml", true}, {"C:\\x.xml", false},
      {"\\x.xml", false},  {"x.xml", false},     {".", true},
  };
  for (const auto& c : cases) EXPECT_EQ(XpIsRelativePath(c.path), c.relative) << c.path;
  EXPECT_EQ(XpMakeFilePath("", "a.xml"), ".\\a.xml");
  EXPECT_EQ(XpMakeFilePath("C:\\d\\", "a.xml"), "C:\\d\\a.xml");
  EXPECT_EQ(XpMakeFilePath("C:\\d", "a.xml"), "C:\\d\\a.xml");
  EXPECT_EQ(XpMakeAbsolutePath("b.dtd", "C:\\d\\a.xml"), "C:\\d\\b.dtd");
  EXPECT_EQ(XpMakeAbsolutePath("D:\\b.dtd", "C:\\d\\a.xml"), "D:\\b.dtd");
}

TEST(XpBase, XPathNumbers) {
  EXPECT_TRUE(XpIsValidXPathNumber(u""));
  EXPECT_TRUE(XpIsValidXPathNumber(u"-1.5"));
  EXPECT_FALSE(XpIsValidXPathNumber(u"1-5"));
  EXPECT_FALSE(XpIsValidXPathNumber(u"1e5"));
  EXPECT_DOUBLE_EQ(XpStrToFloat(u"-12.25"), -12.25);
  EXPECT_DOUBLE_EQ(XpStrToFloat(u".5"), 0.5);
  for (const char16_t* bad : {u"", u"1.2.3", u".", u"abc", u"-"}) {
    try {
      XpStrToFloat(bad);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), WideToAnsi(bad) + " can't be converted to a valid XML number.");
    }
  }
  struct Case {
    double x;
    const char16_t* text;
  } cases[] = {
      {1.0, u"1"},
      {-0.0, u"0"},
      {0.1, u"0.1"},
      {1e21, u"1000000000000000000000"},
      {1.5e-7, u"0.00000015"},
      {std::numeric_limits<double>::quiet_NaN(), u"NaN"},
      {std::numeric_limits<double>::infinity(), u"Infinity"},
      {-std::numeric_limits<double>::infinity(), u"-Infinity"},
  };
  for (const auto& c : cases) EXPECT_EQ(XpFloatToStr(c.x), c.text);
  EXPECT_EQ(XpFloatToStr(std::numeric_limits<double>::max()).size(), 309u);
  EXPECT_EQ(XpCeiling(1.2), 2);
  EXPECT_EQ(XpFloor(-1.2), -2);
  EXPECT_EQ(XpCeiling(-0.5), 0);
}

// The decimal separator is a point whatever the locale says.
TEST(XpBase, XPathNumbersIgnoreTheLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "de-DE"})
    if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
      comma = true;
      break;
    }
  if (!comma) {
    std::setlocale(LC_NUMERIC, saved.c_str());
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  const std::u16string half = XpFloatToStr(0.5);
  const double parsed = XpStrToFloat(u"2.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(half, u"0.5");
  EXPECT_DOUBLE_EQ(parsed, 2.5);
}

TEST(XpComponent, VersionReadsFixedAndIgnoresWrites) {
  TXpComponent c(nullptr);
  EXPECT_EQ(c.Version(), "2.5700");
  c.SetVersion("9.9");
  EXPECT_EQ(c.Version(), "2.5700");
}

TEST(XpMemoryStream, ReadsAnOutsideBuffer) {
  char data[] = "<a/>";
  TXpMemoryStream s;
  s.SetPointer(data, 4);
  EXPECT_EQ(s.Size(), 4);
  char c;
  s.ReadBuffer(&c, 1);
  EXPECT_EQ(c, '<');
}
