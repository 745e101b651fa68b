// Range texts read into a list and written back, and the bound on what one
// text may add.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/Exception.h"
#include "components/edits/RangeList.h"

namespace {

std::vector<int32_t> items(const TRangeList& l) {
  std::vector<int32_t> v;
  for (int32_t i = 0; i < l.Count(); ++i) v.push_back(l.Items(i));
  return v;
}

TEST(RangeList, ReadsRangeTexts) {
  struct Case {
    const char* text;
    bool ok;
    std::vector<int32_t> items;
  } cases[] = {
      {"1-3,5;7", true, {1, 2, 3, 5, 7}},
      {"", true, {}},
      {"4", true, {4}},
      {" 2 - 4 ", true, {2, 3, 4}},
      {"-2--1,0", true, {-2, -1, 0}},
      {"1,2,", true, {1, 2}},
      {"5-3", true, {}},
      {"1,x", false, {}},
      {"1,,2", false, {}},
      {"1-", false, {}},
      {"1-2-3", false, {}},
      {"99999999999", false, {}},
      {"1-100000", true, {}},  // the count is checked below
      {"0-100000", false, {}},
      {"-2147483648--2147483647", true, {INT32_MIN, INT32_MIN + 1}},
  };
  for (const Case& c : cases) {
    TRangeList l;
    EXPECT_EQ(l.StrToList(c.text), c.ok) << c.text;
    if (std::string(c.text) == "1-100000") {
      EXPECT_EQ(l.Count(), 100000);
    } else {
      EXPECT_EQ(items(l), c.items) << c.text;
    }
  }
}

TEST(RangeList, RefusedTextLeavesTheListAsItWas) {
  TRangeList l;
  l.Add(9);
  EXPECT_FALSE(l.StrToList("1-3,x"));
  EXPECT_EQ(items(l), std::vector<int32_t>{9});
  // A huge range is refused before anything is added, also when the list
  // already holds entries that the new ones would push past the bound.
  EXPECT_FALSE(l.StrToList("1-3,-2147483648-2147483647"));
  EXPECT_FALSE(l.StrToList("1-100000"));
  EXPECT_EQ(items(l), std::vector<int32_t>{9});
  EXPECT_TRUE(l.StrToList("1-2"));
  EXPECT_EQ(items(l), (std::vector<int32_t>{9, 1, 2}));
}

TEST(RangeList, WritesRuns) {
  struct Case {
    std::vector<int32_t> items;
    const char* text;
  } cases[] = {
      {{1, 2, 3, 5, 7, 8}, "1-3,5,7-8"},
      {{}, ""},
      {{4}, "4"},
      {{3, 2, 1}, "3,2,1"},
      {{-1, 0, 1}, "-1-1"},
      {{INT32_MAX, INT32_MIN}, "2147483647,-2147483648"},
  };
  for (const Case& c : cases) {
    TRangeList l;
    for (int32_t v : c.items) l.Add(v);
    EXPECT_EQ(ListToRangeStr(l), c.text);
  }
}

TEST(RangeList, ListOperations) {
  TRangeList l;
  l.AddMultiple(5, 3);
  l.AddMultiple(1, 0);
  EXPECT_EQ(items(l), (std::vector<int32_t>{5, 6, 7}));
  EXPECT_TRUE(l.InList(6));
  l.Delete(1);
  l.SetItems(0, 1);
  EXPECT_EQ(items(l), (std::vector<int32_t>{1, 7}));
  EXPECT_FALSE(l.InList(6));
  EXPECT_THROW(l.Items(2), EListError);
  EXPECT_THROW(l.Delete(-1), EListError);
}

}  // namespace
