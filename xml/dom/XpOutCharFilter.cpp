#include "xml/dom/XpOutCharFilter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"

namespace {

// Whether all four UTF-16 units packed in w (little-endian) lie in
// U+0020..U+007F.
inline bool AllPrintableAscii(uint64_t w) {
  constexpr uint64_t kHigh = 0xFF80FF80FF80FF80u;  // any unit of 0x80 or more
  constexpr uint64_t kSign = 0x8000800080008000u;
  constexpr uint64_t kBlank = 0x0020002000200020u;
  // With every unit below 0x80, a unit below 0x20 is the only one whose
  // difference borrows, which sets its top bit.
  return (w & kHigh) == 0 && ((w - kBlank) & kSign) == 0;
}

// The buffer of the last filter on this thread, handed to the next one:
// saving again neither allocates nor faults in fresh pages.
thread_local std::vector<uint8_t> tSpareBuffer;

}  // namespace

TXpOutCharFilter::TXpOutCharFilter(TStream* stream, int32_t bufferSize)
    : TXpBaseCharFilter(stream, std::max(bufferSize, 64), std::move(tSpareBuffer)) {
  FFreeStream = false;
}

TXpOutCharFilter::~TXpOutCharFilter() {
  try {
    Flush();
  } catch (...) {
  }
  if (FBuffer.size() >= tSpareBuffer.size()) FBuffer.swap(tSpareBuffer);
}

void TXpOutCharFilter::csSetFormat(TXpStreamFormat format) {
  // Text already written (anything beyond the mark) would be lost or mixed
  // with another encoding.
  if (FFlushed > 0 || FBufPos > FMarkLength) return;
  FBufPos = 0;
  FMarkLength = 0;
  FFormat = format;
  static constexpr uint8_t kUtf8[] = {0xEF, 0xBB, 0xBF}, kLE[] = {0xFF, 0xFE}, kBE[] = {0xFE, 0xFF};
  switch (format) {
    case sfUTF8:
      if (FWriteUTF8Signature) PutBytes(kUtf8, 3);
      break;
    case sfUTF16LE: PutBytes(kLE, 2); break;
    case sfUTF16BE: PutBytes(kBE, 2); break;
    default: break;
  }
  FMarkLength = FBufPos;
}

void TXpOutCharFilter::Fail(int32_t messageId) { throw EXpStreamError(Position(), XpLoadStr(messageId)); }

void TXpOutCharFilter::PutBytes(const uint8_t* bytes, int32_t count) {
  if (FBufPos + count > FBufSize) Flush();
  std::copy(bytes, bytes + count, FBuffer.begin() + FBufPos);
  FBufPos += count;
}

void TXpOutCharFilter::PutUCS4Char(char32_t c) {
  const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
  if (!surrogate && c <= 0x10FFFF && !XPIsChar(c)) Fail(XpRes::_sInvalidXMLChar);
  switch (FFormat) {
    case sfUTF8: {
      if (surrogate || c > 0x10FFFF) Fail(XpRes::_sUCS_U8ConverErr);
      uint8_t bytes[6];
      PutBytes(bytes, XPUcs4ToUtf8(c, bytes));
      break;
    }
    case sfUTF16LE:
    case sfUTF16BE: {
      char16_t units[2];
      if (surrogate || !XPUcs4ToUtf16(c, units[0], units[1])) Fail(XpRes::_sUCS_U16ConvertErr);
      const int n = units[1] ? 2 : 1;
      for (int i = 0; i < n; ++i) {
        const uint8_t lo = static_cast<uint8_t>(units[i] & 0xFF), hi = static_cast<uint8_t>(units[i] >> 8);
        const uint8_t pair[2] = {FFormat == sfUTF16LE ? lo : hi, FFormat == sfUTF16LE ? hi : lo};
        PutBytes(pair, 2);
      }
      break;
    }
    case sfISO88591:
    default: {
      uint8_t b;
      // Without a declaration naming the encoding a reader takes the bytes
      // for UTF-8: that, not Latin-1, is what limits them to ASCII.
      if (FAsciiOnly && c >= 0x80) Fail(XpRes::_sAsciiWithoutDeclaration);
      if (!XPUcs4ToIso88591(c, b)) Fail(XpRes::_sUCS_ISOConvertErr);
      PutBytes(&b, 1);
      break;
    }
  }
}

void TXpOutCharFilter::PutChar(char16_t first, char16_t second, bool& usedBoth) {
  char32_t c;
  if (!XPUtf16ToUcs4(first, second, c, usedBoth)) {
    // A lone surrogate is no character in any encoding.
    usedBoth = false;
    c = first;
  }
  PutUCS4Char(c);
}

void TXpOutCharFilter::PutStringSlow(std::u16string_view text) {
  const size_t n = text.size();
  // Runs of characters the format writes as one byte go straight into the
  // buffer.
  // Controls other than TAB, LF and CR leave the fast path (and raise).
  const char16_t oneByte =
      FFormat == sfISO88591 && !FAsciiOnly ? 0x100 : FFormat == sfUTF8 || FFormat == sfISO88591 ? 0x80 : 0;
  auto fast = [oneByte](char16_t c) {
    return c < oneByte && (c >= 0x20 || c == u'\n' || c == u'\r' || c == u'\t');
  };
  size_t i = 0;
  if (FFormat == sfUTF8) {
    // Characters below U+0800 (most of the text of a European document) go
    // straight into the buffer, two bytes at most each.
    const char16_t* p = text.data();
    while (i < n) {
      if (FBufSize - FBufPos < 2) Flush();
      uint8_t* out = FBuffer.data() + FBufPos;
      uint8_t* const limit = FBuffer.data() + FBufSize - 1;
      for (; i < n && out < limit; ++i) {
        // Four printable ASCII characters at a time while they last.
        while (i + 4 <= n && limit - out > 4) {
          uint64_t w;
          std::memcpy(&w, p + i, 8);
          if (!AllPrintableAscii(w)) break;
          for (int k = 0; k < 4; ++k) out[k] = static_cast<uint8_t>(w >> (16 * k));
          out += 4;
          i += 4;
        }
        if (i >= n || out >= limit) break;
        const char16_t c = p[i];
        if (c >= 0x20 && c < 0x80) {
          *out++ = static_cast<uint8_t>(c);
        } else if (c >= 0x80 && c < 0x800) {
          *out++ = static_cast<uint8_t>(0xC0 | (c >> 6));
          *out++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
        } else if (c == u'\n' || c == u'\r' || c == u'\t') {
          *out++ = static_cast<uint8_t>(c);
        } else {
          break;
        }
      }
      FBufPos = static_cast<int32_t>(out - FBuffer.data());
      // Stopped before a character of the general path (a full buffer is
      // flushed at the top of the loop).
      if (i < n && out < limit) {
        bool both;
        PutChar(p[i], i + 1 < n ? p[i + 1] : char16_t(0), both);
        i += both ? 2 : 1;
      }
    }
    return;
  }
  if (FFormat == sfUTF16LE || FFormat == sfUTF16BE) {
    while (i < n) {
      i = PutUtf16Run(text.data(), i, n);
      if (i >= n) break;
      bool both;
      PutChar(text[i], i + 1 < n ? text[i + 1] : char16_t(0), both);
      i += both ? 2 : 1;
    }
    return;
  }
  while (i < n) {
    if (fast(text[i])) {
      if (FBufPos >= FBufSize) Flush();
      const size_t end = std::min(n, i + static_cast<size_t>(FBufSize - FBufPos));
      uint8_t* out = FBuffer.data() + FBufPos;
      size_t j = i;
      while (j < end && fast(text[j])) *out++ = static_cast<uint8_t>(text[j++]);
      FBufPos += static_cast<int32_t>(j - i);
      i = j;
      continue;
    }
    bool both;
    PutChar(text[i], i + 1 < n ? text[i + 1] : char16_t(0), both);
    i += both ? 2 : 1;
  }
}

size_t TXpOutCharFilter::PutUtf16Run(const char16_t* text, size_t i, size_t n) {
  const bool little = FFormat == sfUTF16LE;
  while (i < n) {
    if (FBufSize - FBufPos < 2) Flush();
    const size_t room = static_cast<size_t>(FBufSize - FBufPos) / 2;
    const size_t end = std::min(n, i + room);
    uint8_t* out = FBuffer.data() + FBufPos;
    size_t j = i;
    for (; j < end; ++j) {
      const char16_t c = text[j];
      // Surrogates, controls other than TAB, LF and CR, U+FFFE and U+FFFF
      // take the general path.
      if (c < 0x20 ? !(c == u'\t' || c == u'\n' || c == u'\r') : (c >= 0xD800 && c <= 0xDFFF) || c >= 0xFFFE)
        break;
      const uint8_t lo = static_cast<uint8_t>(c & 0xFF), hi = static_cast<uint8_t>(c >> 8);
      *out++ = little ? lo : hi;
      *out++ = little ? hi : lo;
    }
    FBufPos += static_cast<int32_t>(2 * (j - i));
    const bool stopped = j < end;
    i = j;
    if (stopped) break;
  }
  return i;
}

void TXpOutCharFilter::PutAsciiSlow(const char16_t* text, size_t count) {
  const bool wide = FFormat == sfUTF16LE || FFormat == sfUTF16BE;
  const bool little = FFormat == sfUTF16LE;
  const int32_t width = wide ? 2 : 1;
  size_t i = 0;
  while (i < count) {
    if (FBufSize - FBufPos < width) Flush();
    const size_t end = std::min(count, i + static_cast<size_t>((FBufSize - FBufPos) / width));
    uint8_t* out = FBuffer.data() + FBufPos;
    for (size_t j = i; j < end; ++j) {
      const auto b = static_cast<uint8_t>(text[j]);
      if (!wide) {
        *out++ = b;
      } else if (little) {
        *out++ = b;
        *out++ = 0;
      } else {
        *out++ = 0;
        *out++ = b;
      }
    }
    FBufPos += static_cast<int32_t>((end - i) * static_cast<size_t>(width));
    i = end;
  }
}

int64_t TXpOutCharFilter::Position() { return FFlushed + FBufPos; }

int64_t TXpOutCharFilter::csGetSize() { return FStream->Size() + FBufPos; }

void TXpOutCharFilter::Flush() {
  if (FBufPos == 0) return;
  const int32_t written = FStream->Write(FBuffer.data(), FBufPos);
  if (written != FBufPos) {
    // Keep what did not get out so that nothing is silently dropped.
    const int32_t done = std::max(written, 0);
    std::copy(FBuffer.begin() + done, FBuffer.begin() + FBufPos, FBuffer.begin());
    FBufPos -= done;
    FFlushed += done;
    throw EXpStreamError(Position(), "Stream-Schreibfehler");
  }
  FFlushed += FBufPos;
  FBufPos = 0;
}
