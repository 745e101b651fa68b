#include "xml/parser/XpParser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpDTDNodes.h"
#include "xml/dom/XpDocumentType.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpObjModel.h"
#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

bool Load(TXpObjModel& om, const std::string& text) {
  return om.LoadMemory(text.data(), static_cast<int32_t>(text.size()));
}

std::string Markup(TXpObjModel& om) { return WideToUtf8(om.XmlDocument()); }

// A parser that writes every event it fires as one line.
struct TEventLog {
  TXpParser Parser{nullptr};
  std::vector<std::string> Lines;
  TEventLog() {
    auto add = [this](std::string s) { Lines.push_back(std::move(s)); };
    auto u = [](const WideString& s) { return WideToUtf8(s); };
    Parser.OnAttribute = [=](TObject*, const WideString& n, const WideString& v, bool specified) {
      add("attr " + u(n) + "=" + u(v) + (specified ? "" : " default"));
    };
    Parser.OnStartElement = [=](TObject*, const WideString& n) { add("start " + u(n)); };
    Parser.OnEndElement = [=](TObject*, const WideString& n) { add("end " + u(n)); };
    Parser.OnCharData = [=](TObject*, const WideString& v) { add("text " + u(v)); };
    Parser.OnPreserveSpace = [=](TObject*, const WideString& n, bool&) { add("space " + u(n)); };
    Parser.OnDTDElementStart = [=](TObject*, const WideString& n, int32_t t) {
      add("element " + u(n) + " " + std::to_string(t));
    };
    Parser.OnDTDElementGroupStart = [=](TObject*) { add("group"); };
    Parser.OnDTDElementContent = [=](TObject*, const WideString& n, int32_t o, int32_t r) {
      add("item " + u(n) + " " + std::to_string(o) + " " + std::to_string(r));
    };
    Parser.OnDTDElementGroupEnd = [=](TObject*, int32_t o, int32_t r) {
      add("group-end " + std::to_string(o) + " " + std::to_string(r));
    };
    Parser.OnDTDElementEnd = [=](TObject*, const WideString& n) { add("element-end " + u(n)); };
    Parser.OnDTDAttlistStart = [=](TObject*, const WideString& n) { add("attlist " + u(n)); };
    Parser.OnDTDAttDefinition = [=](TObject*, const WideString& n, int32_t type, const TXpWideStringList* e,
                                    int32_t vt, const WideString& v) {
      add("attdef " + u(n) + " " + std::to_string(type) + " " + std::to_string(e ? e->size() : 0) + " " +
          std::to_string(vt) + " " + u(v));
    };
    Parser.OnDTDAttlistEnd = [=](TObject*) { add("attlist-end"); };
    Parser.OnDTDNotation = [=](TObject*, const WideString& n, const WideString& p, const WideString& s) {
      add("notation " + u(n) + " " + u(p) + " " + u(s));
    };
    Parser.OnDTDEntityInternal = [=](TObject*, bool pe, const WideString& n, const WideString& v) {
      add(std::string(pe ? "pentity " : "entity ") + u(n) + " " + u(v));
    };
    Parser.OnDTDConditionalStart = [=](TObject*, int32_t k) { add("cond " + std::to_string(k)); };
    Parser.OnDTDConditionalEnd = [=](TObject*) { add("cond-end"); };
    Parser.OnDTDStart = [=](TObject*, const WideString& n, const WideString&, const WideString&) {
      add("dtd " + u(n));
    };
    Parser.OnDTDEnd = [=](TObject*) { add("dtd-end"); };
  }
  bool Parse(const std::string& text) {
    Lines.clear();
    return Parser.ParseMemory(text.data(), static_cast<int32_t>(text.size()));
  }
  std::string Joined() const {
    std::string s;
    for (const std::string& l : Lines) s += l + "\n";
    return s;
  }
};


}  // namespace

TEST(XpParser, WellFormednessErrorsCarryTheLibraryTextLineAndColumn) {
  struct Case {
    const char* doc;
    const char* error;
  } cases[] = {
      {"<a x='1' x='2'/>", "Line: 1 Col: 15 Error: Attributes cannot be redefined in a start tag"},
      {"<a>\n<!-- a -- b --></a>", "Line: 2 Col: 8 Error: Invalid comment text"},
      {"<a><!-- a ---></a>", "Error: Invalid comment text"},
      {"<a/>\n x", "Line: 2 Col: 2 Error: There is invalid data after valid XML document"},
      {"<?xml version='1.1'?><a/>", "Error: Tessavurn does not support XML specification greater than 1.0"},
      {"<?xml version='2'?><a/>", "Error: Invalid XML version number: 2"},
      {"<!-- c --><?xml version='1.0'?><a/>",
       "Error: Document cannot start with a comment if it also contains an XML declaration"},
      {"<a></b>", "Error: Mismatched end tag: Start tag = \"a\" End tag = \"b\""},
      {"<a>&#x4G;</a>", "Error: Illegal character in reference: G (71)"},
      {"<a>&#0;</a>", "Error: Invalid XML Character found"},
      {"<a>&u;</a>", "Error: Reference to undeclared entity: u"},
      {"<!DOCTYPE a [<!ENTITY e '&f;'><!ENTITY f '&e;'>]><a>&e;</a>", "Error: Circular reference to: e"},
      {"<a>\xC3\x28</a>", "Line: 1 Col: 4 Error: Badly formed UTF-8 character in stream"},
      {"<a>\x01</a>", "Error: Invalid XML Character found"},
      {"<a b='<'/>", "Error: Invalid character in attribute value: '<'"},
      {"<a>]]></a>", "Error: Invalid characters in element's character data: ']]>'"},
      {"<a>", "Error: Unexpected end of file"},
      {"<?xml version='1.0' encoding='EBCDIC'?><a/>", "Error: Invalid character encoding specified."},
      {"<?xml version='1.0' standalone='maybe'?><a/>", "Error: Standalone value must equal 'yes' or 'no'"},
      {"<!DOCTYPE a [<!NOTATION n>]><a/>", "Error: External modifier missing: n"},
      {"<!DOCTYPE a [<!ENTITY % p SYSTEM 'x' NDATA n>]><a/>",
       "Error: NDATA not allowed in parameter entity declaration"},
      {"<!DOCTYPE a [<![INCLUDE[]]>]><a/>",
       "Error: Conditional sections not allowed in internal subset of document type declaration"},
      {"<!DOCTYPE a [<!ENTITY % p '(#PCDATA)'><!ELEMENT a %p;>]><a/>",
       "Error: Parameter entities not allowed in DTD internal subset"},
      {"<!DOCTYPE a [<!ATTLIST a b WORD #IMPLIED>]><a/>", "Error: Illegal attribute type: (a) in element WORD"},
      {"<!DOCTYPE a [<!ELEMENT a (b;c)>]><a/>", "Error: Bad separator in content model: ;"},
      {"<a>&#12345678;</a>", "Error: Character reference with too many digits: &#"},
  };
  for (const Case& c : cases) {
    TXpObjModel om(nullptr);
    EXPECT_FALSE(Load(om, c.doc)) << c.doc;
    ASSERT_EQ(om.ErrorCount(), 1) << c.doc;
    const std::string msg = om.GetErrorMsg(0);
    EXPECT_EQ(msg.rfind("File: . Line: ", 0), 0u) << msg;
    EXPECT_NE(msg.find(c.error), std::string::npos) << c.doc << "\n  got: " << msg;
    EXPECT_FALSE(om.Document()->HasChildNodes()) << c.doc;
  }
}

TEST(XpParser, BuildsTheTreeTheWriterWrites) {
  struct Case {
    std::string doc, markup;
  } cases[] = {
      {"<?xml version=\"1.0\"?><a x='1' y=\"&lt;&#65;\"><b>hi</b><c/></a>",
       "<?xml version=\"1.0\"?>\r\n<a x=\"1\" y=\"&lt;A\"><b>hi</b><c/></a>"},
      // Entities in content are parsed as content.
      {"<!DOCTYPE a [<!ENTITY e 'x<b>y</b>&amp;z'>]><a>&e;&e;</a>",
       "<!DOCTYPE a [<!ENTITY e \"x<b>y</b>&amp;z\">]>\r\n<a>x<b>y</b>&amp;zx<b>y</b>&amp;z</a>"},
      {"<a><![CDATA[<&>]]><?pi data?><!--c--></a>", "<a><![CDATA[<&>]]><?pi data?><!--c--></a>"},
      // Whitespace collapses, except below xml:space="preserve".
      {"<a>  one \n two  <b xml:space='preserve'>  x  </b></a>",
       "<a>one two<b xml:space=\"preserve\">  x  </b></a>"},
      {"<a>\xE2\x82\xAC\xF0\x9F\x98\x80</a>", "<a>&#8364;&#128512;</a>"},
      // Attribute values: literal TAB and LF become blanks, references stay.
      {"<a v='x\ty\nz&#9;'/>", "<a v=\"x y z&#9;\"/>"},
  };
  for (const Case& c : cases) {
    TXpObjModel om(nullptr);
    ASSERT_TRUE(Load(om, c.doc)) << c.doc << ": " << om.GetErrorMsg(0);
    std::string got = Markup(om);
    // The DTD's own writing is not what this test is about.
    if (c.doc.find("DOCTYPE") != std::string::npos) {
      EXPECT_NE(got.find(c.markup.substr(c.markup.find("\r\n") + 2)), std::string::npos) << got;
    } else {
      EXPECT_EQ(got, c.markup) << c.doc;
    }
  }
}

TEST(XpParser, NamesFollowTheFifthEdition) {
  struct Case {
    const char16_t* doc;
    const char16_t* root;  // null: refused
  } cases[] = {
      {u"<\u0132/>", u"\u0132"},
      {u"<a\u2C30 b\u2C30='1'/>", u"a\u2C30"},
      {u"<a\u203F\u2040/>", u"a\u203F\u2040"},
      {u"<\u0660/>", u"\u0660"},
      // Above U+FFFF a surrogate pair is one name character.
      {u"<\U00010400 \U00010400x='1'>t</\U00010400>", u"\U00010400"},
      {u"<a\U000EFFFF/>", u"a\U000EFFFF"},
      {u"<?\U00010400 data?><a/>", u"a"},
      {u"<!DOCTYPE a [<!ENTITY \U00010400 'x'><!ATTLIST a t (\u203F\U00010400) '\u203F\U00010400'>]>"
       u"<a>&\U00010400;</a>",
       u"a"},
      {u"<a t='&\u2C30;'/>", nullptr},  // a valid name, but no declared entity
      {u"<\u203Fa/>", nullptr},
      {u"<a\U000F0000/>", nullptr},
      {u"<\U000F0000/>", nullptr},
      {u"<a\u00D7/>", nullptr},
      {u"<a\u037E/>", nullptr},
      {u"<a \u2040='1'/>", nullptr},
  };
  for (const Case& c : cases) {
    TXpObjModel om(nullptr);
    const std::string doc = WideToUtf8(c.doc);
    EXPECT_EQ(Load(om, doc), c.root != nullptr) << doc << ": " << om.GetErrorMsg(0);
    if (c.root) {
      EXPECT_EQ(om.DocumentElement()->NodeName(), c.root) << doc;
    }
  }
  // A name read from a reference in an entity's value follows the same rules.
  TXpObjModel om(nullptr);
  ASSERT_TRUE(Load(om, WideToUtf8(u"<!DOCTYPE a [<!ENTITY \U00010400\u203F 'x'><!ENTITY r '&\U00010400\u203F;'>]>"
                                  u"<a t='&r;'/>")))
      << om.GetErrorMsg(0);
  EXPECT_EQ(om.DocumentElement()->GetAttribute(u"t"), u"x");
}

TEST(XpParser, AttributesKeepSourceOrderAndOneReference) {
  TXpObjModel om(nullptr);
  ASSERT_TRUE(Load(om, "<a z='1' b='2'/>"));
  const TXpNamedNodeMap* attrs = om.DocumentElement()->Attributes();
  ASSERT_EQ(attrs->nmGetLength(), 2);
  EXPECT_EQ(attrs->Item(0)->NodeName(), u"z");
  EXPECT_EQ(attrs->Item(1)->NodeName(), u"b");
  EXPECT_EQ(attrs->Item(0)->RefCount(), 1);
}

TEST(XpParser, EncodingsByDeclarationAndByteOrderMark) {
  TXpObjModel latin(nullptr);
  ASSERT_TRUE(Load(latin, "<?xml version='1.0' encoding='ISO-8859-1'?><a>\xFC</a>"));
  EXPECT_EQ(latin.DocumentElement()->Text(), u"\u00fc");
  EXPECT_EQ(latin.InCharSet(), ceISO88591);

  std::string utf16 = "\xFF\xFE";
  for (char16_t c : std::u16string(u"<a>\u20ac</a>")) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  TXpObjModel wide(nullptr);
  ASSERT_TRUE(Load(wide, utf16)) << wide.GetErrorMsg(0);
  EXPECT_EQ(wide.DocumentElement()->Text(), u"\u20ac");
  EXPECT_EQ(wide.InCharSet(), ceUTF16LE);

  // UTF-16 must begin with its byte-order mark, whatever its declaration
  // says.
  auto encode = [](const std::u16string& text, bool bigEndian, bool mark) {
    std::string bytes;
    for (char16_t c : (mark ? u"\uFEFF" : u"") + text) {
      const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
      bytes += bigEndian ? hi : lo;
      bytes += bigEndian ? lo : hi;
    }
    return bytes;
  };
  const struct {
    const char16_t* doc;
    bool bigEndian, mark, ok;
  } cases[] = {
      {u"<?xml version='1.0' encoding='UTF-16'?><a/>", false, true, true},
      {u"<?xml version='1.0' encoding='UTF-16'?><a/>", true, true, true},
      {u"<?xml version='1.0'?><a/>", true, true, true},
      {u"<?xml version='1.0' encoding='UTF-16'?><a/>", false, false, false},
      {u"<?xml version='1.0' encoding='UTF-16'?><a/>", true, false, false},
      {u"<?xml version='1.0' encoding='UTF-16LE'?><a/>", false, false, false},
      {u"<?xml version='1.0'?><a/>", false, false, false},
      {u"<a/>", false, false, false},
  };
  for (const auto& c : cases) {
    TXpObjModel om(nullptr);
    EXPECT_EQ(Load(om, encode(c.doc, c.bigEndian, c.mark)), c.ok)
        << WideToUtf8(c.doc) << (c.bigEndian ? " BE" : " LE") << (c.mark ? " with mark" : "");
    if (!c.ok && om.ErrorCount() > 0 && c.doc[1] == u'?') {
      EXPECT_NE(om.GetErrorMsg(0).find("Invalid character encoding specified."), std::string::npos)
          << om.GetErrorMsg(0);
    }
  }
}

TEST(XpParser, EventOrderOfDeclarationsAndDefaults) {
  TEventLog log;
  ASSERT_TRUE(log.Parse("<!DOCTYPE a [\n"
                        "<!ELEMENT a (b?, (c|d)*)>\n"
                        "<!ATTLIST a k (x|y) 'x' f CDATA #FIXED 'F' r CDATA #REQUIRED>\n"
                        "<!ATTLIST a k CDATA 'ignored'>\n"
                        "<!NOTATION n PUBLIC 'p'>\n"
                        "<!ENTITY e 'v'>\n"
                        "]><a r='1'/>"))
      << log.Parser.GetErrorMsg(0);
  EXPECT_EQ(log.Joined(),
            "dtd a\n"
            "element a 4\ngroup\nitem b 1 1\ngroup\nitem c 0 0\nitem d 0 1\ngroup-end 2 1\ngroup-end 0 1\n"
            "element-end a\n"
            "attlist a\nattdef k 9 2 1 x\nattdef f 1 0 4 F\nattdef r 1 0 3 \nattlist-end\n"
            "attlist a\nattdef k 1 0 1 ignored\nattlist-end\n"
            "notation n p \n"
            "entity e v\n"
            "dtd-end\n"
            // Given attributes, then the declared defaults (the first
            // declaration is binding), then the start tag.
            "attr r=1\nattr k=x default\nattr f=F default\nspace a\nstart a\nend a\n");
}

TEST(XpParser, EmptyElementAndNormalizedTextEvents) {
  TEventLog log;
  ASSERT_TRUE(log.Parse("<a>  two   words </a>"));
  EXPECT_EQ(log.Joined(), "space a\nstart a\ntext two words\nend a\n");
  ASSERT_TRUE(log.Parse("<e/>"));
  EXPECT_EQ(log.Joined(), "space e\nstart e\nend e\n");
}

TEST(XpParser, RaiseErrorsDecidesWhetherTheCallerSeesAnException) {
  TXpObjModel om(nullptr);
  EXPECT_FALSE(Load(om, "<a>"));
  EXPECT_EQ(om.ErrorCount(), 1);
  EXPECT_FALSE(om.Document()->HasChildNodes());
  om.SetRaiseErrors(true);
  EXPECT_THROW(Load(om, "<a><b></a>"), EXpParserError);
  EXPECT_EQ(om.ErrorCount(), 1);
  EXPECT_FALSE(om.Document()->HasChildNodes());
  EXPECT_TRUE(Load(om, "<a/>"));
  EXPECT_EQ(om.ErrorCount(), 0);
}

TEST(XpParser, MissingFileGivesTwoEntriesAndOutOfBoundsIndexesAnswer) {
  TXpParser parser(nullptr);
  EXPECT_FALSE(parser.ParseDataSource("/nonexistent/dir/x.xml"));
  ASSERT_EQ(parser.GetErrorCount(), 2);
  EXPECT_EQ(parser.GetErrorMsg(0), "File /nonexistent/dir/x.xml could not be found");
  EXPECT_EQ(parser.GetErrorMsg(1), "Unable to load source /nonexistent/dir/x.xml");
  EXPECT_EQ(parser.GetErrorMsg(-1), "ERROR INDEX OUT OF BOUNDS");
  EXPECT_EQ(parser.GetErrorMsg(2), "ERROR INDEX OUT OF BOUNDS");
}

TEST(XpParser, Defaults) {
  TXpParser parser(nullptr);
  EXPECT_EQ(parser.BufferSize(), 8192);
  parser.SetBufferSize(100);
  EXPECT_EQ(parser.BufferSize(), 1024);
  EXPECT_TRUE(parser.NormalizeData());
  EXPECT_FALSE(parser.RaiseErrors());
  EXPECT_EQ(parser.UserName(), "anonymous");
  EXPECT_EQ(parser.Password().size(), 25u);
  EXPECT_EQ(parser.ResolverPolicy, rpDocumentFolder);
  EXPECT_EQ(parser.MaxDepth, 256);
  EXPECT_EQ(parser.MaxEntityNesting, 40);
}

TEST(XpParser, DirectoryContexts) {
  TXpDirContext http(nullptr, "http://host/a/b/doc.xml");
  EXPECT_EQ(http.Kind(), xpdcHTTP);
  EXPECT_EQ(http.BasePath(), "host/a/b/");
  EXPECT_EQ(http.CurrentName(), "doc.xml");
  TXpDirContext relative(&http, "sub/x.dtd");
  EXPECT_EQ(relative.Kind(), xpdcHTTP);
  EXPECT_EQ(relative.URL(), "host/a/b/sub/x.dtd");
  EXPECT_THROW(TXpDirContext(&http, "C:\\x.xml"), EXpException);
  TXpDirContext local(nullptr, "/tmp/d/x.xml");
  EXPECT_EQ(local.Kind(), xpdcLocal);
  EXPECT_EQ(local.URL(), std::string("") + TXpDirContext::kSep + "tmp" + TXpDirContext::kSep + "d" +
                             TXpDirContext::kSep + "x.xml");

  // "." and ".." segments are resolved as text against the base.
  auto sep = [](std::string s) {
    for (char& c : s)
      if (c == '/') c = TXpDirContext::kSep;
    return s;
  };
  TXpDirContext base(nullptr, "/tmp/d/doc.xml");
  const struct {
    const TXpDirContext* parent;
    const char* source;
    std::string url;
  } cases[] = {
      {&http, "../c/./x.dtd", "host/a/c/x.dtd"},
      {&http, "./sub/../x.dtd", "host/a/b/x.dtd"},
      {&http, "../../../../x.dtd", "host/x.dtd"},
      {&base, "sub/../ext.ent", sep("/tmp/d/ext.ent")},
      {&base, "./a/./b/../../c/x.ent", sep("/tmp/d/c/x.ent")},
      {&base, "../../../../x.ent", sep("/x.ent")},
      {&base, "a/.../x.ent", sep("/tmp/d/a/.../x.ent")},
      {nullptr, "/tmp/e/../d/./x.xml", sep("/tmp/d/x.xml")},
  };
  for (const auto& c : cases) {
    TXpDirContext resolved(const_cast<TXpDirContext*>(c.parent), c.source);
    EXPECT_EQ(resolved.URL(), c.url) << c.source;
  }
}

TEST(XpParser, SystemIdentifiersResolveDotSegmentsBeforeOpening) {
  kel::test::TempDir dir;
  dir.write("d/ext.ent", "text");
  dir.write("d/sub.dtd", "<!ELEMENT a (#PCDATA)>");
  // Neither "missing" nor "gone" exists.
  const fs::path doc = dir.write(
      "d/doc.xml", "<!DOCTYPE a SYSTEM 'gone/./../sub.dtd' [<!ENTITY e SYSTEM 'missing/../ext.ent'>]><a>&e;</a>");
  TXpObjModel om(nullptr);
  ASSERT_TRUE(om.LoadDataSource(doc.u16string())) << om.GetErrorMsg(0);
  EXPECT_EQ(om.DocumentElement()->Text(), u"text");
  EXPECT_NE(om.Document()->docGetDocType()->ExternalSubset(), nullptr);
}

TEST(XpParser, ExternalSubsetConditionalSectionsAndEntities) {
  kel::test::TempDir dir;
  dir.write("d/sub.dtd",
            "<?xml encoding='UTF-8'?>\n"
            "<!ENTITY % inc 'INCLUDE'>\n"
            "<![%inc;[ <!ELEMENT a (#PCDATA|b)*> ]]>\n"
            "<![IGNORE[ <!ELEMENT a EMPTY> <![ nested ]]> ]]>\n"
            "<!ATTLIST a d CDATA 'dflt'>\n"
            "<!ENTITY ext SYSTEM 'ext.ent'>\n");
  dir.write("d/ext.ent", "<?xml encoding='ISO-8859-1'?>from <b>file</b>");
  const fs::path doc = dir.write("d/doc.xml", "<!DOCTYPE a SYSTEM 'sub.dtd'><a>&ext;</a>");
  TXpObjModel om(nullptr);
  ASSERT_TRUE(om.LoadDataSource(doc.u16string())) << om.GetErrorMsg(0);
  EXPECT_EQ(WideToUtf8(om.DocumentElement()->noomGetXpDocument()), "<a d=\"dflt\">from<b>file</b></a>");
  TXpDocumentType* subset = om.Document()->docGetDocType()->ExternalSubset();
  ASSERT_NE(subset, nullptr);
  EXPECT_EQ(subset->noGetNodesByNodeTypeName(DTD_ELEMENT_NODE, u"a")->nlGetLength(), 1);
  // The ignored section's text is kept, nested markers and all.
  auto conds = subset->GetChildNodesByNodeType(DTD_CONDITIONAL_NODE);
  ASSERT_EQ(conds->nlGetLength(), 2);
  EXPECT_EQ(conds->Item(1)->Text(), u" <!ELEMENT a EMPTY> <![ nested ]]> ");
}

TEST(XpParser, ExternalParameterEntitiesAreAnnouncedAndKeptInPlace) {
  kel::test::TempDir dir;
  dir.write("d/ext.ent", "<?xml encoding='UTF-8'?><!ELEMENT b EMPTY>");
  dir.write("d/moved.ent", "<!ELEMENT b (#PCDATA)>");
  dir.write("d/sub.dtd", "<!ENTITY % more SYSTEM 'more.ent'>%more;<!ENTITY % m SYSTEM 'model.ent'><!ELEMENT d %m;>");
  dir.write("d/model.ent", "EMPTY");
  dir.write("d/more.ent", "<!ATTLIST a x CDATA 'y'>");
  dir.write("outside.ent", "<!ELEMENT b EMPTY>");
  const std::string subset = "<!ENTITY % ext SYSTEM 'ext.ent'><!ELEMENT a (b, c)>%ext;<!ELEMENT c EMPTY>";
  const fs::path doc = dir.write("d/doc.xml", "<!DOCTYPE a SYSTEM 'sub.dtd' [" + subset + "]><a><b/><c/></a>");

  TXpObjModel om(nullptr);
  std::vector<std::string> announced;
  om.OnDTDExternal = [&](TObject*, WideString& location) { announced.push_back(WideToUtf8(location)); };
  // Inside a declaration the entity is resolved like one in content.
  om.OnResolveEntity = [&](TObject*, const WideString& name, const WideString&, const WideString& systemId,
                           WideString&) { announced.push_back(WideToUtf8(name + u"=" + systemId)); };
  ASSERT_TRUE(om.LoadDataSource(doc.u16string())) << om.GetErrorMsg(0);
  EXPECT_EQ(announced, (std::vector<std::string>{"ext.ent", "sub.dtd", "more.ent", "m=model.ent"}));
  auto names = [](const TXpNode* parent) {
    std::string out;
    for (int32_t i = 0; i < parent->ChildNodes()->nlGetLength(); ++i)
      out += WideToUtf8(parent->ChildNodes()->Item(i)->NodeName()) + " ";
    return out;
  };
  TXpDocumentType* doctype = om.Document()->docGetDocType();
  EXPECT_EQ(names(doctype), "ext a b c ");
  ASSERT_NE(doctype->ExternalSubset(), nullptr);
  EXPECT_EQ(names(doctype->ExternalSubset()), "more a m d ");
  EXPECT_TRUE(om.ValidateDocument());

  // The written internal subset holds the entity's declarations where its
  // reference stood.
  const std::string written = Markup(om);
  const size_t a = written.find("<!ELEMENT a"), b = written.find("<!ELEMENT b"), c = written.find("<!ELEMENT c");
  EXPECT_TRUE(a < b && b < c && c != std::string::npos) << written;

  // The handler may read another file instead, or nothing.
  for (const std::string& replacement : {std::string("moved.ent"), std::string()}) {
    om.OnDTDExternal = [&](TObject*, WideString& location) {
      if (location == u"ext.ent") location = Utf8ToWide(replacement);
    };
    ASSERT_TRUE(om.LoadDataSource(doc.u16string())) << om.GetErrorMsg(0);
    EXPECT_EQ(names(om.Document()->docGetDocType()), replacement.empty() ? "ext a c " : "ext a b c ");
  }

  // A parameter entity outside the document's folder reads nothing and
  // the error list says why.
  om.OnDTDExternal = nullptr;
  const fs::path out = dir.write("d/out.xml", "<!DOCTYPE a [<!ENTITY % o SYSTEM '../outside.ent'>%o;]><a/>");
  EXPECT_FALSE(om.LoadDataSource(out.u16string()));
  EXPECT_NE(om.GetErrorMsg(0).find("External resource not loaded (resolver policy): ../outside.ent"),
            std::string::npos)
      << om.GetErrorMsg(0);
}

TEST(XpParser, HostileInputFailsWithTheLimitsText) {
  std::string laughs = "<!DOCTYPE a [<!ENTITY l0 'lol'>";
  for (int i = 1; i < 10; ++i)
    laughs += "<!ENTITY l" + std::to_string(i) + " '" + [&] {
      std::string s;
      for (int k = 0; k < 10; ++k) s += "&l" + std::to_string(i - 1) + ";";
      return s;
    }() + "'>";
  const std::string big(100000, 'x');
  std::string quadratic = "<!DOCTYPE a [<!ENTITY big '" + big + "'>]><a>";
  for (int i = 0; i < 100000; ++i) quadratic += "&big;";
  quadratic += "</a>";
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<e>";
  struct Case {
    std::string doc;
    const char* error;
  } cases[] = {
      {laughs + "]><a>&l9;</a>", "Entity expansion exceeds 1000000 characters at entity l"},
      {laughs + "]><a v='&l9;'/>", "Entity expansion exceeds 1000000 characters at entity l"},
      {quadratic, "characters at entity big"},
      {deep, "Elements nested deeper than 256 levels"},
      {"<" + std::string(60000, 'n') + "/>", "Name longer than 50000 characters"},
  };
  for (const Case& c : cases) {
    TXpObjModel om(nullptr);
    EXPECT_FALSE(Load(om, c.doc));
    ASSERT_EQ(om.ErrorCount(), 1);
    EXPECT_NE(om.GetErrorMsg(0).find(c.error), std::string::npos) << om.GetErrorMsg(0);
  }
}

TEST(XpParser, DepthLimitCountsTheRootAsOne) {
  for (int depth : {256, 257}) {
    std::string doc;
    for (int i = 0; i < depth; ++i) doc += "<e>";
    for (int i = 0; i < depth; ++i) doc += "</e>";
    TXpObjModel om(nullptr);
    EXPECT_EQ(Load(om, doc), depth == 256) << depth;
  }
}

TEST(XpParser, ManyAttributesParseAndDuplicatesAmongThemAreFound) {
  std::string doc = "<a";
  for (int i = 0; i < 50000; ++i) doc += " a" + std::to_string(i) + "='v'";
  TXpParser parser(nullptr);
  int32_t count = 0;
  parser.OnAttribute = [&](TObject*, const WideString&, const WideString&, bool) { ++count; };
  const std::string ok = doc + "/>";
  ASSERT_TRUE(parser.ParseMemory(ok.data(), static_cast<int32_t>(ok.size()))) << parser.GetErrorMsg(0);
  EXPECT_EQ(count, 50000);
  const std::string dup = doc + " a49999='w'/>";
  EXPECT_FALSE(parser.ParseMemory(dup.data(), static_cast<int32_t>(dup.size())));
  EXPECT_NE(parser.GetErrorMsg(0).find("Attributes cannot be redefined"), std::string::npos);

  // The tree holds them all, in order.
  std::string small = "<a";
  for (int i = 0; i < 2000; ++i) small += " a" + std::to_string(i) + "='v'";
  TXpObjModel om(nullptr);
  ASSERT_TRUE(Load(om, small + "/>"));
  EXPECT_EQ(om.DocumentElement()->Attributes()->nmGetLength(), 2000);
  EXPECT_EQ(om.DocumentElement()->Attributes()->Item(1999)->NodeName(), u"a1999");
}

TEST(XpParser, ResolverPolicyKeepsOutsideFilesOut) {
  kel::test::TempDir dir;
  dir.write("secret.txt", "geheim");
  const fs::path doc = dir.write("d/doc.xml", "<!DOCTYPE a [<!ENTITY s SYSTEM '../secret.txt'>]><a>&s;</a>");
  TXpObjModel om(nullptr);
  EXPECT_FALSE(om.LoadDataSource(doc.u16string()));
  ASSERT_EQ(om.ErrorCount(), 1);
  EXPECT_NE(om.GetErrorMsg(0).find("External resource not loaded (resolver policy): ../secret.txt"),
            std::string::npos)
      << om.GetErrorMsg(0);
  // A document from memory has no folder: nothing external is read.
  EXPECT_FALSE(Load(om, "<!DOCTYPE a SYSTEM 'x.dtd'><a/>"));

  TXpParser parser(nullptr);
  parser.ResolverPolicy = rpLocal;
  EXPECT_TRUE(parser.ParseDataSource(doc.string())) << parser.GetErrorMsg(0);
}

TEST(XpParser, TrackedNamesAndStyleSheets) {
  TXpObjModel om(nullptr);
  om.SetTrackElements(true);
  om.SetTrackAttributes(true);
  ASSERT_TRUE(Load(om, "<?xml-stylesheet href='s.xsl'?><r b='1'><q a='2'/><q/></r>"));
  ASSERT_EQ(om.ElementList().Count(), 2);
  EXPECT_EQ(om.ElementList().Strings(0), "q");
  EXPECT_EQ(om.ElementList().Strings(1), "r");
  EXPECT_EQ(om.AttributeList().Count(), 2);
  ASSERT_EQ(om.StyleSheets().nlGetLength(), 1);
  EXPECT_EQ(om.StyleSheets().Item(0)->ParentNode(), om.Document());
}

namespace {

// A document of head, `count` copies of `fill` and tail, made up as it is
// read, so that a huge one costs no memory; it counts the bytes read.
class TMadeUpStream : public TStream {
public:
  TMadeUpStream(std::string head, std::string fill, int64_t count, std::string tail)
      : FHead(std::move(head)), FFill(std::move(fill)), FTail(std::move(tail)),
        FSize(static_cast<int64_t>(FHead.size() + FTail.size()) + count * static_cast<int64_t>(FFill.size())) {}
  int32_t Read(void* buffer, int32_t count) override {
    auto* out = static_cast<char*>(buffer);
    int32_t n = 0;
    const int64_t fillEnd = FSize - static_cast<int64_t>(FTail.size());
    for (; n < count && FPos < FSize; ++n, ++FPos) {
      const int64_t head = static_cast<int64_t>(FHead.size());
      out[n] = FPos < head ? FHead[FPos]
               : FPos < fillEnd ? FFill[(FPos - head) % static_cast<int64_t>(FFill.size())]
                                : FTail[FPos - fillEnd];
    }
    return n;
  }
  int32_t Write(const void*, int32_t) override { return 0; }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    FPos = origin == soBeginning ? offset : origin == soCurrent ? FPos + offset : FSize + offset;
    return FPos;
  }
  void SetSize(int64_t) override {}
  int64_t BytesRead() const { return FPos; }

private:
  std::string FHead, FFill, FTail;
  int64_t FSize;
  int64_t FPos = 0;
};

}  // namespace

TEST(XpParser, LimitsRefuseWhileTheInputIsRead) {
  // Each limit set low: a document just within it loads, one character more
  // is refused, and a gigabyte beyond it is refused after reading little
  // more than the limit.
  constexpr int32_t kLimit = 3000;
  // `within`: copies of the fill that keep the text or name at the limit
  // (the head may add a character of its own).
  struct Case {
    const char* what;
    std::string head, fill, tail;
    int64_t within;
    const char* error;
  } cases[] = {
      {"text", "<a>", "x", "</a>", kLimit, "Text longer than 3000 characters"},
      {"text after a reference", "<a>&#65;", "x", "</a>", kLimit - 1, "Text longer than 3000 characters"},
      {"attribute value", "<a v='", "x", "'/>", kLimit, "Text longer than 3000 characters"},
      {"attribute value with a TAB", "<a v='\t", "x", "'/>", kLimit - 1, "Text longer than 3000 characters"},
      {"comment", "<a><!--", "x", "--></a>", kLimit, "Text longer than 3000 characters"},
      {"processing instruction", "<a><?pi ", "x", "?></a>", kLimit, "Text longer than 3000 characters"},
      {"CDATA section", "<a><![CDATA[", "x", "]]></a>", kLimit, "Text longer than 3000 characters"},
      {"element name", "<a", "n", "/>", kLimit - 1, "Name longer than 3000 characters"},
      {"attribute name", "<a b", "n", "='1'/>", kLimit - 1, "Name longer than 3000 characters"},
  };
  for (const Case& c : cases) {
    for (int64_t count : {c.within, c.within + 1, int64_t{1} << 30}) {
      TXpParser parser(nullptr);
      parser.MaxTextLength = kLimit;
      parser.MaxNameLength = kLimit;
      TMadeUpStream in(c.head, c.fill, count, c.tail);
      const bool ok = parser.ParseStream(in);
      if (count == c.within) {
        EXPECT_TRUE(ok) << c.what << ": " << parser.GetErrorMsg(0);
        continue;
      }
      ASSERT_FALSE(ok) << c.what << " " << count;
      EXPECT_NE(parser.GetErrorMsg(0).find(c.error), std::string::npos) << c.what << ": " << parser.GetErrorMsg(0);
      EXPECT_LT(in.BytesRead(), 64 * 1024) << c.what;
    }
  }
}

TEST(XpParser, CharactersSplitAcrossPiecesDecodeWhole) {
  // Pieces of 1025 bytes after a first piece of 4096: every offset of the
  // characters around the first two piece ends, in UTF-8 and in UTF-16 of
  // both byte orders, with a CR LF pair split as well.
  const std::u16string special = u"\u00E9\u20AC\U0001F600\r\n\u00FC";
  const std::u16string expectedSpecial = u"\u00E9\u20AC\U0001F600\n\u00FC";
  auto utf16 = [](const std::u16string& s, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : s) {
      const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
      out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
  };
  for (int encoding = 0; encoding < 3; ++encoding) {
    const int unit = encoding == 0 ? 1 : 2;
    std::vector<int32_t> offsets;
    for (int32_t end : {4096, 4096 + 1025})
      for (int32_t d = -12; d <= 4; ++d) offsets.push_back((end + d) / unit);
    for (int32_t offset : offsets) {
      const std::u16string text = std::u16string(static_cast<size_t>(offset), u'x') + special + std::u16string(3000, u'y');
      const std::u16string doc = u"<a>" + text + u"</a>";
      const std::string bytes = encoding == 0 ? WideToUtf8(doc) : utf16(doc, encoding == 2);
      TXpParser parser(nullptr);
      parser.SetBufferSize(1025);
      parser.SetNormalizeData(false);
      std::u16string got;
      parser.OnCharData = [&](TObject*, const WideString& v) { got += v; };
      ASSERT_TRUE(parser.ParseMemory(bytes.data(), static_cast<int32_t>(bytes.size())))
          << encoding << " " << offset << ": " << parser.GetErrorMsg(0);
      EXPECT_EQ(got, std::u16string(static_cast<size_t>(offset), u'x') + expectedSpecial + std::u16string(3000, u'y'))
          << encoding << " " << offset;
    }
  }
  // A character cut off by the end of the input is refused, wherever the
  // pieces end.
  const std::string cutUtf8 = "<a>" + std::string(5000, ' ') + "\xE2\x82";
  const std::string cutUtf16 = utf16(u"<a>" + std::u16string(5000, u' '), false) + std::string("\x3D\xD8", 2);
  for (const std::string& doc : {cutUtf8, cutUtf16}) {
    TXpParser parser(nullptr);
    parser.SetBufferSize(1025);
    EXPECT_FALSE(parser.ParseMemory(doc.data(), static_cast<int32_t>(doc.size())));
  }
}
