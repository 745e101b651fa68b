// libFuzzer target: any bytes (read as Windows-1252) as an XPath expression
// on a small document with every hook set; it must give a value or raise
// the library's exception, never crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <string>

#include "classlib/AnsiString.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpObjModel.h"
#include "xml/xpath/XpValue.h"

namespace {

const char kDoc[] =
    "<!DOCTYPE r [<!NOTATION n SYSTEM 'v'><!ENTITY u SYSTEM 'u.bin' NDATA n>]>"
    "<r xml:lang='de' xmlns:p='urn:p'><a n='1' id='i1'>x<![CDATA[y]]>z</a><!--c--><?pi d?>"
    "<p:b p:m='2'><a n='2'>10.5</a></p:b><c/></r>";

// Kept for the whole run (reachable, so no leak).
TXpObjModel* gModel = nullptr;

TXpDocument* Document() {
  static TXpDocument* document = [] {
    auto* m = gModel = new TXpObjModel(nullptr);
    m->LoadMemory(kDoc, static_cast<int32_t>(sizeof kDoc - 1));
    TXpDocument* doc = m->Document();
    doc->OnVariableLookup = [doc](const std::u16string& name, TXpValue& value) {
      if (name == u"n") value.SetNumber(1);
      if (name == u"s") value.SetString(u"x");
      if (name == u"set") {
        static const std::unique_ptr<TXpNodeList> all = doc->SelectNodes(u"//node()");
        value.SetNodeSet(all.get());
      }
    };
    doc->OnFunction = [](TXpNode*, const std::u16string&, const std::vector<std::u16string>& args,
                         std::u16string& result) { result = args.empty() ? u"" : args.front(); };
    doc->OnCurrentNode = [doc](TXpDocument*, TXpNode*& node) { node = doc->DocumentElement(); };
    doc->OnResolveDocument = [doc](TXpNode*, const std::u16string&, const std::u16string&,
                                   TXpNode*& root) { root = doc; };
    doc->OnKeyLookup = [doc](TXpNode*, const std::u16string&, const std::u16string&, TXpNodeList* out) {
      out->Add(doc->DocumentElement());
    };
    return doc;
  }();
  return document;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 512) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Predicates and steps multiply: a few of them keep every expression
  // quick on this document.
  size_t steps = 0;
  for (char ch : text) steps += ch == '[' || ch == '/' || ch == '!' || ch == '(' || ch == '$';
  if (steps > 12) return 0;
  try {
    std::unique_ptr<TXpValue> v = Document()->Select(AnsiToWide(text));
    if (v) v->GetAsString();
  } catch (const EXpException&) {
  }
  return 0;
}
