// Fuzz target for the node tree and the writer (libFuzzer with libxml2;
// built by tools/fuzz.sh, which the test command runs for a short pass).
//
// The input is a little program that builds a tree below one root element:
// elements, attributes, texts, CDATA sections, comments and instructions
// with hostile names and characters, removals, normalising and writer
// settings. The tree is then saved in the encoding the first byte picks
// (one save a run: the fuzzer reaches the others by changing that byte). A
// save may refuse with the library's error; a file it does write must be
// well-formed for libxml2 and hold exactly the markup the tree shows as
// text, encoded.
#include <libxml/parser.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "classlib/Stream.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpObjModel.h"
#include "xml/dom/XpProcessingInstruction.h"

namespace {

struct Input {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool More() const { return pos < size; }
  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
};

// Characters that stress the writer: markup characters, line breaks,
// controls XML forbids, characters beyond Latin-1, surrogates, U+FFFE.
const char16_t kChars[] = {u'a', u'Z', u'0', u'-', u'.', u':', u'_', u' ', u'\t', u'\n', u'\r',
                           u'<', u'>', u'&', u'"', u'\'', u']', u'?', u'!', u'=', u'/', u'%',
                           0x0,  0x1,  0x8,  0xB,  0xC,  0x1F, 0x7F, 0x85, 0xA0, 0xE9, 0xFF,
                           0x100, 0x2028, 0x20AC, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xFFFE,
                           0xFFFF, 0xFFFD, 0x3042};

std::u16string Text(Input& in, bool nameLike) {
  const size_t n = in.Byte() % (nameLike ? 6 : 24);
  std::u16string s;
  for (size_t i = 0; i < n && in.More(); ++i) {
    const uint8_t b = in.Byte();
    // Names mostly from name characters so that some get through.
    if (nameLike && b < 200)
      s += static_cast<char16_t>(u'a' + b % 26);
    else
      s += kChars[b % (sizeof(kChars) / sizeof(kChars[0]))];
  }
  return s;
}

const char16_t* const kDeclarations[] = {
    nullptr, u"version=\"1.0\"", u"version=\"1.0\" encoding=\"ISO-8859-1\"",
    u"version=\"1.0\" encoding=\"utf-8\"", u"version='1.0' encoding='UTF-16'"};

// The first byte picks the declaration (its value modulo 5) and the
// encoding (the value divided by 5, modulo 5).
const TXpCharEncoding kEncodings[] = {ceUnknown, ceUTF8, ceUTF16LE, ceUTF16BE, ceISO88591};

void Build(TXpObjModel& model, Input& in, uint8_t first) {
  TXpDocument* doc = model.Document();
  if (const char16_t* decl = kDeclarations[first % 5]) {
    TXpProcessingInstruction* pi = doc->CreateProcessingInstruction(u"xml", decl);
    doc->AppendChild(pi);
    pi->Release();
  }
  TXpElement* root = doc->CreateElement(u"r");
  doc->AppendChild(root);
  root->Release();
  TXpNode* at = root;
  int steps = 0;
  while (in.More() && ++steps < 400) {
    const uint8_t op = in.Byte();
    try {
      switch (op % 14) {
        case 0: case 1: {
          TXpElement* e = doc->CreateElement(Text(in, true));
          at->AppendChild(e);
          e->Release();
          if (op & 0x10) at = e;
          break;
        }
        case 2: case 3:
          if (at->NodeType() == ELEMENT_NODE)
            static_cast<TXpElement*>(at)->SetAttribute(Text(in, true), Text(in, false));
          break;
        case 4: case 5: {
          TXpNode* t = doc->CreateTextNode(Text(in, false));
          at->AppendChild(t);
          t->Release();
          break;
        }
        case 6: {
          TXpNode* c = doc->CreateCDATASection(Text(in, false));
          at->AppendChild(c);
          c->Release();
          break;
        }
        case 7: {
          TXpNode* c = doc->CreateComment(Text(in, false));
          at->AppendChild(c);
          c->Release();
          break;
        }
        case 8: {
          TXpNode* p = doc->CreateProcessingInstruction(Text(in, true), Text(in, false));
          at->AppendChild(p);
          p->Release();
          break;
        }
        case 9:
          if (at != root) at = at->ParentNode();
          break;
        case 10:
          if (TXpNode* child = at->ChildNodes()->Item(in.Byte() % 8)) at->RemoveChild(child)->Release();
          break;
        case 11:
          if (op & 0x10)
            root->Normalize();
          else
            root->StripWhitespaceNodes(true);
          break;
        case 12:
          doc->SetFormattedOutput(op & 0x10);
          doc->SetLineBreakCharReplace(op & 0x20);
          doc->SetLineBreakMode(static_cast<TXpLineBreakMode>((op >> 6) & 3));
          break;
        case 13: {
          // A value changed after the node was made.
          TXpNode* last = at->noGetLastChild();
          if (last && last->NodeType() != ELEMENT_NODE) last->SetNodeValue(Text(in, false));
          break;
        }
      }
    } catch (const EXpException&) {
      // Refused names and texts are the library's answer, not a fault.
    }
  }
}

bool WellFormed(const char* bytes, size_t size) {
  // One parser context for every check (xmlCtxtReadMemory resets it).
  static xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  if (!ctxt) std::abort();
  // XML_PARSE_HUGE lifts libxml2's own nesting limit of 256 levels, which
  // says nothing about well-formedness.
  xmlDocPtr doc = xmlCtxtReadMemory(
      ctxt, bytes, static_cast<int>(size), nullptr, nullptr,
      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
  const bool ok = doc && ctxt->wellFormed;
  if (doc) xmlFreeDoc(doc);
  return ok;
}

// The markup text in the bytes a save of it writes, byte-order mark
// included. Only called for text that was saved, so every character has
// its encoding.
// The bytes go into `bytes` (emptied first; its memory is kept from one
// call to the next).
void Encoded(const std::u16string& text, TXpCharEncoding enc, bool utf8Signature, std::string& bytes) {
  bytes.clear();
  if (enc == ceUTF16LE || enc == ceUTF16BE) {
    bytes.resize(2 * text.size() + 2);
    char* out = bytes.data();
    const bool little = enc == ceUTF16LE;
    auto unit = [&](char16_t c) {
      const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
      *out++ = little ? lo : hi;
      *out++ = little ? hi : lo;
    };
    unit(0xFEFF);
    for (char16_t c : text) unit(c);
    return;
  }
  if (enc != ceUTF8) {
    bytes.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(text[i]);
    return;
  }
  bytes.resize(3 * text.size() + 3);
  char* out = bytes.data();
  if (utf8Signature) {
    *out++ = '\xEF';
    *out++ = '\xBB';
    *out++ = '\xBF';
  }
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    if (c < 0x80) {
      *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
      *out++ = static_cast<char>(0xC0 | (c >> 6));
      *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      *out++ = static_cast<char>(0xE0 | (c >> 12));
      *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      *out++ = static_cast<char>(0xF0 | (c >> 18));
      *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  bytes.resize(static_cast<size_t>(out - bytes.data()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  const uint8_t first = in.Byte();
  const TXpCharEncoding enc = kEncodings[first / 5 % 5];
  TXpObjModel model(nullptr);
  Build(model, in, first);
  // The stream and the expected bytes keep their memory from run to run.
  static TMemoryStream out;
  static std::string expected;
  model.SetOutCharSet(enc);
  out.SetSize(0);
  out.Seek(0, soBeginning);
  try {
    model.SaveToStream(out);
  } catch (const EXpException&) {
    return 0;
  }
  const char* bytes = static_cast<const char*>(out.Memory());
  const auto length = static_cast<size_t>(out.Size());
  if (!WellFormed(bytes, length)) {
    std::fprintf(stderr, "ill-formed output (encoding %d):\n%.*s\n", static_cast<int>(enc), static_cast<int>(length),
                 bytes);
    std::abort();
  }
  Encoded(model.XmlDocument(), enc, model.WriteUTF8Signature(), expected);
  if (expected.size() != length || std::memcmp(expected.data(), bytes, length) != 0) {
    std::fprintf(stderr, "saved bytes differ from the markup (encoding %d):\n%.*s\n", static_cast<int>(enc),
                 static_cast<int>(length), bytes);
    std::abort();
  }
  return 0;
}
