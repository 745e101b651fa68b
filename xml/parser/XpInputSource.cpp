#include "xml/parser/XpInputSource.h"

#include <algorithm>
#include <cstring>

#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"

void TXpInputSource::Position(int32_t& line, int32_t& column) const {
  const size_t end = std::min(Pos, Text.size());
  line = 1;
  size_t lineStart = 0;
  for (size_t i = 0; i < end; ++i)
    if (Text[i] == u'\n') {
      ++line;
      lineStart = i + 1;
    }
  column = static_cast<int32_t>(end - lineStart) + 1;
}

namespace {

bool EqualNoCase(const WideString& a, const char* b) {
  size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    char16_t c = a[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    char d = b[i];
    if (d >= 'a' && d <= 'z') d = static_cast<char>(d - 32);
    if (c != static_cast<char16_t>(static_cast<unsigned char>(d))) return false;
  }
  return true;
}

// The encoding name of an XML or text declaration at the start of 8-bit
// data, read from the raw bytes; empty when there is none.
WideString SniffEncodingName(const uint8_t* data, size_t size) {
  if (size < 6 || std::memcmp(data, "<?xml", 5) != 0) return WideString();
  const uint8_t c5 = data[5];
  if (c5 != ' ' && c5 != '\t' && c5 != '\n' && c5 != '\r') return WideString();
  const size_t limit = std::min<size_t>(size, 4096);
  size_t end = 5;
  while (end + 1 < limit && !(data[end] == '?' && data[end + 1] == '>')) ++end;
  const std::string decl(reinterpret_cast<const char*>(data), end);
  size_t at = decl.find("encoding");
  if (at == std::string::npos) return WideString();
  at += 8;
  auto skip = [&] {
    while (at < decl.size() && (decl[at] == ' ' || decl[at] == '\t' || decl[at] == '\n' ||
                                decl[at] == '\r'))
      ++at;
  };
  skip();
  if (at >= decl.size() || decl[at] != '=') return WideString();
  ++at;
  skip();
  if (at >= decl.size() || (decl[at] != '"' && decl[at] != '\'')) return WideString();
  const char quote = decl[at++];
  const size_t close = decl.find(quote, at);
  if (close == std::string::npos) return WideString();
  WideString name;
  for (size_t i = at; i < close; ++i) name += static_cast<char16_t>(static_cast<uint8_t>(decl[i]));
  return name;
}

class TDecoder {
public:
  TDecoder(const WideString& url, std::u16string& out, size_t start) : FURL(url), FOut(out), FStart(start) {}

  [[noreturn]] void Fail(int32_t id) const {
    int32_t line = 1;
    size_t lineStart = FStart;
    for (size_t i = FStart; i < FOut.size(); ++i)
      if (FOut[i] == u'\n') {
        ++line;
        lineStart = i + 1;
      }
    throw EXpParserError(line, static_cast<int32_t>(FOut.size() - lineStart) + 1,
                         XpLoadWideStr(id), FURL);
  }

  // Appends one character, turning CR and CR LF into LF.
  void Put(char32_t c) {
    if (c == U'\r') {
      FOut += u'\n';
      FAfterCR = true;
      return;
    }
    if (c == U'\n' && FAfterCR) {
      FAfterCR = false;
      return;
    }
    FAfterCR = false;
    if (c < 0x20) {
      if (c != U'\t' && c != U'\n') Fail(XpRes::_sInvalidXMLChar);
    } else if (c >= 0xD800) {
      if ((c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF || c > 0x10FFFF) Fail(XpRes::_sInvalidXMLChar);
      if (c >= 0x10000) {
        c -= 0x10000;
        FOut += static_cast<char16_t>(0xD800 + (c >> 10));
        FOut += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        return;
      }
    }
    FOut += static_cast<char16_t>(c);
  }

  void Utf8(const uint8_t* p, const uint8_t* e) {
    FOut.reserve(FOut.size() + static_cast<size_t>(e - p));
    while (p < e) {
      const uint8_t b = *p;
      if (b >= 0x20 && b < 0x80) {
        // Runs of plain ASCII go straight through.
        const uint8_t* q = p;
        while (q < e && *q >= 0x20 && *q < 0x80) ++q;
        FOut.append(p, q);
        FAfterCR = false;
        p = q;
        continue;
      }
      if (b < 0x80) {
        Put(b);
        ++p;
        continue;
      }
      int32_t n;
      char32_t c;
      if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        c = b & 0x1F;
      } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        c = b & 0x0F;
      } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        c = b & 0x07;
      } else {
        Fail(XpRes::_sBadUTF8Char);
      }
      if (e - p < n) Fail(XpRes::_sBadUTF8Char);
      for (int32_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) Fail(XpRes::_sBadUTF8Char);
        c = (c << 6) | (p[i] & 0x3F);
      }
      // Overlong forms, encoded surrogates and values above 10FFFF.
      if ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
          (c >= 0xD800 && c <= 0xDFFF))
        Fail(XpRes::_sBadUTF8Char);
      Put(c);
      p += n;
    }
  }

  void Utf16(const uint8_t* p, const uint8_t* e, bool bigEndian) {
    const int32_t err = bigEndian ? XpRes::_sInvalidBEChar : XpRes::_sInvalidLEChar;
    if ((e - p) % 2) Fail(err);
    FOut.reserve(FOut.size() + static_cast<size_t>(e - p) / 2);
    auto unit = [bigEndian](const uint8_t* q) {
      return bigEndian ? static_cast<char16_t>(q[0] << 8 | q[1]) : static_cast<char16_t>(q[1] << 8 | q[0]);
    };
    while (p < e) {
      const char16_t u = unit(p);
      p += 2;
      if (u >= 0xD800 && u <= 0xDBFF) {
        if (e - p < 2) Fail(err);
        const char16_t v = unit(p);
        if (v < 0xDC00 || v > 0xDFFF) Fail(err);
        p += 2;
        Put(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (v - 0xDC00));
      } else if (u >= 0xDC00 && u <= 0xDFFF) {
        Fail(err);
      } else {
        Put(u);
      }
    }
  }

  void Latin1(const uint8_t* p, const uint8_t* e, bool asciiOnly) {
    FOut.reserve(FOut.size() + static_cast<size_t>(e - p));
    for (; p < e; ++p) {
      if (asciiOnly && *p >= 0x80) Fail(XpRes::_sInvalidXMLChar);
      Put(*p);
    }
  }

private:
  const WideString& FURL;
  std::u16string& FOut;
  size_t FStart;
  bool FAfterCR = false;
};

}  // namespace

TXpCharEncoding XpEncodingFromName(const WideString& name, bool& asciiOnly) {
  asciiOnly = false;
  if (EqualNoCase(name, "UTF-8") || EqualNoCase(name, "UTF8")) return ceUTF8;
  if (EqualNoCase(name, "UTF-16") || EqualNoCase(name, "UTF16")) return ceUTF16LE;
  static const char* const kLatin1[] = {"ISO-8859-1", "ISO_8859-1", "ISO8859-1", "ISO_8859-1:1987",
                                        "LATIN1",     "L1",         "IBM819",    "CP819",
                                        "CSISOLATIN1", "ISO-IR-100"};
  for (const char* alias : kLatin1)
    if (EqualNoCase(name, alias)) return ceISO88591;
  static const char* const kAscii[] = {"US-ASCII", "ASCII", "ANSI_X3.4-1968", "ISO646-US", "CSASCII"};
  for (const char* alias : kAscii)
    if (EqualNoCase(name, alias)) {
      asciiOnly = true;
      return ceISO88591;
    }
  return ceUnknown;
}

TXpCharEncoding XpDecodeText(const uint8_t* data, size_t size, const WideString& url,
                             std::u16string& out) {
  TDecoder decoder(url, out, out.size());
  const uint8_t* e = data + size;
  if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) {
    decoder.Utf16(data + 2, e, true);
    return ceUTF16BE;
  }
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    decoder.Utf16(data + 2, e, false);
    return ceUTF16LE;
  }
  // UTF-16 must begin with its byte-order mark: without one it is refused,
  // whatever its declaration names.
  if (size >= 4 && ((data[0] == '<' && data[1] == 0 && data[2] == '?' && data[3] == 0) ||
                    (data[0] == 0 && data[1] == '<' && data[2] == 0 && data[3] == '?')))
    decoder.Fail(XpRes::_sInvalidCharEncoding);
  bool bom = false;
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
    data += 3;
    bom = true;
  }
  const WideString name = SniffEncodingName(data, static_cast<size_t>(e - data));
  TXpCharEncoding enc = ceUTF8;
  bool asciiOnly = false;
  if (!name.empty()) {
    enc = XpEncodingFromName(name, asciiOnly);
    // UTF-16 named over 8-bit data, or an encoding the parser does not read.
    if (enc == ceUnknown || enc == ceUTF16LE || (bom && enc != ceUTF8))
      decoder.Fail(XpRes::_sInvalidCharEncoding);
  }
  if (enc == ceISO88591)
    decoder.Latin1(data, e, asciiOnly);
  else
    decoder.Utf8(data, e);
  return enc;
}
