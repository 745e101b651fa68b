// One source of characters for the parser: a document, an external entity
// or subset, or the replacement text of an entity. External bytes are
// decoded once, whole, into UTF-16 with line ends made LF and every
// character checked against the XML Char production, so the productions
// scan plain text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "classlib/AnsiString.h"
#include "xml/dom/XpCharEncoding.h"

class TXpDirContext;
struct TXpEntityInfo;

struct TXpInputSource {
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

  char16_t Cur() const { return Pos < Text.size() ? Text[Pos] : u'\0'; }
  bool AtEnd() const { return Pos >= Text.size(); }
  // Line and column (from 1) of the character at Pos.
  void Position(int32_t& line, int32_t& column) const;
};

// The encoding named by an encoding declaration, or ceUnknown when the
// parser does not read it. US-ASCII reads as ISO-8859-1 with bytes above
// 7F refused (`asciiOnly`).
TXpCharEncoding XpEncodingFromName(const WideString& name, bool& asciiOnly);

// Decodes `size` bytes into `out` (appended): detects a byte-order mark,
// otherwise reads the encoding the declaration at the start names (UTF-16
// without its mark is refused). Raises EXpParserError with `url` and the position for bytes
// that are not text of the encoding, characters XML does not allow and
// encodings it does not read.
TXpCharEncoding XpDecodeText(const uint8_t* data, size_t size, const WideString& url,
                             std::u16string& out);
