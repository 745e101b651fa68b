#pragma once
// Encodes the writer's wide text into UTF-8, UTF-16 or ISO-8859-1 bytes,
// with a byte-order mark where the format has one. The stream stays the
// caller's.
#include <string_view>

#include "xml/dom/XpBaseCharFilter.h"

class TXpOutCharFilter : public TXpBaseCharFilter {
 public:
  // Starts in UTF-8 with nothing written; buffers below 64 bytes are raised
  // to 64.
  TXpOutCharFilter(TStream* stream, int32_t bufferSize);
  // Writes what remains in the buffer; a failure there is lost, so callers
  // that need to know call Flush first.
  ~TXpOutCharFilter() override;

  // Refused (nothing changes) once text has been written. Otherwise the
  // buffer is reset and the format's mark placed: UTF-8 EF BB BF (only with
  // WriteUTF8Signature), UTF-16LE FF FE, UTF-16BE FE FF, ISO-8859-1 none.
  void csSetFormat(TXpStreamFormat format) override;

  // Writes the text; a surrogate pair is one character. An unpaired
  // surrogate, a character XML does not allow (controls other than TAB, LF
  // and CR, U+FFFE, U+FFFF), and any character the format cannot hold
  // raise EXpStreamError with the output position.
  void PutString(std::u16string_view text) {
    // Short texts (names, plain runs of values) of printable ASCII in a
    // one-byte format go straight into the buffer.
    if (text.size() <= 32 && text.size() <= static_cast<size_t>(FBufSize - FBufPos) &&
        (FFormat == sfUTF8 || FFormat == sfISO88591)) {
      uint8_t* out = FBuffer.data() + FBufPos;
      size_t i = 0;
      for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x20 || c > 0x7F) break;
        out[i] = static_cast<uint8_t>(c);
      }
      FBufPos += static_cast<int32_t>(i);
      if (i == text.size()) return;
      text.remove_prefix(i);
    }
    PutStringSlow(text);
  }
  // Writes characters the caller knows to be printable ASCII, TAB, LF or
  // CR (markup, references): they are encoded without further checks.
  void PutAscii(const char16_t* text, size_t count) {
    if (count <= static_cast<size_t>(FBufSize - FBufPos) && FFormat != sfUTF16LE && FFormat != sfUTF16BE) {
      uint8_t* out = FBuffer.data() + FBufPos;
      for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(text[i]);
      FBufPos += static_cast<int32_t>(count);
      return;
    }
    PutAsciiSlow(text, count);
  }
  // Room for count bytes of printable ASCII straight in the buffer, which
  // is flushed first when it has less: null in the two-byte formats or
  // when count exceeds the buffer. The caller writes there and hands the
  // end of what it wrote to Commit, or writes nothing and drops the room.
  uint8_t* Room(size_t count) {
    if (FFormat != sfUTF8 && FFormat != sfISO88591) return nullptr;
    if (count > static_cast<size_t>(FBufSize - FBufPos)) {
      if (count > static_cast<size_t>(FBufSize)) return nullptr;
      Flush();
    }
    return FBuffer.data() + FBufPos;
  }
  void Commit(const uint8_t* end) { FBufPos = static_cast<int32_t>(end - FBuffer.data()); }
  void PutUCS4Char(char32_t c);
  // One character from one or two UTF-16 units; `usedBoth` tells whether
  // the second unit belonged to it.
  void PutChar(char16_t first, char16_t second, bool& usedBoth);

  // Bytes written since the filter was created, buffered ones included.
  int64_t Position();
  int64_t csGetSize() override;
  // Writes the buffer to the stream; EXpStreamError when the stream takes
  // less.
  void Flush();

  // ISO-8859-1 bytes from 0x80 up are read as Latin-1 only when the
  // document says so; without that only ASCII is written.
  bool AsciiOnly() const { return FAsciiOnly; }
  void SetAsciiOnly(bool value) { FAsciiOnly = value; }

  bool WriteUTF8Signature() const { return FWriteUTF8Signature; }
  void SetWriteUTF8Signature(bool value) { FWriteUTF8Signature = value; }

 private:
  void PutBytes(const uint8_t* bytes, int32_t count);
  void PutStringSlow(std::u16string_view text);
  void PutAsciiSlow(const char16_t* text, size_t count);
  // The UTF-16 units of text from i on, in the format's byte order, up to
  // the first one the encoder must look at; returns where it stopped.
  size_t PutUtf16Run(const char16_t* text, size_t i, size_t n);
  [[noreturn]] void Fail(int32_t messageId);

  bool FWriteUTF8Signature = true;
  bool FAsciiOnly = false;
  int32_t FMarkLength = 0;  // bytes of the byte-order mark at the start
  int64_t FFlushed = 0;     // bytes already handed to the stream
};
