// Text search, character sets, list and string-list helpers, parameter
// lookups by class.
#include <gtest/gtest.h>

#include "components/buttonedits/runtime/FileCalls.h"
#include "components/buttonedits/runtime/ListHelpers.h"
#include "components/buttonedits/runtime/Naming.h"
#include "components/buttonedits/runtime/Notifiers.h"
#include "components/buttonedits/runtime/ObjectParams.h"
#include "components/buttonedits/runtime/StringHelpers.h"
#include "tests/support/TestFiles.h"

#include <fstream>

TEST(Helpers, TextIsFoundInLinesWithTheSearchOptions) {
  TStringList lines;
  lines.SetText("Anna und Otto\nottomotor\nOtto");
  const TCharSet seps = DefaultSeparators();
  const struct {
    TSearchParams options;
    int32_t line, column;  // start
    bool found;
    int32_t foundLine, foundColumn;
  } cases[] = {
      {0, 0, 1, true, 0, 10},                            // without case
      {spCaseSens, 0, 1, true, 1, 1},                    // only "ottomotor" is lower case
      {spCaseSens | spWholeWords, 0, 1, false, 0, 0},    // and no whole word
      {spWholeWords, 1, 1, true, 2, 1},                  // without case: line 2
      {spBackSearch, 2, 4, true, 2, 1},                  // back from the end of line 2
      {spBackSearch, 1, 0, true, 0, 10},                 // before line 1's start: line 0
      {spBackSearch | spWholeWords, 1, 9, true, 0, 10},  // passes over "ottomotor"
      {spWholeWords, 2, 2, false, 0, 0},                 // nothing after
  };
  for (const auto& c : cases) {
    int32_t line = c.line, column = c.column;
    EXPECT_EQ(FindInStringsEx("otto", lines, c.options, seps, line, column), c.found) << c.options << " " << c.line;
    if (c.found) {
      EXPECT_EQ(line, c.foundLine) << c.options << " " << c.line;
      EXPECT_EQ(column, c.foundColumn) << c.options << " " << c.line;
    }
  }
  int32_t line = 0, column = 99;
  ASSERT_TRUE(FindFirstInStrings("otto", lines, 0, seps, line, column));
  EXPECT_EQ(column, 10);
  ASSERT_TRUE(FindNextInStrings("otto", lines, 0, seps, line, column));
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 1);
  ASSERT_TRUE(FindNextInStrings("otto", lines, 0, seps, line, column));
  EXPECT_EQ(line, 2);
  EXPECT_FALSE(FindNextInStrings("otto", lines, 0, seps, line, column));
}

TEST(Helpers, CharacterSetsShortStringsAndCoordinates) {
  EXPECT_EQ(RemoveStrSet("ae", "Aber Ende", false), "br nd");
  EXPECT_EQ(RemoveStrSet("ae", "Aber Ende", true), "Abr End");
  EXPECT_EQ(RemoveNonIdentChars("Button 1.Caption-x_"), "Button1Captionx_");
  const uint8_t raw[] = {3, 'a', 'b', 'c', 0, 'z'};
  const uint8_t* p = raw;
  EXPECT_EQ(PReadShortStr(p), "abc");
  EXPECT_EQ(PReadShortStr(p), "");
  EXPECT_EQ(p, raw + 5);
  EXPECT_EQ(PointToStr(-1, 2), "-1 2");
  EXPECT_EQ(RectToStr(0, 1, 20, 30), "0 1 20 30");
  EXPECT_GE(CurrentYear(), 2024);
}

TEST(Helpers, FilesAreSearchedAlongAPathAndTheirAttributesChanged) {
  kel::test::TempDir a, b;
  const char sep = filecalls::Separator();
  std::ofstream(b.path() + sep + "unit.pas") << "unit eins;\r\nend.";
  AnsiString file = "unit.pas";
  TStringList source;
  EXPECT_TRUE(DCGetUnitSource(file, a.path() + ";" + b.path() + sep, source));
  EXPECT_EQ(file, b.path() + sep + "unit.pas");
  EXPECT_EQ(source.Strings(0), "unit eins;");
  AnsiString missing = "none.pas";
  EXPECT_FALSE(DCGetUnitSource(missing, a.path(), source));
  EXPECT_EQ(missing, "none.pas");

  ASSERT_TRUE(ModifyFileAttr(file, faReadOnly, 0));
  uint32_t attr = 0;
  filecalls::GetAttributes(file, attr);
  EXPECT_TRUE(attr & faReadOnly);
  TStringList files;
  files.Add(file);
  ModifyFilesAttr(files, 0, faReadOnly);
  filecalls::GetAttributes(file, attr);
  EXPECT_FALSE(attr & faReadOnly);
  EXPECT_FALSE(ModifyFileAttr(a.path() + sep + "none", faReadOnly, 0));
}

TEST(Helpers, ListsAreComparedWalkedAndFreed) {
  int x[4];
  TFastList a, b;
  for (int& i : x) a.Add(&i);
  b.Add(&x[3]);
  EXPECT_TRUE(ListsInterSect(a, b));
  EXPECT_FALSE(EqualList(a, b));
  AddList(a, a);  // the same list: nothing
  EXPECT_EQ(a.Count(), 4);
  AddList(a, b);
  EXPECT_EQ(b.Count(), 5);
  TFastList c;
  for (int i = 3; i >= 0; --i) c.Add(&x[i]);
  EXPECT_TRUE(EqualList(a, c));

  // Backwards; a callback that removes two items does not make the walk
  // touch a removed one; clearing `proceed` stops it.
  std::vector<int32_t> seen;
  ForEachListItem(a, [&](void*, int32_t index, bool& proceed) {
    seen.push_back(index);
    if (index == 3) {
      a.Delete(3);
      a.Delete(2);
    }
    if (index == 1) proceed = false;
  });
  EXPECT_EQ(seen, (std::vector<int32_t>{3, 1}));

  std::unique_ptr<TFastList> owned = CreateList();
  owned->Add(GetMem0(16));
  owned->Add(GetMem0(0));
  DisposeList(owned);  // the sanitizer reports what it does not release
  EXPECT_EQ(owned, nullptr);

  TStringList s;
  s.AddObject("a=1", new TObject);
  s.AddObject("b", new TObject);
  TFastList objects;
  StringsObjectsToList(s, objects);
  EXPECT_EQ(objects.Items(1), s.Objects(1));
  TStringList names, values;
  NamePartToStrings(s, names);
  ValuePartToStrings(s, values);
  EXPECT_EQ(names.Text(), "a\r\nb\r\n");
  EXPECT_EQ(values.Text(), "1\r\n\r\n");
  ClearStrings(s);
  EXPECT_EQ(s.Count(), 0);
}

TEST(Helpers, ParametersAreFoundThroughTheClassChain) {
  static const TClassInfo base{"TKelBaseOpt", "t", &TObject::Info, {}};
  static const TClassInfo derived{"TKelDerivedOpt", "t", &base, {}};
  const AnsiString names[] = {"TextStylesClass.ID"};
  const Variant values[] = {Variant::String("Pascal")};
  RegisterClassExt("TKelBaseOpt", names, values, 1);
  EXPECT_NE(GetItemInherited(derived), nullptr);
  EXPECT_EQ(GetItemInherited(TObject::Info), nullptr);
  EXPECT_EQ(GetClassEx("TextStylesClass.ID", Variant::String("Pascal")), "TKelBaseOpt");
  AnsiString sets;
  EnumTextStylesSets([&](const AnsiString& n) { sets += n; });
  EXPECT_EQ(sets, "TKelBaseOpt");
  FreeTextStylesSets();
  EXPECT_EQ(GetItemInherited(derived), nullptr);

  int runs = 0;
  const TVerbEntry verbs[] = {{"Eins", nullptr, [&] { ++runs; }}, {"Zwei", nullptr, [&] { runs += 10; }}};
  RegisterVerbArray(verbs);
  EXPECT_TRUE(CallVerbByName("zwei"));
  EXPECT_EQ(runs, 10);

  struct Receiver : TMessageReceiver {
    intptr_t LParam = 0;
    void Dispatch(TDCMessage& m) override { LParam = reinterpret_cast<TBroadcastMessage*>(m.WParam)->Param2; }
  } r;
  RegisterNotifier(&r);
  int list = 0;
  NotifyDestroyObjects(nullptr);
  EXPECT_EQ(r.LParam, 0);
  NotifyDestroyObjects(&list);
  UnregisterNotifier(&r);
  EXPECT_EQ(r.LParam, reinterpret_cast<intptr_t>(&list));
}
