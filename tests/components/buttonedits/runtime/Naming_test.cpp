#include "components/buttonedits/runtime/Naming.h"

#include <gtest/gtest.h>

#include <set>

TEST(Naming, FindUniqueNameCountsPastTakenForms) {
  std::set<AnsiString> taken{"Edit", "Edit_1"};
  TComponent dummy(nullptr);
  SetFindGlobalCompProc([&](const AnsiString& n) { return taken.count(n) ? &dummy : nullptr; });
  EXPECT_EQ(FindUniqueName("Edit"), "Edit_2");
  EXPECT_EQ(FindUniqueName("Label"), "Label");
  RemoveFindGlobalCompProc();
  EXPECT_EQ(FindUniqueName("Edit"), "Edit");
}

TEST(Naming, UniqueNameLooksThroughTheOwnerChain) {
  TComponent form(nullptr);
  form.SetName("Form");
  auto* panel = new TComponent(&form);
  panel->SetName("Panel");
  auto* button = new TComponent(&form);
  button->SetName("Button1");
  EXPECT_EQ(UniqueName(panel, "Edit"), "Edit1");
  EXPECT_EQ(UniqueName(panel, "Button"), "Button2");  // the owner's owner holds Button1
  EXPECT_FALSE(NameIsUnique(panel, "button1"));
  EXPECT_TRUE(NameIsUnique(nullptr, "Button1"));
  EXPECT_EQ(BuildCompName(panel), "Form.Panel");
  EXPECT_EQ(GetCompName(nullptr), "");
}

TEST(Naming, OriginalAndControlNames) {
  struct Case {
    const char* in;
    const char* original;
    const char* control;
  } cases[] = {
      {"Edit_12", "Edit", "Edit_12"},       {"Edit_", "Edit_", "Edit_"},   {"E_1", "E", "E_1"},
      {"_1", "_1", "_1"},                    {"Edit_1a", "Edit_1a", "Edit_1a"},
      {"Form.Edit1.Text", "Form.Edit1.Text", "Edit1"}, {"Form.Edit1", "Form.Edit1", "Edit1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetOriginalComponentName(c.in), c.original) << c.in;
    EXPECT_EQ(ExtractControlName(c.in), c.control) << c.in;
  }
}

TEST(Naming, RegistriesAndTypeTexts) {
  static const TClassInfo thing = PublishClass<TComponent>("TKelTestThing", "test", TComponent::Info, {});
  static const TClassInfo twin = PublishClass<TComponent>("TKELTESTTHING", "test", TComponent::Info, {});
  EXPECT_TRUE(SafeRegisterClass(thing));
  const TClassInfo* both[] = {&twin, &thing};
  SafeRegisterClasses(both);
  EXPECT_FALSE(SafeRegisterClass(twin));
  EXPECT_EQ(GetClass("tkeltestthing"), &thing);

  // Actions are registered only through an installed handler.
  EXPECT_FALSE(SafeRegisterActions("Datei", both, nullptr));
  AnsiString got;
  RegisterActionsProc = [&](const AnsiString& category, std::span<const TClassInfo* const> classes,
                            const TClassInfo* resource) {
    got = category + ":" + std::to_string(classes.size()) + (resource == &thing ? "+" : "-");
  };
  EXPECT_TRUE(SafeRegisterActions("Datei", both, &thing));
  RegisterActionsProc = nullptr;
  EXPECT_EQ(got, "Datei:2+");

  int runs = 0;
  RegisterVerb("Neu", [] { return 1u; }, [&] { ++runs; });
  EXPECT_TRUE(CallVerbByName("NEU"));
  EXPECT_FALSE(CallVerbByName("Alt"));
  EXPECT_EQ(runs, 1);

  EXPECT_EQ(StringFromRType(14), "RT_GROUP_ICON");
  EXPECT_EQ(StringFromRType(16), "RT_VERSION");
  EXPECT_EQ(StringFromRType(300), "300");
  EXPECT_EQ(StringFromRName(7, nullptr), "7");
  EXPECT_EQ(StringFromRName(70000, "MAIN"), "MAIN");
  EXPECT_EQ(VariantTypeName(3), "Longint");
  EXPECT_EQ(VariantTypeName(1), "");
  EXPECT_EQ(VariantTypeName(15), "");

  TMemoryStream s;
  WriteShortStr(s, AnsiString(300, 'a'));
  EXPECT_EQ(s.Size(), 256);
  EXPECT_EQ(static_cast<uint8_t*>(s.Memory())[0], 255);
}
