#include "classlib/Filer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <limits>

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/ObjectText.h"
#include "classlib/StringList.h"
#include "classlib/TypInfo.h"

namespace {

enum TSampleKind { skOne, skTwo, skThree };
constexpr const char* kKindNames[] = {"skOne", "skTwo", "skThree"};
const TTypeInfo kKindType{tkEnumeration, "TSampleKind", otUByte, 0, 2, kKindNames};
const TTypeInfo kKindsType{tkSet, "TSampleKinds", otUByte, 0, 0, nullptr, &kKindType};

class TSampleItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& v) { FCaption = v; }
  int32_t Value() const { return FValue; }
  void SetValue(int32_t v) { FValue = v; }

 private:
  AnsiString FCaption;
  int32_t FValue = 0;
};

const TPropInfo kItemProps[] = {
    StrProp<&TSampleItem::Caption, &TSampleItem::SetCaption>("Caption"),
    OrdProp<&TSampleItem::Value, &TSampleItem::SetValue>("Value", TypeInfoInteger(), 0),
};
const TClassInfo TSampleItem::Info{"TSampleItem", "Filer_test", &TCollectionItem::Info, kItemProps};

class TSample : public TComponent {
 public:
  explicit TSample(TComponent* owner) : TComponent(owner), FItems(TSampleItem::Info, TCollection::FactoryOf<TSampleItem>()) {}
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t v) { FWidth = v; }
  int64_t Big() const { return FBig; }
  void SetBig(int64_t v) { FBig = v; }
  char Letter() const { return FLetter; }
  void SetLetter(char v) { FLetter = v; }
  TSampleKind Kind() const { return FKind; }
  void SetKind(TSampleKind v) { FKind = v; }
  uint8_t Kinds() const { return FKinds; }
  void SetKinds(uint8_t v) { FKinds = v; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool v) { FFlag = v; }
  double Ratio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  float Scale() const { return FScale; }
  void SetScale(float v) { FScale = v; }
  double Price() const { return FPrice; }
  void SetPrice(double v) { FPrice = v; }
  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& v) { FCaption = v; }
  const WideString& Title() const { return FTitle; }
  void SetTitle(const WideString& v) { FTitle = v; }
  TStrings* Lines() const { return &FLines; }
  TCollection* Items() const { return &FItems; }
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* v) { FBuddy = v; }

 private:
  int32_t FWidth = 10;
  int64_t FBig = 0;
  char FLetter = 'a';
  TSampleKind FKind = skOne;
  uint8_t FKinds = 0;
  bool FFlag = false;
  double FRatio = 0;
  float FScale = 0;
  double FPrice = 0;
  AnsiString FCaption;
  WideString FTitle;
  mutable TStringList FLines;
  mutable TCollection FItems;
  TComponent* FBuddy = nullptr;
};

const TClassTypeInfo kStringsType(TStrings::Info);
const TClassTypeInfo kCollectionType(TCollection::Info);
const TClassTypeInfo kComponentType(TComponent::Info);

const TPropInfo kSampleProps[] = {
    OrdProp<&TSample::Width, &TSample::SetWidth>("Width", TypeInfoInteger(), 10),
    OrdProp<&TSample::Big, &TSample::SetBig>("Big", TypeInfoInt64(), 0),
    OrdProp<&TSample::Letter, &TSample::SetLetter>("Letter", TypeInfoChar(), 'a'),
    OrdProp<&TSample::Kind, &TSample::SetKind>("Kind", kKindType, skOne),
    OrdProp<&TSample::Kinds, &TSample::SetKinds>("Kinds", kKindsType, 0),
    OrdProp<&TSample::Flag, &TSample::SetFlag>("Flag", TypeInfoBoolean(), 0),
    FloatProp<&TSample::Ratio, &TSample::SetRatio>("Ratio", TypeInfoExtended()),
    FloatProp<&TSample::Scale, &TSample::SetScale>("Scale", TypeInfoSingle()),
    FloatProp<&TSample::Price, &TSample::SetPrice>("Price", TypeInfoCurrency()),
    StrProp<&TSample::Caption, &TSample::SetCaption>("Caption"),
    WStrProp<&TSample::Title, &TSample::SetTitle>("Title"),
    ObjProp<&TSample::Lines>("Lines", kStringsType),
    ObjProp<&TSample::Items>("Items", kCollectionType),
    RefProp<&TSample::Buddy, &TSample::SetBuddy>("Buddy", kComponentType),
};
const TClassInfo TSample::Info = PublishClass<TSample>("TSample", "Filer_test", TComponent::Info, kSampleProps);

struct Registered {
  Registered() { RegisterStreamClass(TSample::Info); }
} registered;

AnsiString Bytes(TMemoryStream& s) { return AnsiString(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size())); }

AnsiString Stream(TComponent& c) {
  TMemoryStream s;
  WriteComponentToStream(s, c);
  return Bytes(s);
}

}  // namespace

TEST(Filer, SmallComponentHasTheExactBinaryLayout) {
  TSample a(nullptr);
  a.SetName("A");
  a.SetTag(5);
  a.SetWidth(-129);
  using namespace std::string_literals;
  EXPECT_EQ(Stream(a), "TPF0\x07TSample\x01" "A\x03Tag\x02\x05\x05Width\x03\x7f\xff\x00\x00"s);
}

TEST(Filer, EveryKindOfPropertyAndTheOwnedComponentsComeBack) {
  TSample a(nullptr);
  a.SetName("Root");
  a.SetWidth(70000);
  a.SetBig(int64_t(1) << 40);
  a.SetLetter('Z');
  a.SetKind(skThree);
  a.SetKinds(1 << skOne | 1 << skThree);
  a.SetFlag(true);
  a.SetRatio(1.0 / 3.0);
  a.SetScale(2.5f);
  a.SetPrice(12.3456);
  a.SetCaption(AnsiString(300, 'x') + "\xE4");
  a.SetTitle(u"Grüße \u20AC");
  a.Lines()->Add("eins");
  a.Lines()->Add("");
  a.Lines()->Add("drei");
  auto* item = static_cast<TSampleItem*>(a.Items()->Add());
  item->SetCaption("erstes");
  item->SetValue(-7);
  a.Items()->Add();
  auto* child = new TSample(&a);
  child->SetName("Kind1");
  child->SetCaption("innen");
  a.SetBuddy(child);

  TMemoryStream s;
  WriteComponentToStream(s, a);
  s.SetPosition(0);
  std::unique_ptr<TComponent> created(ReadComponentFromStream(s, nullptr));
  auto* b = dynamic_cast<TSample*>(created.get());
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Name(), "Root");
  EXPECT_EQ(b->Width(), 70000);
  EXPECT_EQ(b->Big(), int64_t(1) << 40);
  EXPECT_EQ(b->Letter(), 'Z');
  EXPECT_EQ(b->Kind(), skThree);
  EXPECT_EQ(b->Kinds(), 1 << skOne | 1 << skThree);
  EXPECT_TRUE(b->Flag());
  EXPECT_EQ(b->Ratio(), 1.0 / 3.0);
  EXPECT_EQ(b->Scale(), 2.5f);
  EXPECT_DOUBLE_EQ(b->Price(), 12.3456);
  EXPECT_EQ(b->Caption(), a.Caption());
  EXPECT_EQ(b->Title(), a.Title());
  EXPECT_EQ(b->Lines()->Text(), "eins\r\n\r\ndrei\r\n");
  ASSERT_EQ(b->Items()->Count(), 2);
  EXPECT_EQ(static_cast<TSampleItem*>(b->Items()->Items(0))->Caption(), "erstes");
  EXPECT_EQ(static_cast<TSampleItem*>(b->Items()->Items(0))->Value(), -7);
  ASSERT_EQ(b->ComponentCount(), 1);
  EXPECT_EQ(static_cast<TSample*>(b->Components(0))->Caption(), "innen");
  EXPECT_EQ(b->Buddy(), b->Components(0));
}

TEST(Filer, DefaultsAndRefusedPropertiesAreNotWritten) {
  TSample a(nullptr);
  a.SetCaption("c");
  const AnsiString plain = Stream(a);
  for (const char* name : {"Width", "Kind", "Flag", "Ratio", "Lines", "Strings", "Items", "Buddy", "Name"})
    EXPECT_EQ(plain.find(name), AnsiString::npos) << name;

  a.SetWidth(3);
  TMemoryStream s;
  TWriter w(s);
  w.PropertyFilter = [](const TPersistent&, const TPropInfo& p) { return AnsiString(p.Name) != "Width"; };
  w.WriteRootComponent(a);
  const AnsiString filtered = Bytes(s);
  EXPECT_EQ(filtered.find("Width"), AnsiString::npos);
  EXPECT_NE(filtered.find("Caption"), AnsiString::npos);
}

TEST(Filer, DamagedOrUnknownDataIsRefusedWithAMessage) {
  TSample a(nullptr);
  a.SetCaption("c");
  a.SetWidth(4);
  const AnsiString good = Stream(a);
  const auto read = [](const AnsiString& bytes, TComponent* into, bool handle) {
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    s.SetPosition(0);
    TReader r(s);
    if (handle) r.OnError = [](const AnsiString&, bool& handled) { handled = true; };
    return r.ReadRootComponent(into);
  };

  // Truncated anywhere, a wrong signature, a string running past the end.
  for (size_t n = 0; n < good.size(); ++n) {
    TSample b(nullptr);
    EXPECT_THROW(read(good.substr(0, n), &b, false), EReadError) << n;
  }
  AnsiString bad = good;
  bad[3] = '1';
  TSample b(nullptr);
  EXPECT_THROW(read(bad, &b, false), EReadError);

  // An unknown property: raised, or passed over when the handler takes it.
  AnsiString unknown = good;
  unknown.replace(unknown.find("Width"), 5, "Wide_");
  try {
    read(unknown, &b, false);
    ADD_FAILURE();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Eigenschaft Wide_ existiert nicht");
  }
  TSample c(nullptr);
  read(unknown, &c, true);
  EXPECT_EQ(c.Caption(), "c");
  EXPECT_EQ(c.Width(), 10);

  // A value of the wrong kind, an unknown class.
  AnsiString wrong = good;
  wrong[wrong.find("Caption") + 7] = vaInt8;
  EXPECT_THROW(read(wrong, &b, false), EReadError);
  AnsiString cls = good;
  cls.replace(cls.find("TSample"), 7, "TSimple");
  EXPECT_THROW(read(cls, nullptr, false), EClassNotFound);
}

TEST(ObjectText, TheTextFormReadsBackToTheSameBytes) {
  TSample a(nullptr);
  a.SetName("Root");
  a.SetWidth(-5);
  a.SetBig(int64_t(-1) << 40);
  a.SetKinds(1 << skTwo);
  a.SetFlag(true);
  a.SetRatio(0.1);
  a.SetScale(2.5f);
  a.SetPrice(1.25);
  a.SetCaption("it's\r\n\x80\x81");
  a.SetTitle(u"\u20AC\u0394");
  a.Lines()->Add("eins");
  static_cast<TSampleItem*>(a.Items()->Add())->SetCaption("x");
  (new TSample(&a))->SetName("Child");
  TMemoryStream binary;
  WriteComponentToStream(binary, a);
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  const AnsiString t = Bytes(text);
  EXPECT_NE(t.find("object Root: TSample\r\n  Width = -5"), AnsiString::npos) << t;
  EXPECT_NE(t.find("Caption = 'it''s'#13#10'\x80'#129"), AnsiString::npos) << t;
  EXPECT_NE(t.find("Title = '\x80'#916"), AnsiString::npos) << t;
  EXPECT_NE(t.find("Kinds = [skTwo]"), AnsiString::npos) << t;
  EXPECT_NE(t.find("Scale = 2.5s"), AnsiString::npos) << t;
  text.SetPosition(0);
  TMemoryStream again;
  ObjectTextToBinary(text, again);
  EXPECT_EQ(Bytes(again), Bytes(binary));

  // Hand-written text: continued strings, hex data, and faults by line.
  const auto convert = [](const AnsiString& src) {
    TMemoryStream in, out;
    in.WriteBuffer(src.data(), static_cast<int32_t>(src.size()));
    in.SetPosition(0);
    ObjectTextToBinary(in, out);
    out.SetPosition(0);
    TSample s(nullptr);
    TReader r(out);
    r.ReadRootComponent(&s);
    return s.Caption() + "|" + std::to_string(s.Width());
  };
  EXPECT_EQ(convert("object X: TSample\n Caption = 'a' +\n  'b'#65\n Width = 3\nend"), "abA|3");
  try {
    convert("object X: TSample\n Width = \nend");
    ADD_FAILURE();
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Message(), "Bezeichner erwartet in Zeile 3");
  }
  EXPECT_THROW(convert("object X: TSample\n Caption = 'open\nend"), EParserError);
  EXPECT_THROW(convert("object X: TSample\n Width = 3"), EParserError);
}

TEST(Filer, TenByteFloatsKeepEveryDouble) {
  uint8_t one[10];
  DoubleToExtended(1.0, one);
  const uint8_t expected[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(std::memcmp(one, expected, 10), 0);
  for (double v : {0.0, -0.0, 1.0, -2.5, 1e300, -1e-300, 5e-324, std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::infinity()}) {
    uint8_t buf[10];
    DoubleToExtended(v, buf);
    const double back = ExtendedToDouble(buf);
    EXPECT_EQ(back, v);
    EXPECT_EQ(std::signbit(back), std::signbit(v));
  }
  uint8_t nan[10];
  DoubleToExtended(std::nan(""), nan);
  EXPECT_TRUE(std::isnan(ExtendedToDouble(nan)));
}

TEST(TypInfo, PropertiesAreFoundByNameAndSetsReadAsText) {
  TSample a(nullptr);
  const TPropInfo* p = GetPropInfo(a, "kinds");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(GetPropInfo(a, "tag")->Kind(), tkInteger);  // inherited
  EXPECT_EQ(GetPropInfo(a, "Nope"), nullptr);
  EXPECT_EQ(GetPropList(a).front()->Name, AnsiString("Name"));  // ancestors first
  SetOrdProp(a, *p, StringToSet(kKindsType, "[skTwo, skThree]"));
  EXPECT_EQ(SetToString(kKindsType, GetOrdProp(a, *p)), "[skTwo,skThree]");
  EXPECT_THROW(StringToSet(kKindsType, "[skFour]"), EPropertyConvertError);
  EXPECT_THROW(GetOrdProp(a, *GetPropInfo(a, "Caption")), EPropertyConvertError);
  EXPECT_EQ(GetEnumValue(TypeInfoBoolean(), "TRUE"), 1);
  EXPECT_EQ(GetEnumName(kKindType, 3), "");
  EXPECT_TRUE(InheritsFromName(a.ClassInfo(), "tpersistent"));
  EXPECT_STREQ(a.ClassName(), "TSample");
}

TEST(Collection, ItemsKeepOrderIdsAndTellTheCollection) {
  struct Counting : TCollection {
    Counting() : TCollection(TSampleItem::Info, FactoryOf<TSampleItem>()) {}
    int Updates = 0;
    void Update(TCollectionItem*) override { ++Updates; }
  } c;
  c.Add();
  c.Add();
  TCollectionItem* third = c.Add();
  EXPECT_EQ(c.Updates, 3);
  third->SetIndex(0);
  EXPECT_EQ(c.Items(0), third);
  EXPECT_EQ(third->ID(), 2);
  c.BeginUpdate();
  c.Delete(1);
  delete c.Items(0);
  const int before = c.Updates;
  c.EndUpdate();
  EXPECT_EQ(c.Updates, before + 1);
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(c.FindItemID(1), c.Items(0));
  EXPECT_THROW(c.Items(1), EListError);
  EXPECT_THROW(c.Items(-1), EListError);
}

namespace {

// A component with two events, and a root class whose published methods
// handle them.
using TCountEvent = std::function<void(TObject* sender, int32_t& count)>;
constexpr TParamData kCountParams[] = {{0, "Sender", "TObject"}, {pfVar, "Count", "Integer"}};
const TTypeInfo kCountEventType = MethodTypeInfo("TCountEvent", mkProcedure, kCountParams);

class TEventSample : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  TNotifyEvent OnChange;
  TCountEvent OnCount;
};
const TEventInfo kEventSampleEvents[] = {
    EventProp<&TEventSample::OnChange>("OnChange", TypeInfoNotifyEvent()),
    EventProp<&TEventSample::OnCount>("OnCount", kCountEventType),
};
const TClassInfo TEventSample::Info =
    PublishClass<TEventSample>("TEventSample", "Filer_test", TComponent::Info, {}, kEventSampleEvents);

class TEventRoot : public TEventSample {
 public:
  using TEventSample::TEventSample;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  void Changed(TObject* sender) { Log += "Changed(" + static_cast<TComponent*>(sender)->Name() + ") "; }
  void Counted(TObject*, int32_t& count) { count += 10; }
  AnsiString Log;
};
const TMethodEntry kEventRootMethods[] = {
    PublishedMethod<&TEventRoot::Changed>("Changed"),
    PublishedMethod<&TEventRoot::Counted>("Counted"),
};
const TClassInfo TEventRoot::Info =
    PublishClass<TEventRoot>("TEventRoot", "Filer_test", TEventSample::Info, {}, {}, kEventRootMethods);

struct RegisteredEvents {
  RegisteredEvents() { RegisterStreamClass(TEventSample::Info); }
} registeredEvents;

void Bind(TObject& instance, const char* event, TEventRoot& root, const char* method) {
  SetMethodProp(instance, *GetEventInfo(instance, event), TMethod{MethodAddress(root.ClassInfo(), method), &root});
}

TMemoryStream& Rewind(TMemoryStream& s) {
  s.SetPosition(0);
  return s;
}

}  // namespace

TEST(Filer, EventHandlersTravelByNameAndRunOnTheRootReadInto) {
  TEventRoot a(nullptr);
  a.SetName("Form");
  auto* child = new TEventSample(&a);
  child->SetName("Edit");
  Bind(*child, "OnChange", a, "Changed");
  Bind(*child, "oncount", a, "counted");
  Bind(a, "OnChange", a, "Changed");
  EXPECT_EQ(GetMethodProp(*child, *GetEventInfo(*child, "OnCount")), (TMethod{&kEventRootMethods[1], &a}));
  EXPECT_EQ(MethodName(a.ClassInfo(), &kEventRootMethods[1]), "Counted");

  TMemoryStream binary;
  WriteComponentToStream(binary, a);
  TMemoryStream text;
  ObjectBinaryToText(Rewind(binary), text);
  const AnsiString t = Bytes(text);
  EXPECT_NE(t.find("object Form: TEventRoot\r\n  OnChange = Changed\r\n  object Edit: TEventSample\r\n"
                   "    OnChange = Changed\r\n    OnCount = Counted\r\n"),
            AnsiString::npos)
      << t;

  // Read into another root: the handlers run on it.
  TMemoryStream back;
  ObjectTextToBinary(Rewind(text), back);
  EXPECT_EQ(Bytes(back), Bytes(binary));
  TEventRoot b(nullptr);
  ReadComponentFromStream(Rewind(back), &b);
  auto* edit = static_cast<TEventSample*>(b.FindComponent("Edit"));
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(edit->OnChange && edit->OnCount && b.OnChange);
  edit->OnChange(edit);
  b.OnChange(&b);
  int32_t count = 1;
  edit->OnCount(edit, count);
  EXPECT_EQ(count, 11);
  EXPECT_EQ(b.Log, "Changed(Edit) Changed(Form) ");
  EXPECT_TRUE(a.Log.empty());
}

TEST(Filer, OnlyNamedHandlersOfTheRootAreWritten) {
  TEventRoot other(nullptr);
  TEventRoot a(nullptr);
  auto* child = new TEventSample(&a);
  child->SetName("Edit");
  child->OnChange = [](TObject*) {};  // assigned in code: it has no name
  Bind(*child, "OnCount", other, "Counted");  // runs on another root
  EXPECT_FALSE(GetMethodProp(*child, *GetEventInfo(*child, "OnChange")));
  EXPECT_EQ(Stream(a).find("On"), AnsiString::npos);

  // Clearing through the table; a handler of the wrong signature is refused.
  SetMethodProp(*child, *GetEventInfo(*child, "OnCount"), TMethod{});
  EXPECT_FALSE(child->OnCount);
  EXPECT_THROW(Bind(*child, "OnCount", a, "Changed"), EPropertyConvertError);
  EXPECT_FALSE(child->OnCount);
}

TEST(Filer, UnknownOrMismatchedMethodNamesAreFaults) {
  TEventRoot a(nullptr);
  a.SetTag(3);
  Bind(a, "OnChange", a, "Changed");
  Bind(a, "OnCount", a, "Counted");
  const AnsiString good = Stream(a);
  struct Case {
    const char* from;
    const char* to;
    const char* message;
  } const cases[] = {
      {"Changed", "Missing", "Methode Missing nicht gefunden"},
      {"Counted", "Changed", "Ungültiger Eigenschaftswert: OnCount"},
  };
  for (const Case& c : cases) {
    AnsiString bytes = good;
    const size_t at = bytes.rfind(c.from);
    bytes.replace(at, 7, c.to);
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    TEventRoot b(nullptr);
    std::vector<AnsiString> messages;
    TReader r(Rewind(s));
    r.OnError = [&](const AnsiString& m, bool& handled) {
      messages.push_back(m);
      handled = true;
    };
    r.ReadRootComponent(&b);
    EXPECT_EQ(messages, std::vector<AnsiString>{c.message}) << c.to;
    EXPECT_EQ(b.Tag(), 3);
    TEventRoot d(nullptr);
    TReader raising(Rewind(s));
    EXPECT_THROW(raising.ReadRootComponent(&d), EReadError) << c.to;
  }

  // The finder may stand in for the root's methods; a filtered stream has
  // no events at all.
  const TMethodEntry nameOnly{"Script"};
  TMemoryStream s;
  s.WriteBuffer(good.data(), static_cast<int32_t>(good.size()));
  TEventRoot b(nullptr);
  TReader r(Rewind(s));
  r.OnFindMethod = [&](const AnsiString& name, const TMethodEntry*& code) {
    if (name == "Changed") code = &nameOnly;
  };
  r.ReadRootComponent(&b);
  EXPECT_EQ(GetMethodProp(b, *GetEventInfo(b, "OnChange")), (TMethod{&nameOnly, &b}));
  b.OnChange(&b);  // a handler known by name only does nothing
  EXPECT_TRUE(b.Log.empty());
  TMemoryStream filtered;
  TWriter w(filtered);
  w.PropertyFilter = [](const TPersistent&, const TPropInfo&) { return true; };
  w.WriteRootComponent(a);
  EXPECT_EQ(Bytes(filtered).find("On"), AnsiString::npos);
}

namespace {

class TLongNamesComponentClass : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  int32_t Value() const { return FValue; }
  void SetValue(int32_t v) { FValue = v; }

 private:
  int32_t FValue = 0;
};
const TPropInfo kLongProps[] = {OrdProp<&TLongNamesComponentClass::Value, &TLongNamesComponentClass::SetValue>(
    "AVeryLongPropertyNameOfThirtyTwo", TypeInfoInteger(), 0)};
const TClassInfo TLongNamesComponentClass::Info =
    PublishClass<TLongNamesComponentClass>("TLongNamesComponentClass", "Filer_test", TComponent::Info, kLongProps);

}  // namespace

TEST(Filer, NamesLongerThanAValueTypeByteReadBack) {
  // A name's length byte stands where a list may end; lengths above the
  // value types (19) are names too.
  TLongNamesComponentClass a(nullptr);
  a.SetValue(42);
  (new TLongNamesComponentClass(&a))->SetName("ChildWithAQuiteLongName");
  TMemoryStream binary;
  WriteComponentToStream(binary, a);
  TMemoryStream text;
  ObjectBinaryToText(Rewind(binary), text);
  EXPECT_NE(Bytes(text).find("  object ChildWithAQuiteLongName: TLongNamesComponentClass"), AnsiString::npos);
  TLongNamesComponentClass b(nullptr);
  (new TLongNamesComponentClass(&b))->SetName("ChildWithAQuiteLongName");
  ReadComponentFromStream(Rewind(binary), &b);
  EXPECT_EQ(b.Value(), 42);
  EXPECT_EQ(b.ComponentCount(), 1);
}

namespace {

// A component that writes its owned components last first and notes the
// place each child read back takes.
class TTray : public TSample {
 public:
  using TSample::TSample;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  void GetChildren(const TGetChildProc& proc, TComponent*) override {
    for (int32_t i = ComponentCount() - 1; i >= 0; --i) proc(Components(i));
  }
  void SetChildOrder(TComponent* child, int32_t order) override {
    Places += child->Name() + "@" + std::to_string(order) + " ";
  }
  AnsiString Places;
};
const TClassInfo TTray::Info = PublishClass<TTray>("TTray", "Filer_test", TSample::Info, {});

}  // namespace

TEST(Filer, ChildrenAreWrittenAsTheComponentHandsThemOverAndTakeTheirPlacesWhenRead) {
  RegisterStreamClass(TTray::Info);
  TTray written(nullptr);
  for (const char* name : {"A", "B", "C"}) (new TSample(&written))->SetName(name);
  written.Components(1)->SetTag(7);
  TMemoryStream s;
  WriteComponentToStream(s, written);
  const AnsiString bytes = Bytes(s);
  EXPECT_LT(bytes.find("\x01" "C"), bytes.find("\x01" "A"));

  // Into a tray that has B already: B is read in place, A and C are made.
  TTray read(nullptr);
  auto* b = new TSample(&read);
  b->SetName("B");
  s.SetPosition(0);
  ReadComponentFromStream(s, &read);
  EXPECT_EQ(read.Places, "C@0 B@1 A@2 ");
  ASSERT_EQ(read.ComponentCount(), 3);
  EXPECT_EQ(read.FindComponent("B"), b);
  EXPECT_EQ(b->Tag(), 7);
  EXPECT_NE(read.FindComponent("A"), nullptr);
  UnRegisterStreamClass(TTray::Info);
}
