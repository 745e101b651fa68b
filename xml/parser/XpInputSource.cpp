#include "xml/parser/XpInputSource.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "classlib/Stream.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"

namespace {

// Read characters are dropped from the window once this many have gathered.
constexpr size_t kCompactAt = 16384;
// The first piece is at least this long, so that the encoding declaration
// is read from it whole.
constexpr size_t kHeadBytes = 4096;

class TMemoryReader : public TXpByteReader {
public:
  TMemoryReader(const void* data, size_t size) : FData(static_cast<const uint8_t*>(data)), FSize(size) {}
  size_t Next(const uint8_t*& data, size_t want) override {
    const size_t n = std::min(want, FSize - FAt);
    data = FData + FAt;
    FAt += n;
    return n;
  }
  int64_t Size() const override { return static_cast<int64_t>(FSize); }

private:
  const uint8_t* FData;
  size_t FSize;
  size_t FAt = 0;
};

class TOwnedReader : public TXpByteReader {
public:
  explicit TOwnedReader(std::string&& bytes) : FBytes(std::move(bytes)), FReader(FBytes.data(), FBytes.size()) {}
  size_t Next(const uint8_t*& data, size_t want) override { return FReader.Next(data, want); }
  int64_t Size() const override { return FReader.Size(); }

private:
  std::string FBytes;
  TMemoryReader FReader;
};

class TStreamReader : public TXpByteReader {
public:
  explicit TStreamReader(TStream& stream) : FStream(stream) {
    const int64_t size = stream.Size() - stream.Position();
    FSize = size >= 0 ? size : -1;
  }
  size_t Next(const uint8_t*& data, size_t want) override {
    if (FBuffer.size() < want) FBuffer.resize(want);
    size_t got = 0;
    while (got < want) {
      const int32_t n = FStream.Read(FBuffer.data() + got,
                                     static_cast<int32_t>(std::min<size_t>(want - got, 1u << 30)));
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    data = FBuffer.data();
    return got;
  }
  int64_t Size() const override { return FSize; }

private:
  TStream& FStream;
  std::vector<uint8_t> FBuffer;
  int64_t FSize;
};

class TFileReader : public TXpByteReader {
public:
  explicit TFileReader(const AnsiString& path) : FIn(std::filesystem::path(path), std::ios::binary) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(std::filesystem::path(path), ec);
    FSize = ec ? -1 : static_cast<int64_t>(size);
  }
  bool IsOpen() const { return FIn.is_open(); }
  size_t Next(const uint8_t*& data, size_t want) override {
    if (FBuffer.size() < want) FBuffer.resize(want);
    FIn.read(reinterpret_cast<char*>(FBuffer.data()), static_cast<std::streamsize>(want));
    data = FBuffer.data();
    return static_cast<size_t>(FIn.gcount());
  }
  int64_t Size() const override { return FSize; }

private:
  std::ifstream FIn;
  std::vector<uint8_t> FBuffer;
  int64_t FSize;
};

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

}  // namespace

// Decodes the bytes of one source, piece by piece, onto the source's
// window. A character whose bytes straddle two pieces waits in a carry of
// at most three bytes; a CR at the end of a piece still swallows the LF
// that begins the next.
class TXpDecoder {
public:
  TXpDecoder(TXpInputSource& source, std::unique_ptr<TXpByteReader> reader, size_t piece)
      : FSource(source), FOut(source.Text), FReader(std::move(reader)), FPiece(piece) {}

  std::function<void(size_t)> OnBytes;

  TXpCharEncoding Start() {
    const uint8_t* data;
    const size_t size = Take(data, std::max(FPiece, kHeadBytes));
    size_t skip = 0;
    TXpCharEncoding enc = ceUTF8;
    if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) {
      FKind = kUtf16BE;
      enc = ceUTF16BE;
      skip = 2;
    } else if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
      FKind = kUtf16LE;
      enc = ceUTF16LE;
      skip = 2;
    } else if (size >= 4 && data[0] == '<' && data[1] == 0 && data[2] == '?' && data[3] == 0) {
      FKind = kUtf16LE;
      enc = ceUTF16LE;
    } else if (size >= 4 && data[0] == 0 && data[1] == '<' && data[2] == 0 && data[3] == '?') {
      FKind = kUtf16BE;
      enc = ceUTF16BE;
    } else {
      bool bom = false;
      if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        skip = 3;
        bom = true;
      }
      const WideString name = SniffEncodingName(data + skip, size - skip);
      if (!name.empty()) {
        bool asciiOnly = false;
        enc = XpEncodingFromName(name, asciiOnly);
        // UTF-16 named over 8-bit data, or an encoding the parser does not read.
        if (enc == ceUnknown || enc == ceUTF16LE || (bom && enc != ceUTF8)) Fail(XpRes::_sInvalidCharEncoding);
        if (enc == ceISO88591) FKind = asciiOnly ? kAscii : kLatin1;
      }
    }
    if (size == 0) FDone = true;
    Decode(data + skip, size - skip);
    return enc;
  }

  bool More() {
    const size_t before = FOut.size();
    while (!FDone && FOut.size() == before) {
      const uint8_t* data;
      const size_t size = Take(data, FPiece);
      if (size == 0) {
        FDone = true;
        if (FCarryLen) Fail(BadSequence());
        break;
      }
      Decode(data, size);
    }
    return FOut.size() != before;
  }

private:
  enum TKind { kUtf8, kUtf16LE, kUtf16BE, kLatin1, kAscii };

  size_t Take(const uint8_t*& data, size_t want) {
    const size_t size = FReader->Next(data, want);
    if (size && OnBytes) OnBytes(size);
    return size;
  }

  int32_t BadSequence() const {
    return FKind == kUtf16LE ? XpRes::_sInvalidLEChar : FKind == kUtf16BE ? XpRes::_sInvalidBEChar : XpRes::_sBadUTF8Char;
  }

  [[noreturn]] void Fail(int32_t id) const {
    int32_t line, column;
    FSource.PositionOf(FOut.size(), line, column);
    throw EXpParserError(line, column, XpLoadWideStr(id), FSource.URL);
  }

  void Decode(const uint8_t* p, size_t n) {
    if (FCarryLen) {
      // The character begun at the end of the last piece, completed from
      // the start of this one.
      uint8_t joined[8];
      std::memcpy(joined, FCarry, FCarryLen);
      const size_t k = std::min(n, 4 - FCarryLen);
      std::memcpy(joined + FCarryLen, p, k);
      const size_t total = FCarryLen + k;
      const size_t used = Run(joined, joined + total);
      if (used < FCarryLen) {
        // Still incomplete: this piece was shorter than the character.
        std::memmove(FCarry, joined + used, total - used);
        FCarryLen = total - used;
        return;
      }
      p += used - FCarryLen;
      n -= used - FCarryLen;
      FCarryLen = 0;
    }
    const size_t used = Run(p, p + n);
    FCarryLen = n - used;
    std::memcpy(FCarry, p + used, FCarryLen);
  }

  // Decodes the complete characters of [p, e); returns the bytes used.
  size_t Run(const uint8_t* p, const uint8_t* e) {
    switch (FKind) {
      case kUtf8:
        return Utf8(p, e);
      case kUtf16LE:
        return Utf16(p, e, false);
      case kUtf16BE:
        return Utf16(p, e, true);
      default:
        return Latin1(p, e, FKind == kAscii);
    }
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

  size_t Utf8(const uint8_t* const begin, const uint8_t* e) {
    const uint8_t* p = begin;
    while (p < e) {
      const uint8_t b = *p;
      if (b >= 0x20 && b < 0x80) {
        // Runs of plain ASCII go straight through.
        const uint8_t* q = p;
        while (q < e && *q >= 0x20 && *q < 0x80) ++q;
        // Widened in place (appending a byte range would build a temporary
        // string first).
        const size_t at = FOut.size();
        FOut.resize(at + static_cast<size_t>(q - p));
        char16_t* out = FOut.data() + at;
        for (const uint8_t* r = p; r < q; ++r) *out++ = *r;
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
      const int32_t have = static_cast<int32_t>(std::min<ptrdiff_t>(e - p, n));
      for (int32_t i = 1; i < have; ++i) {
        if ((p[i] & 0xC0) != 0x80) Fail(XpRes::_sBadUTF8Char);
        c = (c << 6) | (p[i] & 0x3F);
      }
      if (have < n) break;  // completed by the next piece
      // Overlong forms, encoded surrogates and values above 10FFFF.
      if ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF))
        Fail(XpRes::_sBadUTF8Char);
      Put(c);
      p += n;
    }
    return static_cast<size_t>(p - begin);
  }

  size_t Utf16(const uint8_t* const begin, const uint8_t* e, bool bigEndian) {
    const int32_t err = bigEndian ? XpRes::_sInvalidBEChar : XpRes::_sInvalidLEChar;
    auto unit = [bigEndian](const uint8_t* q) {
      return bigEndian ? static_cast<char16_t>(q[0] << 8 | q[1]) : static_cast<char16_t>(q[1] << 8 | q[0]);
    };
    const uint8_t* p = begin;
    while (e - p >= 2) {
      const char16_t u = unit(p);
      if (u >= 0xD800 && u <= 0xDBFF) {
        if (e - p < 4) break;  // completed by the next piece
        const char16_t v = unit(p + 2);
        if (v < 0xDC00 || v > 0xDFFF) Fail(err);
        p += 4;
        Put(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (v - 0xDC00));
      } else if (u >= 0xDC00 && u <= 0xDFFF) {
        Fail(err);
      } else {
        p += 2;
        Put(u);
      }
    }
    return static_cast<size_t>(p - begin);
  }

  size_t Latin1(const uint8_t* p, const uint8_t* e, bool asciiOnly) {
    const size_t n = static_cast<size_t>(e - p);
    for (; p < e; ++p) {
      if (asciiOnly && *p >= 0x80) Fail(XpRes::_sInvalidXMLChar);
      Put(*p);
    }
    return n;
  }

  TXpInputSource& FSource;
  std::u16string& FOut;
  std::unique_ptr<TXpByteReader> FReader;
  size_t FPiece;
  TKind FKind = kUtf8;
  uint8_t FCarry[4] = {};
  size_t FCarryLen = 0;
  bool FAfterCR = false;
  bool FDone = false;
};

std::unique_ptr<TXpByteReader> XpMemoryReader(const void* data, size_t size) {
  return std::make_unique<TMemoryReader>(data, size);
}

std::unique_ptr<TXpByteReader> XpStreamReader(TStream& stream) { return std::make_unique<TStreamReader>(stream); }

std::unique_ptr<TXpByteReader> XpFileReader(const AnsiString& path) {
  auto reader = std::make_unique<TFileReader>(path);
  if (!reader->IsOpen()) return nullptr;
  return reader;
}

std::unique_ptr<TXpByteReader> XpOwnedReader(std::string bytes) {
  return std::make_unique<TOwnedReader>(std::move(bytes));
}

TXpInputSource::TXpInputSource() = default;
TXpInputSource::~TXpInputSource() = default;

void TXpInputSource::Open(std::unique_ptr<TXpByteReader> reader, size_t pieceBytes,
                          std::function<void(size_t)> onBytes) {
  FDecoder = std::make_unique<TXpDecoder>(*this, std::move(reader), pieceBytes);
  FDecoder->OnBytes = std::move(onBytes);
  Encoding = FDecoder->Start();
}

bool TXpInputSource::More() { return FDecoder && FDecoder->More(); }

bool TXpInputSource::FillTo(size_t index) {
  while (index >= Text.size())
    if (!More()) return false;
  return true;
}

void TXpInputSource::Compact() {
  if (Pos < kCompactAt || !FDecoder) return;
  const size_t cut = Pos - 2;
  PositionOf(cut, FLineBase, FColumnBase);
  Text.erase(0, cut);
  Pos -= cut;
  FDropped += static_cast<int64_t>(cut);
}

void TXpInputSource::PositionOf(size_t index, int32_t& line, int32_t& column) const {
  const size_t end = std::min(index, Text.size());
  const char16_t* t = Text.data();
  line = FLineBase + static_cast<int32_t>(std::count(t, t + end, u'\n'));
  size_t lineStart = end;
  while (lineStart > 0 && t[lineStart - 1] != u'\n') --lineStart;
  column = lineStart == 0 && line == FLineBase ? FColumnBase + static_cast<int32_t>(end)
                                               : static_cast<int32_t>(end - lineStart) + 1;
}

void TXpInputSource::Position(int32_t& line, int32_t& column) const { PositionOf(Pos, line, column); }

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

