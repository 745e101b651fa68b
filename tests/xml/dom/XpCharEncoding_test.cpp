#include "xml/dom/XpCharEncoding.h"

#include <gtest/gtest.h>

TEST(XpCharEncoding, NamesAndFormats) {
  EXPECT_EQ(MapCharEncToStreamFormat(ceUnknown), sfISO88591);
  EXPECT_EQ(MapCharEncToStreamFormat(ceUTF16BE), sfUTF16BE);
  EXPECT_EQ(MapStreamFormatToCharEnc(sfISO88591), ceISO88591);
  EXPECT_EQ(XpMapCharEncToString(ceUTF16BE), u"UTF-16");
  EXPECT_EQ(XpMapCharEncToString(ceUnknown), u"Unknown");
  EXPECT_EQ(XpMapStringToCharEnc(u"UTF-16"), ceUTF16LE);
  // Encoding names are case-insensitive.
  for (const char16_t* name : {u"ISO-8859-1", u"iso-8859-1", u"Iso-8859-1"})
    EXPECT_EQ(XpMapStringToCharEnc(name), ceISO88591) << WideToUtf8(name);
  EXPECT_EQ(XpMapStringToCharEnc(u"utf-16"), ceUTF16LE);
  EXPECT_EQ(XpMapStringToCharEnc(u"ISO-8859-15"), ceUTF8);
}

TEST(XpCharEncoding, Utf8Primitives) {
  struct Len {
    uint8_t lead;
    int32_t length;
  } lens[] = {{0x00, 1}, {0x7F, 1}, {0x80, 0}, {0xBF, 0}, {0xC0, 2}, {0xDF, 2}, {0xE0, 3},
              {0xF0, 4}, {0xF7, 4}, {0xF8, 5}, {0xFB, 5}, {0xFC, 6}, {0xFD, 6}, {0xFE, 0}};
  for (const auto& l : lens) EXPECT_EQ(XPGetLengthUtf8(l.lead), l.length) << int(l.lead);

  char32_t c;
  const uint8_t euro[] = {0xE2, 0x82, 0xAC};
  EXPECT_TRUE(XPUtf8ToUcs4(euro, 3, c));
  EXPECT_EQ(c, 0x20ACu);
  EXPECT_FALSE(XPUtf8ToUcs4(euro, 2, c));
  const uint8_t overlong[] = {0xC0, 0x80};
  EXPECT_FALSE(XPUtf8ToUcs4(overlong, 2, c));

  struct Enc {
    char32_t c;
    std::string bytes;
  } encs[] = {{0x41, "A"},
              {0x7FF, "\xDF\xBF"},
              {0xFFFD, "\xEF\xBF\xBD"},
              {0x1F600, "\xF0\x9F\x98\x80"},
              {0x200000, "\xF8\x88\x80\x80\x80"},
              {0x4000000, "\xFC\x84\x80\x80\x80\x80"}};
  for (const auto& e : encs) {
    uint8_t bytes[6];
    const int32_t n = XPUcs4ToUtf8(e.c, bytes);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), static_cast<size_t>(n)), e.bytes);
  }
}

TEST(XpCharEncoding, Utf16AndLatin1Primitives) {
  char32_t c;
  bool both;
  EXPECT_TRUE(XPUtf16ToUcs4(0xD83D, 0xDE00, c, both));
  EXPECT_EQ(c, 0x1F600u);
  EXPECT_TRUE(both);
  EXPECT_TRUE(XPUtf16ToUcs4(u'a', 0xDE00, c, both));
  EXPECT_FALSE(both);
  EXPECT_FALSE(XPUtf16ToUcs4(0xDE00, u'a', c, both));
  EXPECT_FALSE(XPUtf16ToUcs4(0xD83D, u'a', c, both));
  char16_t hi, lo;
  EXPECT_TRUE(XPUcs4ToUtf16(0x1F600, hi, lo));
  EXPECT_EQ(hi, 0xD83D);
  EXPECT_EQ(lo, 0xDE00);
  EXPECT_TRUE(XPUcs4ToUtf16(0x10FFFF, hi, lo));
  EXPECT_FALSE(XPUcs4ToUtf16(0x110000, hi, lo));
  uint8_t b;
  EXPECT_TRUE(XPUcs4ToIso88591(0xFF, b));
  EXPECT_FALSE(XPUcs4ToIso88591(0x100, b));
  char16_t w;
  EXPECT_TRUE(XpUcs4ToWideChar(0xFFFF, w));
  EXPECT_FALSE(XpUcs4ToWideChar(0x10000, w));
  EXPECT_EQ(w, 0);
}
