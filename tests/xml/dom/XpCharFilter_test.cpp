#include <gtest/gtest.h>

#include <string>

#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpInCharFilter.h"
#include "xml/dom/XpOutCharFilter.h"

namespace {

// A filter over a memory stream holding `bytes`; the filter frees the stream.
std::unique_ptr<TXpInCharFilter> In(const std::string& bytes, int32_t bufferSize = 8192) {
  auto* s = new TMemoryStream;
  s->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  s->SetPosition(0);
  return std::make_unique<TXpInCharFilter>(s, bufferSize);
}

std::u32string ReadAll(TXpInCharFilter& f) {
  std::u32string r;
  for (char32_t c = f.ReadAndSkipChar(); c != TXpInCharFilter::EndOfInput; c = f.ReadAndSkipChar()) r += c;
  return r;
}

std::string Bytes(TMemoryStream& s) { return std::string(static_cast<const char*>(s.Memory()), s.Size()); }

struct Failure {
  std::string message;
  int32_t line, column;
};

Failure ReadFailure(const std::string& bytes, TXpStreamFormat format = sfUTF8) {
  auto f = In(bytes);
  f->csSetFormat(format);
  try {
    ReadAll(*f);
  } catch (const EXpFilterError& e) {
    return {e.Message(), e.Line(), e.Column()};
  }
  return {"", 0, 0};
}

}  // namespace

TEST(XpInCharFilter, ByteOrderMarksChooseTheFormatAndAreSkipped) {
  struct Case {
    std::string bytes;
    TXpStreamFormat format;
  } cases[] = {
      {"\xEF\xBB\xBF<a\xC3\xBC>", sfUTF8},
      {std::string("\xFF\xFE<\0a\0\xFC\0>\0", 10), sfUTF16LE},
      {std::string("\xFE\xFF\0<\0a\0\xFC\0>", 10), sfUTF16BE},
      {"<a\xC3\xBC>", sfUTF8},
  };
  for (const auto& c : cases) {
    auto f = In(c.bytes);
    EXPECT_EQ(f->Format(), c.format);
    EXPECT_EQ(ReadAll(*f), U"<a\u00FC>");
  }
  // A mark fixes UTF-16 whatever the declaration says later.
  auto f = In(std::string("\xFF\xFE<\0", 4));
  f->csSetFormat(sfISO88591);
  EXPECT_EQ(f->Format(), sfUTF16LE);
  auto g = In("<\xFC");
  g->csSetFormat(sfISO88591);
  EXPECT_EQ(ReadAll(*g), U"<\u00FC");
}

TEST(XpInCharFilter, LineEndsBecomeOneLineFeedAndCountLines) {
  for (std::string text : {"a\rb", "a\r\nb", "a\nb"}) {
    auto f = In(text);
    EXPECT_EQ(f->ReadAndSkipChar(), U'a');
    EXPECT_EQ(f->ReadAndSkipChar(), U'\n');
    EXPECT_EQ(f->Line(), 2);
    EXPECT_EQ(f->LinePos(), 1);
    EXPECT_EQ(f->ReadAndSkipChar(), U'b');
    EXPECT_EQ(f->LinePos(), 2);
    EXPECT_TRUE(f->IsEOF());
    EXPECT_EQ(f->ReadChar(), TXpInCharFilter::EndOfInput);
  }
  auto f = In("\r\r\n\r");
  EXPECT_EQ(ReadAll(*f), U"\n\n\n");
  EXPECT_EQ(f->Line(), 4);
}

TEST(XpInCharFilter, PeekDoesNotConsume) {
  auto f = In("ab");
  EXPECT_EQ(f->ReadChar(), U'a');
  EXPECT_EQ(f->ReadChar(), U'a');
  EXPECT_EQ(f->LinePos(), 1);
  f->SkipChar();
  EXPECT_EQ(f->ReadChar(), U'b');
  EXPECT_FALSE(f->IsEOF());
  f->SkipChar();
  EXPECT_TRUE(f->IsEOF());
  EXPECT_TRUE(In("")->IsEOF());
  EXPECT_TRUE(In("\xEF\xBB\xBF")->IsEOF());
}

TEST(XpInCharFilter, TryReadConsumesAllOrNothing) {
  auto f = In("<!-x\r\n<!--y");
  EXPECT_EQ(f->ReadChar(), U'<');  // a peeked character takes part
  EXPECT_FALSE(f->TryRead(U"<!--"));
  EXPECT_EQ(f->ReadChar(), U'<');
  EXPECT_EQ(f->LinePos(), 1);
  EXPECT_TRUE(f->TryRead(U"<!-x\n"));
  EXPECT_EQ(f->Line(), 2);
  EXPECT_TRUE(f->TryRead(U"<!--"));
  EXPECT_EQ(f->LinePos(), 5);
  EXPECT_FALSE(f->TryRead(U"yz"));
  EXPECT_TRUE(f->TryRead(U"y"));
  EXPECT_TRUE(f->IsEOF());
  EXPECT_FALSE(f->TryRead(U"y"));
}

TEST(XpInCharFilter, CharactersSurviveRefillsOfASmallBuffer) {
  // Multi-byte characters at every offset across many refills, with a
  // TryRead straddling the buffer end.
  std::string bytes;
  std::u32string want;
  for (int i = 0; i < 500; ++i) {
    bytes += "x\xE2\x82\xAC\xF0\x9F\x98\x80\r\n";
    want += U"x\u20AC\U0001F600\n";
  }
  bytes += "<!--";
  auto f = In(bytes, 1);
  std::u32string got;
  for (size_t i = 0; i < want.size(); ++i) got += f->ReadAndSkipChar();
  EXPECT_EQ(got, want);
  EXPECT_EQ(f->Line(), 501);
  EXPECT_TRUE(f->TryRead(U"<!--"));
  EXPECT_TRUE(f->IsEOF());
}

TEST(XpInCharFilter, SurrogatePairsDecodeToOneCharacter) {
  EXPECT_EQ(ReadAll(*In(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6))), U"\U0001F600");
  EXPECT_EQ(ReadAll(*In(std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6))), U"\U0001F600");
}

TEST(XpInCharFilter, MalformedInputIsRejectedWithItsPlace) {
  const std::string bad = "Badly formed UTF-8 character in stream";
  const std::string le = "Invalid (little-endian) UTF-16 character encoding";
  const std::string be = "Invalid (big-endian) UTF-16 character encoding";
  const std::string xmlChar = "Invalid XML Character found";
  struct Case {
    std::string bytes;
    std::string message;
    int32_t line, column;
  } cases[] = {
      {"ab\ncd\x80", bad, 2, 3},                 // stray continuation byte
      {"\xC0\x80", bad, 1, 1},                   // overlong NUL (lead C0 is length 2)
      {"\xE0\x80\xAF", bad, 1, 1},               // overlong "/"
      {"\xED\xA0\x80", bad, 1, 1},               // encoded surrogate
      {"\xF4\x90\x80\x80", bad, 1, 1},           // beyond 10FFFF
      {"\xF8\x88\x80\x80\x80", bad, 1, 1},       // five-byte form
      {"\xFC\x84\x80\x80\x80\x80", bad, 1, 1},   // six-byte form
      {"\xFE", bad, 1, 1},
      {"a\xC3", bad, 1, 2},                      // cut off by the end
      {"a\xC3(", bad, 1, 2},                     // continuation missing
      {"a\x01b", xmlChar, 1, 2},                 // not taken for the end marker
      {"a\r\x03", xmlChar, 2, 1},               // nor for "nothing pushed back"
      {"\xEF\xBF\xBE", xmlChar, 1, 1},           // U+FFFE
      {std::string("\xFF\xFE\x00\xDC", 4), le, 1, 1},        // lone low surrogate
      {std::string("\xFF\xFE\x3D\xD8\x41\x00", 6), le, 1, 1},  // high without low
      {std::string("\xFF\xFE\x3D\xD8", 4), le, 1, 1},        // pair cut off
      {std::string("\xFF\xFE\x41\x00\x42", 5), le, 1, 2},    // odd byte at the end
      {std::string("\xFE\xFF\xDC\x00", 4), be, 1, 1},
  };
  for (const auto& c : cases) {
    const Failure f = ReadFailure(c.bytes);
    EXPECT_EQ(f.message, c.message) << testing::PrintToString(c.bytes);
    EXPECT_EQ(f.line, c.line) << testing::PrintToString(c.bytes);
    EXPECT_EQ(f.column, c.column) << testing::PrintToString(c.bytes);
  }
}

TEST(XpInCharFilter, UrlComesFromTheDirectoryContext) {
  struct Context : TXpBaseDirContext {
    void Evaluate(const AnsiString& source, TXpBaseDirContext*) override {
      FBasePath = "C:\\d\\";
      FCurrentName = source;
    }
  };
  auto f = In("x");
  EXPECT_EQ(f->csGetURL(), "");
  auto* c = new Context;
  c->Evaluate("a.xml", nullptr);
  f->SetDirContext(c);
  EXPECT_EQ(f->csGetURL(), "C:\\d\\a.xml");
}

TEST(XpOutCharFilter, MarksAndFormats) {
  struct Case {
    TXpStreamFormat format;
    bool signature;
    std::string bytes;
  } cases[] = {
      {sfUTF8, true, "\xEF\xBB\xBF<\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80>"},
      {sfUTF8, false, "<\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80>"},
      {sfUTF16LE, true, std::string("\xFF\xFE<\0\xFC\0\xAC\x20\x3D\xD8\x00\xDE>\0", 14)},
      {sfUTF16BE, false, std::string("\xFE\xFF\0<\0\xFC\x20\xAC\xD8\x3D\xDE\x00\0>", 14)},
  };
  for (const auto& c : cases) {
    TMemoryStream s;
    {
      TXpOutCharFilter f(&s, 0);
      f.SetWriteUTF8Signature(c.signature);
      f.csSetFormat(c.format);
      f.PutString(u"<\u00FC\u20AC\U0001F600>");
    }
    EXPECT_EQ(Bytes(s), c.bytes) << c.format;
  }
}

// Plain ASCII is copied several characters at a time: every other character
// must be found at any position of a run, and the buffer's end must never
// split a character.
TEST(XpOutCharFilter, Utf8AtEveryPositionAndAcrossTheBufferEnd) {
  struct Case {
    char16_t c;
    std::string bytes;  // empty: refused
  } cases[] = {
      {u'~', "~"}, {u'\x7F', "\x7F"}, {u'\t', "\t"}, {u'\n', "\n"}, {u'\x80', "\xC2\x80"},
      {u'\u00E4', "\xC3\xA4"}, {u'\u07FF', "\xDF\xBF"}, {u'\u20AC', "\xE2\x82\xAC"},
      {u'\x1F', ""}, {u'\uFFFF', ""},
  };
  for (const auto& c : cases) {
    for (size_t at = 0; at < 9; ++at) {
      std::u16string text(9, u'b');
      text[at] = c.c;
      // A buffer of 64 bytes holding 60 before: the character falls at its end.
      TMemoryStream s;
      TXpOutCharFilter f(&s, 64);
      f.SetWriteUTF8Signature(false);
      f.csSetFormat(sfUTF8);
      f.PutString(std::u16string(60, u'a'));
      if (c.bytes.empty()) {
        EXPECT_THROW(f.PutString(text), EXpStreamError) << int(c.c) << " at " << at;
        continue;
      }
      f.PutString(text);
      f.Flush();
      EXPECT_EQ(Bytes(s), std::string(60, 'a') + std::string(at, 'b') + c.bytes + std::string(8 - at, 'b'))
          << int(c.c) << " at " << at;
    }
  }
}

TEST(XpOutCharFilter, FormatChangesOnlyBeforeText) {
  TMemoryStream s;
  {
    TXpOutCharFilter f(&s, 16);
    f.SetWriteUTF8Signature(false);
    f.csSetFormat(sfUTF8);
    EXPECT_EQ(f.Position(), 0);
    f.csSetFormat(sfISO88591);
    EXPECT_EQ(f.Format(), sfISO88591);
    f.PutString(u"a");
    f.csSetFormat(sfUTF16LE);
    EXPECT_EQ(f.Format(), sfISO88591);
    f.PutString(u"\u00FC");
  }
  EXPECT_EQ(Bytes(s), "a\xFC");
  // Text written before any format was set is not thrown away either.
  TMemoryStream t;
  {
    TXpOutCharFilter f(&t, 16);
    f.PutString(u"abc");
    f.csSetFormat(sfUTF16LE);
    EXPECT_EQ(f.Format(), sfUTF8);
  }
  EXPECT_EQ(Bytes(t), "abc");
}

TEST(XpOutCharFilter, UnrepresentableCharactersRaiseWithTheOutputPosition) {
  struct Case {
    TXpStreamFormat format;
    WideString text;
    std::string message;
    int64_t position;
  } cases[] = {
      {sfISO88591, u"ab\u20AC", "Cannot convert UCS-4 character to ISO-8859-1", 2},
      {sfISO88591, u"a\U0001F600", "Cannot convert UCS-4 character to ISO-8859-1", 1},
      {sfUTF8, WideString(u"ab") + char16_t(0xD800) + u"c", "Cannot convert UCS-4 character to UTF-8", 5},
      {sfUTF8, WideString(u"a") + char16_t(0xDC00), "Cannot convert UCS-4 character to UTF-8", 4},
      {sfUTF16LE, WideString(u"a") + char16_t(0xD800), "Cannot convert UCS-4 character to UTF-16", 4},
  };
  for (const auto& c : cases) {
    TMemoryStream s;
    TXpOutCharFilter f(&s, 0);
    f.csSetFormat(c.format);
    try {
      f.PutString(c.text);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const EXpStreamError& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_EQ(e.StreamPos(), c.position) << c.message;
    }
  }
  TMemoryStream s;
  TXpOutCharFilter f(&s, 0);
  EXPECT_THROW(f.PutUCS4Char(0x110000), EXpStreamError);
}

TEST(XpOutCharFilter, LongTextFlushesThroughASmallBuffer) {
  TMemoryStream s;
  WideString text;
  for (int i = 0; i < 1000; ++i) text += u"\u00FC\U0001F600";
  {
    TXpOutCharFilter f(&s, 10);
    f.csSetFormat(sfUTF8);
    f.PutString(text);
    EXPECT_EQ(f.Position(), 3 + 6000);
    EXPECT_EQ(f.csGetSize(), 3 + 6000);
  }
  ASSERT_EQ(s.Size(), 6003);
  // Reads back to the same text.
  auto in = In(Bytes(s));
  std::u32string back = ReadAll(*in);
  EXPECT_EQ(back.size(), 2000u);
  EXPECT_EQ(back[1], U'\U0001F600');
}

TEST(XpInCharFilter, StreamOwnershipAndStartPosition) {
  EXPECT_THROW(TXpInCharFilter(nullptr, 0), EXpException);
  // A caller's stream, read from its current position, stays the caller's.
  TMemoryStream s;
  s.WriteBuffer("skip<a\x80", 7);
  s.SetPosition(4);
  {
    TXpInCharFilter f(&s, 0);
    f.SetFreeStream(false);
    EXPECT_EQ(f.csGetSize(), 7);
    EXPECT_EQ(f.ReadAndSkipChar(), U'<');
    EXPECT_EQ(f.ReadAndSkipChar(), U'a');
    try {
      f.ReadChar();
      ADD_FAILURE() << "no error";
    } catch (const EXpFilterError& e) {
      EXPECT_EQ(e.StreamPos(), 6);  // offset of the bad byte in the stream
    }
  }
  EXPECT_EQ(s.Size(), 7);
}
