// Turning a node tree into markup. The markup is assembled as UTF-16 text;
// the output filter encodes it afterwards.
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>

#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpCharClasses.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNode.h"

namespace {

// Appends a string literal without measuring it at run time.
template <size_t N>
inline void Put(std::u16string& out, const char16_t (&literal)[N]) {
  out.append(literal, N - 1);
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

void AppendDecimal(std::u16string& out, uint32_t value) {
  char16_t buf[12];
  int n = 0;
  do {
    buf[n++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value);
  while (n) out += buf[--n];
}

void AppendCharRef(std::u16string& out, uint32_t code) {
  // A reference to a character XML does not allow makes the file unreadable.
  if (!XPIsChar(code)) throw EXpException(XpLoadStr(XpRes::_sInvalidXMLChar));
  Put(out, u"&#");
  AppendDecimal(out, code);
  out += u';';
}

// One CR or LF of text at text[i]; returns how many characters it used.
size_t CheckForLineBreaks(std::u16string& out, std::u16string_view text, size_t i,
                          const Settings& s) {
  const char16_t c = text[i];
  if (!s.replace) {
    out += c;
    return 1;
  }
  if (s.mode == lbmLF) {
    AppendCharRef(out, c);
    return 1;
  }
  const size_t used = (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
  if (s.mode == lbmCR)
    AppendCharRef(out, 13);
  else
    Put(out, u"\r\n");
  return used;
}

// CDATA content: line breaks as the mode says when lineBreaks is set
// (never as references, which mean nothing inside CDATA), "]]>" split
// across two sections.
void AppendCDataContent(std::u16string& out, const std::u16string& value, const Settings& s,
                        bool wrapped, bool lineBreaks) {
  for (size_t i = 0; i < value.size(); ++i) {
    const char16_t c = value[i];
    if ((c == u'\r' || c == u'\n') && lineBreaks && s.mode != lbmLF && s.replace) {
      if (c == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n') ++i;
      out += s.mode == lbmCR ? u"\r" : u"\r\n";
    } else if (wrapped && c == u'>' && i >= 2 && value[i - 1] == u']' && value[i - 2] == u']') {
      Put(out, u"]]><![CDATA[>");
    } else {
      out += c;
    }
  }
}

// A CDATA section; its line breaks follow the mode only as a child node, a
// top-level section keeps its value as it is.
void AppendCData(std::u16string& out, const TXpNode* node, bool lineBreaks) {
  const Settings s(node);
  if (s.cdataAsText) {
    AppendCDataContent(out, node->NodeValue(), s, false, lineBreaks);
    return;
  }
  Put(out, u"<![CDATA[");
  AppendCDataContent(out, node->NodeValue(), s, true, lineBreaks);
  Put(out, u"]]>");
}

// A comment; as a child node its line feeds become the mode's line breaks,
// a top-level comment keeps its value as it is.
void AppendComment(std::u16string& out, const TXpNode* node, bool lineBreaks) {
  const Settings s(node);
  // The value may have changed since the node was created.
  const std::u16string& value = node->NodeValue();
  if (value.find(u"--") != std::u16string::npos || (!value.empty() && value.back() == u'-'))
    throw TXpDOMException(ecInvalidParamErr);
  Put(out, u"<!--");
  if (!lineBreaks || s.mode == lbmLF) {
    out += node->NodeValue();
  } else {
    const char16_t* breakChars = s.mode == lbmCR ? u"\r" : u"\r\n";
    for (char16_t c : node->NodeValue()) {
      if (c == u'\n')
        out += breakChars;
      else
        out += c;
    }
  }
  Put(out, u"-->");
}

void AppendPI(std::u16string& out, const TXpNode* node) {
  if (node->NodeValue().find(u"?>") != std::u16string::npos) throw TXpDOMException(ecInvalidParamErr);
  // The XML declaration stands only at the very start of a document (or
  // of the markup of the node alone).
  const TXpNode* parent = node->ParentNode();
  if (node->NodeName() == u"xml" && parent &&
      (parent->NodeType() != DOCUMENT_NODE || parent->noGetFirstChild() != node))
    throw TXpDOMException(ecHierarchyRequestErr);
  Put(out, u"<?");
  out += node->NodeName();
  out += u' ';
  out += node->NodeValue();
  Put(out, u"?>");
}

void AppendQuoted(std::u16string& out, const std::u16string& value) {
  out += u'"';
  out += value;
  out += u'"';
}

void AppendOccurrence(std::u16string& out, int32_t occurrence) {
  switch (occurrence) {
    case 1: out += u'?'; break;
    case 2: out += u'*'; break;
    case 3: out += u'+'; break;
    default: break;
  }
}

const char16_t* AttrTypeKeyword(int32_t type) {
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

}  // namespace

// --- per-class output as a child ---

void TXpText::noOutput(std::u16string& out, int32_t) const { noOutputXpText(out, NodeValue(), false); }

void TXpCDataSection::noOutput(std::u16string& out, int32_t) const { AppendCData(out, this, true); }

void TXpComment::noOutput(std::u16string& out, int32_t level) const {
  if (Formatted(this)) noOutputIndent(out, level);
  AppendComment(out, this, true);
}

// --- the writer ---

std::u16string TXpNode::noomGetXpDocument() const {
  std::u16string out;
  noomGetXpDocument(out);
  return out;
}

void TXpNode::noomGetXpDocument(std::u16string& out) const {
  switch (FNodeType) {
    case ELEMENT_NODE: noOutputElement(out, 0); break;
    case TEXT_NODE: noOutputXpText(out, FNodeValue, false); break;
    case CDATA_SECTION_NODE: AppendCData(out, this, false); break;
    case PROCESSING_INSTRUCTION_NODE: AppendPI(out, this); break;
    case COMMENT_NODE: AppendComment(out, this, false); break;
    case DOCUMENT_TYPE_NODE: noOutputDocType(out); break;
    case XQL_TOKEN_NODE: noOutputXpText(out, FNodeValue, false); break;
    default: break;
  }
}

void TXpNode::noOutputIndent(std::u16string& out, int32_t level) const {
  Put(out, u"\r\n");
  if (level > 0) out.append(static_cast<size_t>(level) * 2, u' ');
}

namespace {

// Hands the save's buffer to the output filter once it holds a piece's
// worth of markup. Only the save's own buffer is handed over, never one
// that a writer hook fills for itself.
struct MarkupSink {
  const std::function<void(std::u16string&)>* sink = nullptr;
  std::u16string& out;
  MarkupSink(const TXpDocument* doc, std::u16string& buffer, const std::function<void(std::u16string&)>* fn)
      : sink(doc && fn && *fn ? fn : nullptr), out(buffer) {}
  void Check() {
    constexpr size_t kMarkupPiece = 16384;
    if (sink && out.size() >= kMarkupPiece) {
      (*sink)(out);
      out.clear();
    }
  }
};

}  // namespace

// Writes the start tag of element; returns true when its children follow
// (the tag is then open), false when the element is complete.
bool TXpNode::noOpenElement(std::u16string& out) const {
  TXpDocument* doc = FOwnerDocument;
  auto* self = static_cast<TXpElement*>(const_cast<TXpNode*>(this));
  if (doc && doc->OnBeforeElementOutput) doc->OnBeforeElementOutput(doc, self);
  out += u'<';
  out += NodeName();
  if (HasAttributes()) noOutputXpAttributes(out, this);
  if (FChildNodes.nlGetLength() > 0) {
    out += u'>';
    return true;
  }
  if (self->NoEndTag()) {
    out += u'>';
  } else if (self->FullEndTag()) {
    Put(out, u"></");
    out += NodeName();
    out += u'>';
  } else {
    Put(out, u"/>");
  }
  if (doc && doc->OnAfterElementOutput) doc->OnAfterElementOutput(doc, self);
  return false;
}

void TXpNode::noCloseElement(std::u16string& out, int32_t level, bool lastWasText) const {
  TXpDocument* doc = FOwnerDocument;
  if (!lastWasText && doc && doc->FormattedOutput()) noOutputIndent(out, level);
  Put(out, u"</");
  out += NodeName();
  out += u'>';
  if (doc && doc->OnAfterElementOutput)
    doc->OnAfterElementOutput(doc, static_cast<TXpElement*>(const_cast<TXpNode*>(this)));
}

void TXpNode::noOutputElement(std::u16string& out, int32_t level) const {
  if (!noOpenElement(out)) return;
  // The subtree is written without recursion: el is the open element whose
  // children are being written, child the next of them.
  const TXpDocument* doc = FOwnerDocument;
  MarkupSink sink(doc, out, doc && doc->FMarkupBuffer == &out ? &doc->FMarkupSink : nullptr);
  const TXpNode* el = this;
  const TXpNode* child = noGetFirstChild();
  int32_t childLevel = level + 1;
  int32_t prevType = 0;
  for (;;) {
    if (child) {
      if (child->FNodeType == ELEMENT_NODE) {
        if (Formatted(el)) noOutputIndent(out, childLevel);
        if (child->noOpenElement(out)) {
          el = child;
          child = child->noGetFirstChild();
          ++childLevel;
          prevType = 0;
          continue;
        }
      } else {
        noOutputChild(out, el, child, childLevel, prevType);
      }
      prevType = child->FNodeType;
      sink.Check();
      child = child->noGetNextSibling();
      continue;
    }
    --childLevel;
    el->noCloseElement(out, childLevel, prevType == TEXT_NODE);
    if (el == this) return;
    sink.Check();
    prevType = ELEMENT_NODE;
    child = el->noGetNextSibling();
    el = el->FParentNode;
  }
}

void TXpNode::noOutputChild(std::u16string& out, const TXpNode* parent, const TXpNode* child,
                            int32_t level, int32_t prevType) const {
  const bool formatted = Formatted(parent);
  const bool prevWasText = prevType == TEXT_NODE;
  switch (child->FNodeType) {
    case ELEMENT_NODE:
      if (formatted) noOutputIndent(out, level);
      child->noOutputElement(out, level);
      break;
    case TEXT_NODE:
      // Text after a comment starts on a new line in indented output.
      if (formatted && prevType == COMMENT_NODE) Put(out, u"\r\n");
      child->noOutput(out, level);
      break;
    case CDATA_SECTION_NODE:
    case COMMENT_NODE:
      child->noOutput(out, level);
      break;
    case PROCESSING_INSTRUCTION_NODE:
      if (formatted && !prevWasText) noOutputIndent(out, level);
      AppendPI(out, child);
      break;
    case DTD_ELEMENT_NODE:
    case DTD_ATTLIST_NODE:
    case DTD_ENTITY_NODE:
    case DTD_NOTATION_NODE:
    case DTD_CONDITIONAL_NODE:
      if (formatted && !prevWasText) Put(out, u"\r\n  ");
      child->noOutputDTDDeclaration(out, level);
      break;
    default:
      break;
  }
}

bool TXpNode::noOutputXpSiblings(std::u16string& out, const TXpNode* parent, int32_t level) const {
  const TXpDocument* doc = parent->FOwnerDocument;
  MarkupSink sink(doc, out, doc && doc->FMarkupBuffer == &out ? &doc->FMarkupSink : nullptr);
  int32_t prevType = 0;
  for (const TXpNode* child = parent->noGetFirstChild(); child; child = child->noGetNextSibling()) {
    noOutputChild(out, parent, child, level, prevType);
    prevType = child->FNodeType;
    sink.Check();
  }
  return prevType == TEXT_NODE;
}

void TXpNode::noOutputXpAttributes(std::u16string& out, const TXpNode* element) const {
  TXpDocument* doc = element->FOwnerDocument;
  auto* self = static_cast<TXpElement*>(const_cast<TXpNode*>(element));
  if (doc && doc->OnBeforeAttributesOutput) doc->OnBeforeAttributesOutput(doc, self);
  // Attributes kept as pairs are written as they are unless a hook wants
  // their nodes or their element writes its text unescaped.
  const TXpNamedNodeMap* attrs = nullptr;
  if (self->elHasPairs() && !(doc && doc->OnAttributeOutput) && element->FOutputEscaping) {
    for (const TXpAttrPair* pair = self->elPairs(); pair != self->elPairs() + self->elPairCount();
         ++pair) {
      out += u' ';
      out += *pair->Name;
      Put(out, u"=\"");
      element->noOutputXpText(out, pair->ValueView(), true);
      out += u'"';
    }
  } else {
    attrs = element->Attributes();
  }
  for (int32_t i = 0; attrs && i < attrs->nmGetLength(); ++i) {
    TXpNode* attr = attrs->Item(i);
    bool skip = false;
    if (doc && doc->OnAttributeOutput)
      doc->OnAttributeOutput(doc, static_cast<TXpAttribute*>(attr), skip);
    if (skip) continue;
    out += u' ';
    out += attr->NodeName();
    Put(out, u"=\"");
    attr->noOutputXpText(out, attr->FNodeValue, true);
    out += u'"';
  }
  if (doc && doc->OnAfterAttributesOutput) doc->OnAfterAttributesOutput(doc, self);
}

void TXpNode::noOutputXpText(std::u16string& out, std::u16string_view text,
                             bool isAttribute) const {
  if (!FOutputEscaping) {
    out += text;
    return;
  }
  // The settings matter only for line breaks and characters beyond ASCII:
  // most texts never read them.
  std::optional<Settings> settings;
  auto s = [&]() -> const Settings& {
    if (!settings) settings.emplace(this);
    return *settings;
  };
  const char16_t* p = text.data();
  const size_t n = text.size();
  size_t run = 0;  // start of the pending run of characters written as they are
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
    out.append(p + run, i - run);
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
          out += u'>';
        break;
      case u'"':
        if (isAttribute)
          Put(out, u"&#34;");
        else
          out += u'"';
        break;
      case u'\t':
        // A literal TAB in a value would read back as a blank.
        if (isAttribute)
          Put(out, u"&#9;");
        else
          out += c;
        break;
      case u'\n':
        if (isAttribute)
          Put(out, u"&#xA;");
        else
          used = CheckForLineBreaks(out, text, i, s());
        break;
      case u'\r':
        if (isAttribute)
          Put(out, u"&#xD;");
        else
          used = CheckForLineBreaks(out, text, i, s());
        break;
      default:
        // Characters XML 1.0 does not allow are refused, so that nothing
        // written fails to parse.
        if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) throw EXpException(XpLoadStr(XpRes::_sInvalidXMLChar));
        if (s().raw) {
          out += c;
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && p[i + 1] >= 0xDC00 &&
                   p[i + 1] <= 0xDFFF) {
          // One reference for the whole character, not one per half.
          AppendCharRef(out, 0x10000u + ((static_cast<uint32_t>(c) - 0xD800u) << 10) +
                                 (static_cast<uint32_t>(p[i + 1]) - 0xDC00u));
          used = 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
          // An unpaired surrogate stays as it is: the output filter refuses it.
          out += c;
        } else {
          AppendCharRef(out, c);
        }
        break;
    }
    i += used;
    run = i;
  }
  out.append(p + run, n - run);
}

// --- document type and declarations ---

void TXpNode::noOutputDocType(std::u16string& out) const {
  const auto* doctype = static_cast<const TXpDocumentType*>(this);
  if (doctype->External()) {
    noOutputXpSiblings(out, this, 1);
    return;
  }
  Put(out, u"<!DOCTYPE ");
  out += NodeName();
  out += u' ';
  if (doctype->ExternalSubset()) {
    Put(out, u"SYSTEM ");
    AppendQuoted(out, doctype->ExternalSubset()->NodeName());
    out += u' ';
  } else if (!doctype->PublicID().empty()) {
    Put(out, u"PUBLIC ");
    AppendQuoted(out, doctype->PublicID());
    if (!doctype->SystemID().empty()) {
      out += u' ';
      AppendQuoted(out, doctype->SystemID());
    }
  } else if (!doctype->SystemID().empty()) {
    Put(out, u"SYSTEM ");
    AppendQuoted(out, doctype->SystemID());
  }
  if (HasChildNodes()) {
    out += u'[';
    noOutputXpSiblings(out, this, 1);
    out += u']';
  }
  out += u'>';
}

namespace {

void AppendContentModel(std::u16string& out, const TXpNode* group) {
  out += u'(';
  const TXpNodeList* children = group->ChildNodes();
  const int32_t count = children->nlGetLength();
  for (int32_t i = 0; i < count; ++i) {
    const TXpNode* child = children->Item(i);
    if (child->NodeType() == DTD_ELEMENT_GROUP_NODE) {
      AppendContentModel(out, child);
    } else {
      out += child->NodeName();
      AppendOccurrence(out, static_cast<const TXpDTDElementContent*>(child)->Occurrence());
    }
    if (i + 1 < count) {
      const int32_t relation =
          child->NodeType() == DTD_ELEMENT_GROUP_NODE
              ? static_cast<const TXpDTDElementGroup*>(child)->Relation()
              : static_cast<const TXpDTDElementContent*>(child)->Relation();
      out += relation == 0 ? u'|' : u',';
    }
  }
  out += u')';
  AppendOccurrence(out, static_cast<const TXpDTDElementGroup*>(group)->Occurrence());
}

void AppendEnumeration(std::u16string& out, const TXpWideStringList* list) {
  out += u'(';
  if (list) {
    for (size_t i = 0; i < list->size(); ++i) {
      if (i) out += u'|';
      out += (*list)[i];
    }
  }
  out += u')';
}

// A blank and the external identifier. After a public id an entity always
// names its system id, a notation only when it has one.
void AppendExternalId(std::u16string& out, const std::u16string& publicId,
                      const std::u16string& systemId, bool systemRequired) {
  if (!publicId.empty()) {
    Put(out, u" PUBLIC ");
    AppendQuoted(out, publicId);
    if (systemRequired || !systemId.empty()) {
      out += u' ';
      AppendQuoted(out, systemId);
    }
  } else {
    Put(out, u" SYSTEM ");
    AppendQuoted(out, systemId);
  }
}

}  // namespace

void TXpNode::noOutputDTDDeclaration(std::u16string& out, int32_t level) const {
  switch (FNodeType) {
    case DTD_ELEMENT_NODE: {
      Put(out, u"<!ELEMENT ");
      out += NodeName();
      out += u' ';
      const int32_t contentType = static_cast<const TXpDTDElement*>(this)->ContentType();
      const TXpNode* group = nullptr;
      for (int32_t i = 0; i < FChildNodes.nlGetLength() && !group; ++i)
        if (FChildNodes.Item(i)->FNodeType == DTD_ELEMENT_GROUP_NODE) group = FChildNodes.Item(i);
      if (contentType == 2)
        Put(out, u"EMPTY");
      else if (contentType == 1 || !group)
        Put(out, u"ANY");
      else
        AppendContentModel(out, group);
      out += u'>';
      break;
    }
    case DTD_ATTLIST_NODE:
      Put(out, u"<!ATTLIST ");
      out += NodeName();
      for (int32_t i = 0; i < FChildNodes.nlGetLength(); ++i) {
        const TXpNode* child = FChildNodes.Item(i);
        if (child->FNodeType != DTD_ATT_DEFINITION_NODE) continue;
        const auto* def = static_cast<const TXpDTDAttDefinition*>(child);
        out += u' ';
        out += def->NodeName();
        out += u' ';
        if (def->AttrType() == 9) {
          AppendEnumeration(out, def->Enumeration());
        } else if (def->AttrType() == 10) {
          Put(out, u"NOTATION ");
          AppendEnumeration(out, def->Enumeration());
        } else {
          out += AttrTypeKeyword(def->AttrType());
        }
        out += u' ';
        switch (def->DefaultKind()) {
          case 2: Put(out, u"#IMPLIED"); break;
          case 3: Put(out, u"#REQUIRED"); break;
          case 4: Put(out, u"#FIXED "); [[fallthrough]];
          default:
            out += u'"';
            def->noOutputXpText(out, def->NodeValue(), true);
            out += u'"';
            break;
        }
      }
      out += u'>';
      break;
    case DTD_ENTITY_NODE: {
      const auto* entity = static_cast<const TXpDTDEntity*>(this);
      Put(out, u"<!ENTITY ");
      if (entity->IsParameterEntity()) Put(out, u"% ");
      out += NodeName();
      if (entity->SystemID().empty() && entity->PublicID().empty()) {
        Put(out, u" \"");
        // "%" would start a parameter-entity reference inside the value.
        std::u16string escaped;
        noOutputXpText(escaped, FNodeValue, true);
        for (char16_t c : escaped) {
          if (c == u'%')
            Put(out, u"&#37;");
          else
            out += c;
        }
        out += u'"';
      } else {
        AppendExternalId(out, entity->PublicID(), entity->SystemID(), true);
        if (!entity->NotationName().empty()) {
          Put(out, u" NDATA ");
          out += entity->NotationName();
        }
      }
      out += u'>';
      break;
    }
    case DTD_NOTATION_NODE: {
      const auto* notation = static_cast<const TXpDTDNotation*>(this);
      Put(out, u"<!NOTATION ");
      out += NodeName();
      AppendExternalId(out, notation->PublicID(), notation->SystemID(), false);
      out += u'>';
      break;
    }
    case DTD_CONDITIONAL_NODE:
      out += static_cast<const TXpDTDConditional*>(this)->Kind() == 1 ? u"<![IGNORE["
                                                                      : u"<![INCLUDE[";
      noOutputXpSiblings(out, this, level + 1);
      if (Formatted(this)) Put(out, u"\r\n");
      Put(out, u"]]>");
      break;
    default:
      break;
  }
}
