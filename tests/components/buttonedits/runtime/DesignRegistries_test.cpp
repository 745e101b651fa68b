#include "components/buttonedits/runtime/DesignRegistries.h"

#include <gtest/gtest.h>

#include "classlib/Filer.h"
#include "components/buttonedits/runtime/FileCalls.h"
#include "components/buttonedits/runtime/Notifiers.h"
#include "tests/support/TestFiles.h"

namespace {

class TButtonLike : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
};
class TSpeedLike : public TButtonLike {
 public:
  using TButtonLike::TButtonLike;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
};
const TClassInfo TButtonLike::Info = PublishClass<TButtonLike>("TButtonLike", "Test", TComponent::Info, {});
const TClassInfo TSpeedLike::Info = PublishClass<TSpeedLike>("TSpeedLike", "Test", TButtonLike::Info, {});

class TPascalDesigner : public TCodeDesigner {
 public:
  using TCodeDesigner::TCodeDesigner;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  void SetStrings(const TStrings&) override {}
  void GetStrings(TStrings&) override {}
  AnsiString CreateMethod(const AnsiString& name, const AnsiString&) override { return name; }
  void ShowMethod(const AnsiString&) override {}
  void RenameMethod(const AnsiString&, const AnsiString&) override {}
  void DeleteMethod(const AnsiString&) override {}
  void DeleteEmptyMethods() override {}
  void GetMethods(const AnsiString&, TStrings&) override {}
  bool MethodExists(const AnsiString&) override { return false; }
};
const TClassInfo TPascalDesigner::Info = PublishClass<TPascalDesigner>("TPascalDesigner", "Test", TCodeDesigner::Info, {});
const TClassInfo kUnitDesigner = PublishClass<TPascalDesigner>("TUnitDesigner", "Test", TCodeDesigner::Info, {});

}  // namespace

TEST(DesignRegistries, RegistrationsFollowTheirPackageGroupAndTheMostSpecificWins) {
  const TTypeInfo& str = TypeInfoAnsiString();
  CurrentPackageGroup = 7;
  RegisterEditClass(&str, nullptr, "", TButtonLike::Info);
  RegisterEditClass(&str, &TButtonLike::Info, "Caption", TSpeedLike::Info);
  CurrentPackageGroup = 8;
  RegisterEditClass(&TypeInfoInteger(), nullptr, "", TButtonLike::Info);
  CurrentPackageGroup = 0;
  EXPECT_EQ(GetClass("TSpeedLike"), &TSpeedLike::Info);  // registered for streaming too

  EXPECT_EQ(FindRegisteredClassItem(EditClasses(), &str, &TSpeedLike::Info, "caption")->RegisteredClass,
            &TSpeedLike::Info);
  EXPECT_EQ(FindRegisteredClassItem(EditClasses(), &str, &TComponent::Info, "Caption")->RegisteredClass,
            &TButtonLike::Info);
  EXPECT_EQ(FindRegisteredClassItem(EditClasses(), &TypeInfoDouble(), nullptr, ""), nullptr);

  EditClasses().CMFreeEditGroup(7);
  ASSERT_EQ(EditClasses().Count(), 1);
  EXPECT_EQ(EditClasses().Last()->Group, 8);
  UnRegisterEditClass(TButtonLike::Info);
  EXPECT_EQ(EditClasses().Last(), nullptr);

  RegisterTextEditClass(TButtonLike::Info);
  EXPECT_TRUE(IsTextEditClass(TSpeedLike::Info));
  EXPECT_FALSE(IsTextEditClass(TComponent::Info));
}

TEST(DesignRegistries, CodeDesignersAreFoundByExtensionAndKind) {
  RegisterFormCodeDesigner(TPascalDesigner::Info, ".pas");
  RegisterUnitCodeDesigner(kUnitDesigner, "PAS");
  EXPECT_EQ(GetFormCodeDesignerClass("Pas"), &TPascalDesigner::Info);
  EXPECT_EQ(GetUnitCodeDesignerClass(".pas"), &kUnitDesigner);
  EXPECT_NE(GetCodeDesignerClass("pas"), nullptr);
  EXPECT_EQ(GetCodeDesignerClass("bas"), nullptr);

  TPascalDesigner d(nullptr);
  EXPECT_EQ(d.GetDelimiters(), "/{}+-*():=,;><$.#[]^@&~|%'");
  int line = 0;
  d.OnShowSource = [&](TCodeDesigner&, int32_t l, int32_t) { line = l; };
  d.ShowSource(12, 3);
  EXPECT_EQ(line, 12);
  EXPECT_TRUE(d.ValidIdentifier("_Button1"));
  EXPECT_FALSE(d.ValidIdentifier("1Button"));
}

TEST(DesignRegistries, ClassesComponentsAndPositions) {
  EXPECT_EQ(GetCommonParent(&TSpeedLike::Info, &TButtonLike::Info), &TButtonLike::Info);
  EXPECT_STREQ(ClassNamePtr(TSpeedLike::Info), "TSpeedLike");
  EXPECT_TRUE(MethodTable(TSpeedLike::Info).empty());
  static const TMethodEntry methods[] = {{"Run"}, {"Stop"}};
  static const TClassInfo withMethods =
      PublishClass<TButtonLike>("TMethodsLike", "Test", TButtonLike::Info, {}, {}, methods);
  ASSERT_EQ(MethodTable(withMethods).size(), 2u);
  EXPECT_EQ(&MethodTable(withMethods)[1], &methods[1]);
  EXPECT_EQ(GetCommonParent(&TSpeedLike::Info, &TCodeDesigner::Info), &TComponent::Info);
  TComponent root(nullptr);
  auto* b = new TButtonLike(&root);
  b->SetName("B1");
  auto* s = new TSpeedLike(&root);
  s->SetName("S1");
  (new TComponent(&root))->SetName("C1");
  EXPECT_EQ(GetCommonClassesParent({b, s}), &TButtonLike::Info);
  EXPECT_EQ(GetCommonClassesParent({}), nullptr);
  AnsiString names;
  CompNamesToProc(&root, nullptr, TButtonLike::Info, [&](const AnsiString& n) { names += n + ";"; });
  EXPECT_EQ(names, "B1;S1;");

  SetComponentTopLeft(*b, {-3, 200});
  EXPECT_EQ(b->DesignInfo(), 200 << 16 | 0xFFFD);
  EXPECT_EQ(GetComponentTopLeft(*b).X, -3);
  EXPECT_EQ(GetComponentTopLeft(*b).Y, 200);

  ClassItems().Clear();
  const TClassInfo* classes[] = {&TButtonLike::Info, &TSpeedLike::Info};
  int broadcasts = 0;
  struct Listener : TMessageReceiver {
    int* Count;
    explicit Listener(int* c) : Count(c) {}
    void Dispatch(TDCMessage& m) override { *Count += m.Msg == 2069; }
  } listener(&broadcasts);
  RegisterNotifier(&listener);
  RegisterNonVelmor(classes, "Standard", 1u << 2);
  UnregisterNotifier(&listener);
  EXPECT_EQ(broadcasts, 1);
  EXPECT_EQ(ClassItems().Find(TSpeedLike::Info)->Page, "Standard");
  EXPECT_EQ(ClassItems().ListFieldClasses(2).size(), 2u);
  EXPECT_TRUE(ClassItems().ListFieldClasses(3).empty());
  VelmorReportMode = true;
  bool ran = false;
  RegisterForVelmor([&] { ran = true; });
  VelmorReportMode = false;
  EXPECT_FALSE(ran);

  EXPECT_EQ(ExtractActiveXHint(" Calendar Control "), "Calendar");
  EXPECT_EQ(ExtractActiveXHint("MYCONTROL"), "MYCONTROL");
}

TEST(DesignRegistries, StreamsNameTheirClassAndRelativeNamesExpand) {
  TButtonLike b(nullptr);
  b.SetName("B");
  RegisterStreamClass(TButtonLike::Info);
  TMemoryStream s;
  const uint8_t header[] = {0xFF, 10, 0, 'F', 'O', 'R', 'M', 0, 0x30, 0x10, 1, 0, 0, 0};
  s.WriteBuffer(header, sizeof header);
  WriteComponentToStream(s, b);
  s.SetPosition(0);
  EXPECT_EQ(GetClassFromStream(s), &TButtonLike::Info);
  EXPECT_EQ(s.Position(), 0);
  TMemoryStream junk;
  junk.WriteBuffer("xyz", 3);
  junk.SetPosition(0);
  EXPECT_EQ(GetClassFromStream(junk), nullptr);

  kel::test::TempDir dir;
  const char sep = filecalls::Separator();
  const AnsiString before = filecalls::GetCurrentDir();
  ASSERT_TRUE(filecalls::CreateDir(dir.path() + sep + "forms"));
  const AnsiString base = dir.path() + sep + "forms" + sep + "main.dfm";
  const AnsiString expanded = ExpandRelativeFileName(base, AnsiString("..") + sep + "." + sep + "unit.pas", "");
  EXPECT_EQ(expanded.substr(expanded.size() - 9), AnsiString(1, sep) + "unit.pas");
  EXPECT_EQ(expanded.find("forms"), AnsiString::npos);
  EXPECT_EQ(expanded.find(".."), AnsiString::npos);
  EXPECT_NE(expanded.find(dir.path().substr(dir.path().find_last_of("\\/") + 1)), AnsiString::npos);
  EXPECT_EQ(filecalls::GetCurrentDir(), before);
}
