#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "classlib/AnsiString.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpObjModel.h"
#include "xml/dom/XpBase.h"
#include "xml/xpath/XpValue.h"
#include "xml/xpath/XpXPathEvaluator.h"
#include "xml/xpath/XpXPathException.h"
#include "xml/xpath/XpXPathParser.h"
#include "xml/xpath/XpXqlToken.h"

namespace {

const char kDoc[] =
    R"(<r xml:lang="en-US"><a n="1">x</a><a n="2">y</a><b>xy</b><p>10.0</p><div>d</div>)"
    R"(<c><a n="3">x</a></c></r>)";

struct Loaded {
  TXpObjModel Model{nullptr};
  explicit Loaded(const std::string& text) {
    Model.SetRaiseErrors(true);
    Model.LoadMemory(text.data(), static_cast<int32_t>(text.size()));
  }
  TXpDocument* Doc() { return Model.Document(); }
};

std::vector<int32_t> Codes(const std::u16string& expression) {
  TXpXPathParser parser;
  parser.Tokenize(expression);
  std::vector<int32_t> codes;
  for (int32_t i = 0; i < parser.TokenList().Length(); ++i)
    codes.push_back(static_cast<TXpXqlToken*>(parser.TokenList().Item(i))->Token());
  return codes;
}

// The result as "<type>:<text>": b, n, s or set:<count>:<first node's text>.
std::string Eval(TXpNode* node, const std::string& expression) {
  std::unique_ptr<TXpValue> v = node->Select(Utf8ToWide(expression));
  if (!v) return "none";
  switch (v->ValueType()) {
    case xpetBoolean: return "b:" + WideToUtf8(v->GetAsString());
    case xpetNumber: return "n:" + WideToUtf8(v->GetAsString());
    case xpetString: return "s:" + WideToUtf8(v->GetAsString());
    case xpetNodeSet: {
      const TXpNodeList* list = v->GetAsNodeSet();
      return "set:" + std::to_string(list->Length()) + ":" +
             (list->Length() ? WideToUtf8(node->SelectString(Utf8ToWide(expression))) : "");
    }
    default: return "unknown";
  }
}

}  // namespace

TEST(XPathTokenizer, TokenCodes) {
  using V = std::vector<int32_t>;
  const struct {
    const char16_t* Expression;
    V Codes;
  } cases[] = {
      {u"a!=b", V{3, 45, 3}},
      {u"a!b", V{3, 25, 3}},
      {u"a $eq$ b", V{3, 44, 3}},
      {u"a = b", V{3, 44, 3}},
      {u"a <> b", V{3, 45, 3}},
      {u"$var", V{219}},
      {u"pi()", V{102, 22, 23}},
      {u"processing-instruction('x')", V{102, 22, 2, 23}},
      {u"foo(1)", V{224, 22, 1, 23}},
      {u"child::a", V{173, 3}},
      {u"child :: a", V{173, 3}},
      {u"child ::a", V{173, 3}},
      {u"child::\n a", V{173, 3}},
      {u"ancestor-or-self\t::x", V{171, 3}},
      {u"\u0132a:\U00010400b", V{3}},
      {u"\u2C30_\u203F", V{3}},
      {u"1-1", V{1, 6, 1}},
      {u"1.5 .5", V{1, 1}},
      {u"~x~", V{2}},
      {u"div div div", V{3, 8, 3}},
      {u"* * *", V{20, 20, 20}},
      {u"count(a) quo 2", V{80, 22, 3, 23, 203, 1}},
      {u"$ieq$ $ine$ $ilt$ $ile$ $igt$ $ige$ $intersect$ $union$", V{52, 53, 54, 55, 56, 57, 51, 50}},
      {u"a//b/..", V{3, 26, 3, 25, 28}},
      {u"text() comment() node()", V{100, 22, 23, 101, 22, 23, 105, 22, 23}},
      {u"ancestor-or-self::x", V{171, 3}},
      {u"@*", V{4, 20}},
  };
  for (const auto& c : cases) EXPECT_EQ(Codes(c.Expression), c.Codes) << WideToUtf8(c.Expression);
}

TEST(XPathTokenizer, Failures) {
  try {
    Codes(u"kid::a");
    FAIL();
  } catch (const TXpXPathException& e) {
    EXPECT_STREQ(e.what(), "Unknown axis specifier: kid::");
  }
  EXPECT_THROW(Codes(u"'open"), TXpDOMException);
  // A character that starts no token is a syntax error, never skipped;
  // blanks split a name.
  for (const char16_t* bad : {u"a#b", u"count(//a)#", u"1 ; 2", u"a\\b", u"\u203Fa", u"a : b"}) {
    try {
      Codes(bad);
      ADD_FAILURE() << WideToUtf8(bad) << " raised nothing";
    } catch (const TXpDOMException& e) {
      EXPECT_EQ(e.Code(), ecExpectedToken) << WideToUtf8(bad);
    }
  }
  EXPECT_THROW(Codes(u"1 $plus$ 2"), TXpXPathException);
}

TEST(XPathEval, Table) {
  Loaded l(kDoc);
  const struct {
    const char* Expression;
    const char* Result;
  } cases[] = {
      {"/r/a='y'", "b:true"},
      {"/r/a=\"xy\"", "b:false"},
      {"count(//a|//a)", "n:3"},
      {"count(//a/..)", "n:2"},
      {"string(//b|//a)", "s:x"},
      {"name(//*[3])", "s:b"},
      {"1 div 0", "n:Infinity"},
      {"-1 div 0", "n:-Infinity"},
      {"5 mod 0", "n:NaN"},
      {"5.5 mod 2", "n:1.5"},
      {"-5 mod 2", "n:-1"},
      {"round(2.5)", "n:3"},
      {"round(-2.5)", "n:-2"},
      {"round(0.49999999999999994)", "n:0"},
      {"round(4503599627370497)", "n:4503599627370497"},
      {"round(-4503599627370497)", "n:-4503599627370497"},
      {"round(-1.5)", "n:-1"},
      {"1 div round(-0.5)", "n:-Infinity"},
      {"1 div round(-0)", "n:-Infinity"},
      {"round(1 div 0)", "n:Infinity"},
      {"round(0 div 0)", "n:NaN"},
      {"substring(\"12345\",1.5,2.6)", "s:234"},
      {"substring(\"12345\",0,3)", "s:12"},
      {"sum(//a/@n)", "n:6"},
      {"not(//nothing)", "b:true"},
      {"translate(\"abcabc\",\"abc\",\"AB\")", "s:ABAB"},
      {"1+'abc'", "n:NaN"},
      {"system-property('xsl:vendor')", "s:Quendarvil Software Company"},
      {"system-property('xsl:version')", "n:1"},
      {"count(//a[lang('en')])", "n:3"},
      {"count(//a[lang('EN-us')])", "n:3"},
      {"count(//a[lang('e')])", "n:0"},
      {"lang('en')", "b:false"},
      {"generate-id(/r/a[2])", "s:x1.2"},
      {"generate-id(//nothing)", "s:"},
      {"generate-id(/)", "s:"},
      {"generate-id(//@n)", "s:"},
      {"generate-id(//text())", "s:"},
      {"count(/r/child :: a)", "n:2"},
      {"//p > 9", "b:true"},
      {"//a = 2", "b:false"},
      {"//a/@n = 2", "b:true"},
      {"//a != //a", "b:true"},
      {"//b = //a", "b:false"},
      {"contains('abc', '')", "b:true"},
      {"starts-with('abc', '')", "b:true"},
      {"substring-before('abc', 'x')", "s:"},
      {"substring-after('abc', 'b')", "s:c"},
      {"normalize-space('  a   b ')", "s:a b"},
      {"string-length('\xF0\x9F\x98\x80x')", "n:2"},
      {"count(//a[1])", "n:2"},
      {"count((//a)[1])", "n:1"},
      {"string(//a[last()])", "s:y"},
      {"string(/r/*[position() = last()]/a/@n)", "s:3"},
      {"string(//c/a/ancestor::*[1]/a)", "s:x"},
      {"name(//c/a/ancestor::*[last()])", "s:r"},
      {"name(//c/preceding-sibling::*[1])", "s:div"},
      {"name(//b/preceding::*[1])", "s:a"},
      {"name(//b/following::*[2])", "s:div"},
      {"count(//b/following::a)", "n:1"},
      {"count(//c/a/preceding::a)", "n:2"},
      {"count(//@*)", "n:4"},
      {"count(/r/node())", "n:6"},
      {"count(//text())", "n:6"},
      {"count(/descendant::node())", "n:14"},
      {"count(//a/self::a)", "n:3"},
      {"count(//a[@n > 1])", "n:2"},
      {"//a[2]/@n * 3", "n:6"},
      {"number('  12.5 ')", "n:12.5"},
      {"number('1e3')", "n:NaN"},
      {"boolean('false')", "b:true"},
      {"0.1 + 0.2", "n:0.30000000000000004"},
      {"floor(-1.5)", "n:-2"},
      {"ceiling(1.2)", "n:2"},
      {"concat('a', 1, true())", "s:a1true"},
      {"count()", "n:0"},
      // The library's extras.
      {"/r/a $eq$ 'y'", "b:true"},
      {"/r!b", "set:1:xy"},
      {"1 <> 2", "b:true"},
      {"~tilde~", "s:tilde"},
      {"7 quo 2", "n:3"},
      {"-7 quo 2", "n:-3"},
      {"'ABC' $ieq$ 'abc'", "b:true"},
      {"'ABC' $ine$ 'abc'", "b:false"},
      // Ä and Š against ä and š (UTF-8): letters beyond Latin-1 fold too.
      {"'\xC3\x84\xC5\xA0' $ieq$ '\xC3\xA4\xC5\xA1'", "b:true"},
      {"'a' $ilt$ 'B'", "b:true"},
      {"10 $igt$ 9", "b:true"},
      {"count(//a $intersect$ /r/a)", "n:2"},
      {"count(//a $union$ //b)", "n:4"},
      {"1 $sum$ 2 $mul$ 3", "n:7"},
      {"5 $diff$ 2", "n:3"},
      {"'a' $concat$ 'b'", "s:ab"},
      {"$not$(1 = 2)", "b:true"},
      {"count(//pi())", "n:0"},
  };
  TXpNode* doc = l.Doc();
  for (const auto& c : cases) {
    try {
      EXPECT_EQ(Eval(doc, c.Expression), c.Result) << c.Expression;
    } catch (const std::exception& e) {
      ADD_FAILURE() << c.Expression << ": " << e.what();
    }
  }
}

TEST(XPathQuery, SelectOperations) {
  Loaded l(kDoc);
  TXpElement* r = l.Doc()->DocumentElement();
  EXPECT_EQ(r->SelectNodes(u"")->Length(), 0);
  EXPECT_EQ(r->SelectSingleNode(u""), nullptr);
  EXPECT_EQ(r->Select(u""), nullptr);
  EXPECT_EQ(r->SelectString(u""), u"");
  EXPECT_EQ(r->SelectNumber(u""), 0);
  EXPECT_FALSE(r->SelectBoolean(u""));
  EXPECT_EQ(r->SelectInteger(u""), 0);

  // A plain name gives exactly the children of that name, not the nested one.
  std::unique_ptr<TXpNodeList> as = r->SelectNodes(u"a");
  ASSERT_EQ(as->Length(), 2);
  EXPECT_EQ(as->Item(0)->ParentNode(), r);
  EXPECT_EQ(r->SelectSingleNode(u"/"), l.Doc());
  EXPECT_EQ(r->SelectSingleNode(u"c/a")->ParentNode()->NodeName(), u"c");
  EXPECT_EQ(r->SelectSingleNode(u"nothing"), nullptr);
  // A result that is no node set gives no nodes.
  EXPECT_EQ(r->SelectNodes(u"count(a)")->Length(), 0);
  // Node sets come out in document order, whatever the expression's order.
  std::unique_ptr<TXpNodeList> mixed = r->SelectNodes(u"c/a | b | a[1] | //a[2]");
  std::u16string names;
  for (int32_t i = 0; i < mixed->Length(); ++i) names += XpStringValue(mixed->Item(i));
  EXPECT_EQ(names, u"xyxyx");
  std::unique_ptr<TXpNodeList> reverse = r->SelectNodes(u"c/a/preceding::*");
  EXPECT_EQ(reverse->Item(0)->NodeName(), u"a");
  EXPECT_EQ(reverse->Item(reverse->Length() - 1)->NodeName(), u"div");

  EXPECT_EQ(r->SelectString(u"a"), u"x");
  EXPECT_EQ(r->SelectNumber(u"p"), 10);
  EXPECT_TRUE(std::isnan(r->SelectNumber(u"b")));
  EXPECT_TRUE(r->SelectBoolean(u"c/a"));
  EXPECT_EQ(r->SelectInteger(u"sum(//@n) * 2.9"), 17);
  EXPECT_EQ(r->SelectInteger(u"1 div 0"), 0);

  // The context list supplies position() and last().
  std::unique_ptr<TXpNodeList> context = r->SelectNodes(u"a");
  TXpNode* second = context->Item(1);
  EXPECT_EQ(second->SelectStringContext(u"concat(position(), '/', last())", context.get()), u"2/2");
  EXPECT_EQ(second->SelectNumberContext(u"last()", context.get()), 2);
  EXPECT_TRUE(second->SelectBooleanContext(u"position() = 2", context.get()));
  EXPECT_FALSE(second->SelectBoolean(u"position() = 2"));

  // TXpValue: the caller's copy of a node set, and its conversions.
  std::unique_ptr<TXpValue> v = r->Select(u"//a");
  ASSERT_EQ(v->ValueType(), xpetNodeSet);
  std::unique_ptr<TXpValue> copy = v->Clone();
  v->Clear();
  EXPECT_EQ(v->GetAsNodeSet(), nullptr);
  EXPECT_EQ(copy->GetAsNodeSet()->Length(), 3);
  EXPECT_EQ(copy->GetAsString(), u"xyx");
  copy->SetString(u"true");
  EXPECT_EQ(copy->GetAsNumber(), 1);
  copy->SetNumber(std::nan(""));
  EXPECT_FALSE(copy->GetAsBoolean());
}

TEST(XPathQuery, Errors) {
  Loaded l(kDoc);
  TXpNode* doc = l.Doc();
  const struct {
    const char16_t* Expression;
    const char* Message;  // null: a syntax error (ecExpectedToken)
  } cases[] = {
      {u"element-available('x')", "No handler specified for element-available() function."},
      {u"document('x.xml')", "No handler specified for document() function."},
      {u"key('k', 'v')", "No handler specified for key() function."},
      {u"7 quo 0", "Division by zero in quo"},
      {u"$undefined", "Variable $undefined is not defined"},
      {u"count(1)", "Node set expected for count()"},
      {u"'a' | //b", "Node set expected for the union operator"},
      {u"'a'/b", "Node set expected for a predicate or a location step"},
      {u"unparsed-entity-uri('e')", "No DTD in document for unparsed-entity-uri(e)"},
      {u"/r/", nullptr},
      {u"1 +", nullptr},
      {u"(1", nullptr},
      {u"a[1", nullptr},
      {u"1 $to$ 2", nullptr},
      {u"{a}", nullptr},
      {u"substring('a')", nullptr},
      {u"true(1)", nullptr},
      {u"1 2", nullptr},
      {u"child::", nullptr},
      {u"@", nullptr},
  };
  for (const auto& c : cases) {
    try {
      doc->Select(c.Expression);
      ADD_FAILURE() << WideToUtf8(c.Expression) << " raised nothing";
    } catch (const TXpDOMException& e) {
      EXPECT_EQ(c.Message, nullptr) << WideToUtf8(c.Expression);
      EXPECT_EQ(e.Code(), ecExpectedToken);
    } catch (const TXpXPathException& e) {
      ASSERT_NE(c.Message, nullptr) << WideToUtf8(c.Expression) << ": " << e.what();
      EXPECT_STREQ(e.what(), c.Message) << WideToUtf8(c.Expression);
    }
  }
}

TEST(XPathQuery, NestingIsBounded) {
  Loaded l(kDoc);
  auto nested = [](int depth, const std::u16string& open, const std::u16string& close) {
    std::u16string s;
    for (int i = 0; i < depth; ++i) s += open;
    s += u"1";
    for (int i = 0; i < depth; ++i) s += close;
    return s;
  };
  EXPECT_EQ(l.Doc()->SelectNumber(nested(255, u"(", u")")), 1);
  EXPECT_EQ(l.Doc()->SelectNumber(nested(255, u"-", u"")), -1);
  EXPECT_EQ(l.Doc()->SelectNumber(nested(100, u"number(", u")")), 1);
  EXPECT_EQ(l.Doc()->SelectNumber(u"count(" + nested(200, u"r[", u"]") + u")"), 0);
  for (const auto& deep : {nested(256, u"(", u")"), nested(20000, u"(", u")"),
                           nested(20000, u"-", u""), nested(10000, u"a[", u"]")}) {
    try {
      l.Doc()->Select(deep);
      ADD_FAILURE() << "no limit";
    } catch (const TXpXPathException& e) {
      EXPECT_STREQ(e.what(), "Expression nested deeper than 256 levels");
    }
  }
  // Long chains are no nesting.
  std::u16string sum = u"0";
  for (int i = 0; i < 5000; ++i) sum += u"+1";
  EXPECT_EQ(l.Doc()->SelectNumber(sum), 5000);
}

TEST(XPathQuery, Handlers) {
  Loaded l(kDoc);
  TXpDocument* doc = l.Doc();
  TXpElement* r = doc->DocumentElement();
  doc->OnVariableLookup = [&](const std::u16string& name, TXpValue& value) {
    if (name == u"n") value.SetNumber(2);
    if (name == u"set") {
      std::unique_ptr<TXpNodeList> nodes = r->SelectNodes(u"a");
      value.SetNodeSet(nodes.get());
    }
  };
  EXPECT_EQ(r->SelectString(u"a[$n]"), u"y");
  // Nodes that only the handler's value holds live as long as the result.
  doc->OnVariableLookup = [&](const std::u16string&, TXpValue& value) {
    TXpElement* loose = doc->CreateElement(u"loose");
    loose->CreateChildText(u"free");
    TXpNodeList list;
    list.Add(loose);
    loose->Release();
    value.SetNodeSet(&list);
  };
  std::unique_ptr<TXpNodeList> loose = r->SelectNodes(u"$any");
  ASSERT_EQ(loose->Length(), 1);
  EXPECT_EQ(XpStringValue(loose->Item(0)), u"free");
  EXPECT_EQ(r->SelectString(u"$any"), u"free");
  doc->OnVariableLookup = [&](const std::u16string& name, TXpValue& value) {
    if (name == u"n") value.SetNumber(2);
    if (name == u"set") {
      std::unique_ptr<TXpNodeList> nodes = r->SelectNodes(u"a");
      value.SetNodeSet(nodes.get());
    }
  };
  EXPECT_EQ(r->SelectNumber(u"count($set/..)"), 1);
  doc->OnFunction = [](TXpNode*, const std::u16string& name, const std::vector<std::u16string>& args,
                       std::u16string& result) {
    result = name + u":";
    for (const auto& a : args) result += a + u";";
  };
  EXPECT_EQ(r->SelectString(u"my:f(1, b, 'q')"), u"my:f:1;xy;q;");
  doc->OnFunction = nullptr;
  EXPECT_EQ(r->SelectString(u"my:f(1)"), u"");
  EXPECT_FALSE(r->SelectBoolean(u"function-available('my:f')"));
  doc->OnFunctionAvailable = [](const std::u16string& name, bool& ok) { ok = name == u"my:f"; };
  EXPECT_TRUE(r->SelectBoolean(u"function-available('my:f') and function-available('sum')"));
  doc->OnCurrentNode = [&](TXpDocument*, TXpNode*& node) { node = r->SelectSingleNode(u"b"); };
  EXPECT_EQ(r->SelectString(u"current()"), u"xy");
  doc->OnSystemProperty = [](const std::u16string& name, std::u16string& value) { value = name; };
  EXPECT_EQ(r->SelectString(u"system-property('my:prop')"), u"my:prop");
  doc->OnElementAvailable = [](TXpNode*, const std::u16string& name, bool& ok) { ok = name == u"x"; };
  EXPECT_TRUE(r->SelectBoolean(u"element-available('x')"));
  doc->OnFormatNumber = [](TXpNode*, double n, const std::u16string& pattern, const std::u16string&,
                           std::u16string& out) { out = XpFloatToStr(n) + u"|" + pattern; };
  EXPECT_EQ(r->SelectString(u"format-number(1.5, '#.0')"), u"1.5|#.0");
  doc->OnKeyLookup = [&](TXpNode*, const std::u16string&, const std::u16string& value, TXpNodeList* out) {
    if (TXpNode* n = r->SelectSingleNode(u"//a[@n='" + value + u"']")) out->Add(n);
  };
  EXPECT_EQ(r->SelectString(u"key('k', '3')"), u"x");
  EXPECT_EQ(r->SelectNumber(u"count(key('k', //@n))"), 3);
  Loaded other("<o>other</o>");
  std::u16string seenBase;
  doc->OnResolveDocument = [&](TXpNode*, const std::u16string& href, const std::u16string& base,
                               TXpNode*& root) {
    seenBase = base;
    if (href == u"o.xml") root = other.Doc();
  };
  EXPECT_EQ(r->SelectString(u"document('o.xml')/o"), u"other");
  EXPECT_EQ(r->SelectNumber(u"count(document('none.xml'))"), 0);
  EXPECT_EQ(r->SelectString(u"document('o.xml', /r/b)"), u"other");
  EXPECT_EQ(seenBase, u"xy");
  EXPECT_THROW(r->Select(u"document('o.xml', 'b')"), TXpXPathException);
}

TEST(XPathQuery, IdAndUnparsedEntities) {
  Loaded l(R"(<!DOCTYPE r [<!NOTATION gif SYSTEM "viewer"><!ENTITY pic SYSTEM "pic.gif" NDATA gif>)"
           R"(<!ENTITY txt "text">]><r><e id="a1"/><e id="b2"><e id="c3"/></e></r>)");
  TXpDocument* doc = l.Doc();
  EXPECT_EQ(doc->SelectNumber(u"count(id('c3 a1 none'))"), 2);
  EXPECT_EQ(doc->SelectString(u"id('b2 a1')/@id"), u"a1");
  EXPECT_EQ(doc->SelectNumber(u"count(id(//e/@id))"), 3);
  EXPECT_EQ(doc->SelectString(u"unparsed-entity-uri('pic')"), u"pic.gif");
  EXPECT_EQ(doc->SelectString(u"unparsed-entity-uri('undeclared')"), u"");
  EXPECT_THROW(doc->Select(u"unparsed-entity-uri('txt')"), TXpXPathException);
  // The document type is no child of the root.
  EXPECT_EQ(doc->SelectNumber(u"count(/node())"), 1);
}

TEST(XPathQuery, TextRunsAndNamespaces) {
  Loaded l(R"(<r xmlns="urn:d" xmlns:p="urn:p"><p:a p:x="1" y="2">one<![CDATA[two]]>three<!--c--></p:a>)"
           R"(<?go now?></r>)");
  TXpDocument* doc = l.Doc();
  const struct {
    const char16_t* Expression;
    const char16_t* Result;
  } cases[] = {
      {u"count(//text())", u"1"},
      {u"string(//text())", u"onetwothree"},
      {u"count(/*/@*)", u"0"},
      {u"count(//@*)", u"2"},
      {u"name(//@*[1])", u"p:x"},
      {u"local-name(//@*[1])", u"x"},
      {u"namespace-uri(//@*[1])", u"urn:p"},
      {u"namespace-uri(//@*[2])", u""},
      {u"namespace-uri(/*)", u"urn:d"},
      {u"local-name(//p:*)", u"a"},
      {u"count(//p:a/namespace::*)", u"3"},
      {u"name(//processing-instruction())", u"go"},
      {u"string(//pi('go'))", u"now"},
      {u"count(//pi('stop'))", u"0"},
      {u"string(//comment())", u"c"},
      {u"count(//p:a/node())", u"2"},
  };
  for (const auto& c : cases) EXPECT_EQ(doc->SelectString(c.Expression), c.Result) << WideToUtf8(c.Expression);
}

TEST(XPathQuery, NumbersBeyondDoubles) {
  Loaded l(kDoc);
  const std::u16string big = u"1" + std::u16string(400, u'0');
  const std::u16string tiny = u"0." + std::u16string(400, u'0') + u"1";
  EXPECT_EQ(l.Doc()->SelectString(big), u"Infinity");
  EXPECT_EQ(l.Doc()->SelectString(u"-number('" + big + u"')"), u"-Infinity");
  EXPECT_EQ(l.Doc()->SelectString(u"number(' -" + big + u"')"), u"-Infinity");
  EXPECT_EQ(l.Doc()->SelectString(tiny), u"0");
}

TEST(XPathQuery, XmlDeclarationIsNoNode) {
  Loaded l(R"(<?xml version="1.0" encoding="UTF-8"?><?go now?><!--c--><r><?in here?></r>)");
  TXpDocument* doc = l.Doc();
  const struct {
    const char16_t* Expression;
    const char16_t* Result;
  } cases[] = {
      {u"count(/node())", u"3"},
      {u"name(/node()[1])", u"go"},
      {u"count(//processing-instruction())", u"2"},
      {u"count(/descendant::processing-instruction())", u"2"},
      {u"count(/descendant-or-self::node())", u"5"},
      {u"count(/processing-instruction('xml'))", u"0"},
      {u"count(/r/preceding::node())", u"2"},
      {u"count(/r/preceding-sibling::node())", u"2"},
      {u"name(/comment()/preceding-sibling::node())", u"go"},
      {u"count(/comment()/preceding::processing-instruction())", u"1"},
  };
  for (const auto& c : cases) EXPECT_EQ(doc->SelectString(c.Expression), c.Result) << WideToUtf8(c.Expression);
}

TEST(XPathQuery, NamespaceNodes) {
  const char kNamespaces[] = R"(<r xmlns="urn:d" xmlns:p="urn:p"><p:a x="1" xmlns:q="urn:q" xmlns:p="urn:p2">)"
                             R"(<b xmlns=""/></p:a></r>)";
  std::unique_ptr<TXpNodeList> kept;
  {
    Loaded l(kNamespaces);
    TXpDocument* doc = l.Doc();
    const struct {
      const char16_t* Expression;
      const char16_t* Result;
    } cases[] = {
        // Every namespace in scope, the xml namespace included; an empty
        // default undeclares.
        {u"count(/r/namespace::*)", u"3"},
        {u"count(/r/*/namespace::*)", u"4"},
        {u"count(/r/*/*/namespace::*)", u"3"},
        {u"count(//namespace::*)", u"10"},
        {u"string(/r/namespace::xml)", u"http://www.w3.org/XML/1998/namespace"},
        {u"string(/r/*/namespace::p)", u"urn:p2"},
        {u"string(/r/*/*/namespace::p)", u"urn:p2"},
        {u"count(/r/*/*/namespace::*[name() = ''])", u"0"},
        {u"name(/r/namespace::p)", u"p"},
        {u"local-name(/r/namespace::p)", u"p"},
        {u"namespace-uri(/r/namespace::p)", u""},
        // The element the namespace is in scope on is the parent, not the
        // one that declares it.
        {u"name(/r/*/*/namespace::p/..)", u"b"},
        {u"count(/r/*/*/namespace::q/parent::b)", u"1"},
        {u"count(/r/*/*/namespace::* | /r/*/*/namespace::*)", u"3"},
        {u"count(/r/@*)", u"0"},
        // Namespace nodes come after their element, before its attributes.
        {u"name((/r/* | /r/*/@x | /r/*/namespace::q)[2])", u"q"},
        {u"name((/r/*/@x | /r/*/namespace::*)[last()])", u"x"},
    };
    for (const auto& c : cases) EXPECT_EQ(doc->SelectString(c.Expression), c.Result) << WideToUtf8(c.Expression);
    kept = doc->SelectNodes(u"/r/*/*/namespace::q");
  }
  // A namespace node the caller keeps keeps its parent.
  ASSERT_EQ(kept->Length(), 1);
  EXPECT_EQ(kept->Item(0)->NodeValue(), u"urn:q");
  EXPECT_EQ(kept->Item(0)->ParentNode()->NodeName(), u"b");
}
