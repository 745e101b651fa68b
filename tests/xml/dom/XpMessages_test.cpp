#include "xml/dom/XpMessages.h"

#include <gtest/gtest.h>

#include "classlib/Format.h"
#include "xml/dom/XpExceptions.h"

using namespace XpRes;

TEST(XpMessages, TableHoldsEveryIdentifierWithoutGaps) {
  for (int32_t id = 65435; id <= 65535; ++id) EXPECT_FALSE(XpLoadStr(id).empty()) << id;
  EXPECT_EQ(XpLoadStr(0), "");
  EXPECT_EQ(XpLoadStr(65536), "");
}

TEST(XpMessages, TextsKeepPlaceholdersAndTrailingBlanks) {
  struct Case {
    int32_t id;
    const char* text;
  } cases[] = {
      {_sUCS_ISOConvertErr, "Cannot convert UCS-4 character to ISO-8859-1"},
      {_sFmtErrorMsg, "File: %s. Line: %d Col: %d Error: %s"},
      {_sIndexOutOfBounds, "ERROR INDEX OUT OF BOUNDS"},
      {_sQuoteExpected, "Expected \" or '"},
      {_sExpectedString, "Expected String: "},
      {_sSysIdMissing, "System identifier missing "},
      {_sFtpPutFileFailed, "Could not save file via ftp to %s"},
  };
  for (const auto& c : cases) EXPECT_EQ(XpLoadStr(c.id), c.text) << c.id;
  EXPECT_EQ(FormatRuntime(XpLoadStr(_sInvalidXMLVersion).c_str(), "1.0"),
            "Tessavurn does not support XML specification greater than 1.0");
  EXPECT_EQ(FormatRuntime(XpLoadStr(_sFmtErrorMsg).c_str(), "a.xml", 3, 14, "Mismatched end tag: x"),
            "File: a.xml. Line: 3 Col: 14 Error: Mismatched end tag: x");
}

TEST(XpExceptions, ParserErrorIsAFilterStreamAndLibraryError) {
  try {
    throw EXpParserError(3, 7, u"Mismatched end tag: b", u"file:///c:/x.xml");
  } catch (const EXpFilterError& e) {
    EXPECT_EQ(e.Message(), "Mismatched end tag: b");
    EXPECT_EQ(e.Reason(), u"Mismatched end tag: b");
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Column(), 7);
    EXPECT_EQ(e.StreamPos(), 0);
    const auto* parser = dynamic_cast<const EXpParserError*>(&e);
    ASSERT_NE(parser, nullptr);
    EXPECT_EQ(parser->URL(), u"file:///c:/x.xml");
    EXPECT_NE(dynamic_cast<const EXpStreamError*>(&e), nullptr);
    EXPECT_NE(dynamic_cast<const EXpException*>(&e), nullptr);
    EXPECT_NE(dynamic_cast<const Exception*>(&e), nullptr);
  }
  // The text never carries the position by itself.
  const EXpFilterError f(12, 2, 5, XpLoadWideStr(_sBadUTF8Char));
  EXPECT_STREQ(f.what(), "Badly formed UTF-8 character in stream");
  EXPECT_EQ(f.StreamPos(), 12);
}
