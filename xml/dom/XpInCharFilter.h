#pragma once
// Decodes the bytes of a document into characters for the parser: detects
// the encoding from a byte-order mark, reads CR and CR LF as one LF, checks
// that every character is an XML character, and counts lines and columns.
#include <memory>
#include <string_view>

#include "xml/dom/XpBaseCharFilter.h"
#include "xml/dom/XpBaseDirContext.h"

class TXpInCharFilter : public TXpBaseCharFilter {
 public:
  // Characters are handed out as UCS-4 values; this one stands for the end
  // of the input.
  static constexpr char32_t EndOfInput = 1;

  // Reads the first buffer from the stream's current position and skips a
  // byte-order mark (FE FF: UTF-16BE, FF FE: UTF-16LE, EF BB BF: UTF-8;
  // without one UTF-8). Buffers below 256 bytes are raised to 256.
  TXpInCharFilter(TStream* stream, int32_t bufferSize);
  ~TXpInCharFilter() override;

  // Switches the decoding, except when a byte-order mark fixed UTF-16.
  void csSetFormat(TXpStreamFormat format) override;

  // The next character without consuming it (repeated calls return the
  // same); EndOfInput at the end. Raises EXpFilterError for a byte sequence
  // of the format that is malformed and for a character that XML does not
  // allow ("Invalid XML Character found").
  char32_t ReadChar();
  // Consumes the next character.
  void SkipChar();
  char32_t ReadAndSkipChar();
  // Consumes `chars` when the input continues with exactly them; otherwise
  // consumes nothing and returns false.
  bool TryRead(std::u32string_view chars);

  // The directory context's URL; empty without a context.
  AnsiString csGetURL() const;
  // The context is owned by the filter from now on.
  void SetDirContext(TXpBaseDirContext* context) { FDirContext.reset(context); }
  TXpBaseDirContext* DirContext() const { return FDirContext.get(); }

  // Line and column of the next character, counted from 1.
  int32_t Line() const { return FLine; }
  int32_t LinePos() const { return FLinePos; }
  // Byte offset in the stream of the next undecoded byte.
  int64_t StreamPosition() const { return FBufStart + FBufPos; }
  // True once every character has been consumed (or read as EndOfInput).
  bool IsEOF() const { return FEOF; }

 private:
  // Internal markers lie outside Unicode, so that the characters 1 and 3
  // in the input are caught as illegal instead of taken for markers.
  static constexpr char32_t kNoChar = 0xFFFFFFFE;
  static constexpr char32_t kEnd = 0xFFFFFFFF;

  void csIdentifyFormat();
  bool csGetNextBuffer();
  bool Need(int32_t count);
  char32_t csGetCharPrim();
  char32_t csGetChar();
  void Advance(char32_t c);
  void CheckExhausted();
  [[noreturn]] void Fail(int32_t messageId);

  int32_t FBufEnd = 0;
  int64_t FBufStart;  // stream offset of FBuffer[0]
  std::unique_ptr<TXpBaseDirContext> FDirContext;
  char32_t FUCS4Char = kNoChar;  // pushed back by the CR handling
  int32_t FLine = 1;
  int32_t FLinePos = 1;
  char32_t FLastChar = 0;  // peeked by ReadChar; 0 = none
  bool FEOF = false;
  int32_t FBufDMZ;  // read-ahead reserve
  bool FInTryRead = false;
};
