// The editor and popup registries, the key sequences of the key-mapped
// controls and the verb dispatcher.
#include <gtest/gtest.h>

#include "classlib/Menus.h"
#include "components/buttonedits/controls/EditClassRegistry.h"
#include "components/buttonedits/controls/VerbAssignProcs.h"
#include "components/buttonedits/controls/KeySequenceList.h"
#include "components/buttonedits/controls/VerbDispatcher.h"
#include "components/buttonedits/runtime/DesignRegistries.h"
#include "components/buttonedits/runtime/Naming.h"

#include <string>

namespace {

TEST(EditClassRegistry, LooksUpByTypeAndQualifier) {
  TEditClassList list;
  list.Register("AnsiString", "", "TDCSimpleEdit", nullptr);
  list.Register("AnsiString", " ", "TDCMaskEdit", nullptr);
  list.Register("TColor", "", "TColorEdit", nullptr);
  EXPECT_EQ(list.Find("AnsiString"), "TDCSimpleEdit");
  EXPECT_EQ(list.Find("ansistring", " "), "TDCMaskEdit");
  EXPECT_EQ(list.Find("AnsiString", "Caption"), "TDCSimpleEdit") << "no entry for the name: the general one";
  EXPECT_EQ(list.Find("TColor"), "TColorEdit");
  EXPECT_EQ(list.Find("Boolean"), "");
  list.Register("TColor", "", "TOtherColorEdit", nullptr);
  EXPECT_EQ(list.Find("TColor"), "TOtherColorEdit") << "the last registration wins";
  list.UnRegister("TOtherColorEdit");
  EXPECT_EQ(list.Find("TColor"), "TColorEdit");
}

TEST(EditClassRegistry, RegisteringMakesTheClassKnownForStreaming) {
  RegisterPopupClassByType("TProbeType", "", "TProbePopupForStreaming", [](TComponent* owner) { return new TComponent(owner); });
  EXPECT_TRUE(static_cast<bool>(FindRegisteredClass("TProbePopupForStreaming")));
  EXPECT_EQ(PopupClassList().Find("TProbeType"), "TProbePopupForStreaming");
  UnRegisterPopupClassByType("TProbePopupForStreaming");
  EXPECT_EQ(PopupClassList().Find("TProbeType"), "");
}

TEST(EditClassRegistry, IsOneRegistryWithTheRuntimesPackagedCollections) {
  // By type name here, found by type information there.
  RegisterEditClassByType("TMergeType", "", "TMergeEditor", [](TComponent* owner) { return new TComponent(owner); });
  const TTypeInfo& type = TypeInfoByName("tmergetype");
  EXPECT_EQ(&type, &TypeInfoByName("TMergeType"));
  EXPECT_EQ(&TypeInfoByName("Boolean"), &TypeInfoBoolean());
  TRegisteredClassItem* item = FindRegisteredClassItem(EditClasses(), &type, nullptr, "");
  ASSERT_NE(item, nullptr);
  EXPECT_STREQ(item->RegisteredClass->ClassName, "TMergeEditor");
  EXPECT_EQ(GetClass("TMergeEditor"), item->RegisteredClass) << "known to the streaming by name";

  // Registered there with a class table, found by type name here.
  static const TClassInfo popup = PublishClass<TComponent>("TMergePopup", "Test", TComponent::Info, {});
  RegisterPopupClass(&type, nullptr, "", popup);
  EXPECT_EQ(PopupClassList().Find("TMergeType"), "TMergePopup");
  EXPECT_NE(FindRegisteredClass("TMergePopup"), nullptr);
  UnRegisterPopupClass(popup);
  EXPECT_EQ(PopupClassList().Find("TMergeType"), "");

  // A package's group goes with its registrations, whichever way they came.
  CurrentPackageGroup = 7;
  RegisterEditClassByType("TMergeType", "Wert", "TMergeValueEditor", nullptr);
  CurrentPackageGroup = 0;
  EXPECT_EQ(EditClassList().Find("TMergeType", "Wert"), "TMergeValueEditor");
  EditClasses().DeleteItems(7);
  EXPECT_EQ(EditClassList().Find("TMergeType", "Wert"), "TMergeEditor");
  UnRegisterEditClassByType("TMergeEditor");
  EXPECT_EQ(EditClassList().Find("TMergeType"), "");
}

TEST(KeySequenceList, TwoKeySequencesAndResetOnUnboundKeys) {
  TKeySequenceList keys;
  std::string log;
  const uint32_t ctrl = 4;
  keys.Add('K', ctrl, 0, 1, nullptr);                     // Ctrl+K starts a sequence
  keys.Add('B', 0, 1, 0, [&] { log += "block "; });       // ... then B
  keys.Add('B', ctrl, 0, 0, [&] { log += "bold "; });     // Ctrl+B alone
  keys.Add(36, 0, 0, 0, [&] { log += "home "; });

  EXPECT_FALSE(keys.Dispatch('B', 0)) << "B alone is not bound";
  EXPECT_TRUE(keys.Dispatch('K', ctrl));
  EXPECT_EQ(keys.State(), 1);
  EXPECT_TRUE(keys.Dispatch('B', 0));
  EXPECT_EQ(log, "block ");
  EXPECT_EQ(keys.State(), 0);

  // An unbound key in the middle of a sequence resets it.
  EXPECT_TRUE(keys.Dispatch('K', ctrl));
  EXPECT_FALSE(keys.Dispatch('X', 0));
  EXPECT_EQ(keys.State(), 0);
  EXPECT_FALSE(keys.Dispatch('B', 0)) << "the sequence is gone";
  // A key bound only in state 0 does not fire in state 1.
  EXPECT_TRUE(keys.Dispatch('K', ctrl));
  EXPECT_FALSE(keys.Dispatch(36, 0));
  EXPECT_TRUE(keys.Dispatch(36, 0));
  EXPECT_TRUE(keys.Dispatch('B', ctrl));
  EXPECT_EQ(log, "block home bold ");
}

// A component verbs are bound to in these tests.
struct Probe : TComponent {
  using TComponent::TComponent;
  int Assigned = 0;
  TVerbState Last = 0;
  bool Destroyed = false;
};

struct VerbFixture : ::testing::Test {
  VerbFixture() {
    UnRegisterAssignVerbProcs();
    RegisterAssignVerbProc<Probe>("Probe", [](TComponent* c, TVerbListItem* item) {
      auto* p = static_cast<Probe*>(c);
      ++p->Assigned;
      p->Last = item->State();
      p->Destroyed = item->Destroying();
    });
    RegisterVerb("Probe.Run", [this] { return state; }, [this] { ++runs; });
  }
  ~VerbFixture() override { UnRegisterAssignVerbProcs(); }
  uint32_t state = vsVisible | vsEnabled;
  int runs = 0;
};

TEST_F(VerbFixture, BindingFollowsTheVerbsStateOncePerChange) {
  TComponent owner(nullptr);
  auto* probe = new Probe(&owner);
  probe->SetName("Knopf");
  TVerbDispatcher dispatcher(&owner);
  TVerbListItem* item = dispatcher.Add();
  item->SetVerbComp(probe);
  item->SetVerbName("  Probe.Run ");
  EXPECT_EQ(item->VerbName(), "Probe.Run");
  EXPECT_EQ(item->DisplayName(), "Knopf - Probe.Run");
  EXPECT_EQ(probe->Assigned, 1);
  EXPECT_EQ(probe->Last, vsVisible | vsEnabled);

  dispatcher.UpdateControls();
  EXPECT_EQ(probe->Assigned, 1) << "the same state twice is applied once";
  state = vsVisible | vsChecked;
  dispatcher.UpdateControls();
  dispatcher.UpdateControls();
  EXPECT_EQ(probe->Assigned, 2);
  EXPECT_EQ(probe->Last, vsVisible | vsChecked);

  BeginVerbUpdate();
  state = 0;
  dispatcher.UpdateControls();
  EXPECT_EQ(probe->Assigned, 2) << "no updates under the lock";
  EndVerbUpdate();

  item->VerbOnClick();
  EXPECT_EQ(runs, 1);

  // Removing the binding detaches the component.
  dispatcher.Delete(0);
  EXPECT_EQ(probe->Assigned, 3);
  EXPECT_TRUE(probe->Destroyed);
  EXPECT_EQ(probe->Last, 0u);
}

TEST_F(VerbFixture, AMissingVerbChangesNothingAndAFreedComponentIsUnbound) {
  TComponent owner(nullptr);
  auto* probe = new Probe(&owner);
  TVerbDispatcher dispatcher(&owner);
  TVerbListItem* item = dispatcher.Add();
  item->SetVerbName("Probe.Missing");
  item->SetVerbComp(probe);
  EXPECT_EQ(probe->Assigned, 0);
  item->VerbOnClick();  // nothing to run
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(TVerbListItem(&dispatcher).DisplayName(), "TVerbListItem");

  item->SetVerbName("Probe.Run");
  EXPECT_EQ(probe->Assigned, 1);
  delete probe;
  EXPECT_EQ(item->VerbComp(), nullptr);
  dispatcher.UpdateControls();  // nothing left to update
}

TEST_F(VerbFixture, AMenuItemFollowsVisibilityEnabledStateAndCheckMark) {
  RegisterStandardAssignVerbProcs();
  RegisterVerb("Menu.Run", [this] { return state; }, [this] { ++runs; });
  TComponent owner(nullptr);
  auto* menu = new TMenuItem(&owner);
  menu->SetName("Speichern");
  TVerbDispatcher dispatcher(&owner);
  TVerbListItem* item = dispatcher.Add();
  item->SetVerbComp(menu);
  item->SetVerbName("Menu.Run");
  EXPECT_EQ(item->DisplayName(), "Speichern - Menu.Run");
  EXPECT_TRUE(menu->Visible());
  EXPECT_TRUE(menu->Enabled());
  EXPECT_FALSE(menu->Checked());
  menu->Click();
  EXPECT_EQ(runs, 1) << "the click runs the verb";

  state = vsVisible | vsChecked;
  dispatcher.UpdateControls();
  EXPECT_TRUE(menu->Checked());
  EXPECT_FALSE(menu->Enabled());
  menu->Click();
  EXPECT_EQ(runs, 1) << "a disabled item runs nothing";

  state = vsEnabled;
  dispatcher.UpdateControls();
  EXPECT_FALSE(menu->Visible());
  EXPECT_FALSE(menu->Checked());

  // Removing the binding detaches the item: hidden, disabled, no click.
  dispatcher.Delete(0);
  EXPECT_FALSE(menu->Visible());
  EXPECT_FALSE(menu->Enabled());
  EXPECT_FALSE(static_cast<bool>(menu->OnClick));
}

}  // namespace
