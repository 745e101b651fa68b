#include "components/buttonedits/runtime/SortedList.h"

#include <gtest/gtest.h>

#include "classlib/Exception.h"

namespace {

// Items are small integers cast to pointers; the list orders them by value
// and counts its comparisons.
class IntList : public TCustomSortedList {
 public:
  mutable int Compares = 0;
  int32_t Compare(const void* a, const void* b) const override {
    ++Compares;
    return Value(a) < Value(b) ? -1 : Value(a) > Value(b) ? 1 : 0;
  }
  int32_t CompareWithKey(const void* item, const void* key) const override { return Compare(item, key); }
  static intptr_t Value(const void* p) { return reinterpret_cast<intptr_t>(p); }
  static void* Item(intptr_t v) { return reinterpret_cast<void*>(v); }
  std::vector<intptr_t> Values() const {
    std::vector<intptr_t> r;
    for (int32_t i = 0; i < Count(); ++i) r.push_back(Value(Items(i)));
    return r;
  }
};

}  // namespace

TEST(SortedList, DuplicatesAreIgnoredAcceptedOrRefused) {
  IntList list;
  for (intptr_t v : {30, 10, 20}) list.Add(IntList::Item(v));
  EXPECT_EQ(list.Values(), (std::vector<intptr_t>{10, 20, 30}));

  EXPECT_EQ(list.Add(IntList::Item(20)), 1);  // dupIgnore: the existing index
  EXPECT_EQ(list.Count(), 3);

  list.SetDuplicates(dupError);
  try {
    list.Add(IntList::Item(20));
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "Kann doppeltes Element nicht einf\xFCgen");
  }
  EXPECT_EQ(list.Count(), 3);

  list.SetDuplicates(dupAccept);
  list.Add(IntList::Item(20));
  list.Add(IntList::Item(20));
  EXPECT_EQ(list.Values(), (std::vector<intptr_t>{10, 20, 20, 20, 30}));
  int32_t index = -1;
  EXPECT_TRUE(list.Find(IntList::Item(20), index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find(IntList::Item(25), index));
  EXPECT_EQ(index, 4);  // the insertion place
}

TEST(SortedList, InsertOnASortedListGoesToTheSortedPlace) {
  IntList list;
  list.Add(IntList::Item(1));
  list.Add(IntList::Item(5));
  list.Insert(0, IntList::Item(3));
  EXPECT_EQ(list.Values(), (std::vector<intptr_t>{1, 3, 5}));
  EXPECT_EQ(list.Remove(IntList::Item(3)), 1);
  EXPECT_EQ(list.Remove(IntList::Item(3)), -1);
}

TEST(SortedList, SortingHappensOnlyWhenAPairIsOutOfOrder) {
  IntList list;
  list.SetSorted(false);
  for (intptr_t v : {1, 2, 3, 4}) list.Add(IntList::Item(v));
  list.Compares = 0;
  list.SetSorted(true);
  EXPECT_EQ(list.Compares, 3);  // one pass over the pairs, no sort

  IntList unordered;
  unordered.SetSorted(false);
  for (intptr_t v : {4, 1, 3, 2, 2}) unordered.Add(IntList::Item(v));
  EXPECT_EQ(unordered.Values(), (std::vector<intptr_t>{4, 1, 3, 2, 2}));
  unordered.SetSorted(true);
  EXPECT_EQ(unordered.Values(), (std::vector<intptr_t>{1, 2, 2, 3, 4}));
}

TEST(SortedList, UnsortedLookupsUseIdentityAndListOrder) {
  IntList list;
  list.SetSorted(false);
  for (intptr_t v : {7, 3, 7}) list.Add(IntList::Item(v));
  EXPECT_EQ(list.IndexOfKey(IntList::Item(7)), 0);
  EXPECT_EQ(list.IndexOf(IntList::Item(3)), 1);
  EXPECT_EQ(list.IndexOf(IntList::Item(9)), -1);
  EXPECT_EQ(list.ItemByKey(IntList::Item(9)), nullptr);
  list.Insert(0, IntList::Item(9));
  EXPECT_EQ(list.Values(), (std::vector<intptr_t>{9, 7, 3, 7}));
}

TEST(SortedList, BaseOrderIsByAddressWithoutSubtraction) {
  // Addresses far apart: a subtraction cut to 32 bits would misorder them.
  char* low = reinterpret_cast<char*>(0x1000);
  char* high = reinterpret_cast<char*>(static_cast<uintptr_t>(0x1000) + (uintptr_t(1) << (sizeof(void*) * 8 - 2)));
  EXPECT_LT(ComparePointers(low, high), 0);
  EXPECT_GT(ComparePointers(high, low), 0);
  TCustomSortedList list;
  list.Add(high);
  list.Add(low);
  EXPECT_EQ(list.Items(0), low);
  EXPECT_EQ(list.IndexOfKey(high), 1);
}

TEST(SortedList, BadIndexRaisesTheListIndexError) {
  TCustomSortedList list;
  try {
    list.Items(0);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "Der Index der Liste \xFC\x62\x65rschreitet das Maximum (0)");
  }
}
