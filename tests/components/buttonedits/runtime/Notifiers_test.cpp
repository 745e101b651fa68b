#include "components/buttonedits/runtime/Notifiers.h"

#include <gtest/gtest.h>

#include "components/buttonedits/runtime/KeyList.h"

namespace {

// Logs the broadcasts it receives; may answer, refuse or unregister.
struct Receiver : TMessageAnswer {
  std::vector<uint32_t>* log;
  int id;
  bool answer = false;
  bool refuse = false;
  TMessageReceiver* unregisterOnCall = nullptr;
  Receiver(std::vector<uint32_t>* l, int i) : log(l), id(i) {}
  void Dispatch(TDCMessage& m) override {
    auto* record = reinterpret_cast<TBroadcastMessage*>(m.WParam);
    log->push_back(static_cast<uint32_t>(id * 10000) + m.Msg);
    if (refuse) record->Agree = false;
    if (answer) m.Result = 1;
    if (unregisterOnCall) UnregisterNotifier(unregisterOnCall);
  }
};

}  // namespace

TEST(Notifiers, RegisteringTwiceKeepsOneEntryAndTheWalkRunsFromTheLast) {
  std::vector<uint32_t> log;
  Receiver a(&log, 1), b(&log, 2);
  RegisterNotifier(&a);
  EXPECT_EQ(NotifierCount(), 2);
  EXPECT_TRUE(BroadCastToNotifiers(nullptr, 7, 0, 0));
  EXPECT_EQ(log, (std::vector<uint32_t>{10007, 20007}));  // a moved to the end
}

TEST(Notifiers, AgreeStopsAtTheFirstAnswerAndReturnsItsVerdict) {
  std::vector<uint32_t> log;
  Receiver a(&log, 1), b(&log, 2), c(&log, 3);
  b.answer = true;
  b.refuse = true;
  EXPECT_FALSE(NotifiersAgree(nullptr, 5, 0, 0));
  EXPECT_EQ(log, (std::vector<uint32_t>{30005, 20005}));
  log.clear();
  EXPECT_FALSE(BroadCastToNotifiers(nullptr, 5, 0, 0));
  EXPECT_EQ(log.size(), 3u);
}

TEST(Notifiers, AReceiverThatUnregistersOthersDoesNotBreakTheWalk) {
  std::vector<uint32_t> log;
  Receiver a(&log, 1), b(&log, 2), c(&log, 3);
  c.unregisterOnCall = &b;
  BroadCastToNotifiers(nullptr, 9, 0, 0);
  EXPECT_EQ(log, (std::vector<uint32_t>{30009, 10009}));
  c.unregisterOnCall = &c;
  log.clear();
  BroadCastToNotifiers(nullptr, 9, 0, 0);
  EXPECT_EQ(log, (std::vector<uint32_t>{30009, 10009}));
  EXPECT_EQ(NotifierCount(), 1);
}

TEST(Notifiers, NestedUpdatesBroadcastBeginAndEndOnce) {
  std::vector<uint32_t> log;
  Receiver r(&log, 0);
  IDEBeginUpdate();
  IDEBeginUpdate();
  IDEChanged();
  IDEEndUpdate();
  IDEEndUpdate();
  IDEEndUpdate();  // unbalanced: ignored
  IDEChanged();
  EXPECT_EQ(log, (std::vector<uint32_t>{CM_IDEBEGINUPDATE, CM_IDEENDUPDATE, CM_IDECHANGED, CM_IDECHANGED}));
}

namespace {

struct Listener {
  std::vector<int>* log;
  int id;
  TNotifierList* list = nullptr;
  void Event(void*, uint32_t, intptr_t) {
    log->push_back(id);
    if (list) list->DeleteWithData(this);
  }
  TNotifierMethod Method() { return MakeNotifierMethod<&Listener::Event>(this); }
};

}  // namespace

TEST(NotifierList, AddingAgainMovesToTheEndAndRemovalsDuringTheWalkAreSafe) {
  std::vector<int> log;
  TNotifierList list;
  Listener a{&log, 1}, b{&log, 2}, c{&log, 3};
  list.AddMethod(a.Method());
  list.AddMethod(b.Method());
  list.AddMethod(a.Method());
  EXPECT_EQ(list.Count(), 2);
  list.AddMethod(c.Method());
  c.list = &list;
  b.list = &list;
  list.NotifyEvents(nullptr, 0, 0);
  EXPECT_EQ(log, (std::vector<int>{3, 1, 2}));
  EXPECT_EQ(list.Count(), 1);
}

TEST(KeyList, SimpleBindingsMatchOnlyCharacterZeroAllBindingsAnyCharacter) {
  TKeyList keys;
  int hit = 0;
  TKeyData* simple = keys.AddSimpleKey(0x41, ssCtrl, [&] { hit = 1; });
  TKeyData* all = keys.AddAllKey(0x42, 0, [&] { hit = 2; });
  TKeyData* exact = keys.AddKey(0x42, ssShift, [&] { hit = 3; }, 'B', 0);
  struct Case {
    uint16_t key;
    TShiftState shift;
    uint8_t c;
    TKeyData* found;
  } cases[] = {
      {0x41, ssCtrl, 0, simple}, {0x41, ssCtrl, 'a', nullptr}, {0x41, 0, 0, nullptr},
      {0x42, 0, 'x', all},       {0x42, 0, 0, all},            {0x42, ssShift, 'B', exact},
      {0x42, ssShift, 'b', nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(keys.FindKeyData(c.key, c.shift, c.c), c.found) << c.key << "/" << int(c.c);
  // A later binding for the same key takes precedence over older ones.
  TKeyData* newer = keys.AddSimpleKey(0x41, ssCtrl, [&] { hit = 4; });
  EXPECT_EQ(keys.FindKeyData(0x42, 0, 'q'), all);
  EXPECT_EQ(keys.FindKeyData(0x41, ssCtrl, 0), newer);
  newer->Handler();
  EXPECT_EQ(hit, 4);
}

#include "components/buttonedits/runtime/ObjectParams.h"

namespace {
int gKeyboardInits = 0;
void InitKeyboard(void*) { ++gKeyboardInits; }
}  // namespace

TEST(ObjectParams, ClassesCarryNamedParametersFoundExactlyOrThroughAnAncestor) {
  RegisterOptionExt("TKelEditorOptions");
  TObjectParamListItem* item = GetItemEx("TKelEditorOptions");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetParamByName("environment.options").AsInt(), 123);
  EXPECT_EQ(GetItemEx("TKelDerivedOptions", {"TKelMiddle", "TKelEditorOptions"}), item);
  EXPECT_EQ(GetItemEx("TKelUnknown"), nullptr);
  EXPECT_EQ(GetOptionKey("TKelEditorOptions"), "KelEditorOptions");

  RegisterKeyboardInitProc("TKelMemo", "Classic", InitKeyboard);
  EXPECT_EQ(GetKeyboardInitProc("TKelMemo", "Brief"), nullptr);
  TKeyboardInitProc proc = GetKeyboardInitProc("TKelMemo", "Classic");
  ASSERT_NE(proc, nullptr);
  proc(nullptr);
  EXPECT_EQ(gKeyboardInits, 1);
}
