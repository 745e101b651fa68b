// Turning a node tree into markup. One writer serves two targets: a UTF-16
// string (the markup of a node as text) and the output filter, which
// encodes each piece straight into its byte buffer while the tree is
// walked, so a save builds no intermediate text.
#include "xml/dom/XpNodeWriter.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNode.h"
#include "xml/dom/XpOutCharFilter.h"

namespace {

using View = std::u16string_view;

// The markup as UTF-16 text.
class WideOut {
 public:
  explicit WideOut(std::u16string& text) : FText(text) {}
  // Characters below 128 that need no check (markup, references).
  void Ascii(const char16_t* p, size_t n) { FText.append(p, n); }
  void Char(char16_t c) { FText += c; }
  // Any text, written as it is.
  void Text(View text) { FText.append(text); }
  // Text is no byte buffer: every piece takes the calls above.
  uint8_t* Room(size_t) { return nullptr; }
  void Commit(const uint8_t*) {}

 private:
  std::u16string& FText;
};

// The markup encoded into the output filter; a character the encoding
// cannot carry, or that XML does not allow, raises EXpStreamError there.
class ByteOut {
 public:
  explicit ByteOut(TXpOutCharFilter& filter) : FFilter(filter) {}
  void Ascii(const char16_t* p, size_t n) { FFilter.PutAscii(p, n); }
  void Char(char16_t c) { FFilter.PutAscii(&c, 1); }
  void Text(View text) { FFilter.PutString(text); }
  // Room for that many bytes of printable ASCII in the filter's buffer, or
  // null (see TXpOutCharFilter::Room).
  uint8_t* Room(size_t count) { return FFilter.Room(count); }
  void Commit(const uint8_t* end) { FFilter.Commit(end); }

 private:
  TXpOutCharFilter& FFilter;
};

// Writes a string literal without measuring it at run time.
template <class Out, size_t N>
inline void Put(Out& out, const char16_t (&literal)[N]) {
  out.Ascii(literal, N - 1);
}

// Characters below 128 that text and attribute values can take as they are.
struct PlainTable {
  bool plain[128] = {};
  constexpr PlainTable() {
    for (int c = 32; c < 127; ++c) plain[c] = c != '&' && c != '<' && c != '>' && c != '"';
  }
};
constexpr PlainTable kPlain;

// Whether the four UTF-16 units packed in w (little-endian) are all plain.
inline bool AllPlain(uint64_t w) {
  constexpr uint64_t kOne = 0x0001000100010001u;
  constexpr uint64_t kHigh = 0xFF80FF80FF80FF80u;
  constexpr uint64_t kSign = 0x8000800080008000u;
  // Every unit below 0x80, none below 0x20 (its difference would borrow),
  // none 0x7F (its sum would reach 0x80).
  if ((w & kHigh) != 0 || ((w - 0x20 * kOne) & kSign) != 0 || ((w + kOne) & kHigh) != 0)
    return false;
  auto has = [w](uint64_t c) {
    const uint64_t x = w ^ (c * kOne);
    return ((x - kOne) & ~x & kSign) != 0;
  };
  return !has('&') && !has('<') && !has('>') && !has('"');
}

// Copies the plain characters at the start of the n at p to out as bytes;
// returns how many there were (n when all are plain).
inline size_t NarrowPlain(uint8_t* out, const char16_t* p, size_t n) {
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    if (!AllPlain(w)) break;
    for (int k = 0; k < 4; ++k) out[i + k] = static_cast<uint8_t>(w >> (16 * k));
  }
  for (; i < n; ++i) {
    const char16_t c = p[i];
    if (c >= 128 || !kPlain.plain[c]) break;
    out[i] = static_cast<uint8_t>(c);
  }
  return i;
}

// Writes lead, name and tail (lead and tail printable ASCII) in one piece
// when the output is a byte buffer with room and the name is plain ASCII,
// as nearly every name is; piece by piece otherwise.
template <class Out, size_t L, size_t T>
void PutNamed(Out& out, const char16_t (&lead)[L], View name, const char16_t (&tail)[T]) {
  constexpr size_t kLead = L - 1, kTail = T - 1;
  if (uint8_t* at = out.Room(kLead + name.size() + kTail)) {
    if (NarrowPlain(at + kLead, name.data(), name.size()) == name.size()) {
      uint8_t* end = at + kLead + name.size();
      if constexpr (kLead > 0)
        for (size_t i = 0; i < kLead; ++i) at[i] = static_cast<uint8_t>(lead[i]);
      if constexpr (kTail > 0)
        for (size_t i = 0; i < kTail; ++i) *end++ = static_cast<uint8_t>(tail[i]);
      out.Commit(end);
      return;
    }
  }
  if constexpr (kLead > 0) out.Ascii(lead, kLead);
  out.Text(name);
  if constexpr (kTail > 0) out.Ascii(tail, kTail);
}

// Writer settings of a node's document; a node without document writes
// with the defaults.
struct Settings {
  bool formatted = false;
  bool raw = false;
  bool replace = false;
  bool cdataAsText = false;
  TXpLineBreakMode mode = lbmDefault;

  explicit Settings(const TXpNode* node) {
    if (const TXpDocument* doc = node->noGetOwnerDocument()) {
      formatted = doc->FormattedOutput();
      raw = doc->RawOutput();
      replace = doc->LineBreakCharReplace();
      cdataAsText = doc->CDataAsText();
      mode = doc->LineBreakMode();
    }
  }
};

bool Formatted(const TXpNode* node) {
  const TXpDocument* doc = node->noGetOwnerDocument();
  return doc && doc->FormattedOutput();
}

template <class Out>
void WriteIndent(Out& out, int32_t level) {
  // A line break and two blanks a level, in one piece up to 63 levels.
  static constexpr char16_t kIndent[] =
      u"\r\n                                                                "
      u"                                                              ";
  constexpr size_t kIndentLength = sizeof(kIndent) / sizeof(kIndent[0]) - 1;
  size_t n = 2 + (level > 0 ? static_cast<size_t>(level) * 2 : 0);
  const size_t first = n < kIndentLength ? n : kIndentLength;
  out.Ascii(kIndent, first);
  for (n -= first; n > 0;) {
    const size_t piece = n < kIndentLength - 2 ? n : kIndentLength - 2;
    out.Ascii(kIndent + 2, piece);
    n -= piece;
  }
}

template <class Out>
void WriteCharRef(Out& out, uint32_t code) {
  // A reference to a character XML does not allow makes the file unreadable.
  if (!XPIsChar(code)) throw EXpException(XpLoadStr(XpRes::_sInvalidXMLChar));
  char16_t buf[16];
  char16_t* end = buf + 16;
  char16_t* p = end;
  *--p = u';';
  do {
    *--p = static_cast<char16_t>(u'0' + code % 10);
    code /= 10;
  } while (code);
  *--p = u'#';
  *--p = u'&';
  out.Ascii(p, static_cast<size_t>(end - p));
}

// One CR or LF of text at text[i]; returns how many characters it used.
template <class Out>
size_t WriteLineBreak(Out& out, View text, size_t i, const Settings& s) {
  const char16_t c = text[i];
  if (!s.replace) {
    out.Char(c);
    return 1;
  }
  if (s.mode == lbmLF) {
    WriteCharRef(out, c);
    return 1;
  }
  const size_t used = (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
  if (s.mode == lbmCR)
    WriteCharRef(out, 13);
  else
    Put(out, u"\r\n");
  return used;
}

// Text or an attribute value with the characters markup would misread
// written as references.
template <class Out>
void WriteText(Out& out, const TXpNode* node, View text, bool isAttribute) {
  if (!node->OutputEscaping()) {
    out.Text(text);
    return;
  }
  // The settings matter only for line breaks and characters beyond ASCII:
  // most texts never read them.
  std::optional<Settings> settings;
  auto s = [&]() -> const Settings& {
    if (!settings) settings.emplace(node);
    return *settings;
  };
  const char16_t* p = text.data();
  const size_t n = text.size();
  size_t run = 0;  // start of the pending run of plain characters
  size_t i = 0;
  while (i < n) {
    // Four plain characters at a time while they last.
    while (i + 4 <= n) {
      uint64_t w;
      std::memcpy(&w, p + i, 8);
      if (!AllPlain(w)) break;
      i += 4;
    }
    if (i >= n) break;
    const char16_t c = p[i];
    if (c < 128 && kPlain.plain[c]) {
      ++i;
      continue;
    }
    out.Ascii(p + run, i - run);
    size_t used = 1;
    switch (c) {
      case u'&': Put(out, u"&amp;"); break;
      case u'<': Put(out, u"&lt;"); break;
      case u'>':
        // "]]>" must not appear in text; near the start of a text the "]]"
        // may end the text written before it.
        if (!isAttribute && (i < 2 ? (i == 0 || p[0] == u']') : p[i - 1] == u']' && p[i - 2] == u']'))
          Put(out, u"&gt;");
        else
          out.Char(c);
        break;
      case u'"':
        if (isAttribute)
          Put(out, u"&#34;");
        else
          out.Char(c);
        break;
      case u'\t':
        // A literal TAB in a value would read back as a blank.
        if (isAttribute)
          Put(out, u"&#9;");
        else
          out.Char(c);
        break;
      case u'\n':
        if (isAttribute)
          Put(out, u"&#xA;");
        else
          used = WriteLineBreak(out, text, i, s());
        break;
      case u'\r':
        if (isAttribute)
          Put(out, u"&#xD;");
        else
          used = WriteLineBreak(out, text, i, s());
        break;
      default: {
        // Characters XML 1.0 does not allow are refused, so that nothing
        // written fails to parse.
        if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) throw EXpException(XpLoadStr(XpRes::_sInvalidXMLChar));
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF;
        if (s().raw) {
          // A surrogate pair goes out whole: the encoder takes it as one
          // character.
          used = pair ? 2 : 1;
          out.Text(View(p + i, used));
        } else if (pair) {
          // One reference for the whole character, not one per half.
          WriteCharRef(out, 0x10000u + ((static_cast<uint32_t>(c) - 0xD800u) << 10) +
                                (static_cast<uint32_t>(p[i + 1]) - 0xDC00u));
          used = 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
          // An unpaired surrogate stays as it is: the output filter refuses it.
          out.Text(View(p + i, 1));
        } else {
          WriteCharRef(out, c);
        }
        break;
      }
    }
    i += used;
    run = i;
  }
  out.Ascii(p + run, n - run);
}

// CDATA content: line breaks as the mode says when lineBreaks is set
// (never as references, which mean nothing inside CDATA), "]]>" split
// across two sections.
template <class Out>
void WriteCDataContent(Out& out, View value, const Settings& s, bool wrapped, bool lineBreaks) {
  const bool breaks = lineBreaks && s.mode != lbmLF && s.replace;
  size_t run = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    const char16_t c = value[i];
    if ((c == u'\r' || c == u'\n') && breaks) {
      out.Text(value.substr(run, i - run));
      if (c == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n') ++i;
      if (s.mode == lbmCR)
        Put(out, u"\r");
      else
        Put(out, u"\r\n");
      run = i + 1;
    } else if (wrapped && c == u'>' && i >= 2 && value[i - 1] == u']' && value[i - 2] == u']') {
      out.Text(value.substr(run, i - run));
      Put(out, u"]]><![CDATA[>");
      run = i + 1;
    }
  }
  out.Text(value.substr(run));
}

// A CDATA section; its line breaks follow the mode only as a child node, a
// top-level section keeps its value as it is.
template <class Out>
void WriteCData(Out& out, const TXpNode* node, bool lineBreaks) {
  const Settings s(node);
  const View value = node->NodeValue();
  if (s.cdataAsText) {
    WriteCDataContent(out, value, s, false, lineBreaks);
    return;
  }
  Put(out, u"<![CDATA[");
  WriteCDataContent(out, value, s, true, lineBreaks);
  Put(out, u"]]>");
}

// A comment; as a child node its line feeds become the mode's line breaks,
// a top-level comment keeps its value as it is.
template <class Out>
void WriteComment(Out& out, const TXpNode* node, bool lineBreaks) {
  const Settings s(node);
  // The value may have changed since the node was created.
  const View value = node->NodeValue();
  if (value.find(u"--") != View::npos || (!value.empty() && value.back() == u'-'))
    throw TXpDOMException(ecInvalidParamErr);
  Put(out, u"<!--");
  if (!lineBreaks || s.mode == lbmLF) {
    out.Text(value);
  } else {
    size_t run = 0;
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] != u'\n') continue;
      out.Text(value.substr(run, i - run));
      if (s.mode == lbmCR)
        Put(out, u"\r");
      else
        Put(out, u"\r\n");
      run = i + 1;
    }
    out.Text(value.substr(run));
  }
  Put(out, u"-->");
}

template <class Out>
void WritePI(Out& out, const TXpNode* node) {
  const View value = node->NodeValue();
  if (value.find(u"?>") != View::npos) throw TXpDOMException(ecInvalidParamErr);
  // The XML declaration stands only at the very start of a document (or
  // of the markup of the node alone).
  const TXpNode* parent = node->ParentNode();
  if (node->NodeName() == u"xml" && parent &&
      (parent->NodeType() != DOCUMENT_NODE || parent->noGetFirstChild() != node))
    throw TXpDOMException(ecHierarchyRequestErr);
  Put(out, u"<?");
  out.Text(node->NodeName());
  out.Char(u' ');
  out.Text(value);
  Put(out, u"?>");
}

template <class Out>
void WriteQuoted(Out& out, View value) {
  out.Char(u'"');
  out.Text(value);
  out.Char(u'"');
}

template <class Out>
void WriteOccurrence(Out& out, int32_t occurrence) {
  switch (occurrence) {
    case 1: out.Char(u'?'); break;
    case 2: out.Char(u'*'); break;
    case 3: out.Char(u'+'); break;
    default: break;
  }
}

View AttrTypeKeyword(int32_t type) {
  switch (type) {
    case 2: return u"ID";
    case 3: return u"IDREF";
    case 4: return u"IDREFS";
    case 5: return u"ENTITY";
    case 6: return u"ENTITIES";
    case 7: return u"NMTOKEN";
    case 8: return u"NMTOKENS";
    default: return u"CDATA";
  }
}

template <class Out>
void WriteAttributes(Out& out, const TXpNode* element) {
  TXpDocument* doc = element->noGetOwnerDocument();
  auto* self = static_cast<TXpElement*>(const_cast<TXpNode*>(element));
  if (doc && doc->OnBeforeAttributesOutput) doc->OnBeforeAttributesOutput(doc, self);
  // Attributes kept as pairs are written as they are unless a hook wants
  // their nodes or their element writes its text unescaped.
  const TXpNamedNodeMap* attrs = nullptr;
  if (self->elHasPairs() && !(doc && doc->OnAttributeOutput) && element->OutputEscaping()) {
    for (const TXpAttrPair* pair = self->elPairs(); pair != self->elPairs() + self->elPairCount(); ++pair) {
      // A name of plain ASCII and the plain start of the value, the whole
      // pair nearly always, go into the buffer in one piece: ' name="value'.
      const View name = *pair->Name, value = pair->ValueView();
      if (uint8_t* at = out.Room(name.size() + value.size() + 4)) {
        uint8_t* q = at + 1;
        if (NarrowPlain(q, name.data(), name.size()) == name.size()) {
          at[0] = ' ';
          q += name.size();
          q[0] = '=';
          q[1] = '"';
          q += 2;
          const size_t plain = NarrowPlain(q, value.data(), value.size());
          q += plain;
          if (plain == value.size()) {
            *q++ = '"';
            out.Commit(q);
          } else {
            out.Commit(q);
            WriteText(out, element, value.substr(plain), true);
            out.Char(u'"');
          }
          continue;
        }
      }
      out.Char(u' ');
      out.Text(*pair->Name);
      Put(out, u"=\"");
      WriteText(out, element, pair->ValueView(), true);
      out.Char(u'"');
    }
  } else {
    attrs = element->Attributes();
  }
  for (int32_t i = 0; attrs && i < attrs->nmGetLength(); ++i) {
    TXpNode* attr = attrs->Item(i);
    bool skip = false;
    if (doc && doc->OnAttributeOutput) doc->OnAttributeOutput(doc, static_cast<TXpAttribute*>(attr), skip);
    if (skip) continue;
    out.Char(u' ');
    out.Text(attr->NodeName());
    Put(out, u"=\"");
    WriteText(out, attr, attr->NodeValue(), true);
    out.Char(u'"');
  }
  if (doc && doc->OnAfterAttributesOutput) doc->OnAfterAttributesOutput(doc, self);
}

// Writes the start tag of an element; returns true when its children follow
// (the tag is then open), false when the element is complete.
template <class Out>
bool OpenElement(Out& out, const TXpNode* node) {
  TXpDocument* doc = node->noGetOwnerDocument();
  auto* self = static_cast<TXpElement*>(const_cast<TXpNode*>(node));
  if (doc && doc->OnBeforeElementOutput) doc->OnBeforeElementOutput(doc, self);
  PutNamed(out, u"<", node->NodeName(), u"");
  if (node->HasAttributes()) WriteAttributes(out, node);
  if (node->HasChildNodes()) {
    out.Char(u'>');
    return true;
  }
  if (self->NoEndTag()) {
    out.Char(u'>');
  } else if (self->FullEndTag()) {
    PutNamed(out, u"></", node->NodeName(), u">");
  } else {
    Put(out, u"/>");
  }
  if (doc && doc->OnAfterElementOutput) doc->OnAfterElementOutput(doc, self);
  return false;
}

template <class Out>
void CloseElement(Out& out, const TXpNode* node, int32_t level, bool lastWasText) {
  TXpDocument* doc = node->noGetOwnerDocument();
  if (!lastWasText && doc && doc->FormattedOutput()) WriteIndent(out, level);
  PutNamed(out, u"</", node->NodeName(), u">");
  if (doc && doc->OnAfterElementOutput)
    doc->OnAfterElementOutput(doc, static_cast<TXpElement*>(const_cast<TXpNode*>(node)));
}

template <class Out>
void WriteElement(Out& out, const TXpNode* node, int32_t level);
template <class Out>
void WriteDTDDeclaration(Out& out, const TXpNode* node, int32_t level);

template <class Out>
void WriteChild(Out& out, const TXpNode* parent, const TXpNode* child, int32_t level, int32_t prevType) {
  const bool formatted = Formatted(parent);
  const bool prevWasText = prevType == TEXT_NODE;
  switch (child->NodeType()) {
    case ELEMENT_NODE:
      if (formatted) WriteIndent(out, level);
      WriteElement(out, child, level);
      break;
    case TEXT_NODE:
      // Text after a comment starts on a new line in indented output.
      if (formatted && prevType == COMMENT_NODE) Put(out, u"\r\n");
      WriteText(out, child, child->NodeValue(), false);
      break;
    case CDATA_SECTION_NODE:
      WriteCData(out, child, true);
      break;
    case COMMENT_NODE:
      if (Formatted(child)) WriteIndent(out, level);
      WriteComment(out, child, true);
      break;
    case PROCESSING_INSTRUCTION_NODE:
      if (formatted && !prevWasText) WriteIndent(out, level);
      WritePI(out, child);
      break;
    case DTD_ELEMENT_NODE:
    case DTD_ATTLIST_NODE:
    case DTD_ENTITY_NODE:
    case DTD_NOTATION_NODE:
    case DTD_CONDITIONAL_NODE:
      if (formatted && !prevWasText) Put(out, u"\r\n  ");
      WriteDTDDeclaration(out, child, level);
      break;
    default:
      break;
  }
}

template <class Out>
void WriteElement(Out& out, const TXpNode* node, int32_t level) {
  if (!OpenElement(out, node)) return;
  // The subtree is written without recursion: el is the open element whose
  // children are being written, child the next of them.
  const TXpNode* el = node;
  const TXpNode* child = node->noGetFirstChild();
  int32_t childLevel = level + 1;
  int32_t prevType = 0;
  for (;;) {
    if (child) {
      if (child->NodeType() == ELEMENT_NODE) {
        if (Formatted(el)) WriteIndent(out, childLevel);
        if (OpenElement(out, child)) {
          el = child;
          child = child->noGetFirstChild();
          ++childLevel;
          prevType = 0;
          continue;
        }
      } else {
        WriteChild(out, el, child, childLevel, prevType);
      }
      prevType = child->NodeType();
      child = child->noGetNextSibling();
      continue;
    }
    --childLevel;
    CloseElement(out, el, childLevel, prevType == TEXT_NODE);
    if (el == node) return;
    prevType = ELEMENT_NODE;
    child = el->noGetNextSibling();
    el = el->ParentNode();
  }
}

// The children of parent; true when the last of them is text.
template <class Out>
bool WriteSiblings(Out& out, const TXpNode* parent, int32_t level) {
  int32_t prevType = 0;
  for (const TXpNode* child = parent->noGetFirstChild(); child; child = child->noGetNextSibling()) {
    WriteChild(out, parent, child, level, prevType);
    prevType = child->NodeType();
  }
  return prevType == TEXT_NODE;
}

template <class Out>
void WriteDocType(Out& out, const TXpNode* node) {
  const auto* doctype = static_cast<const TXpDocumentType*>(node);
  if (doctype->External()) {
    WriteSiblings(out, node, 1);
    return;
  }
  Put(out, u"<!DOCTYPE ");
  out.Text(node->NodeName());
  out.Char(u' ');
  if (doctype->ExternalSubset()) {
    Put(out, u"SYSTEM ");
    WriteQuoted(out, doctype->ExternalSubset()->NodeName());
    out.Char(u' ');
  } else if (!doctype->PublicID().empty()) {
    Put(out, u"PUBLIC ");
    WriteQuoted(out, doctype->PublicID());
    if (!doctype->SystemID().empty()) {
      out.Char(u' ');
      WriteQuoted(out, doctype->SystemID());
    }
  } else if (!doctype->SystemID().empty()) {
    Put(out, u"SYSTEM ");
    WriteQuoted(out, doctype->SystemID());
  }
  if (node->HasChildNodes()) {
    out.Char(u'[');
    WriteSiblings(out, node, 1);
    out.Char(u']');
  }
  out.Char(u'>');
}

template <class Out>
void WriteContentModel(Out& out, const TXpNode* group) {
  out.Char(u'(');
  const TXpNodeList* children = group->ChildNodes();
  const int32_t count = children->nlGetLength();
  for (int32_t i = 0; i < count; ++i) {
    const TXpNode* child = children->Item(i);
    if (child->NodeType() == DTD_ELEMENT_GROUP_NODE) {
      WriteContentModel(out, child);
    } else {
      out.Text(child->NodeName());
      WriteOccurrence(out, static_cast<const TXpDTDElementContent*>(child)->Occurrence());
    }
    if (i + 1 < count) {
      const int32_t relation = child->NodeType() == DTD_ELEMENT_GROUP_NODE
                                   ? static_cast<const TXpDTDElementGroup*>(child)->Relation()
                                   : static_cast<const TXpDTDElementContent*>(child)->Relation();
      out.Char(relation == 0 ? u'|' : u',');
    }
  }
  out.Char(u')');
  WriteOccurrence(out, static_cast<const TXpDTDElementGroup*>(group)->Occurrence());
}

template <class Out>
void WriteEnumeration(Out& out, const TXpWideStringList* list) {
  out.Char(u'(');
  if (list) {
    for (size_t i = 0; i < list->size(); ++i) {
      if (i) out.Char(u'|');
      out.Text((*list)[i]);
    }
  }
  out.Char(u')');
}

// A blank and the external identifier. After a public id an entity always
// names its system id, a notation only when it has one.
template <class Out>
void WriteExternalId(Out& out, View publicId, View systemId, bool systemRequired) {
  if (!publicId.empty()) {
    Put(out, u" PUBLIC ");
    WriteQuoted(out, publicId);
    if (systemRequired || !systemId.empty()) {
      out.Char(u' ');
      WriteQuoted(out, systemId);
    }
  } else {
    Put(out, u" SYSTEM ");
    WriteQuoted(out, systemId);
  }
}

template <class Out>
void WriteDTDDeclaration(Out& out, const TXpNode* node, int32_t level) {
  const TXpNodeList* children = node->ChildNodes();
  switch (node->NodeType()) {
    case DTD_ELEMENT_NODE: {
      Put(out, u"<!ELEMENT ");
      out.Text(node->NodeName());
      out.Char(u' ');
      const int32_t contentType = static_cast<const TXpDTDElement*>(node)->ContentType();
      const TXpNode* group = nullptr;
      for (int32_t i = 0; i < children->nlGetLength() && !group; ++i)
        if (children->Item(i)->NodeType() == DTD_ELEMENT_GROUP_NODE) group = children->Item(i);
      if (contentType == 2)
        Put(out, u"EMPTY");
      else if (contentType == 1 || !group)
        Put(out, u"ANY");
      else
        WriteContentModel(out, group);
      out.Char(u'>');
      break;
    }
    case DTD_ATTLIST_NODE:
      Put(out, u"<!ATTLIST ");
      out.Text(node->NodeName());
      for (int32_t i = 0; i < children->nlGetLength(); ++i) {
        const TXpNode* child = children->Item(i);
        if (child->NodeType() != DTD_ATT_DEFINITION_NODE) continue;
        const auto* def = static_cast<const TXpDTDAttDefinition*>(child);
        out.Char(u' ');
        out.Text(def->NodeName());
        out.Char(u' ');
        if (def->AttrType() == 9) {
          WriteEnumeration(out, def->Enumeration());
        } else if (def->AttrType() == 10) {
          Put(out, u"NOTATION ");
          WriteEnumeration(out, def->Enumeration());
        } else {
          out.Text(AttrTypeKeyword(def->AttrType()));
        }
        out.Char(u' ');
        switch (def->DefaultKind()) {
          case 2: Put(out, u"#IMPLIED"); break;
          case 3: Put(out, u"#REQUIRED"); break;
          case 4: Put(out, u"#FIXED "); [[fallthrough]];
          default:
            out.Char(u'"');
            WriteText(out, def, def->NodeValue(), true);
            out.Char(u'"');
            break;
        }
      }
      out.Char(u'>');
      break;
    case DTD_ENTITY_NODE: {
      const auto* entity = static_cast<const TXpDTDEntity*>(node);
      Put(out, u"<!ENTITY ");
      if (entity->IsParameterEntity()) Put(out, u"% ");
      out.Text(node->NodeName());
      if (entity->SystemID().empty() && entity->PublicID().empty()) {
        Put(out, u" \"");
        // "%" would start a parameter-entity reference inside the value.
        std::u16string escaped;
        WideOut text(escaped);
        WriteText(text, node, node->NodeValue(), true);
        size_t run = 0;
        for (size_t i = 0; i < escaped.size(); ++i) {
          if (escaped[i] != u'%') continue;
          out.Text(View(escaped).substr(run, i - run));
          Put(out, u"&#37;");
          run = i + 1;
        }
        out.Text(View(escaped).substr(run));
        out.Char(u'"');
      } else {
        WriteExternalId(out, entity->PublicID(), entity->SystemID(), true);
        if (!entity->NotationName().empty()) {
          Put(out, u" NDATA ");
          out.Text(entity->NotationName());
        }
      }
      out.Char(u'>');
      break;
    }
    case DTD_NOTATION_NODE: {
      const auto* notation = static_cast<const TXpDTDNotation*>(node);
      Put(out, u"<!NOTATION ");
      out.Text(node->NodeName());
      WriteExternalId(out, notation->PublicID(), notation->SystemID(), false);
      out.Char(u'>');
      break;
    }
    case DTD_CONDITIONAL_NODE:
      if (static_cast<const TXpDTDConditional*>(node)->Kind() == 1)
        Put(out, u"<![IGNORE[");
      else
        Put(out, u"<![INCLUDE[");
      WriteSiblings(out, node, level + 1);
      if (Formatted(node)) Put(out, u"\r\n");
      Put(out, u"]]>");
      break;
    default:
      break;
  }
}

// The markup of one node and its subtree.
template <class Out>
void WriteNode(Out& out, const TXpNode* node) {
  switch (node->NodeType()) {
    case ELEMENT_NODE: WriteElement(out, node, 0); break;
    case TEXT_NODE:
    case XQL_TOKEN_NODE: WriteText(out, node, node->NodeValue(), false); break;
    case CDATA_SECTION_NODE: WriteCData(out, node, false); break;
    case PROCESSING_INSTRUCTION_NODE: WritePI(out, node); break;
    case COMMENT_NODE: WriteComment(out, node, false); break;
    case DOCUMENT_TYPE_NODE: WriteDocType(out, node); break;
    default: break;
  }
}

}  // namespace

void XpWriteNode(TXpOutCharFilter& filter, const TXpNode* node) {
  ByteOut out(filter);
  WriteNode(out, node);
}

// --- the node's own entry points: markup as UTF-16 text ---

void TXpText::noOutput(std::u16string& out, int32_t) const {
  WideOut o(out);
  WriteText(o, this, NodeValue(), false);
}

void TXpCDataSection::noOutput(std::u16string& out, int32_t) const {
  WideOut o(out);
  WriteCData(o, this, true);
}

void TXpComment::noOutput(std::u16string& out, int32_t level) const {
  WideOut o(out);
  if (Formatted(this)) WriteIndent(o, level);
  WriteComment(o, this, true);
}

std::u16string TXpNode::noomGetXpDocument() const {
  std::u16string out;
  noomGetXpDocument(out);
  return out;
}

void TXpNode::noomGetXpDocument(std::u16string& out) const {
  WideOut o(out);
  WriteNode(o, this);
}

void TXpNode::noOutputIndent(std::u16string& out, int32_t level) const {
  WideOut o(out);
  WriteIndent(o, level);
}

bool TXpNode::noOpenElement(std::u16string& out) const {
  WideOut o(out);
  return OpenElement(o, this);
}

void TXpNode::noCloseElement(std::u16string& out, int32_t level, bool lastWasText) const {
  WideOut o(out);
  CloseElement(o, this, level, lastWasText);
}

void TXpNode::noOutputElement(std::u16string& out, int32_t level) const {
  WideOut o(out);
  WriteElement(o, this, level);
}

void TXpNode::noOutputChild(std::u16string& out, const TXpNode* parent, const TXpNode* child,
                            int32_t level, int32_t prevType) const {
  WideOut o(out);
  WriteChild(o, parent, child, level, prevType);
}

bool TXpNode::noOutputXpSiblings(std::u16string& out, const TXpNode* parent, int32_t level) const {
  WideOut o(out);
  return WriteSiblings(o, parent, level);
}

void TXpNode::noOutputXpAttributes(std::u16string& out, const TXpNode* element) const {
  WideOut o(out);
  WriteAttributes(o, element);
}

void TXpNode::noOutputXpText(std::u16string& out, std::u16string_view text, bool isAttribute) const {
  WideOut o(out);
  WriteText(o, this, text, isAttribute);
}

void TXpNode::noOutputDocType(std::u16string& out) const {
  WideOut o(out);
  WriteDocType(o, this);
}

void TXpNode::noOutputDTDDeclaration(std::u16string& out, int32_t level) const {
  WideOut o(out);
  WriteDTDDeclaration(o, this, level);
}
