// Markup of node trees: indentation, escaping, line breaks, CDATA, comments,
// end-tag variants and document types.
#include <gtest/gtest.h>

#include "classlib/AnsiString.h"
#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpProcessingInstruction.h"

namespace {

std::string U8(const std::u16string& s) { return WideToUtf8(s); }

class Writer : public ::testing::Test {
protected:
  void SetUp() override {
    doc = new TXpDocument();
    root = doc->CreateElement(u"r");
    doc->AppendChild(root);
    root->Release();
  }
  void TearDown() override { doc->Release(); }

  std::string Markup() const { return U8(root->noomGetXpDocument()); }
  void Comment(TXpNode* parent, const std::u16string& text) {
    TXpComment* c = doc->CreateComment(text);
    parent->AppendChild(c);
    c->Release();
  }

  TXpDocument* doc = nullptr;
  TXpElement* root = nullptr;
};

TEST_F(Writer, IndentsChildElementsTwoBlanksPerLevel) {
  doc->SetFormattedOutput(true);
  TXpElement* a = root->CreateChildElement(u"a");
  a->CreateChildElement(u"b")->CreateChildText(u"t");
  a->CreateChildElement(u"e");
  root->CreateChildElement(u"c")->CreateChildText(u"only text");
  EXPECT_EQ(Markup(),
            "<r>\r\n  <a>\r\n    <b>t</b>\r\n    <e/>\r\n  </a>\r\n  <c>only text</c>\r\n</r>");
  doc->SetFormattedOutput(false);
  EXPECT_EQ(Markup(), "<r><a><b>t</b><e/></a><c>only text</c></r>");

  // Deep levels keep two blanks a level on the way in and out.
  doc->SetFormattedOutput(true);
  TXpElement* deep = root->CreateChildElement(u"d");
  for (int level = 2; level < 150; ++level) deep = deep->CreateChildElement(u"d");
  const std::string markup = Markup();
  EXPECT_NE(markup.find("\r\n" + std::string(2 * 149, ' ') + "<d/>\r\n" + std::string(2 * 148, ' ') + "</d>"),
            std::string::npos);
  EXPECT_NE(markup.find("\r\n" + std::string(2 * 64, ' ') + "<d>\r\n" + std::string(2 * 65, ' ') + "<d>"),
            std::string::npos);
}

TEST_F(Writer, EscapesAttributeValuesAndText) {
  struct Case { const char16_t* in; const char* attr; const char* text; };
  const Case cases[] = {
      {u"A&B \"x\" <y>", "A&amp;B &#34;x&#34; &lt;y>", "A&amp;B \"x\" &lt;y>"},
      {u"M\u00fcller \u20ac", "M&#252;ller &#8364;", "M&#252;ller &#8364;"},
      {u"\U0001F600", "&#128512;", "&#128512;"},
      // Line ends and TABs in a value are references, or they read back as blanks.
      {u"a\nb\rc\td", "a&#xA;b&#xD;c&#9;d", "a\nb\rc\td"},
      {u"x]]>y", "x]]>y", "x]]&gt;y"},
  };
  for (const Case& c : cases) {
    root->SetAttribute(u"a", c.in);
    TXpNode* t = root->CreateChildText(c.in);
    EXPECT_EQ(Markup(), std::string("<r a=\"") + c.attr + "\">" + c.text + "</r>") << U8(c.in);
    root->RemoveChild(t)->Release();
  }
}

// Plain characters are scanned several at a time: whatever needs escaping
// must be found at any position of a run.
TEST_F(Writer, EscapesAtEveryPositionOfAPlainRun) {
  struct Case {
    char16_t c;
    const char* attr;  // null: refused
  } cases[] = {
      {u'&', "&amp;"}, {u'<', "&lt;"}, {u'>', ">"},      {u'"', "&#34;"}, {u'\t', "&#9;"},
      {u'\n', "&#xA;"}, {u'\x7F', "&#127;"}, {u' ', " "}, {u'~', "~"},    {u'\u00E4', "&#228;"},
      {u'\x1F', nullptr},
  };
  for (const Case& c : cases) {
    for (size_t at = 0; at < 9; ++at) {
      std::u16string value(9, u'b');
      value[at] = c.c;
      root->SetAttribute(u"a", value);
      if (!c.attr) {
        EXPECT_THROW(Markup(), EXpException) << int(c.c) << " at " << at;
        continue;
      }
      EXPECT_EQ(Markup(), "<r a=\"" + std::string(at, 'b') + c.attr + std::string(8 - at, 'b') + "\"/>")
          << int(c.c) << " at " << at;
    }
  }
}

TEST_F(Writer, RefusesCharactersXmlDoesNotAllow) {
  for (const char16_t* bad : {u"a\u0001b", u"\uFFFE", u"\u001F"}) {
    root->SetAttribute(u"a", bad);
    EXPECT_THROW(Markup(), EXpException) << U8(bad);
    root->SetAttribute(u"a", u"");
    TXpNode* t = root->CreateChildText(bad);
    EXPECT_THROW(Markup(), EXpException) << U8(bad);
    root->RemoveChild(t)->Release();
  }
}

TEST_F(Writer, RawOutputAndDisabledEscapingCopyCharacters) {
  TXpNode* t = root->CreateChildText(u"\u00fc&");
  doc->SetRawOutput(true);
  EXPECT_EQ(Markup(), U8(u"<r>\u00fc&amp;</r>"));
  t->SetOutputEscaping(false);
  EXPECT_EQ(Markup(), U8(u"<r>\u00fc&</r>"));
}

TEST_F(Writer, LineBreakModesInText) {
  root->CreateChildText(u"a\r\nb\nc\rd");
  struct Case { TXpLineBreakMode mode; bool replace; const char* out; };
  const Case cases[] = {
      {lbmDefault, false, "a\r\nb\nc\rd"},
      {lbmDefault, true, "a\r\nb\r\nc\r\nd"},
      {lbmCR, true, "a&#13;b&#13;c&#13;d"},
      {lbmLF, true, "a&#13;&#10;b&#10;c&#13;d"},
      {lbmLF, false, "a\r\nb\nc\rd"},
  };
  for (const Case& c : cases) {
    doc->SetLineBreakMode(c.mode);
    doc->SetLineBreakCharReplace(c.replace);
    EXPECT_EQ(Markup(), std::string("<r>") + c.out + "</r>") << c.mode << " " << c.replace;
  }
}

// "]]>" never appears in content, not even across two adjacent texts.
TEST_F(Writer, TextNeverHoldsTheCDataEndMark) {
  root->CreateChildText(u"a]]");
  root->CreateChildText(u">b]]>c>");
  root->CreateChildText(u"]>");
  EXPECT_EQ(Markup(), "<r>a]]&gt;b]]&gt;c>]&gt;</r>");
}

TEST_F(Writer, CDataIsSplitAroundItsEndMarkAndNeverHoldsReferences) {
  root->CreateChildCDataSection(u"a]]>b\u00fc\nc");
  doc->SetLineBreakMode(lbmCR);
  doc->SetLineBreakCharReplace(true);
  EXPECT_EQ(Markup(), U8(u"<r><![CDATA[a]]]]><![CDATA[>b\u00fc\rc]]></r>"));
  doc->SetCDataAsText(true);
  EXPECT_EQ(Markup(), U8(u"<r>a]]>b\u00fc\rc</r>"));
  // A section written on its own keeps its line breaks as they are.
  doc->SetCDataAsText(false);
  TXpCDataSection* top = doc->CreateCDATASection(u"a\nb]]>");
  EXPECT_EQ(U8(top->noomGetXpDocument()), "<![CDATA[a\nb]]]]><![CDATA[>]]>");
  top->Release();
}

TEST_F(Writer, CommentsAndTextAfterThem) {
  Comment(root, u"c\nd");
  root->CreateChildText(u"t");
  EXPECT_EQ(Markup(), "<r><!--c\r\nd-->t</r>");
  doc->SetFormattedOutput(true);
  EXPECT_EQ(Markup(), "<r>\r\n  <!--c\r\nd-->\r\nt</r>");
  // A comment at the top of the document keeps its line feeds.
  Comment(doc, u"c\nd");
  EXPECT_EQ(U8(doc->noGetLastChild()->noomGetXpDocument()), "<!--c\nd-->");
}

TEST_F(Writer, CommentsAndInstructionsThatWouldEndEarlyAreRefused) {
  for (const char16_t* text : {u"a--b", u"a-"}) {
    try {
      doc->CreateComment(text)->Release();
      ADD_FAILURE() << U8(text);
    } catch (const TXpDOMException& e) {
      EXPECT_EQ(e.Code(), ecInvalidParamErr);
    }
  }
  EXPECT_THROW(doc->CreateProcessingInstruction(u"p", u"a?>b"), TXpDOMException);
  EXPECT_THROW(doc->CreateProcessingInstruction(u"", u"x"), TXpDOMException);
  TXpProcessingInstruction* pi = doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\"");
  EXPECT_EQ(U8(pi->noomGetXpDocument()), "<?xml version=\"1.0\"?>");
  pi->Release();
}

TEST_F(Writer, EndTagVariantsOfEmptyElements) {
  TXpElement* full = root->CreateChildElement(u"f");
  full->SetFullEndTag(true);
  TXpElement* none = root->CreateChildElement(u"n");
  none->SetNoEndTag(true);
  none->SetFullEndTag(true);  // a missing end tag wins
  root->CreateChildElement(u"e");
  EXPECT_EQ(Markup(), "<r><f></f><n><e/></r>");
}

TEST_F(Writer, WriterHooksCanSkipAttributes) {
  root->SetAttribute(u"keep", u"1");
  root->SetAttribute(u"skip", u"2");
  std::string seen;
  doc->OnBeforeElementOutput = [&](TXpDocument*, TXpElement* e) { seen += "<" + U8(e->NodeName()); };
  doc->OnAfterElementOutput = [&](TXpDocument*, TXpElement* e) { seen += ">" + U8(e->NodeName()); };
  doc->OnAttributeOutput = [&](TXpDocument*, TXpAttribute* a, bool& skip) {
    skip = a->NodeName() == u"skip";
  };
  EXPECT_EQ(Markup(), "<r keep=\"1\"/>");
  EXPECT_EQ(seen, "<r>r");
}

TEST_F(Writer, DocumentTypeWithIdsAndDeclarations) {
  TXpDocumentType* dt = doc->CreateDocumentType(u"r", false);
  dt->SetPublicID(u"-//K//DTD R//DE");
  dt->SetSystemID(u"r.dtd");
  EXPECT_EQ(U8(dt->noomGetXpDocument()), "<!DOCTYPE r PUBLIC \"-//K//DTD R//DE\" \"r.dtd\">");
  dt->SetPublicID(u"");
  EXPECT_EQ(U8(dt->noomGetXpDocument()), "<!DOCTYPE r SYSTEM \"r.dtd\">");

  TXpDTDElement* el = dt->CreateDTDElement(u"r", 4);
  TXpDTDElementGroup* group = el->CreateDTDElementGroup();
  for (auto [name, occ, rel] : {std::tuple{u"a", 0, 1}, {u"b", 3, 1}}) {
    TXpNode* particle = group->CreateDTDElementContent(name, occ, rel);
    group->AppendChild(particle);
    particle->Release();
  }
  group->SetOccurrence(2);
  el->AppendChild(group);
  group->Release();
  dt->AppendChild(el);
  el->Release();

  TXpDTDAttlist* list = dt->CreateDTDAttlist(u"r");
  const TXpWideStringList values{u"x", u"y"};
  TXpNode* defs[] = {list->CreateDTDAttDefinition(u"k", 2, nullptr, 3, u""),
                     list->CreateDTDAttDefinition(u"v", 9, &values, 1, u"x&")};
  for (TXpNode* def : defs) {
    list->AppendChild(def);
    def->Release();
  }
  dt->AppendChild(list);
  list->Release();
  EXPECT_EQ(U8(doc->IdAttribute()), "k");

  TXpDTDEntity* ent = dt->CreateDTDEntity(u"e");
  ent->SetNodeValue(u"50% \"a\"");
  dt->AppendChild(ent);
  ent->Release();

  doc->SetFormattedOutput(true);
  EXPECT_EQ(U8(dt->noomGetXpDocument()),
            "<!DOCTYPE r SYSTEM \"r.dtd\"[\r\n  <!ELEMENT r (a,b+)*>"
            "\r\n  <!ATTLIST r k ID #REQUIRED v (x|y) \"x&amp;\">"
            "\r\n  <!ENTITY e \"50&#37; &#34;a&#34;\">]>");
  EXPECT_THROW(el->elSetContentType(5), TXpDOMException);
  EXPECT_EQ(el->ContentType(), 4);

  doc->InsertBefore(dt, root);
  EXPECT_EQ(doc->docGetDocType(), dt);
  EXPECT_EQ(doc->DocumentElement(), root);
  dt->Release();
}

TEST_F(Writer, ExternalSubsetDeclarationsAreFound) {
  TXpDocumentType* dt = doc->CreateDocumentType(u"r", false);
  TXpDocumentType* ext = doc->CreateDocumentType(u"ext.dtd", true);
  TXpDTDElement* decl = ext->CreateDTDElement(u"r", 2);
  ext->AppendChild(decl);
  decl->Release();
  dt->SetExternalSubset(ext);
  ext->Release();
  auto found = dt->noGetNodesByNodeTypeName(DTD_ELEMENT_NODE, u"r");
  ASSERT_EQ(found->Length(), 1);
  EXPECT_EQ(found->Item(0), decl);
  EXPECT_EQ(U8(dt->noomGetXpDocument()), "<!DOCTYPE r SYSTEM \"ext.dtd\" >");
  EXPECT_EQ(U8(ext->noomGetXpDocument()), "<!ELEMENT r EMPTY>");

  // After a public id an entity always names a system id; a notation may not.
  TXpDTDEntity* ent = ext->CreateDTDEntity(u"e");
  ent->SetPublicID(u"p");
  TXpDTDNotation* notation = ext->CreateDTDNotation(u"n");
  notation->SetPublicID(u"p");
  for (TXpNode* node : {static_cast<TXpNode*>(ent), static_cast<TXpNode*>(notation)}) {
    ext->AppendChild(node);
    node->Release();
  }
  EXPECT_EQ(U8(ext->noomGetXpDocument()),
            "<!ELEMENT r EMPTY><!ENTITY e PUBLIC \"p\" \"\"><!NOTATION n PUBLIC \"p\">");
  dt->Release();
}

}  // namespace
