// Node tree: reference counts, tree operations and their errors, navigation
// in document order, attribute maps and sorting.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/AnsiString.h"
#include "xml/dom/XpAttribute.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpDocumentFragment.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpNamedNodeMap.h"
#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpTreeHelpers.h"

// Callers compare the codes as numbers.
static_assert(ecHierarchyRequestErr == 3 && ecWrongDocumentErr == 4 && ecInvalidNameErr == 5 &&
              ecNotFoundErr == 8 && ecExpectedToken == 12);

namespace {

std::string U8(const std::u16string& s) { return WideToUtf8(s); }

EXpExceptionCode CodeOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const TXpDOMException& e) {
    return e.Code();
  }
  return ecNone;
}

class NodeTree : public ::testing::Test {
protected:
  void SetUp() override { doc = new TXpDocument(); }
  void TearDown() override { doc->Release(); }

  // A root element "r" appended to the document, held by the tree alone.
  TXpElement* Root() {
    TXpElement* root = doc->CreateElement(u"r");
    doc->AppendChild(root);
    root->Release();
    return root;
  }

  // Names of the children of node, joined by blanks.
  static std::string Names(const TXpNode* node) {
    std::string out;
    for (int32_t i = 0; i < node->ChildNodes()->Length(); ++i) {
      if (!out.empty()) out += ' ';
      out += U8(node->ChildNodes()->Item(i)->NodeName());
    }
    return out;
  }

  TXpDocument* doc = nullptr;
};

TEST_F(NodeTree, ReferenceCountsFollowAppendReleaseAndRemove) {
  TXpElement* root = Root();
  TXpElement* e = doc->CreateElement(u"e");
  EXPECT_EQ(e->RefCount(), 1);
  root->AppendChild(e);
  EXPECT_EQ(e->RefCount(), 2);
  e->Release();
  EXPECT_EQ(e->RefCount(), 1);
  TXpNode* removed = root->RemoveChild(e);
  EXPECT_EQ(removed, e);
  EXPECT_EQ(e->RefCount(), 1);
  EXPECT_EQ(e->ParentNode(), nullptr);
  EXPECT_FALSE(root->HasChildNodes());
  e->Release();  // LeakSanitizer checks that nothing is left
}

TEST_F(NodeTree, ReleasingTheDocumentFreesTheTreeAndClearsParents) {
  TXpElement* root = Root();
  TXpElement* kept = root->CreateChildElement(u"kept");
  kept->AddRef();  // a reference held outside the tree
  TXpDocument* other = new TXpDocument();
  std::swap(doc, other);
  other->Release();
  EXPECT_EQ(kept->ParentNode(), nullptr);
  EXPECT_EQ(kept->RefCount(), 1);
  kept->Release();
}

// The nodes of a document share its memory, which a cleared tree hands to
// the next: nodes held outside must survive clearing, rebuilding and the
// document itself, with their subtrees and attributes.
TEST_F(NodeTree, HeldNodesSurviveClearingRebuildingAndTheDocument) {
  auto build = [this](const std::u16string& tag) {
    TXpElement* root = Root();
    for (int i = 0; i < 300; ++i) {
      TXpElement* e = root->CreateChildElement(tag);
      e->SetAttribute(u"n", tag + u" number " + Utf8ToWide(std::to_string(i)));
      e->CreateChildText(u"a text long enough to need memory of its own " + tag);
    }
    return root;
  };
  TXpElement* root = build(u"first");
  auto* kept = static_cast<TXpElement*>(root->ChildNodes()->Item(7));
  kept->AddRef();
  TXpAttribute* attr = kept->GetAttributeNode(u"n");
  attr->AddRef();
  TXpNode* removed = root->RemoveChild(root->ChildNodes()->Item(8));
  doc->RemoveAll();
  build(u"second");
  doc->RemoveAll();
  build(u"third");
  EXPECT_EQ(U8(kept->NodeName()), "first");
  EXPECT_EQ(U8(kept->GetAttribute(u"n")), "first number 7");
  EXPECT_EQ(U8(kept->Text()), "a text long enough to need memory of its own first");
  EXPECT_EQ(attr->atGetOwnerElement(), kept);
  EXPECT_EQ(U8(removed->Text()), "a text long enough to need memory of its own first");
  // What a held node takes after the clearing lives on with it.
  TXpElement* child = doc->CreateElement(u"child");
  kept->AppendChild(child);
  child->Release();
  for (int i = 0; i < 100; ++i) kept->SetAttribute(u"m" + Utf8ToWide(std::to_string(i)), u"a value of some length");
  TXpDocument* other = new TXpDocument();
  std::swap(doc, other);
  other->Release();
  EXPECT_EQ(kept->ChildNodes()->Length(), 2);
  ASSERT_EQ(kept->Attributes()->nmGetLength(), 101);
  EXPECT_EQ(U8(kept->Attributes()->Item(100)->NodeValue()), "a value of some length");
  EXPECT_EQ(U8(attr->NodeValue()), "first number 7");
  removed->Release();
  kept->Release();
  EXPECT_EQ(U8(attr->NodeValue()), "first number 7");
  attr->Release();
}

// A document that goes leaves its slabs to the next one: trees built one
// after another in reused memory read back whole, while a node of an
// earlier document, held outside, keeps its own.
TEST_F(NodeTree, DocumentsOneAfterAnotherReuseTheSlabsOfTheLast) {
  auto build = [](TXpDocument* d, int n, const std::u16string& tag) {
    TXpElement* root = d->CreateElement(u"r");
    d->AppendChild(root);
    root->Release();
    for (int i = 0; i < n; ++i) {
      TXpElement* e = root->CreateChildElement(tag);
      e->SetAttribute(u"n", Utf8ToWide(std::to_string(i)));
      e->CreateChildText(tag + u" " + Utf8ToWide(std::to_string(i)) + u" with a text of some length");
    }
  };
  auto check = [](TXpDocument* d, int n, const std::u16string& tag) {
    int i = 0;
    for (TXpNode* e = d->DocumentElement()->noGetFirstChild(); e; e = e->noGetNextSibling(), ++i) {
      if (e->NodeName() != tag || static_cast<TXpElement*>(e)->GetAttribute(u"n") != Utf8ToWide(std::to_string(i)) ||
          e->Text() != tag + u" " + Utf8ToWide(std::to_string(i)) + u" with a text of some length")
        return false;
    }
    return i == n;
  };
  XpReleaseNodeCache();
  TXpDocument* first = new TXpDocument();
  build(first, 5000, u"first");
  TXpNode* held = first->DocumentElement()->ChildNodes()->Item(4321);
  held->AddRef();
  first->Release();
  const std::u16string tags[] = {u"b", u"a-longer-name", u"c"};
  for (int round = 0; round < 6; ++round) {
    TXpDocument* d = new TXpDocument();
    const int n = 3000 + 2000 * (round % 3);
    build(d, n, tags[round % 3]);
    EXPECT_TRUE(check(d, n, tags[round % 3])) << round;
    d->Release();
    EXPECT_GT(XpNodeCacheBytes(), 0u);
  }
  EXPECT_EQ(U8(held->Text()), "first 4321 with a text of some length");
  EXPECT_EQ(U8(static_cast<TXpElement*>(held)->GetAttribute(u"n")), "4321");
  held->Release();
  XpReleaseNodeCache();
  EXPECT_LT(XpNodeCacheBytes(), 4u << 20);
#if defined(__SANITIZE_ADDRESS__)
  // A released node's memory waits poisoned for the next node.
  EXPECT_DEATH(
      {
        TXpDocument* d = new TXpDocument();
        build(d, 10, u"x");
        TXpNode* gone = d->DocumentElement()->noGetFirstChild();
        d->Release();
        volatile int32_t type = gone->NodeType();
        (void)type;
      },
      "use-after-poison");
#endif
}

// The large tables of a document (its names, the attributes of one element,
// a long child list) wait in the cache for the next document: a table taken
// again holds nothing of the document before, and all go back on request.
TEST_F(NodeTree, LargeTablesKeptForTheNextDocumentStartEmpty) {
  auto build = [](char16_t prefix) {
    TXpDocument* d = new TXpDocument();
    TXpElement* root = d->CreateElement(u"r");
    d->AppendChild(root);
    root->Release();
    for (int i = 0; i < 5000; ++i) {
      const std::u16string name = prefix + Utf8ToWide(std::to_string(i));
      root->SetAttribute(name, name);
      root->CreateChildElement(name);
    }
    return d;
  };
  XpReleaseNodeCache();
  build(u'a')->Release();
  TXpDocument* second = build(u'b');
  TXpElement* root = second->DocumentElement();
  for (int i = 0; i < 5000; i += 7) {
    const std::u16string n = Utf8ToWide(std::to_string(i));
    EXPECT_FALSE(root->HasAttribute(u"a" + n)) << i;
    ASSERT_EQ(root->GetAttribute(u"b" + n), u"b" + n) << i;
  }
  EXPECT_EQ(root->ChildNodes()->Length(), 5000);
  EXPECT_EQ(root->noGetLastChild()->NodeName(), u"b4999");
  second->Release();
  EXPECT_GT(XpNodeCacheBytes(), 0u);
  XpReleaseNodeCache();
  EXPECT_LT(XpNodeCacheBytes(), 4u << 20);
}

// A node held after its document has gone has no owner document any more:
// what it asks of its document (the lookups of a large attribute map, name
// comparisons, its base URI) must not read the freed document.
TEST_F(NodeTree, HeldNodesForgetTheirDocumentWhenItGoes) {
  doc->SetIgnoreCase(true);
  doc->SetDocLocation(u"file:///alt.xml");
  TXpElement* root = Root();
  TXpElement* kept = root->CreateChildElement(u"Kept");
  for (int i = 0; i < 40; ++i)
    kept->SetAttribute(u"a" + Utf8ToWide(std::to_string(i)), Utf8ToWide(std::to_string(i)));
  TXpElement* loose = doc->CreateElement(u"loose");
  kept->AddRef();
  TXpDocument* other = new TXpDocument();
  std::swap(doc, other);
  other->Release();

  for (TXpNode* node : {static_cast<TXpNode*>(kept), static_cast<TXpNode*>(loose)}) {
    EXPECT_EQ(node->noGetOwnerDocument(), nullptr);
    EXPECT_EQ(U8(node->noGetBaseURI()), "");
  }
  EXPECT_EQ(U8(kept->GetAttribute(u"a33")), "33");
  EXPECT_EQ(kept->GetAttributeNode(u"A33"), nullptr);  // no document: exact names
  EXPECT_TRUE(kept->noNameEquals(u"Kept"));
  EXPECT_FALSE(kept->noNameEquals(u"KEPT"));
  // It stays usable: it takes attributes and children of its own.
  kept->SetAttribute(u"a40", u"40");
  EXPECT_EQ(U8(kept->GetAttribute(u"a40")), "40");
  kept->AppendChild(loose);
  EXPECT_EQ(kept->noGetLastChild(), loose);
  // A node of a live document is still foreign to it.
  TXpElement* fresh = doc->CreateElement(u"fresh");
  EXPECT_EQ(CodeOf([&] { fresh->AppendChild(kept); }), ecWrongDocumentErr);
  fresh->Release();
  loose->Release();
  kept->Release();
}

// Each document keeps the names of its nodes: copies made into another
// document or outside any must not lean on the source's names.
TEST_F(NodeTree, CopiesKeepTheirNamesAfterTheSourceDocumentHasGone) {
  TXpDocument* source = new TXpDocument();
  TXpElement* e = source->CreateElement(u"quelle");
  e->SetAttribute(u"merkmal", u"wert");
  e->CreateChildElement(u"kind");
  TXpNode* imported = doc->ImportNode(e, true);
  TXpNode* clone = e->CloneNode(true);
  e->Release();
  source->Release();
  for (TXpNode* copy : {imported, clone}) {
    auto* el = static_cast<TXpElement*>(copy);
    EXPECT_EQ(U8(el->NodeName()), "quelle");
    EXPECT_EQ(U8(el->GetAttributeNode(u"merkmal")->NodeName()), "merkmal");
    EXPECT_EQ(U8(el->noGetFirstChild()->NodeName()), "kind");
    copy->Release();
  }
}

TEST_F(NodeTree, AppendRefusesWrongDocumentHierarchyAndNull) {
  TXpElement* root = Root();
  TXpDocument* other = new TXpDocument();
  TXpElement* foreign = other->CreateElement(u"f");
  TXpText* text = doc->CreateTextNode(u"t");
  root->AppendChild(text);
  TXpElement* child = root->CreateChildElement(u"c");
  TXpAttribute* attr = doc->CreateAttribute(u"a");

  EXPECT_EQ(CodeOf([&] { root->AppendChild(foreign); }), ecWrongDocumentErr);
  EXPECT_EQ(foreign->RefCount(), 1);
  EXPECT_EQ(CodeOf([&] { text->AppendChild(child); }), ecHierarchyRequestErr);
  EXPECT_EQ(CodeOf([&] { root->AppendChild(nullptr); }), ecInvalidParamErr);
  EXPECT_EQ(CodeOf([&] { root->AppendChild(root); }), ecHierarchyRequestErr);
  EXPECT_EQ(CodeOf([&] { child->AppendChild(root); }), ecHierarchyRequestErr);
  EXPECT_EQ(CodeOf([&] { root->AppendChild(doc); }), ecHierarchyRequestErr);
  EXPECT_EQ(CodeOf([&] { root->AppendChild(attr); }), ecHierarchyRequestErr);
  EXPECT_EQ(Names(root), "c");  // the text node has no name; nothing changed

  TXpElement* loose = doc->CreateElement(u"l");
  EXPECT_EQ(CodeOf([&] { root->InsertBefore(attr, nullptr); }), ecHierarchyRequestErr);
  EXPECT_EQ(CodeOf([&] { root->InsertBefore(text, loose); }), ecNotFoundErr);
  EXPECT_EQ(CodeOf([&] { root->RemoveChild(loose); }), ecNotFoundErr);
  EXPECT_EQ(CodeOf([&] { root->ReplaceChild(child, loose); }), ecNotFoundErr);
  EXPECT_EQ(Names(root), "c");
  loose->Release();
  text->Release();
  attr->Release();
  foreign->Release();
  other->Release();
}

TEST_F(NodeTree, AppendingANodeMovesItFromItsOldParent) {
  TXpElement* root = Root();
  TXpElement* a = root->CreateChildElement(u"a");
  TXpElement* b = root->CreateChildElement(u"b");
  TXpElement* x = a->CreateChildElement(u"x");
  b->AppendChild(x);
  EXPECT_EQ(Names(a), "");
  EXPECT_EQ(Names(b), "x");
  EXPECT_EQ(x->ParentNode(), b);
  EXPECT_EQ(x->RefCount(), 1);
  root->AppendChild(a);  // re-appending a child moves it to the end
  EXPECT_EQ(Names(root), "b a");
  root->InsertBefore(a, b);
  EXPECT_EQ(Names(root), "a b");
  TXpNode* old = root->ReplaceChild(x, a);
  EXPECT_EQ(Names(root), "x b");
  EXPECT_EQ(Names(b), "");
  EXPECT_EQ(old->ParentNode(), nullptr);
  EXPECT_EQ(old->RefCount(), 1);
  old->Release();
}

TEST_F(NodeTree, FragmentAppendsClonesAndKeepsItsChildren) {
  TXpElement* root = Root();
  TXpDocumentFragment* frag = doc->CreateDocumentFragment();
  for (const char16_t* n : {u"a", u"b", u"c"}) {
    TXpElement* e = doc->CreateElement(n);
    frag->AppendChild(e);
    e->Release();
  }
  root->AppendChild(frag);
  EXPECT_EQ(Names(root), "a b c");
  EXPECT_EQ(Names(frag), "a b c");
  EXPECT_NE(root->noGetFirstChild(), frag->noGetFirstChild());
  EXPECT_EQ(root->noGetFirstChild()->ParentNode(), root);
  EXPECT_EQ(root->noGetFirstChild()->RefCount(), 1);
  frag->Release();
}

TEST_F(NodeTree, DocumentOrderLevelCodesAndLocationPaths) {
  TXpElement* root = Root();
  TXpElement* a = root->CreateChildElement(u"a");
  TXpElement* b = root->CreateChildElement(u"b");
  TXpElement* a1 = a->CreateChildElement(u"a1");
  TXpElement* b1 = b->CreateChildElement(u"b1");
  TXpElement* detached = doc->CreateElement(u"d");

  EXPECT_EQ(U8(b1->noGetLevelCode()), "1.2.1");
  EXPECT_EQ(U8(detached->noGetLevelCode()), "");
  struct Case { TXpNode* x; TXpNode* y; bool after; };
  const Case cases[] = {
      {b, a, true},  {a, b, false}, {b1, a1, true}, {a1, a, true},
      {a, a1, false}, {a, a, false}, {a, detached, false}, {detached, a, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.x->IsAfter(c.y), c.after) << U8(c.x->NodeName()) << " after " << U8(c.y->NodeName());

  EXPECT_EQ(a1->noGetNextInDocument(), b);
  EXPECT_EQ(b->noGetPreviousInDocument(), a1);
  EXPECT_EQ(a1->noGetPreviousInDocument(), a);
  EXPECT_EQ(b1->noGetNextInDocument(), nullptr);
  EXPECT_EQ(U8(b1->LocationPath()), "/r[1]/b[2]/b1[1]");
  EXPECT_EQ(U8(doc->LocationPath()), "/");
  detached->Release();
}

TEST_F(NodeTree, ReplacedAttributeMovesToTheEndOfTheMap) {
  TXpElement* root = Root();
  root->SetAttribute(u"a", u"1");
  root->SetAttribute(u"b", u"2");
  root->SetAttribute(u"a", u"3");
  TXpNamedNodeMap* map = root->Attributes();
  ASSERT_EQ(map->nmGetLength(), 2);
  EXPECT_EQ(U8(map->Item(0)->NodeName()), "b");
  EXPECT_EQ(U8(map->Item(1)->NodeValue()), "3");
  EXPECT_EQ(map->Item(1)->ParentNode(), root);
  EXPECT_EQ(map->GetNamedItem(u"*"), map->Item(0));
  EXPECT_EQ(map->Item(-1), nullptr);
  EXPECT_EQ(map->Item(2), nullptr);

  root->SetAttribute(u"xmlns:p", u"urn:p");
  root->SetAttribute(u"xmlns", u"urn:d");
  TXpElement* c = root->CreateChildElement(u"p:c");
  EXPECT_EQ(U8(c->noGetNamespace()), "urn:p");
  EXPECT_EQ(U8(root->NamespaceURI()), "urn:d");

  root->RemoveAttribute(u"a");
  EXPECT_FALSE(root->HasAttribute(u"a"));
}

TEST_F(NodeTree, GetAttributeIntConvertsOrNamesAttributeAndElement) {
  TXpElement* root = Root();
  root->SetAttribute(u"n", u"-42");
  root->SetAttribute(u"e", u"");
  root->SetAttribute(u"bad", u"12x");
  root->SetAttribute(u"big", u"2147483648");
  EXPECT_EQ(root->GetAttributeInt(u"n"), -42);
  EXPECT_EQ(root->GetAttributeInt(u"e"), 0);
  EXPECT_EQ(root->GetAttributeInt(u"missing"), 0);
  for (const char16_t* name : {u"bad", u"big"}) {
    try {
      root->GetAttributeInt(name);
      ADD_FAILURE() << "no exception";
    } catch (const TXpDOMException&) {
      ADD_FAILURE() << "wrong exception class";
    } catch (const EXpException& e) {
      EXPECT_EQ(e.Message(), "Attribute " + WideToAnsi(name) +
                                 " of element r does not have an integer value.");
    }
  }
}

TEST_F(NodeTree, SortByTextOrAttributeAscendingAndDescending) {
  TXpElement* root = Root();
  const char16_t* texts[] = {u"b", u"a", u"c", u"a"};
  const char16_t* keys[] = {u"2", u"3", u"1", u"0"};
  for (int i = 0; i < 4; ++i) {
    TXpElement* e = root->CreateChildElement(u"e");
    e->CreateChildText(texts[i]);
    e->SetAttribute(u"k", keys[i]);
  }
  auto texts_of = [](const TXpNodeList* list) {
    std::string out;
    for (int32_t i = 0; i < list->Length(); ++i) out += U8(list->Item(i)->Text());
    return out;
  };
  auto list = root->GetChildElementsByTagName(u"e");
  list->Sort(u"", 1);
  EXPECT_EQ(texts_of(list.get()), "cbaa");
  list->Sort(u"", 0);
  EXPECT_EQ(texts_of(list.get()), "aabc");
  list->Sort(u"k", 0);
  EXPECT_EQ(texts_of(list.get()), "acba");
  EXPECT_EQ(list->Item(0)->RefCount(), 2);  // the tree's and the list's
}

TEST_F(NodeTree, TextJoinsPiecesAndStringValueConcatenates) {
  TXpElement* root = Root();
  root->CreateChildText(u"a");
  TXpElement* c = root->CreateChildElement(u"c");
  c->CreateChildText(u"b");
  c->CreateChildText(u"");
  root->CreateChildCDataSection(u"c");
  EXPECT_EQ(U8(root->Text()), "a b c");
  EXPECT_EQ(U8(root->noGetStringValue()), "abc");
  EXPECT_EQ(U8(TXpNode::noNormalize(u"  a \t\r\n b  ")), "a b");
}

TEST_F(NodeTree, CharacterDataEditsAndSplitText) {
  TXpElement* root = Root();
  auto* t = static_cast<TXpText*>(root->CreateChildText(u"Hello"));
  t->AppendData(u" World");
  t->InsertData(0, u">");
  t->ReplaceData(1, 5, u"Bye");
  EXPECT_EQ(U8(t->NodeValue()), ">Bye World");
  EXPECT_EQ(U8(t->SubStringData(1, 100)), "Bye World");
  EXPECT_EQ(CodeOf([&] { t->DeleteData(11, 1); }), ecIndexSizeErr);
  TXpText* rest = t->SplitText(4);
  EXPECT_EQ(U8(t->NodeValue()), ">Bye");
  EXPECT_EQ(U8(rest->NodeValue()), " World");
  EXPECT_EQ(t->noGetNextSibling(), rest);
  EXPECT_EQ(rest->RefCount(), 1);
  root->Normalize();
  EXPECT_EQ(root->ChildNodes()->Length(), 1);
  EXPECT_EQ(U8(t->NodeValue()), ">Bye World");
}

TEST_F(NodeTree, DeepCloneAndImportBelongToTheTargetDocument) {
  TXpElement* root = Root();
  root->SetAttribute(u"a", u"1");
  root->SetFullEndTag(true);
  root->CreateChildElement(u"c")->CreateChildText(u"t");

  auto* clone = static_cast<TXpElement*>(root->CloneNode(true));
  EXPECT_EQ(clone->ParentNode(), nullptr);
  EXPECT_TRUE(clone->FullEndTag());
  EXPECT_EQ(clone->GetAttributeNode(u"a")->ParentNode(), clone);
  EXPECT_EQ(U8(clone->Text()), "t");
  clone->Release();

  TXpDocument* other = new TXpDocument();
  TXpNode* imported = other->ImportNode(root, true);
  EXPECT_EQ(imported->noGetOwnerDocument(), other);
  EXPECT_EQ(imported->noGetFirstChild()->noGetFirstChild()->noGetOwnerDocument(), other);
  EXPECT_EQ(static_cast<TXpElement*>(imported)->GetAttributeNode(u"a")->noGetOwnerDocument(), other);
  other->AppendChild(imported);
  imported->Release();
  other->Release();
}

TEST_F(NodeTree, QueriesFindElementsInDocumentOrder) {
  TXpElement* root = Root();
  TXpElement* a = root->CreateChildElement(u"x");
  a->SetAttribute(u"id", u"i1");
  TXpElement* b = a->CreateChildElement(u"x");
  b->SetAttribute(u"id", u"i2");
  root->CreateChildElement(u"y")->SetAttribute(u"id", u"i3");
  EXPECT_EQ(root->FindElement(u"x"), a);
  EXPECT_EQ(root->GetElementsByTagName(u"x")->Length(), 2);
  EXPECT_EQ(root->GetElementsByTagName(u"*")->Length(), 3);
  EXPECT_EQ(doc->GetElementsByTagName(u"*")->Length(), 4);
  EXPECT_EQ(root->GetElementsByTagNameWithAttribute(u"x", u"id", u"i2")->Item(0), b);
  auto ids = root->GetElementsWithIDs(u"id", u" i3\ti1 ");
  ASSERT_EQ(ids->Length(), 2);
  EXPECT_EQ(ids->Item(0), a);
  EXPECT_TRUE(b->elIsNthOccurrence(1));
  EXPECT_EQ(doc->DocumentElement(), root);
  EXPECT_EQ(root->FindElement(u"X"), nullptr);
  doc->SetIgnoreCase(true);
  EXPECT_EQ(root->FindElement(u"X"), a);
}

}  // namespace

// Sibling links and positions stay right through every kind of edit, at
// the front, in the middle and at the end, and after sorting.
TEST_F(NodeTree, SiblingsAndPositionsFollowEveryEdit) {
  TXpElement* root = Root();
  std::vector<TXpElement*> e;
  for (char16_t c = u'a'; c <= u'z'; ++c) e.push_back(root->CreateChildElement(std::u16string(1, c)));
  root->RemoveChild(e[0])->Release();                 // front
  root->RemoveChild(e[1])->Release();
  root->RemoveChild(e[20])->Release();                // back half
  root->RemoveChild(e[5])->Release();                 // front half
  TXpElement* x = doc->CreateElement(u"x");
  root->InsertBefore(x, e[2]);                        // new first
  x->Release();
  TXpElement* y = doc->CreateElement(u"y2");
  root->InsertBefore(y, e[10]);                       // middle
  y->Release();
  TXpElement* z2 = doc->CreateElement(u"z2");
  root->ReplaceChild(z2, e[25])->Release();           // last
  z2->Release();
  root->AppendChild(e[3]);                            // moves to the end
  const std::string want = "x c e g h i j y2 k l m n o p q r s t v w x y z2 d";
  EXPECT_EQ(Names(root), want);
  std::string forward, backward;
  for (TXpNode* n = root->noGetFirstChild(); n; n = n->noGetNextSibling()) {
    if (!forward.empty()) forward += ' ';
    forward += U8(n->NodeName());
    EXPECT_EQ(root->ChildNodes()->Item(root->ChildNodes()->IndexOf(n)), n);
  }
  for (TXpNode* n = root->noGetLastChild(); n; n = n->noGetPreviousSibling())
    backward = U8(n->NodeName()) + (backward.empty() ? "" : " ") + backward;
  EXPECT_EQ(forward, want);
  EXPECT_EQ(backward, want);
  root->ChildNodes()->Sort(u"", 1);
  EXPECT_EQ(root->noGetFirstChild()->noGetNextSibling(), root->ChildNodes()->Item(1));
  EXPECT_EQ(root->noGetLastChild()->noGetPreviousSibling(),
            root->ChildNodes()->Item(root->ChildNodes()->Length() - 2));
}

TEST_F(NodeTree, NormalizeMergesEveryRunAndStripDropsBlankTexts) {
  TXpElement* root = Root();
  for (const char16_t* t : {u"a", u"b", u"c"}) root->CreateChildText(t);
  TXpElement* mid = root->CreateChildElement(u"m");
  for (const char16_t* t : {u" ", u"\t", u"x", u"y"}) mid->CreateChildText(t);
  root->CreateChildText(u"d");
  root->CreateChildText(u"e");
  TXpNode* first = root->noGetFirstChild();
  root->Normalize();
  ASSERT_EQ(root->ChildNodes()->Length(), 3);
  EXPECT_EQ(root->noGetFirstChild(), first);
  EXPECT_EQ(U8(first->NodeValue()), "abc");
  EXPECT_EQ(U8(mid->noGetFirstChild()->NodeValue()), " \txy");
  EXPECT_EQ(U8(root->noGetLastChild()->NodeValue()), "de");
  EXPECT_EQ(root->noGetLastChild()->noGetPreviousSibling(), mid);

  mid->RemoveAll();
  for (const char16_t* t : {u" ", u"x", u"\r\n", u"y", u"\t"}) mid->CreateChildText(t);
  TXpElement* inner = mid->CreateChildElement(u"i");
  inner->CreateChildText(u"  ");
  root->StripWhitespaceNodes(true);
  EXPECT_EQ(U8(mid->Text()), "x y");
  EXPECT_EQ(mid->ChildNodes()->Length(), 3);
  EXPECT_FALSE(inner->HasChildNodes());
  EXPECT_EQ(mid->noGetFirstChild()->noGetNextSibling()->NodeValue(), u"y");
}

// Many attributes are found by name through the map's index; renaming and
// removing keep it right.
TEST_F(NodeTree, LargeAttributeMapsFindReplaceAndRemoveByName) {
  TXpElement* root = Root();
  for (int i = 0; i < 100; ++i) root->SetAttribute(u"a" + XpIntToWide(i), u"v");
  root->SetAttribute(u"a7", u"new");  // replaced, moves to the end
  EXPECT_EQ(root->Attributes()->nmGetLength(), 100);
  EXPECT_EQ(root->Attributes()->Item(99)->NodeName(), u"a7");
  EXPECT_EQ(root->GetAttribute(u"a7"), u"new");
  root->RemoveAttribute(u"a50");
  EXPECT_FALSE(root->HasAttribute(u"a50"));
  EXPECT_TRUE(root->HasAttribute(u"a51"));
  root->GetAttributeNode(u"a60")->SetNodeName(u"renamed");
  EXPECT_FALSE(root->HasAttribute(u"a60"));
  EXPECT_TRUE(root->HasAttribute(u"renamed"));
  doc->SetIgnoreCase(true);
  EXPECT_TRUE(root->HasAttribute(u"RENAMED"));
}

// A document keeps one copy of each name however many names it holds: the
// names must survive the table's growth, equal names must share the copy,
// and a name refused once is refused again.
TEST_F(NodeTree, ManyNamesKeepTheirTextAndShareOneCopyEach) {
  TXpElement* root = Root();
  std::vector<TXpElement*> first;
  for (int i = 0; i < 3000; ++i) {
    const std::u16string name = u"n" + XpIntToWide(i);
    first.push_back(root->CreateChildElement(name));
    root->SetAttribute(name, u"v");
  }
  for (int i = 0; i < 3000; i += 7) {
    const std::u16string name = u"n" + XpIntToWide(i);
    ASSERT_EQ(first[static_cast<size_t>(i)]->NodeName(), name);
    const TXpElement* again = root->CreateChildElement(name);
    EXPECT_EQ(&again->NodeName(), &first[static_cast<size_t>(i)]->NodeName()) << U8(name);
    EXPECT_EQ(root->GetAttribute(name), u"v");
  }
  for (int pass = 0; pass < 2; ++pass)
    EXPECT_THROW(root->SetAttribute(u"a b", u"x"), TXpDOMException) << pass;
  EXPECT_FALSE(root->HasAttribute(u"a b"));
}

// Attributes set by name stay inside their element until a node is asked
// for: a run of sets, replacements and removals must read, write and copy
// the same as on an element whose attributes are nodes from the start.
TEST_F(NodeTree, AttributesKeptInsideTheElementBehaveAsNodes) {
  TXpElement* root = Root();
  TXpElement* pairs = root->CreateChildElement(u"e");
  TXpElement* nodes = root->CreateChildElement(u"e");
  TXpAttribute* seed = doc->CreateAttribute(u"seed");
  nodes->SetAttributeNode(seed);
  seed->Release();
  nodes->RemoveAttribute(u"seed");  // leaves an empty map of nodes
  ASSERT_NE(nodes->Attributes(), nullptr);
  uint32_t state = 7;
  for (int step = 0; step < 400; ++step) {
    state = state * 1103515245u + 12345u;
    const uint32_t r = state >> 8;
    // Up to 24 names: elements pass the count from which nodes are made.
    const std::u16string name = r % 9 == 0 ? u"*" : u"n" + XpIntToWide(static_cast<int32_t>(r % 24));
    const std::u16string value = u"v<&\"" + XpIntToWide(step) + u" ä a longer value";
    if (r % 3 == 0) {
      for (TXpElement* e : {pairs, nodes}) e->RemoveAttribute(name);
    } else if (name != u"*") {
      for (TXpElement* e : {pairs, nodes}) e->SetAttribute(name, value);
    }
    ASSERT_EQ(pairs->HasAttribute(name), nodes->HasAttribute(name)) << step;
    ASSERT_EQ(pairs->GetAttribute(name), nodes->GetAttribute(name)) << step;
    ASSERT_EQ(pairs->HasAttributes(), nodes->HasAttributes()) << step;
    if (step % 50 == 0 || step == 399) {
      ASSERT_EQ(U8(pairs->noomGetXpDocument()), U8(nodes->noomGetXpDocument())) << step;
      TXpNode* copy = pairs->CloneNode(true);
      ASSERT_EQ(U8(copy->noomGetXpDocument()), U8(nodes->noomGetXpDocument())) << step;
      copy->Release();
    }
    // Once the nodes exist the element keeps them.
    if (step == 200) pairs->Attributes();
  }
}

TEST_F(NodeTree, AttributeNodesMadeOnRequestAreTheElementsOwn) {
  TXpElement* root = Root();
  root->SetAttribute(u"a", u"1");
  root->SetAttribute(u"b", u"2");
  TXpDocument* other = new TXpDocument();
  TXpNode* imported = other->ImportNode(root, true);
  TXpAttribute* a = root->GetAttributeNode(u"a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(root->GetAttributeNode(u"a"), a);
  EXPECT_EQ(a->atGetOwnerElement(), root);
  EXPECT_EQ(a->noGetOwnerDocument(), doc);
  a->SetNodeValue(u"changed");
  EXPECT_EQ(U8(root->GetAttribute(u"a")), "changed");
  root->SetAttribute(u"c", u"3");
  EXPECT_EQ(U8(root->noomGetXpDocument()), "<r a=\"changed\" b=\"2\" c=\"3\"/>");
  // The copy made before keeps its own names and values without the source.
  doc->RemoveAll();
  EXPECT_EQ(U8(imported->noomGetXpDocument()), "<r a=\"1\" b=\"2\"/>");
  EXPECT_EQ(imported->noGetOwnerDocument(), other);
  imported->Release();
  other->Release();

  // A hook that sees each attribute gets nodes, and may skip them.
  root = Root();
  root->SetAttribute(u"keep", u"1");
  root->SetAttribute(u"skip", u"2");
  std::string seen;
  doc->OnAttributeOutput = [&](TXpDocument*, TXpAttribute* attr, bool& skip) {
    seen += U8(attr->NodeName()) + ";";
    skip = attr->NodeName() == u"skip";
  };
  EXPECT_EQ(U8(root->noomGetXpDocument()), "<r keep=\"1\"/>");
  EXPECT_EQ(seen, "keep;skip;");
  doc->OnAttributeOutput = nullptr;
  // A name is checked once per document, and refused every time.
  TXpElement* f = root->CreateChildElement(u"f");
  f->SetAttribute(u"ok", u"1");
  for (int pass = 0; pass < 2; ++pass)
    for (const char16_t* bad : {u"a b", u"1a", u""})
      EXPECT_THROW(f->SetAttribute(bad, u"x"), TXpDOMException) << pass;
  EXPECT_EQ(U8(f->noomGetXpDocument()), "<f ok=\"1\"/>");
  // Names compared without case find attributes kept in the element.
  TXpElement* e = root->CreateChildElement(u"e");
  e->SetAttribute(u"Name", u"x");
  doc->SetIgnoreCase(true);
  EXPECT_EQ(U8(e->GetAttribute(u"NAME")), "x");
  EXPECT_THROW(e->SetAttribute(u"a b", u"x"), TXpDOMException);
}

// Deep trees are built, walked, copied, saved and freed without a stack
// that grows with their depth (a recursion would overflow long before).
TEST_F(NodeTree, DeepTreesNeedNoStackOfTheirDepth) {
  auto build = [this](int depth) {
    TXpElement* e = Root();
    for (int i = 0; i < depth; ++i) e = e->CreateChildElement(u"e");
    e->CreateChildText(u"t");
    return doc->DocumentElement();
  };
  constexpr int kDepth = 1000000;
  TXpElement* root = build(kDepth);
  const std::u16string xml = root->noomGetXpDocument();
  EXPECT_EQ(xml.size(), 8u + kDepth * 7u);
  EXPECT_EQ(xml.substr(3u + kDepth * 3u - 3u, 9), u"<e>t</e><");
  EXPECT_EQ(xml.substr(xml.size() - 8), u"</e></r>");
  doc->RemoveAll();

  constexpr int kCopied = 100000;
  root = build(kCopied);
  EXPECT_EQ(root->Text(), u"t");
  EXPECT_EQ(root->GetElementsByTagName(u"e")->Length(), kCopied);
  TXpNode* copy = doc->ImportNode(root, true);
  EXPECT_EQ(copy->noGetLastDescendantOrSelf()->NodeValue(), u"t");
  copy->Release();
}
