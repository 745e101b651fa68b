#include "xml/dom/XpInCharFilter.h"

#include <algorithm>
#include <cstring>

#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"

namespace {
constexpr int32_t kMinBuffer = 256;
constexpr int32_t kReserve = 64;
}  // namespace

TXpInCharFilter::TXpInCharFilter(TStream* stream, int32_t bufferSize)
    : TXpBaseCharFilter(stream, std::max(bufferSize, kMinBuffer)) {
  FBufStart = FStreamPos;
  FBufDMZ = FBufSize < FStreamSize - FStreamPos ? kReserve : 0;
  csGetNextBuffer();
  csIdentifyFormat();
  CheckExhausted();
}

TXpInCharFilter::~TXpInCharFilter() = default;

void TXpInCharFilter::csIdentifyFormat() {
  FFormat = sfUTF8;
  const uint8_t* b = FBuffer.data();
  if (FBufEnd >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
    FFormat = sfUTF16BE;
    FBufPos = 2;
  } else if (FBufEnd >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    FFormat = sfUTF16LE;
    FBufPos = 2;
  } else if (FBufEnd >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    FBufPos = 3;
  }
}

void TXpInCharFilter::csSetFormat(TXpStreamFormat format) {
  if (FFormat == sfUTF16LE || FFormat == sfUTF16BE) return;
  FFormat = format;
}

bool TXpInCharFilter::csGetNextBuffer() {
  // The unread tail moves to the front so that no character straddles the
  // refill; the rest of the buffer is filled from the stream.
  const int32_t unread = FBufEnd - FBufPos;
  if (FBufPos > 0) {
    std::memmove(FBuffer.data(), FBuffer.data() + FBufPos, static_cast<size_t>(unread));
    FBufStart += FBufPos;
    FBufPos = 0;
    FBufEnd = unread;
  }
  bool got = false;
  while (FBufEnd < static_cast<int32_t>(FBuffer.size())) {
    const int32_t n = FStream->Read(FBuffer.data() + FBufEnd, static_cast<int32_t>(FBuffer.size()) - FBufEnd);
    if (n <= 0) break;
    FBufEnd += n;
    got = true;
  }
  return got;
}

bool TXpInCharFilter::Need(int32_t count) {
  if (FBufEnd - FBufPos >= count) return true;
  if (!FInTryRead) csGetNextBuffer();
  return FBufEnd - FBufPos >= count;
}

void TXpInCharFilter::Fail(int32_t messageId) {
  throw EXpFilterError(StreamPosition(), FLine, FLinePos, XpLoadWideStr(messageId));
}

char32_t TXpInCharFilter::csGetCharPrim() {
  if (FBufEnd - FBufPos < FBufDMZ && !FInTryRead) csGetNextBuffer();
  if (!Need(1)) return kEnd;
  const uint8_t* b = FBuffer.data() + FBufPos;
  switch (FFormat) {
    case sfUTF8: {
      const int32_t len = XPGetLengthUtf8(b[0]);
      if (len == 0 || len > 4) Fail(XpRes::_sBadUTF8Char);
      if (!Need(len)) Fail(XpRes::_sBadUTF8Char);
      b = FBuffer.data() + FBufPos;
      char32_t c;
      if (!XPUtf8ToUcs4(b, len, c)) Fail(XpRes::_sBadUTF8Char);
      FBufPos += len;
      return c;
    }
    case sfUTF16LE:
    case sfUTF16BE: {
      const bool le = FFormat == sfUTF16LE;
      const int32_t bad = le ? XpRes::_sInvalidLEChar : XpRes::_sInvalidBEChar;
      auto unit = [this, le](int32_t at) -> char16_t {
        const uint8_t* p = FBuffer.data() + FBufPos + at;
        return le ? char16_t(p[0] | (p[1] << 8)) : char16_t((p[0] << 8) | p[1]);
      };
      if (!Need(2)) Fail(bad);  // an odd byte at the end
      const char16_t first = unit(0);
      if (!XPIsSurrogate(first)) {
        FBufPos += 2;
        return first;
      }
      // A pair cut off by the end of the input is malformed as well.
      if (!Need(4)) Fail(bad);
      char32_t c;
      bool both;
      if (!XPUtf16ToUcs4(first, unit(2), c, both)) Fail(bad);
      FBufPos += 4;
      return c;
    }
    case sfISO88591:
    default:
      ++FBufPos;
      return b[0];
  }
}

char32_t TXpInCharFilter::csGetChar() {
  char32_t c;
  if (FUCS4Char != kNoChar) {
    c = FUCS4Char;
    FUCS4Char = kNoChar;
  } else {
    c = csGetCharPrim();
  }
  if (c == 0xD) {
    const char32_t next = csGetCharPrim();
    if (next != 0xA && next != kEnd) FUCS4Char = next;
    c = 0xA;
  }
  if (c == kEnd) {
    FEOF = true;
    return EndOfInput;
  }
  if (!XPIsChar(c)) Fail(XpRes::_sInvalidXMLChar);
  return c;
}

void TXpInCharFilter::Advance(char32_t c) {
  if (c == EndOfInput) return;
  if (c == 0xA) {
    ++FLine;
    FLinePos = 1;
  } else {
    ++FLinePos;
  }
}

void TXpInCharFilter::CheckExhausted() {
  if (FEOF || FLastChar != 0 || FUCS4Char != kNoChar) return;
  if (FBufPos < FBufEnd) return;
  if (!FInTryRead && csGetNextBuffer()) return;
  if (FBufPos >= FBufEnd) FEOF = true;
}

char32_t TXpInCharFilter::ReadChar() {
  if (FLastChar == 0) FLastChar = csGetChar();
  return FLastChar;
}

void TXpInCharFilter::SkipChar() {
  char32_t c = FLastChar;
  if (c == 0) c = csGetChar();
  FLastChar = 0;
  Advance(c);
  CheckExhausted();
}

char32_t TXpInCharFilter::ReadAndSkipChar() {
  const char32_t c = ReadChar();
  SkipChar();
  return c;
}

bool TXpInCharFilter::TryRead(std::u32string_view chars) {
  if (chars.empty()) return true;
  // Make sure the whole literal (four bytes a character at most, plus the
  // look-ahead after a CR) is in the buffer, since refills are forbidden
  // while comparing.
  const int32_t need = std::max<int32_t>(FBufDMZ, static_cast<int32_t>(chars.size()) * 4 + 4);
  if (FBufEnd - FBufPos < need) {
    if (need > static_cast<int32_t>(FBuffer.size())) FBuffer.resize(static_cast<size_t>(need));
    csGetNextBuffer();
  }
  const int32_t savedPos = FBufPos;
  const char32_t savedLast = FLastChar, savedPushed = FUCS4Char;
  const bool savedEOF = FEOF;
  auto restore = [&] {
    FBufPos = savedPos;
    FLastChar = savedLast;
    FUCS4Char = savedPushed;
    FEOF = savedEOF;
    FInTryRead = false;
  };
  FInTryRead = true;
  try {
    for (char32_t want : chars) {
      char32_t c = FLastChar;
      FLastChar = 0;
      if (c == 0) c = csGetChar();
      if (c != want) {
        restore();
        return false;
      }
    }
  } catch (...) {
    restore();
    throw;
  }
  FInTryRead = false;
  for (char32_t c : chars) Advance(c);
  CheckExhausted();
  return true;
}

AnsiString TXpInCharFilter::csGetURL() const { return FDirContext ? FDirContext->URL() : AnsiString(); }
