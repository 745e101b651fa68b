#include "classlib/AnsiString.h"

#include <gtest/gtest.h>

#include "classlib/Format.h"

TEST(AnsiString, Windows1252RoundTripsEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const AnsiString a(1, static_cast<char>(b));
    EXPECT_EQ(WideToAnsi(AnsiToWide(a)), a) << b;
  }
  // The source is compiled to Windows-1252: "€" is byte 80, "ü" FC.
  EXPECT_EQ(AnsiToWide("€ü"), (WideString{0x20AC, 0xFC}));
  EXPECT_EQ(WideToAnsi(u"\u20AC\u0153"), "\x80\x9C");
}

TEST(AnsiString, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(WideToAnsi(u"a\u0410b\xD83D\xDE00"), "a?b??");
}

TEST(AnsiString, UpperAndLowerCase) {
  EXPECT_EQ(WideUpperCase(u"abz\u00E4\u00F6\u00FC\u00DF\u00FF\u0161\u03B1\u0436"),
            u"ABZ\u00C4\u00D6\u00DC\u00DF\u0178\u0160\u0391\u0416");
  EXPECT_EQ(WideLowerCase(u"ABZ\u00C4\u00D7\u0178\u0139\u0416"), u"abz\u00E4\u00D7\u00FF\u013A\u0436");
  EXPECT_EQ(AnsiUpperCase("müller straße"), "MÜLLER STRAßE");
  EXPECT_EQ(AnsiLowerCase("NAVY Ä"), "navy ä");
  EXPECT_EQ(AnsiUpperCase("ÿœ"), "ŸŒ");
  EXPECT_EQ(AnsiCompareText("müller", "MÜLLER"), 0);
  EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
  EXPECT_GT(AnsiCompareText("abc", "AB"), 0);
}

// Every byte, both ways: the letters pair up as in the code page (Š/š,
// Œ/œ, Ž/ž, Ÿ/ÿ and À..Þ/à..þ besides A..Z/a..z), and a byte without a
// partner in the code page stays itself: ß, µ, ƒ, ª, º, × and ÷ among them.
TEST(AnsiString, EveryWindows1252ByteFoldsToItsPartner) {
  unsigned char upper[256], lower[256];
  for (int b = 0; b < 256; ++b) upper[b] = lower[b] = static_cast<unsigned char>(b);
  const auto pair = [&](int big, int small) {
    upper[small] = static_cast<unsigned char>(big);
    lower[big] = static_cast<unsigned char>(small);
  };
  for (int b = 'A'; b <= 'Z'; ++b) pair(b, b + 0x20);
  for (int b = 0xC0; b <= 0xDE; ++b)
    if (b != 0xD7) pair(b, b + 0x20);
  pair(0x8A, 0x9A);
  pair(0x8C, 0x9C);
  pair(0x8E, 0x9E);
  pair(0x9F, 0xFF);
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_EQ(static_cast<unsigned char>(AnsiUpperChar(c)), upper[b]) << "upper of " << b;
    EXPECT_EQ(static_cast<unsigned char>(AnsiLowerChar(c)), lower[b]) << "lower of " << b;
  }
  EXPECT_EQ(AnsiUpperCase(AnsiString("\x9A\x9C\x9E\xFF\xDF")), AnsiString("\x8A\x8C\x8E\x9F\xDF"));
  EXPECT_EQ(AnsiLowerCase(AnsiString("\x8A\x8C\x8E\x9F\xDE")), AnsiString("\x9A\x9C\x9E\xFF\xFE"));
}

TEST(AnsiString, Utf8Conversions) {
  EXPECT_EQ(Utf8ToWide("a\xC3\xBC\xF0\x9F\x98\x80"), (WideString{u'a', 0xFC, 0xD83D, 0xDE00}));
  EXPECT_EQ(WideToUtf8(WideString{u'a', 0xFC, 0xD83D, 0xDE00}), "a\xC3\xBC\xF0\x9F\x98\x80");
  // Overlong forms and encoded surrogates are not characters.
  EXPECT_EQ(Utf8ToWide("\xC0\x80\xED\xA0\x80"), (WideString{0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));
}

TEST(Format, FormatsLongTexts) {
  EXPECT_EQ(Format("%s-%d", "ab", 7), "ab-7");
  const AnsiString longText(1000, 'x');
  EXPECT_EQ(Format("<%s>", longText.c_str()), "<" + longText + ">");
  EXPECT_EQ(FormatRuntime("Line: %d", 3), "Line: 3");
}
