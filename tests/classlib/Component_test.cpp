#include "classlib/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every notification and counts destructions.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, const char* name, std::vector<std::string>& log)
      : TComponent(owner), FLog(log) {
    SetName(name);
  }
  // Owned components go first, while this class still hears of it.
  ~Probe() override {
    DestroyComponents();
    FLog.push_back("free " + Name());
  }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    FLog.push_back(Name() + (op == opInsert ? " +" : " -") + c->Name());
  }

 private:
  std::vector<std::string>& FLog;
};

}  // namespace

TEST(Component, OwnerFreesItsComponentsAndTellsTheOthers) {
  std::vector<std::string> log;
  auto* form = new Probe(nullptr, "form", log);
  auto* a = new Probe(form, "a", log);
  new Probe(form, "b", log);
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(a->Owner(), form);
  EXPECT_EQ(form->FindComponent("B"), form->Components(1));
  EXPECT_EQ(form->Components(2), nullptr);
  log.clear();
  delete form;
  // The last is freed first; the remaining sibling hears of it.
  EXPECT_EQ(log, (std::vector<std::string>{"form -b", "a -b", "free b", "form -a", "free a", "free form"}));
}

TEST(Component, ComponentFreedByHandRemovesItselfFromOwner) {
  std::vector<std::string> log;
  Probe form(nullptr, "form", log);
  auto* a = new Probe(&form, "a", log);
  delete a;
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(Component, FreeNotificationReachesAComponentOfAnotherOwner) {
  std::vector<std::string> log;
  Probe watcher(nullptr, "watcher", log);
  auto* watched = new Probe(nullptr, "watched", log);
  watched->FreeNotification(&watcher);
  delete watched;
  EXPECT_EQ(log, (std::vector<std::string>{"free watched", "watcher -watched"}));
  // The watcher's own end must not touch the freed component.
  log.clear();
  auto* other = new Probe(nullptr, "other", log);
  other->FreeNotification(&watcher);
  other->RemoveFreeNotification(&watcher);
  delete other;
  EXPECT_EQ(log, (std::vector<std::string>{"free other"}));
}

TEST(Component, DesignStateReachesOwnedComponentsAndNewOnes) {
  TComponent root(nullptr);
  auto* a = new TComponent(&root);
  auto* b = new TComponent(a);
  root.SetDesigning(true);
  EXPECT_TRUE(root.Designing() && a->Designing() && b->Designing());
  auto* late = new TComponent(b);
  EXPECT_TRUE(late->Designing());
  a->SetDesigning(false, false);
  EXPECT_FALSE(a->Designing());
  EXPECT_TRUE(b->Designing());
  root.SetDesigning(false);
  EXPECT_FALSE(b->Designing() || late->Designing());
}
