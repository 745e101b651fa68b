// One source of characters for the parser: a document, an external entity
// or subset, or the replacement text of an entity. External bytes are
// decoded piece by piece into a window of UTF-16 text, with line ends made
// LF and every character checked against the XML Char production, so the
// productions scan plain text and the input is never held decoded whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "classlib/AnsiString.h"
#include "xml/dom/XpCharEncoding.h"

class TXpDirContext;
class TStream;
struct TXpEntityInfo;

// Where the bytes of an external source come from. Next hands out up to
// `want` further bytes (fewer only at the end of the input, none after it);
// the bytes stay valid until the next call.
class TXpByteReader {
public:
  virtual ~TXpByteReader() = default;
  virtual size_t Next(const uint8_t*& data, size_t want) = 0;
  // Bytes in all, or -1 when not known beforehand.
  virtual int64_t Size() const { return -1; }
};

// Bytes the caller keeps (no copy is made).
std::unique_ptr<TXpByteReader> XpMemoryReader(const void* data, size_t size);
// A stream read from its current position.
std::unique_ptr<TXpByteReader> XpStreamReader(TStream& stream);
// A local file; null when it cannot be opened.
std::unique_ptr<TXpByteReader> XpFileReader(const AnsiString& path);
// Bytes the reader owns.
std::unique_ptr<TXpByteReader> XpOwnedReader(std::string bytes);

class TXpDecoder;

struct TXpInputSource {
  TXpInputSource();
  ~TXpInputSource();

  // The decoded window: characters from Text[0] on; those before Pos have
  // been read. Only Compact drops read characters, so positions stay valid
  // between two calls of it.
  std::u16string Text;
  size_t Pos = 0;
  // Where the text came from (empty for memory); errors name it.
  WideString URL;
  // The folder relative names inside this source resolve against (shared
  // by the internal entities read from it).
  std::shared_ptr<TXpDirContext> Context;
  // The entity this source expands; null for the document and the external
  // subset.
  const TXpEntityInfo* Entity = nullptr;
  // Decoded from bytes (document, external entity or subset), as opposed to
  // replacement text: line and column are counted here.
  bool External = false;
  // A parameter entity read inside a declaration: its end counts as a blank.
  bool InDeclaration = false;
  // The external subset or an external parameter entity.
  bool ExternalDtd = false;
  // An external parameter entity read between declarations: its end fires
  // OnDTDExternalEnd.
  bool AnnouncedExternal = false;
  // Number of open elements when the source was pushed: an entity's
  // elements must end inside it.
  size_t OpenDepth = 0;
  TXpCharEncoding Encoding = ceUnknown;

  // Reads bytes from reader in pieces of `pieceBytes`: detects a byte-order
  // mark or UTF-16 without one, otherwise reads the encoding the
  // declaration at the start names, and decodes the first piece. Raises
  // EXpParserError (with URL and the position) for bytes that are not text
  // of the encoding, characters XML does not allow and encodings the parser
  // does not read. `onBytes` is told each piece's size before it is decoded
  // (the parser checks its limits there) and may raise.
  void Open(std::unique_ptr<TXpByteReader> reader, size_t pieceBytes,
            std::function<void(size_t)> onBytes = {});

  // True when Text[index] exists, decoding further pieces as needed.
  bool Have(size_t index) {
    return index < Text.size() || FillTo(index);
  }
  char16_t At(size_t index) { return Have(index) ? Text[index] : u'\0'; }
  char16_t Cur() { return At(Pos); }
  bool AtEnd() { return !Have(Pos); }
  // Decodes the next piece onto Text; false at the end of the input.
  bool More();
  // Decodes the rest of the input.
  void ReadAll() {
    while (More()) {
    }
  }
  // Drops the characters read (keeping the last two, which a check for
  // "]]>" looks back at); positions held before are no longer valid.
  void Compact();
  // Characters decoded so far from the start of the source.
  int64_t Decoded() const { return FDropped + static_cast<int64_t>(Text.size()); }
  // Line and column (from 1) of the character at Pos.
  void Position(int32_t& line, int32_t& column) const;
  // Line and column of the character at index.
  void PositionOf(size_t index, int32_t& line, int32_t& column) const;

private:
  bool FillTo(size_t index);

  std::unique_ptr<TXpDecoder> FDecoder;
  int64_t FDropped = 0;     // characters dropped by Compact
  int32_t FLineBase = 1;    // line of Text[0]
  int32_t FColumnBase = 1;  // column of Text[0]
};

// The encoding named by an encoding declaration, or ceUnknown when the
// parser does not read it. US-ASCII reads as ISO-8859-1 with bytes above
// 7F refused (`asciiOnly`).
TXpCharEncoding XpEncodingFromName(const WideString& name, bool& asciiOnly);
