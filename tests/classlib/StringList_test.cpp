#include "classlib/StringList.h"

#include <gtest/gtest.h>

#include "classlib/Exception.h"

TEST(StringList, SortedListIgnoresDuplicatesWithoutCase) {
  TStringList l;
  l.SetSorted(true);
  EXPECT_EQ(l.Add("b"), 0);
  EXPECT_EQ(l.Add("a"), 0);
  EXPECT_EQ(l.Add("C"), 2);
  EXPECT_EQ(l.Add("B"), 1);  // equals "b": ignored, existing index
  EXPECT_EQ(l.Count(), 3);
  EXPECT_EQ(l.IndexOf("c"), 2);
  int32_t at;
  EXPECT_FALSE(l.Find("bb", at));
  EXPECT_EQ(at, 2);
  EXPECT_THROW(l.Insert(0, "x"), EListError);
  l.SetDuplicates(dupError);
  EXPECT_THROW(l.Add("A"), EListError);
  l.SetDuplicates(dupAccept);
  l.Add("A");
  EXPECT_EQ(l.Count(), 4);
  EXPECT_TRUE(l.Find("a", at));
  EXPECT_EQ(at, 0);
}

TEST(StringList, CaseSensitiveUnsortedLookup) {
  TStringList l;
  l.SetCaseSensitive(true);
  l.Add("Abc");
  EXPECT_EQ(l.IndexOf("abc"), -1);
  EXPECT_EQ(l.IndexOf("Abc"), 0);
}

TEST(StringList, IndexErrorsAndObjects) {
  TStringList l;
  TObject o;
  l.AddObject("x", &o);
  EXPECT_EQ(l.Objects(0), &o);
  EXPECT_EQ(l.IndexOfObject(&o), 0);
  EXPECT_THROW(l.Strings(1), EListError);
  EXPECT_THROW(l.Strings(-1), EListError);
  EXPECT_THROW(l.Delete(1), EListError);
  l.Delete(0);
  EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, TextSplitsEveryLineEndAndAssignCopies) {
  TStringList l;
  l.SetText("a\r\nb\nc\rd");
  ASSERT_EQ(l.Count(), 4);
  EXPECT_EQ(l.Strings(3), "d");
  EXPECT_EQ(l.Text(), "a\r\nb\r\nc\r\nd\r\n");
  TStringList copy;
  copy.Add("old");
  copy.Assign(l);
  EXPECT_EQ(copy.Text(), l.Text());
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
}
