#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/FastStringList.h"
#include "components/buttonedits/runtime/KeyedSortedLists.h"
#include "components/buttonedits/runtime/LibHelpers.h"
#include "components/buttonedits/runtime/RecordList.h"
#include "components/buttonedits/runtime/Stacks.h"

namespace {

template <typename F>
AnsiString MessageOf(F f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no exception)";
}

}  // namespace

TEST(RecordList, CapacityGrowsTo32ThenDoubles) {
  TRecordList list(6);
  EXPECT_EQ(list.Capacity(), 0);
  list.Add(nullptr);
  EXPECT_EQ(list.Capacity(), 32);
  for (int i = 1; i < 32; ++i) list.Add("abcdef");
  EXPECT_EQ(list.Capacity(), 32);
  list.Add("ghijkl");
  EXPECT_EQ(list.Capacity(), 64);
  EXPECT_EQ(list.Count(), 33);
  EXPECT_EQ(std::memcmp(list.Items(0), "\0\0\0\0\0\0", 6), 0);
  EXPECT_EQ(std::memcmp(list.Items(32), "ghijkl", 6), 0);
}

TEST(RecordList, StreamLayoutIsCountThenRecordsAndBadCountsAreRefused) {
  TRecordList list(3);
  list.Add("abc");
  list.Add("xyz");
  TMemoryStream stream;
  list.SaveToStream(stream);
  ASSERT_EQ(stream.Size(), 4 + 6);
  EXPECT_EQ(std::memcmp(stream.Memory(), "\x02\0\0\0abcxyz", 10), 0);

  stream.SetPosition(0);
  TRecordList back(3);
  back.LoadFromStream(stream);
  EXPECT_EQ(back.Count(), 2);
  EXPECT_EQ(std::memcmp(back.Items(1), "xyz", 3), 0);

  // A count larger than the data that follows.
  TMemoryStream bad;
  bad.WriteBuffer("\x03\0\0\0abc", 7);
  bad.SetPosition(0);
  EXPECT_THROW(back.LoadFromStream(bad), EReadError);
  EXPECT_EQ(back.Count(), 2);
}

TEST(RecordList, IndexErrorsCarryTheGermanTextAndSetCountZeroFills) {
  TRecordList list(4);
  list.Add("1234");
  EXPECT_EQ(MessageOf([&] { list.Items(1); }), "Der Index der Liste \xFC\x62\x65rschreitet das Maximum (1)");
  EXPECT_EQ(MessageOf([&] { list.Delete(-1); }), "Der Index der Liste \xFC\x62\x65rschreitet das Maximum (-1)");
  list.Delete(0);
  list.Add("5678");
  list.SetCount(0);
  list.SetCount(3);
  EXPECT_EQ(std::memcmp(list.Items(0), "\0\0\0\0", 4), 0);
  EXPECT_EQ(std::memcmp(list.Items(2), "\0\0\0\0", 4), 0);
}

TEST(Stacks, EmptyStacksRaiseTheGermanText) {
  TIntStack ints;
  ints.Push(4);
  ints.Push(5);
  EXPECT_EQ(ints.Pop(), 5);
  EXPECT_EQ(ints.Pop(), 4);
  EXPECT_EQ(MessageOf([&] { ints.Pop(); }), "Stapelspeicher ist leer");
  TVariantStack vars;
  EXPECT_EQ(MessageOf([&] { vars.Pop(); }), "Stapelspeicher ist leer");
  vars.Expand(2);
  EXPECT_EQ(MessageOf([&] { vars.Collapse(3); }), "Stapelspeicher ist leer");
}

TEST(Stacks, VariantStackKeepsBlocksOf1024) {
  TVariantStack stack;
  for (int i = 0; i < 1025; ++i) stack.PushInt(i);
  EXPECT_EQ(stack.BlockCount(), 2);
  Variant top;
  stack.PopLast(&top);
  EXPECT_EQ(top.AsInt(), 1024);
  EXPECT_EQ(stack.BlockCount(), 1);
  EXPECT_EQ(stack.Items(1023)->AsInt(), 1023);
  EXPECT_EQ(stack.Items(1024), nullptr);
  stack.Expand(1030);
  EXPECT_EQ(stack.Count(), 2054);
  EXPECT_EQ(stack.BlockCount(), 3);
  EXPECT_TRUE(stack.Items(2053)->IsEmpty());
  stack.Collapse(2054);
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(stack.BlockCount(), 0);
}

TEST(FastStringList, FindIgnoresCaseAndFindsTheFirstOfEqualEntries) {
  TFastStringList list;
  for (const char* s : {"\xDC\x62\x65r", "beta", "Alpha", "BETA", "gamma"}) list.Add(s);
  list.Sort();
  EXPECT_EQ(AnsiLowerCase(list.Strings(0)), "alpha");
  EXPECT_EQ(list.Strings(4), "\xDC\x62\x65r");
  int32_t index = -1;
  EXPECT_TRUE(list.Find("ALPHA", index));
  EXPECT_EQ(index, 0);
  list.SetDuplicates(dupAccept);
  EXPECT_TRUE(list.Find("Beta", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("delta", index));
  EXPECT_EQ(index, 3);
}

TEST(KeyedSortedLists, EntriesFollowTheirKeysAndGoWhenTheKeyObjectDies) {
  TSortedCompKeyList list;
  auto* a = new TComponent(nullptr);
  TComponent b(nullptr);
  static_cast<TSortedListData*>(list.Add(a))->Data = a;
  list.Add(&b);
  EXPECT_EQ(list.Add(a), list.ItemByKey(a));  // one entry per key
  EXPECT_EQ(list.Count(), 2);
  delete a;
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.ItemByKey(a), nullptr);
  EXPECT_NE(list.ItemByKey(&b), nullptr);
}

TEST(KeyedSortedLists, FindNearestStopsBelowTheKey) {
  TSortedListEx list;
  int items[5];
  for (int& i : items) list.Add(&i);
  int32_t index = -1;
  EXPECT_TRUE(list.FindNearest(&items[3], index));
  EXPECT_EQ(list.Items(index), &items[3]);
  EXPECT_FALSE(list.FindNearest(reinterpret_cast<char*>(&items[2]) + 1, index));
  EXPECT_EQ(list.Items(index), &items[2]);
}

TEST(LibHelpers, CountedStringsAndTextHelpers) {
  TStringList counted;
  AddToCountedStrings(counted, "a");
  AddToCountedStrings(counted, "a");
  RemoveFromCountedStrings(counted, "a");
  EXPECT_EQ(CountOfCountedString(counted, "a"), 1);
  RemoveFromCountedStrings(counted, "a");
  EXPECT_EQ(counted.Count(), 0);

  TStringList pieces;
  ParseAndCompactString(" eins ,, zwei;  ,drei ", ',', pieces);
  EXPECT_EQ(pieces.Text(), "eins\r\nzwei;\r\ndrei\r\n");
  ParseString("a,,b", ',', pieces);
  EXPECT_EQ(pieces.Count(), 3);

  struct Case {
    const char* sub;
    const char* s;
    int32_t start;
    int32_t forward;
    int32_t backward;
  } cases[] = {
      {"ab", "abcab", 1, 1, 1}, {"ab", "abcab", 2, 4, 1}, {"ab", "abcab", 5, 0, 4},
      {"", "abc", 1, 0, 0},     {"x", "", 1, 0, 0},       {"ab", "abcab", 99, 0, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PosEx(c.sub, c.s, c.start), c.forward) << c.sub << " in " << c.s << " from " << c.start;
    EXPECT_EQ(BackPosEx(c.sub, c.s, c.start), c.backward) << c.sub << " in " << c.s << " from " << c.start;
  }
  EXPECT_TRUE(StrToBool("tRUE"));
  EXPECT_FALSE(StrToBool("1"));
  int32_t lo = 5, hi = 2;
  SwapMaxInt(lo, hi);
  EXPECT_EQ(lo, 2);
  EXPECT_EQ(ChangeCharTo('.', ',', "1.5.6"), "1,5,6");
}

TEST(LibHelpers, QuickSortOrdersThroughCallerCallbacks) {
  std::vector<int> v{5, 3, 9, 1, 1, 7, 0, 8, 2};
  DCQuickSort(0, static_cast<int32_t>(v.size()) - 1,
              [&](int32_t a, int32_t b) { return v[size_t(a)] - v[size_t(b)]; },
              [&](int32_t a, int32_t b) { std::swap(v[size_t(a)], v[size_t(b)]); });
  EXPECT_EQ(v, (std::vector<int>{0, 1, 1, 2, 3, 5, 7, 8, 9}));
}

TEST(LibHelpers, FreeListFreesEveryItemAndTheList) {
  struct Counted : TObject {
    explicit Counted(int& freed) : Freed(freed) {}
    ~Counted() override { ++Freed; }
    int& Freed;
  };
  int freed = 0;
  auto list = std::make_unique<TFastList>();
  list->Add(new Counted(freed));
  list->Add(new Counted(freed));
  FreeList(list);
  EXPECT_EQ(freed, 2);
  EXPECT_EQ(list, nullptr);
  FreeList(list);  // nothing left to free

  auto sorted = std::make_unique<TSortedList>();
  for (int i = 0; i < 3; ++i) sorted->Add(new Counted(freed));
  FreeSortedList(sorted);
  EXPECT_EQ(freed, 5);
  EXPECT_EQ(sorted, nullptr);
}
