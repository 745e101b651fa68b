#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpObjModel.h"

namespace {

// The codes OnInvalidDocument reports for a document, with the names of
// the nodes they name.
std::string Codes(const std::string& text, bool stopAtFirst = false) {
  TXpObjModel om(nullptr);
  if (!om.LoadMemory(text.data(), static_cast<int32_t>(text.size()))) return "load failed: " + om.GetErrorMsg(0);
  std::string out;
  om.OnInvalidDocument = [&](TObject*, int32_t code, TXpNode* node, bool& stop) {
    out += std::to_string(code) + (node ? ":" + WideToUtf8(node->NodeName()) : "") + " ";
    stop = stopAtFirst;
  };
  const bool valid = om.ValidateDocument();
  EXPECT_EQ(valid, out.empty()) << text;
  return out;
}

const std::string kDtd =
    "<!DOCTYPE r [\n"
    "<!ELEMENT r (h, (p | q)*, f?)>\n"
    "<!ELEMENT h EMPTY>\n"
    "<!ELEMENT p (#PCDATA | b)*>\n"
    "<!ELEMENT q ANY>\n"
    "<!ELEMENT f (#PCDATA)>\n"
    "<!ELEMENT b (#PCDATA)>\n"
    "<!ATTLIST r id ID #REQUIRED kind (a|b) 'a' v CDATA #FIXED '1'>\n"
    "<!ATTLIST p ref IDREF #IMPLIED>\n"
    "<!ATTLIST q qid ID #IMPLIED refs IDREFS #IMPLIED>\n"
    "]>";

}  // namespace

TEST(XpValidator, ReportsEachViolationWithItsCode) {
  struct Case {
    std::string doc, codes;
  } cases[] = {
      {kDtd + "<r id='x'><h/><p>t<b>u</b></p><q><z/></q><f>e</f></r>", "5:z "},
      {"<r/>", "1 "},
      {kDtd + "<s/>", "4:s 5:s "},
      {kDtd + "<r id='x'><h>text</h></r>", "6:h "},
      {kDtd + "<r id='x'><h/><p><h/></p></r>", "7:h "},
      {kDtd + "<r id='x'><h/>text</r>", "7:r "},
      {kDtd + "<r id='x'><h/><![CDATA[ ]]></r>", "7:r "},
      {kDtd + "<r id='x'><p/></r>", "9:p "},
      {kDtd + "<r id='x'></r>", "8:r "},
      {kDtd + "<r id='x'><h/><f/><p/></r>", "9:p "},
      {kDtd + "<r id='x' kind='c'><h/></r>", "12:r "},
      {kDtd + "<r id='x' v='2'><h/></r>", "11:r "},
      {kDtd + "<r><h/></r>", "13:r "},
      {kDtd + "<r id='x' other='1'><h/></r>", "15:r "},
      {kDtd + "<r id='x'><h a='1'/></r>", "10:h "},
      // IDs are unique in the document; references may point forward.
      {kDtd + "<r id='x'><h/><p ref='z'/><q qid='z' refs=' x\tz '/></r>", ""},
      {kDtd + "<r id='x'><h/><q qid='x'/></r>", "16:q "},
      {kDtd + "<r id='x'><h/><p ref='y'/><q refs='x y'/></r>", "17:p 17:q "},
      {kDtd + "<r id='x'><h/><p ref='X'/></r>", "17:p "},
      {kDtd + "<r id='1x'><h/><q refs=''/><p ref='a b'/></r>", "20:r 20:q 20:p "},
      // A fixed default is compared as the parser supplies it: references
      // replaced.
      {"<!DOCTYPE e [<!ELEMENT e EMPTY><!ENTITY one '&#49;'><!ATTLIST e v CDATA #FIXED '&one;&#x32;&amp;'>]>"
       "<e v='12&amp;'/>",
       ""},
      {"<!DOCTYPE e [<!ELEMENT e EMPTY><!ATTLIST e v CDATA #FIXED '&#49;'>]><e v='&amp;#49;'/>", "11:e "},
  };
  for (const Case& c : cases) EXPECT_EQ(Codes(c.doc), c.codes) << c.doc;
}

TEST(XpValidator, AHandlerThatStopsEndsTheRun) {
  EXPECT_EQ(Codes(kDtd + "<s><x/><y/></s>", true), "4:s ");
}

TEST(XpValidator, ChecksIdDeclarations) {
  // A second ID attribute of one element type, IDs with a value default, and
  // a reference default that is not a list of names.
  const std::string doc =
      "<!DOCTYPE e [<!ELEMENT e (f)><!ELEMENT f EMPTY>\n"
      "<!ATTLIST e a ID #IMPLIED b ID #REQUIRED c ID #IMPLIED>\n"
      "<!ATTLIST f g ID 'v' h CDATA #IMPLIED>\n"
      "<!ATTLIST f g ID #IMPLIED i ID #FIXED 'w'>\n"
      "<!ATTLIST e r IDREF #IMPLIED s IDREFS '3 x'>]>\n"
      "<e b='k'><f/></e>";
  EXPECT_EQ(Codes(doc), "18:b 20:s 19:g 18:i 19:i 20:e ");
}

TEST(XpValidator, ASubtreeMayReferToIdsOutsideIt) {
  const std::string text = kDtd + "<r id='x'><h/><p ref='x'/><p ref='none'/></r>";
  TXpObjModel om(nullptr);
  ASSERT_TRUE(om.LoadMemory(text.data(), static_cast<int32_t>(text.size())));
  std::vector<int32_t> codes;
  om.OnInvalidDocument = [&](TObject*, int32_t code, TXpNode*, bool&) { codes.push_back(code); };
  TXpElement* root = om.DocumentElement();
  auto* first = static_cast<TXpElement*>(root->ChildNodes()->Item(1));
  auto* second = static_cast<TXpElement*>(root->ChildNodes()->Item(2));
  EXPECT_TRUE(om.ValidateElement(first, om.Document()->docGetDocType()));
  EXPECT_FALSE(om.ValidateElement(second, om.Document()->docGetDocType()));
  EXPECT_EQ(codes, std::vector<int32_t>{17});
}

TEST(XpValidator, WhitespaceTextInElementContentIsAllowed) {
  // The parser keeps such whitespace out of the tree; a document built
  // through the node API may hold it.
  const std::string text = kDtd + "<r id='x'><h/></r>";
  TXpObjModel om(nullptr);
  ASSERT_TRUE(om.LoadMemory(text.data(), static_cast<int32_t>(text.size())));
  TXpNode* blank = om.Document()->CreateTextNode(u"\n  ");
  om.DocumentElement()->AppendChild(blank);
  blank->Release();
  EXPECT_TRUE(om.ValidateDocument());
}
