// Property helpers and object streaming over the published-property tables.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "classlib/Component.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/NamedItems.h"
#include "components/buttonedits/runtime/ObjectParams.h"
#include "components/buttonedits/runtime/ObjectStreams.h"
#include "components/buttonedits/runtime/OptionExt.h"
#include "components/buttonedits/runtime/PropHelpers.h"
#include "components/buttonedits/runtime/RegistryPersistence.h"
#include "components/buttonedits/runtime/RegValueStore.h"
#include "tests/support/TestFiles.h"

namespace {

enum TMode { mdOne, mdTwo };
constexpr const char* kModeNames[] = {"mdOne", "mdTwo"};
const TTypeInfo kModeType{tkEnumeration, "TMode", otUByte, 0, 1, kModeNames};
const TClassTypeInfo kStringsType(TStrings::Info);

// A component with a value of each common kind and a string list.
class TOpts : public TComponent {
 public:
  explicit TOpts(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  int32_t Count() const { return FCount; }
  void SetCount(int32_t v) { FCount = v; }
  TMode Mode() const { return FMode; }
  void SetMode(TMode v) { FMode = v; }
  double Ratio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& v) { FCaption = v; }
  TStrings* Lines() const { return &FLines; }
  // Data beside the published properties.
  AnsiString Extra;
  void DefineProperties(TFiler& filer) override {
    filer.DefineProperty(
        "Extra", [this](TReader& r) { Extra = r.ReadString(); }, [this](TWriter& w) { w.WriteString(Extra); },
        !Extra.empty());
  }

 private:
  bool FEnabled = true;
  int32_t FCount = 0;
  TMode FMode = mdOne;
  double FRatio = 0;
  AnsiString FCaption;
  mutable TStringList FLines;
};

const TPropInfo kOptsProps[] = {
    OrdProp<&TOpts::Enabled, &TOpts::SetEnabled>("Enabled", TypeInfoBoolean(), 1),
    OrdProp<&TOpts::Count, &TOpts::SetCount>("Count", TypeInfoInteger(), 0),
    OrdProp<&TOpts::Mode, &TOpts::SetMode>("Mode", kModeType, mdOne),
    FloatProp<&TOpts::Ratio, &TOpts::SetRatio>("Ratio", TypeInfoDouble()),
    StrProp<&TOpts::Caption, &TOpts::SetCaption>("Caption"),
    ObjProp<&TOpts::Lines>("Lines", kStringsType),
};
const TClassInfo TOpts::Info = PublishClass<TOpts>("TOpts", "OptsUnit", TComponent::Info, kOptsProps);

// A plain persistent object of another class; "Count" is a text here.
class TPlain : public TPersistent {
 public:
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& v) { FCaption = v; }
  const AnsiString& Count() const { return FCount; }
  void SetCount(const AnsiString& v) { FCount = v; }
  uint8_t Size() const { return FSize; }
  void SetSize(uint8_t v) { FSize = v; }

 private:
  AnsiString FCaption, FCount;
  uint8_t FSize = 0;
};

const TPropInfo kPlainProps[] = {
    StrProp<&TPlain::Caption, &TPlain::SetCaption>("Caption"),
    StrProp<&TPlain::Count, &TPlain::SetCount>("Count"),
    OrdProp<&TPlain::Size, &TPlain::SetSize>("Size", TypeInfoByte(), 0),
};
const TClassInfo TPlain::Info{"TPlain", "PlainUnit", &TPersistent::Info, kPlainProps};

class MemoryRegistry : public ::testing::Test {
 protected:
  void SetUp() override { SetRegStore(&store_); }
  void TearDown() override { SetRegStore(nullptr); }
  TMemoryRegStore store_;
};

AnsiString Bytes(TMemoryStream& s) { return AnsiString(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size())); }

}  // namespace

TEST(PropHelpers, ValuesAreConvertedToThePropertysKind) {
  TOpts o(nullptr);
  const struct {
    const char* prop;
    Variant in;
    Variant out;
  } cases[] = {
      {"Count", Variant::String(" 42 "), Variant::Integer(42)},
      {"Count", Variant::Double(7.9), Variant::Integer(7)},
      {"Mode", Variant::String("mdtwo"), Variant::Integer(mdTwo)},
      {"Mode", Variant::Integer(0), Variant::Integer(mdOne)},
      {"Enabled", Variant::Integer(0), Variant::Boolean(false)},
      {"Enabled", Variant::String("True"), Variant::Boolean(true)},
      {"Ratio", Variant::String("1,5"), Variant::Double(1.5)},
      {"Caption", Variant::Integer(7), Variant::String("7")},
      {"Caption", Variant::Boolean(true), Variant::String("True")},
  };
  for (const auto& c : cases) {
    SetPropValue(&o, c.prop, c.in);
    EXPECT_EQ(GetPropValue(&o, c.prop), c.out) << c.prop;
  }
  for (const auto& [prop, bad] : {std::pair{"Count", Variant::String("x")}, std::pair{"Mode", Variant::Integer(2)},
                                  std::pair{"Mode", Variant::String("mdThree")}, std::pair{"Ratio", Variant::String("")}})
    EXPECT_THROW(SetPropValue(&o, prop, bad), EConvertError) << prop;
  EXPECT_EQ(GetPropValue(&o, "Count"), Variant::Integer(7));  // unchanged by the failures

  // Unknown properties and null objects do nothing.
  SetPropValue(&o, "Nope", Variant::Integer(1));
  SetPropValue(nullptr, "Count", Variant::Integer(1));
  EXPECT_TRUE(GetPropValue(&o, "Nope").IsEmpty());
  EXPECT_TRUE(GetPropValue(nullptr, "Count").IsEmpty());
  EXPECT_TRUE(PropertyExists(&o, "lines"));
  EXPECT_FALSE(PropertyExists(nullptr, "Lines"));
  EXPECT_EQ(GetClassProperty(o, "Lines"), o.Lines());
  EXPECT_EQ(GetClassProperty(o, "Count"), nullptr);
  EXPECT_EQ(CorrectBool(Variant::Integer(-1)), Variant::Boolean(true));
}

TEST(PropHelpers, CopyingGoesByNameAndKindAndNeverCopiesTheName) {
  TOpts a(nullptr), b(nullptr);
  a.SetName("A");
  b.SetName("B");
  a.SetCount(3);
  a.SetMode(mdTwo);
  a.SetCaption("c");
  a.Lines()->Add("l");
  AssignAllProps(a, b);
  EXPECT_EQ(b.Name(), "B");
  EXPECT_EQ(b.Count(), 3);
  EXPECT_EQ(b.Mode(), mdTwo);
  EXPECT_EQ(b.Lines()->Text(), "l\r\n");

  TPlain p;
  AssignAllProps(a, p);  // Count differs in kind: left alone
  EXPECT_EQ(p.Caption(), "c");
  EXPECT_EQ(p.Count(), "");
  EXPECT_FALSE(AssignProp(a, p, "Count"));

  TOpts c(nullptr);
  AssignProps(&a, &c, " Count , Caption ");
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Caption(), "c");
  EXPECT_EQ(c.Mode(), mdOne);
  TStringList excluded;
  excluded.Add("Mode");
  TOpts d(nullptr);
  AssignAllPropsExclude(a, d, excluded);
  EXPECT_EQ(d.Mode(), mdOne);
  EXPECT_EQ(d.Count(), 3);
}

TEST(PropHelpers, NamesTextsSizesAndClasses) {
  TOpts o(nullptr);
  TStringList names;
  PropNamesToStrings(o, names);
  EXPECT_EQ(names.Text(), "Name\r\nTag\r\nEnabled\r\nCount\r\nMode\r\nRatio\r\nCaption\r\nLines\r\n");
  TStringList values;
  values.SetText("Count = 12\nCaption=   \nMode=mdTwo\nTag=5\nOther=1");
  AssignPropsFromStrings(o, values);
  EXPECT_EQ(o.Count(), 12);
  EXPECT_EQ(o.Mode(), mdTwo);
  EXPECT_EQ(o.Tag(), 5);

  TObject* objs[] = {&o, nullptr};
  SetEnabledControls(objs, 2, false);
  EXPECT_FALSE(o.Enabled());
  EXPECT_EQ(GetClassUnit(&o), "OptsUnit");
  EXPECT_EQ(GetVMT(&o), &TOpts::Info);
  EXPECT_EQ(GetVMT(nullptr), nullptr);
  EXPECT_TRUE(InheritsFromClassName(&o, "TComponent"));
  EXPECT_FALSE(InheritsFromClassName(nullptr, "TObject"));

  TPlain p;
  p.SetCaption("abc");
  EXPECT_EQ(GetPropValueSize(p, *GetPropInfo(p, "Caption")), 3);
  EXPECT_EQ(GetPropValueSize(p, *GetPropInfo(p, "Size")), 1);
  EXPECT_EQ(GetFloatSize(TypeInfoExtended()), 10);
  EXPECT_EQ(GetFloatSize(TypeInfoSingle()), 4);
  EXPECT_EQ(GetOrdSize(TypeInfoSmallint()), 2);
  EXPECT_EQ(GetDWordSize(5), 8);
}

TEST(ObjectStreams, APlainObjectTravelsInAHolderAndTheTextFormToo) {
  TPlain p;
  p.SetCaption("hallo");
  p.SetSize(9);
  TMemoryStream s;
  WriteObjToStream(s, p);
  EXPECT_NE(Bytes(s).find("\x0APersHolder"), AnsiString::npos);
  EXPECT_NE(Bytes(s).find("\x12Persistent.Caption"), AnsiString::npos);
  s.SetPosition(0);
  TPlain q;
  ReadObjFromStream(s, q);
  EXPECT_EQ(q.Caption(), "hallo");
  EXPECT_EQ(q.Size(), 9);

  kel::test::TempDir dir;
  const AnsiString file = dir.path() + "/obj.txt";
  TOpts o(nullptr);
  o.SetName("Opts");
  o.SetRatio(0.25);
  o.Lines()->Add("zeile");
  WriteObjToTextFile(file, o);
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text, "object Opts: TOpts\r\n  Ratio = 0.25\r\n  Lines.Strings = (\r\n    'zeile')\r\nend\r\n");
  TOpts back(nullptr);
  ReadObjFromTextFile(file, back);
  EXPECT_EQ(back.Ratio(), 0.25);
  EXPECT_EQ(back.Lines()->Text(), "zeile\r\n");
  EXPECT_THROW(ReadObjFromFile(dir.path() + "/missing", back), EFOpenError);
}

TEST(ObjectStreams, PropertyBlocksHoldOnlyTheNamedPropertiesAndTheirLength) {
  TOpts o(nullptr);
  o.SetCount(5);
  o.SetCaption("weg");
  o.Lines()->Add("a");
  o.Extra = "declared";
  TMemoryStream s;
  s.WriteBuffer("X", 1);
  const AnsiString names[] = {"count", "Lines"};
  WritePropsToStream(s, o, names, 2);
  s.WriteBuffer("Y", 1);
  const AnsiString bytes = Bytes(s);
  uint32_t len;
  std::memcpy(&len, bytes.data() + 1, 4);
  EXPECT_EQ(len, bytes.size() - 6);
  EXPECT_EQ(bytes.find("Caption"), AnsiString::npos);
  EXPECT_NE(bytes.find("Extra"), AnsiString::npos);

  s.SetPosition(1);
  TOpts r(nullptr);
  ReadPropsFromStream(s, r);
  EXPECT_EQ(r.Count(), 5);
  EXPECT_EQ(r.Caption(), "");
  EXPECT_EQ(r.Lines()->Text(), "a\r\n");  // a sub-object's data is read
  EXPECT_EQ(r.Extra, "");                 // the component's own is not
  char after;
  s.ReadBuffer(&after, 1);
  EXPECT_EQ(after, 'Y');

  // A length beyond the data is refused.
  TMemoryStream bad;
  const uint8_t huge[5] = {0xFF, 0xFF, 0, 0, 0};
  bad.WriteBuffer(huge, 5);
  bad.SetPosition(0);
  EXPECT_THROW(ReadPropsFromStream(bad, r), EReadError);
}

TEST_F(MemoryRegistry, ObjectsAndPropertiesGoToRegistryValues) {
  TOpts o(nullptr);
  o.SetName("Opts");
  o.SetCount(4);
  o.SetCaption("reg");
  WriteObjToRegistry(o, "Objects\\Opts");
  WriteObjTextToRegistry(o, "Objects\\OptsText");
  TOpts a(nullptr), b(nullptr);
  ReadObjFromRegistry(a, "Objects\\Opts");
  ReadObjTextFromRegistry(b, "Objects\\OptsText");
  EXPECT_EQ(a.Count(), 4);
  EXPECT_EQ(b.Caption(), "reg");
  ReadObjFromRegistry(a, "Objects\\Missing");  // nothing there: unchanged
  EXPECT_EQ(a.Count(), 4);

  o.SetMode(mdTwo);
  o.SetEnabled(false);
  o.SetRatio(2.5);
  WritePropsToRegistry(o, "Props");
  EXPECT_TRUE(RegValueExists("Props\\Ratio"));
  EXPECT_FALSE(RegValueExists("Props\\Lines"));
  TOpts c(nullptr);
  c.SetCaption("kept");
  ReadPropsFromRegistry(c, "Props");
  EXPECT_EQ(c.Mode(), mdTwo);
  EXPECT_FALSE(c.Enabled());
  EXPECT_EQ(c.Ratio(), 2.5);
  EXPECT_EQ(c.Caption(), "reg");
  EXPECT_EQ(c.Count(), 4);
}

TEST(ObjectStreams, ComponentsKeepTheirSectionOfTheSettingsFile) {
  kel::test::TempDir dir;
  DCIniFileName = dir.path() + "/settings.ini";
  {
    std::ofstream f(DCIniFileName, std::ios::binary);
    f << "[Before]\r\na=1\r\n\r\n[Opts]\r\nold=1\r\n\r\n[After]\r\nb=2\r\n";
  }
  TOpts o(nullptr);
  o.SetName("O");
  o.SetCaption(AnsiString(40, 'x'));
  ASSERT_TRUE(SaveComponentToIniFile(o, "opts"));
  TStringList lines;
  {
    std::ifstream in(DCIniFileName, std::ios::binary);
    lines.SetText(std::string((std::istreambuf_iterator<char>(in)), {}));
  }
  EXPECT_EQ(lines.Strings(0), "[Before]");
  EXPECT_EQ(lines.Strings(3), "[Opts]");
  EXPECT_EQ(lines.Strings(4).size(), 64u);
  EXPECT_EQ(lines.Strings(4).substr(0, 8), "54504630");  // "TPF0"
  EXPECT_EQ(lines.IndexOf("old=1"), -1);
  EXPECT_EQ(lines.Strings(lines.Count() - 2), "[After]");

  TOpts back(nullptr);
  EXPECT_TRUE(LoadComponentFromIniFile(back, "OPTS"));
  EXPECT_EQ(back.Caption(), o.Caption());
  EXPECT_FALSE(LoadComponentFromIniFile(back, "Before"));  // no hexadecimal text
  EXPECT_FALSE(LoadComponentFromIniFile(back, "Missing"));
  DCIniFileName.clear();
  EXPECT_FALSE(SaveComponentToIniFile(o, "opts"));
}

TEST(NamedItems, NamesAreFoundWithoutCaseAndTheCollectionTravelsThroughAFile) {
  auto* owner = new TOpts(nullptr);
  TDCNamedItems items(owner);
  std::vector<TCollectionItem*> updates;
  items.OnUpdate.push_back([&](TCustomDCNamedItems&, TCollectionItem* item) { updates.push_back(item); });
  auto* a = static_cast<TDCNamedItem*>(items.Add());
  auto* b = static_cast<TDCNamedItem*>(items.Add());
  b->SetDisplayName("Zweites");
  EXPECT_EQ(updates.back(), b);
  EXPECT_EQ(a->DisplayName(), "TDCNamedItem");  // no name: the inherited one
  EXPECT_EQ(items.IndexOfName("zweites"), 1);
  EXPECT_EQ(items.IndexOfName("TDCNamedItem"), 0);
  EXPECT_EQ(items.IndexOfName("drittes"), -1);
  EXPECT_EQ(items.IndexOf(b), 1);
  a->Assign(*b);
  EXPECT_EQ(a->StoredDisplayName(), "Zweites");

  kel::test::TempDir dir;
  const AnsiString file = dir.path() + "/items.bin";
  items.SaveToFile(file);
  TDCNamedItems back(nullptr);
  back.Add();
  back.LoadFromFile(file);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Items(1)->DisplayName(), "Zweites");

  EXPECT_EQ(items.GetOwner(), owner);
  delete owner;  // the collection forgets its owner
  EXPECT_EQ(items.Owner(), nullptr);
  EXPECT_EQ(items.GetOwner(), nullptr);
}

namespace {

class TEditorOptions : public TOptionExt {
 public:
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  int32_t TabSize() const { return FTabSize; }
  void SetTabSize(int32_t v) { FTabSize = v; }
  const AnsiString& FontName() const { return FFontName; }
  void SetFontName(const AnsiString& v) { FFontName = v; }
  int Updates = 0;
  void Update() override {
    TOptionExt::Update();
    if (UpdateCount() == 0) ++Updates;
  }

 private:
  int32_t FTabSize = 8;
  AnsiString FFontName = "Courier";
};

const TPropInfo kEditorOptionsProps[] = {
    OrdProp<&TEditorOptions::TabSize, &TEditorOptions::SetTabSize>("TabSize", TypeInfoInteger(), 8),
    StrProp<&TEditorOptions::FontName, &TEditorOptions::SetFontName>("FontName"),
};
const TClassInfo TEditorOptions::Info{"TEditorOptions", "Test", &TOptionExt::Info, kEditorOptionsProps};

int initialised = 0;
void CountInit(TOptionExt&) { ++initialised; }

}  // namespace

TEST_F(MemoryRegistry, OptionObjectsKeepTheirValuesUnderTheirKeyAndFeedTheirControl) {
  TEditorOptions o;
  EXPECT_EQ(o.GetKey(), "EditorOptions");
  o.SetTabSize(2);
  o.SaveConfig();
  EXPECT_TRUE(RegValueExists("EditorOptions\\TabSize"));

  TEditorOptions shown;
  RegisterOptionControl("TEditorOptions", &shown);
  TEditorOptions loaded;
  loaded.LoadConfig();
  EXPECT_EQ(loaded.TabSize(), 2);
  EXPECT_EQ(loaded.Updates, 1);           // one Update for the whole load
  EXPECT_EQ(shown.TabSize(), 2);          // Update showed the values in the control
  shown.SetFontName("Arial");
  loaded.ApplyOptions();
  EXPECT_EQ(loaded.FontName(), "Arial");
  UnRegisterOptionControl("TEditorOptions");
  EXPECT_TRUE(loaded.CreatedWithoutControl());

  kel::test::TempDir dir;
  DCIniFileName = dir.path() + "/opts.ini";
  DCUseIniFile = true;
  loaded.SaveConfig();
  TEditorOptions fromIni;
  fromIni.LoadConfig();
  DCUseIniFile = false;
  DCIniFileName.clear();
  EXPECT_EQ(fromIni.FontName(), "Arial");

  RegisterOptionsInitializator(CountInit);
  TOptionExt* listed = OptionExtList().Add(std::make_unique<TEditorOptions>());
  UnRegisterOptionsInitializator(CountInit);
  EXPECT_EQ(initialised, 1);
  EXPECT_EQ(GetOptionsByClass("teditoroptions"), listed);
  EXPECT_NE(GetItemEqual("TEditorOptions", "Environment.Options", Variant::Integer(123)), nullptr);
  OptionExtList().Clear();
}

TEST(PropHelpers, MethodTypesAgreeByKindAndParameters) {
  static constexpr TParamData notify[] = {{0, "Sender", "TObject"}};
  static constexpr TParamData notifyOtherCase[] = {{0, "SENDER", "tobject"}};
  static constexpr TParamData key[] = {{0, "Sender", "TObject"}, {pfVar, "Key", "Word"}};
  static constexpr TParamData keyConst[] = {{0, "Sender", "TObject"}, {pfConst, "Key", "Word"}};
  static constexpr TParamData keyName[] = {{0, "Sender", "TObject"}, {pfVar, "Code", "Word"}};
  static constexpr TParamData keyType[] = {{0, "Sender", "TObject"}, {pfVar, "Key", "Char"}};
  const TTypeInfo base = MethodTypeInfo("TKeyEvent", mkProcedure, key);
  struct Case {
    TTypeInfo other;
    bool equal;
  } const cases[] = {
      {MethodTypeInfo("TOtherName", mkProcedure, key), true},
      {MethodTypeInfo("TKeyEvent", mkFunction, key, "Boolean"), false},
      {MethodTypeInfo("TKeyEvent", mkProcedure, notify), false},
      {MethodTypeInfo("TKeyEvent", mkProcedure, keyConst), false},
      {MethodTypeInfo("TKeyEvent", mkProcedure, keyName), false},
      {MethodTypeInfo("TKeyEvent", mkProcedure, keyType), false},
      {TypeInfoInteger(), false},
  };
  for (const Case& c : cases) EXPECT_EQ(EqualMethodTypeData(base, c.other), c.equal) << c.other.Name;
  EXPECT_TRUE(EqualMethodTypeData(TypeInfoNotifyEvent(), MethodTypeInfo("X", mkProcedure, notifyOtherCase)));
}
