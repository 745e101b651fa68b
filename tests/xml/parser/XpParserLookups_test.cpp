#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "xml/dom/XpExceptions.h"
#include "xml/parser/XpParser.h"
#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;

namespace {

std::string U(const WideString& s) { return WideToUtf8(s); }

// Parses `text` and runs `inspect` when the document type declaration has
// been read (the declarations are kept only during the parse).
bool ParseThen(TXpParser& parser, const std::string& text, const std::function<void()>& inspect) {
  parser.OnDTDEnd = [&](TObject*) { inspect(); };
  const bool ok = parser.ParseMemory(text.data(), static_cast<int32_t>(text.size()));
  parser.OnDTDEnd = nullptr;
  return ok;
}

}  // namespace

TEST(XpParserLookups, EntityIdsAndNotationsOfGeneralEntities) {
  TXpParser parser(nullptr);
  std::vector<std::string> seen;
  ASSERT_TRUE(ParseThen(parser,
                        "<!DOCTYPE a [\n"
                        "<!NOTATION gif SYSTEM 'viewer'>\n"
                        "<!ENTITY pub PUBLIC '-//K//Text' 'p.ent'>\n"
                        "<!ENTITY img SYSTEM 'i.gif' NDATA gif>\n"
                        "<!ENTITY int 'inside'>\n"
                        "<!ENTITY % pe SYSTEM 'pe.ent'>\n"
                        "]><a/>",
                        [&] {
                          // The parameter entity is in its own name space.
                          for (const char16_t* name : {u"pub", u"img", u"int", u"pe", u"none"})
                            seen.push_back(U(name) + ":" + U(parser.GetEntityPublicId(name)) + "|" +
                                           U(parser.GetEntitySystemId(name)) + "|" +
                                           U(parser.GetEntityNotationName(name)));
                        }))
      << parser.GetErrorMsg(0);
  EXPECT_EQ(seen, (std::vector<std::string>{"pub:-//K//Text|p.ent|", "img:|i.gif|gif", "int:||", "pe:||",
                                            "none:||"}));
}

TEST(XpParserLookups, ElementIndexesContentTypesAndAttributeDefinitions) {
  TXpParser parser(nullptr);
  bool inspected = false;
  ASSERT_TRUE(ParseThen(parser,
                        "<!DOCTYPE a [\n"
                        "<!ENTITY int 'inside'>\n"
                        "<!ELEMENT a (b)*>\n"
                        "<!ATTLIST b x (p|q) 'p' y CDATA #IMPLIED z NMTOKEN '  t1  '>\n"
                        "<!ATTLIST c w CDATA '&int;&#33;'>\n"
                        "<!ELEMENT b EMPTY>\n"
                        "]><a/>",
                        [&] {
                          inspected = true;
                          // Records are numbered as they are made: b and c by their
                          // attribute lists.
                          EXPECT_EQ(parser.GetElementIndexOf(u"a"), 0);
                          EXPECT_EQ(parser.GetElementIndexOf(u"b"), 1);
                          EXPECT_EQ(parser.GetElementIndexOf(u"c"), 2);
                          EXPECT_EQ(parser.GetElementIndexOf(u"d"), -1);
                          EXPECT_EQ(parser.GetElementContentType(u"a", 0), 4);
                          EXPECT_EQ(parser.GetElementContentType(u"b", 1), 2);
                          EXPECT_EQ(parser.GetElementContentType(u"c", 2), 0);
                          EXPECT_EQ(parser.GetElementContentType(u"a", -1), 0);

                          EXPECT_EQ(parser.DeclaredAttributes(u"a", 0), nullptr);
                          const auto* attrs = parser.DeclaredAttributes(u"b", 1);
                          ASSERT_NE(attrs, nullptr);
                          std::string names;
                          for (const TXpAttributeInfo& def : *attrs) names += U(def.Name);
                          EXPECT_EQ(names, "xyz");
                          // A name and an index that do not belong together answer nothing.
                          EXPECT_EQ(parser.DeclaredAttributes(u"a", 1), nullptr);
                          EXPECT_EQ(parser.DeclaredAttributes(u"b", 7), nullptr);

                          const struct {
                            const char16_t* Element;
                            const char16_t* Attribute;
                            int32_t Type;
                            const char* Expanded;
                          } cases[] = {
                              {u"b", u"x", 9, "p"},  {u"b", u"y", 1, ""},        {u"b", u"z", 7, "t1"},
                              {u"c", u"w", 1, "inside!"}, {u"b", u"none", 0, ""}, {u"d", u"x", 0, ""},
                          };
                          for (const auto& c : cases) {
                            EXPECT_EQ(parser.GetAttributeDefaultValueType(c.Element, c.Attribute), c.Type)
                                << U(c.Element) << " " << U(c.Attribute);
                            EXPECT_EQ(U(parser.GetAttributeExpandedValue(
                                          c.Element, c.Attribute, parser.GetElementIndexOf(c.Element))),
                                      c.Expanded)
                                << U(c.Element) << " " << U(c.Attribute);
                          }
                          EXPECT_EQ(U(parser.GetAttributeExpandedValue(u"c", u"w", 1)), "");
                        }))
      << parser.GetErrorMsg(0);
  EXPECT_TRUE(inspected);
}

TEST(XpParserLookups, DeclaredEntitiesAndNotationsTakePartInTheParseAndTheFirstDeclarationWins) {
  kel::test::TempDir dir;
  dir.write("decl.ent", "<!ELEMENT a (#PCDATA)><!ATTLIST a from CDATA 'decl'>");
  const fs::path doc = dir.write("doc.xml",
                                 "<!DOCTYPE a [\n"
                                 "<!NOTATION gif SYSTEM 'from-dtd'>\n"
                                 "<!ENTITY gruss 'Servus'>\n"
                                 "%pext;\n"
                                 "%pint;\n"
                                 "]><a>&gruss;</a>");
  TXpParser parser(nullptr);
  std::vector<std::string> notations;
  parser.OnDTDNotation = [&](TObject*, const WideString& n, const WideString&, const WideString& s) {
    notations.push_back(U(n) + " " + U(s));
  };
  parser.OnDTDStart = [&](TObject*, const WideString&, const WideString&, const WideString&) {
    parser.SetInternalEntity(u"gruss", u"Hallo", false);
    parser.SetInternalEntity(u"gruss", u"ignored", false);
    parser.SetInternalEntity(u"pint", u"<!ATTLIST a to CDATA 'pint'>", true);
    // An external parameter entity stays a parameter entity.
    parser.SetEntity(u"pext", 3, true, WideString(), WideString(), u"decl.ent", WideString());
    parser.SetExternalDataEntity(u"bild", u"", u"b.gif", u"gif");
    parser.SetExternalTextEntity(u"kap", u"-//K//Kap", u"kap.xml");
    parser.SetNotation(u"gif", u"", u"viewer");
    parser.SetNotation(u"gif", u"", u"again");
  };
  std::vector<std::string> checks, text, attrs;
  parser.OnDTDEnd = [&](TObject*) {
    checks.push_back(std::to_string(parser.GetEntityType(u"gruss", false)) +
                     std::to_string(parser.GetEntityType(u"pint", false)) +
                     std::to_string(parser.GetEntityType(u"pint", true)) +
                     std::to_string(parser.GetEntityType(u"pext", true)) +
                     std::to_string(parser.GetEntityType(u"bild", false)) +
                     std::to_string(parser.GetEntityType(u"kap", false)));
    checks.push_back(U(parser.GetEntityNotationName(u"bild")) + " " + U(parser.GetEntityPublicId(u"kap")));
  };
  parser.OnCharData = [&](TObject*, const WideString& v) { text.push_back(U(v)); };
  parser.OnAttribute = [&](TObject*, const WideString& n, const WideString& v, bool) {
    attrs.push_back(U(n) + "=" + U(v));
  };
  ASSERT_TRUE(parser.ParseDataSource(WideToAnsi(doc.u16string()))) << parser.GetErrorMsg(0);
  EXPECT_EQ(notations, (std::vector<std::string>{"gif viewer"}));
  EXPECT_EQ(checks, (std::vector<std::string>{"101323", "gif -//K//Kap"}));
  EXPECT_EQ(text, (std::vector<std::string>{"Hallo"}));
  EXPECT_EQ(attrs, (std::vector<std::string>{"from=decl", "to=pint"}));
}

TEST(XpParserLookups, ExternalTextEntityValuesAreResolvedLoadedAndBoundedByThePolicy) {
  kel::test::TempDir dir;
  dir.write("d/plain.ent", "plain text");
  dir.write("d/decl.ent", "<?xml encoding='UTF-8'?>after the declaration");
  dir.write("outside.ent", "never read");
  const fs::path doc = dir.write("d/doc.xml", "<!DOCTYPE a []><a/>");
  TXpParser parser(nullptr);
  parser.OnResolveEntity = [](TObject*, const WideString& name, const WideString&, const WideString&,
                              WideString& location) {
    if (name == u"moved") location = u"plain.ent";
    if (name == u"gone") location.clear();
  };
  std::vector<std::string> values;
  parser.OnDTDEnd = [&](TObject*) {
    for (const char16_t* name : {u"plain", u"decl", u"moved", u"gone", u"outside", u"missing"}) {
      const WideString file = name == std::u16string(u"outside") ? u"../outside.ent"
                              : name == std::u16string(u"missing")
                                  ? u"missing.ent"
                                  : WideString(name) + u".ent";
      try {
        values.push_back(U(parser.GetExternalTextEntityValue(name, WideString(), file)));
      } catch (const EXpParserError&) {
        values.push_back("error");
      }
    }
  };
  ASSERT_TRUE(parser.ParseDataSource(WideToAnsi(doc.u16string()))) << parser.GetErrorMsg(0);
  EXPECT_EQ(values, (std::vector<std::string>{"plain text", "after the declaration", "plain text", "", "error",
                                              "error"}));
}
