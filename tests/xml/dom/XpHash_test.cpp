#include "xml/dom/XpHash.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "classlib/Exception.h"
#include "xml/dom/XpStartupTables.h"

namespace {
void* P(intptr_t v) { return reinterpret_cast<void*>(v); }
}  // namespace

TEST(XpHash, ElfHash) {
  const uint8_t abc[] = {0x61, 0x62, 0x63};
  EXPECT_EQ(XpCalcElfHash(abc, 3), 26499u);
  EXPECT_EQ(XpCalcElfHash(abc, 0), 0u);
  // Long input folds the high nibble back: the top four bits stay clear.
  std::vector<uint8_t> many(1000, 0xFF);
  EXPECT_EQ(XpCalcElfHash(many.data(), 1000) & 0xF0000000u, 0u);
  EXPECT_EQ(TXpStrHash::HashOf(u"a"), XpCalcElfHash(reinterpret_cast<const uint8_t*>("a\0"), 2));
}

TEST(XpHash, GrowsPastFourEntriesPerBucket) {
  TXpIntHash h(0);
  EXPECT_EQ(h.BucketCount(), 59);
  for (int32_t k = 0; k < 236; ++k) ASSERT_TRUE(h.Add(k, P(k + 1)));
  EXPECT_EQ(h.BucketCount(), 59);
  h.Add(236, P(237));
  EXPECT_EQ(h.BucketCount(), 127);
  for (int32_t k = 0; k < 237; ++k) ASSERT_EQ(h.Get(k), P(k + 1)) << k;
}

TEST(XpHash, NegativeIntegerKeysAndDuplicates) {
  TXpIntHash h(0);
  EXPECT_TRUE(h.Add(-1, P(1)));
  EXPECT_TRUE(h.Add(INT32_MIN, P(2)));
  EXPECT_TRUE(h.Add(58, P(3)));  // same bucket as -1
  EXPECT_FALSE(h.Add(-1, P(9)));
  EXPECT_EQ(h.Get(-1), P(1));
  EXPECT_EQ(h.Get(INT32_MIN), P(2));
  EXPECT_EQ(h.Get(58), P(3));
  EXPECT_EQ(h.Get(57), nullptr);
  EXPECT_EQ(h.Count(), 3);
}

TEST(XpHash, RemoveAndClearHandTheDataToTheDeletionHandler) {
  std::multiset<intptr_t> deleted;
  {
    TXpStrHash h(0);
    h.SetOnDelete([&](void* d) { deleted.insert(reinterpret_cast<intptr_t>(d)); });
    h.Add(u"", P(1));
    h.Add(u"a", P(2));
    h.Add(u"b", P(3));
    h.Add(u"c", P(4));
    EXPECT_EQ(h.Get(u""), P(1));
    EXPECT_TRUE(h.ExistsWithHash(u"a", TXpStrHash::HashOf(u"a")));
    h.Remove(u"a");
    h.Remove(u"zz");
    EXPECT_FALSE(h.Exists(u"a"));
    EXPECT_EQ(deleted, (std::multiset<intptr_t>{2}));
    h.Clear();
    EXPECT_EQ(h.Count(), 0);
    EXPECT_EQ(deleted, (std::multiset<intptr_t>{1, 2, 3, 4}));
    h.Add(u"left", P(5));
  }
  // Entries left at destruction reach the handler too.
  EXPECT_EQ(deleted.count(5), 1u);
}

TEST(XpHash, ShrinkStopsAtTheInitialSize) {
  struct Probe : TXpIntHash {
    using TXpIntHash::TXpIntHash;
    using TXpIntHash::XhResizeTable;
  } h(1);
  h.XhResizeTable(false);
  EXPECT_TRUE(h.ShrinkRefused());
  EXPECT_EQ(h.BucketCount(), 127);
  h.Add(5, P(5));
  h.XhResizeTable(true);
  h.XhResizeTable(false);
  EXPECT_FALSE(h.ShrinkRefused());
  EXPECT_EQ(h.BucketCount(), 127);
  EXPECT_EQ(h.Get(5), P(5));
  // Beyond the last size the count doubles plus one.
  Probe big(15);
  big.Add(-7, P(7));
  const int32_t largest = big.BucketCount();
  big.XhResizeTable(true);
  EXPECT_EQ(big.BucketCount(), 2 * largest + 1);
  EXPECT_EQ(big.Get(-7), P(7));
}

TEST(XpHash, IterateSafelyLetsTheCallbackRemoveEntries) {
  TXpIntHash h(0);
  for (int32_t k = 0; k < 10; ++k) h.Add(k, P(k));
  int calls = 0;
  h.IterateSafely(
      [&](int32_t key, void*, void* v1, void*, void*) {
        ++calls;
        EXPECT_EQ(v1, P(7));
        h.Remove(key);
        h.Remove(key + 1);  // a later entry: skipped when its turn comes
      },
      P(7), nullptr, nullptr);
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(calls, 5);
  int seen = 0;
  h.Add(1, P(1));
  h.Iterate([&](int32_t, void* d, void*, void*, void*) { seen += static_cast<int>(reinterpret_cast<intptr_t>(d)); },
            nullptr, nullptr, nullptr);
  EXPECT_EQ(seen, 1);
}

TEST(XpPointerList, GrowInsertRemoveAssign) {
  TXpPointerList l;
  EXPECT_TRUE(l.IsEmpty());
  l.Append(P(1));
  EXPECT_EQ(l.GetCapacity(), 64);
  l.Append(P(3));
  l.Insert(P(2), 1);
  l.Insert(P(0), 0);
  EXPECT_EQ(l.GetPointer(0), P(0));
  EXPECT_EQ(l.GetPointer(2), P(2));
  EXPECT_EQ(l.GetPointer(4), nullptr);
  EXPECT_EQ(l.GetPointer(-1), nullptr);
  l.RemoveAt(0);
  EXPECT_EQ(l.GetCount(), 3);
  EXPECT_EQ(l.GetPointer(0), P(1));
  EXPECT_THROW(l.RemoveAt(3), EListError);
  EXPECT_THROW(l.Insert(P(9), 5), EListError);
  l.SetCount(5);
  EXPECT_EQ(l.GetPointer(4), nullptr);
  TXpPointerList copy;
  copy.Assign(l);
  EXPECT_EQ(copy.GetCount(), 5);
  EXPECT_EQ(copy.GetPointer(2), P(3));
  for (int i = 0; i < 100; ++i) l.Append(P(i));
  EXPECT_EQ(l.GetCapacity(), 128);
  l.Empty();
  EXPECT_EQ(l.GetCount(), 0);
}

TEST(XpStartupTables, FunctionAndAxisNames) {
  const char16_t* functions[] = {
      u"boolean", u"ceiling", u"concat", u"contains", u"count", u"current", u"document", u"false",
      u"floor", u"format-number", u"function-available", u"generate-id", u"id", u"key", u"lang",
      u"last", u"local-name", u"name", u"namespace-uri", u"element-available", u"normalize-space",
      u"not", u"number", u"position", u"round", u"starts-with", u"string", u"string-length",
      u"substring", u"substring-after", u"substring-before", u"sum", u"system-property",
      u"translate", u"true", u"unparsed-entity-uri"};
  const char16_t* axes[] = {u"ancestor::", u"ancestor-or-self::", u"attribute::", u"child::",
                            u"descendant::", u"descendant-or-self::", u"following::",
                            u"following-sibling::", u"namespace::", u"parent::", u"preceding::",
                            u"preceding-sibling::", u"self::"};
  // Every name has a token, and no two names share one.
  for (const auto& [table, names] :
       {std::pair{&XpFunctionTable(), std::vector<const char16_t*>(std::begin(functions), std::end(functions))},
        std::pair{&XpAxisTable(), std::vector<const char16_t*>(std::begin(axes), std::end(axes))}}) {
    std::set<int32_t> codes;
    for (const char16_t* name : names) {
      const int32_t code = XpLookupToken(*table, name);
      EXPECT_NE(code, 0) << WideToAnsi(name);
      EXPECT_TRUE(codes.insert(code).second) << WideToAnsi(name);
    }
  }
  // Exact names only.
  for (const char16_t* name : {u"Count", u"", u"self", u"nots"})
    EXPECT_EQ(XpLookupToken(XpFunctionTable(), name) + XpLookupToken(XpAxisTable(), name), 0)
        << WideToAnsi(name);
}
