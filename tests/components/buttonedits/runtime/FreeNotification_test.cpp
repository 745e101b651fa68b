#include "components/buttonedits/runtime/FreeNotification.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records each call; may remove itself (or a neighbour) from inside it.
struct Watcher {
  std::vector<TObject*>* calls;
  TFreeNotifyProc removeOnCall{};
  void Freed(TObject* instance) {
    calls->push_back(instance);
    if (removeOnCall.Code) dcRemoveFreeNotification(instance, removeOnCall);
  }
  TFreeNotifyProc Proc() { return MakeFreeNotifyProc<&Watcher::Freed>(this); }
};

// A plain object that reports its end.
struct Plain : TObject {
  ~Plain() override { dcNotifyFree(this); }
};

}  // namespace

TEST(FreeNotification, FreeingAWatchedComponentCallsEachCallbackOnceAndDropsTheStorage) {
  std::vector<TObject*> calls;
  Watcher a{&calls}, b{&calls};
  auto* component = new TComponent(nullptr);
  dcAddFreeNotification(component, a.Proc());
  dcAddFreeNotification(component, b.Proc());
  ASSERT_NE(NotifierStorage(), nullptr);
  delete component;
  EXPECT_EQ(calls, (std::vector<TObject*>{component, component}));
  EXPECT_EQ(NotifierStorage(), nullptr);
}

TEST(FreeNotification, ACallbackThatRemovesItselfDoesNotMakeTheWalkSkipTheNext) {
  std::vector<TObject*> calls;
  Watcher self{&calls}, next{&calls};
  self.removeOnCall = self.Proc();
  auto* component = new TComponent(nullptr);
  dcAddFreeNotification(component, self.Proc());
  dcAddFreeNotification(component, next.Proc());
  delete component;
  EXPECT_EQ(calls.size(), 2u);

  calls.clear();
  Plain* plain = new Plain;
  dcAddFreeNotification(plain, self.Proc());
  dcAddFreeNotification(plain, next.Proc());
  delete plain;
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_EQ(PlainNotifierCount(), 0);
}

TEST(FreeNotification, RemovingTakesEveryEqualPairAndANullInstanceIsIgnored) {
  std::vector<TObject*> calls;
  Watcher a{&calls}, b{&calls};
  TComponent component(nullptr);
  dcAddFreeNotification(nullptr, a.Proc());
  dcAddFreeNotification(&component, a.Proc());
  dcAddFreeNotification(&component, a.Proc());
  dcRemoveFreeNotification(&component, a.Proc());
  EXPECT_EQ(NotifierStorage(), nullptr);  // nothing left to watch

  Plain plain;
  dcAddFreeNotification(&plain, a.Proc());
  dcAddFreeNotification(&plain, b.Proc());
  dcRemoveFreeNotification(&plain, a.Proc());
  EXPECT_EQ(PlainNotifierCount(), 1);
  dcRemoveFreeNotification(&plain, b.Proc());
  EXPECT_EQ(PlainNotifierCount(), 0);
  EXPECT_TRUE(calls.empty());
}

TEST(FreeNotification, ManyWatchedObjectsEachGetTheirOwnCallbacks) {
  std::vector<TObject*> calls;
  Watcher a{&calls};
  std::vector<TComponent*> components;
  for (int i = 0; i < 20; ++i) {
    components.push_back(new TComponent(nullptr));
    dcAddFreeNotification(components.back(), a.Proc());
  }
  for (int i = 19; i >= 0; i -= 2) {
    delete components[static_cast<size_t>(i)];
    EXPECT_EQ(calls.back(), components[static_cast<size_t>(i)]);
  }
  EXPECT_EQ(calls.size(), 10u);
  for (int i = 0; i < 20; i += 2) delete components[static_cast<size_t>(i)];
  EXPECT_EQ(calls.size(), 20u);
  EXPECT_EQ(NotifierStorage(), nullptr);
}

#include "components/buttonedits/runtime/LinkedComponent.h"

TEST(LinkedComponent, FollowsItsLinkAndLetsGoWhenTheLinkDies) {
  std::vector<TObject*> seen;
  auto* first = new TComponent(nullptr);
  TComponent second(nullptr);
  TDCLinkedComponent linked(nullptr);
  linked.OnNotify = [&](TObject* o, TOperation op) {
    if (op == opRemove) seen.push_back(o);
  };
  linked.SetLink(first);
  linked.SetLink(&second);
  delete first;  // no longer linked: no call
  EXPECT_TRUE(seen.empty());
  Plain* plain = new Plain;
  linked.SetLink(plain);
  delete plain;
  EXPECT_EQ(seen, (std::vector<TObject*>{plain}));
  EXPECT_EQ(linked.Link(), nullptr);
}

TEST(LinkedComponent, AnOwnedLinkedComponentIsFreedWithItsOwnerCleanly) {
  auto* owner = new TComponent(nullptr);
  auto* linked = new TDCLinkedComponent(owner);
  EXPECT_EQ(linked->Link(), owner);
  delete owner;
  EXPECT_EQ(NotifierStorage(), nullptr);
}
