#include "xml/dom/XpCharClasses.h"

#include <gtest/gtest.h>

#include "xml/dom/XpColor.h"

TEST(XpCharClasses, CharProductionBoundaries) {
  for (char32_t c : {0x9u, 0xAu, 0xDu, 0x20u, 0xD7FFu, 0xE000u, 0xFFFDu, 0x10000u, 0x10FFFFu})
    EXPECT_TRUE(XPIsChar(c)) << std::hex << uint32_t(c);
  for (char32_t c : {0x0u, 0x8u, 0xBu, 0x1Fu, 0xD800u, 0xDFFFu, 0xFFFEu, 0xFFFFu, 0x110000u})
    EXPECT_FALSE(XPIsChar(c)) << std::hex << uint32_t(c);
}

TEST(XpCharClasses, NameCharacters) {
  struct Case {
    char32_t c;
    bool first, following;
  } cases[] = {
      {U'a', true, true},    {U'_', true, true},     {U':', true, true},    {U'1', false, true},
      {U'-', false, true},   {U'.', false, true},    {0xFC, true, true},    {0xD7, false, false},
      {0xB7, false, true},   {0x0300, false, true},  {0x0660, true, true},  {0x4E00, true, true},
      {0x3007, true, true},  {0xAC00, true, true},   {0xD7A4, true, true},  {U' ', false, false},
      {0x2180, true, true},  {0x10000, true, true},  {0x0132, true, true},  {0x2C30, true, true},
      {0x203F, false, true}, {0x2040, false, true},  {0x037E, false, false}, {0x2FF0, false, false},
      {0xEFFFF, true, true}, {0xF0000, false, false}, {0xD800, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(XPIsNameCharFirst(c.c), c.first) << std::hex << uint32_t(c.c);
    EXPECT_EQ(XPIsNameChar(c.c), c.following) << std::hex << uint32_t(c.c);
  }
  EXPECT_TRUE(XpValidName(u"Meldebogen"));
  EXPECT_TRUE(XpValidName(u"xsl:text"));
  EXPECT_TRUE(XpValidName(u""));
  EXPECT_FALSE(XpValidName(u"1a"));
  EXPECT_FALSE(XpValidName(u"a b"));
  // A surrogate pair is one character; a lone surrogate is none.
  EXPECT_TRUE(XpValidName(u"\U00010400\u203F\U00010400"));
  EXPECT_FALSE(XpValidName(u"\u203Fa"));
  EXPECT_FALSE(XpValidName(std::u16string(u"a") + char16_t(0xD801)));
  EXPECT_FALSE(XpValidName(std::u16string(u"a") + char16_t(0xDC00) + u"b"));
  EXPECT_TRUE(XPIsSpace(U'\t'));
  EXPECT_FALSE(XPIsSpace(0xA0));
  EXPECT_TRUE(XPIsPubidChar(U'%'));
  EXPECT_FALSE(XPIsPubidChar(U'"'));
  EXPECT_FALSE(XPIsPubidChar(U'&'));
}

TEST(XpColor, HexTextsAndNames) {
  uint8_t r, g, b;
  EXPECT_EQ(XpEvaluateColor(u"#FF8000", r, g, b), 33023);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 128);
  EXPECT_EQ(b, 0);
  for (const char16_t* navy : {u"Navy", u"navy", u"NAVY"}) {
    EXPECT_EQ(XpEvaluateColor(navy, r, g, b), 8388608);
    EXPECT_EQ(b, 128);
  }
  EXPECT_EQ(XpEvaluateColor(u"#zz8000", r, g, b), 128 * 256);  // a bad pair is 0
  EXPECT_EQ(XpEvaluateColor(u"YellowGreen", r, g, b), 50 * 65536 + 205 * 256 + 154);
  EXPECT_EQ(XpEvaluateColor(u"aliceblue", r, g, b), 255 * 65536 + 248 * 256 + 240);
  for (const char16_t* none : {u"black", u"grey", u"darkgrey", u"nocolour", u""}) {
    EXPECT_EQ(XpEvaluateColor(none, r, g, b), 0) << WideToAnsi(none);
    EXPECT_EQ(r + g + b, 0);
  }
  EXPECT_EQ(XpEvaluateColor(u"gray", r, g, b), 128 * 65793);
  EXPECT_EQ(XpNamedColorCount(), 139);
}
