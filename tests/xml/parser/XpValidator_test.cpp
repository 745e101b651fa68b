#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      {kDtd + "<r id='x'><p/></r>", "9:p "},
      {kDtd + "<r id='x'></r>", "8:r "},
      {kDtd + "<r id='x'><h/><f/><p/></r>", "9:p "},
      {kDtd + "<r id='x' kind='c'><h/></r>", "12:r "},
      {kDtd + "<r id='x' v='2'><h/></r>", "11:r "},
      {kDtd + "<r><h/></r>", "13:r "},
      {kDtd + "<r id='x' other='1'><h/></r>", "15:r "},
      {kDtd + "<r id='x'><h a='1'/></r>", "10:h "},
  };
  for (const Case& c : cases) EXPECT_EQ(Codes(c.doc), c.codes) << c.doc;
}

TEST(XpValidator, AHandlerThatStopsEndsTheRun) {
  EXPECT_EQ(Codes(kDtd + "<s><x/><y/></s>", true), "4:s ");
}
