#include "classlib/Component.h"

#include "classlib/Filer.h"
#include "classlib/TypInfo.h"

#include <algorithm>

namespace {
const TPropInfo kComponentProps[] = {
    [] {
      TPropInfo p = StrProp<&TComponent::Name, &TComponent::SetName>("Name");
      p.Stored = [](const TObject&) { return false; };
      return p;
    }(),
    OrdProp<&TComponent::Tag, &TComponent::SetTag>("Tag", TypeInfoInteger(), 0),
};
}  // namespace

const TClassInfo TComponent::Info = PublishClass<TComponent>("TComponent", "Classes", TPersistent::Info, kComponentProps);

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  FDestroying = true;
  // Tell everyone who asked; each may drop its pointer to us.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    other->DropFreeNotify(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int32_t index) const {
  if (index < 0 || index >= ComponentCount()) return nullptr;
  return FComponents[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (AnsiCompareText(c->FName, name) == 0) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component == this) return;
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  NotifyAll(component, opInsert);
  FComponents.push_back(component);
  component->FOwner = this;
  if (FDesigning) component->SetDesigning(true);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  FDesigning = value;
  if (setChildren)
    for (TComponent* c : FComponents) c->SetDesigning(value, true);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(FComponents.begin(), FComponents.end(), component);
  if (it == FComponents.end()) return;
  FComponents.erase(it);
  component->FOwner = nullptr;
  NotifyAll(component, opRemove);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    FComponents.pop_back();
    c->FOwner = nullptr;
    NotifyAll(c, opRemove);
    delete c;
  }
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
  Notification(component, operation);
  // A handler may free components: iterate over a copy and skip the gone.
  std::vector<TComponent*> others(FComponents);
  for (TComponent* c : others)
    if (c != component && std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
      c->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
    FFreeNotifies.push_back(component);
  if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) ==
      component->FFreeNotifies.end())
    component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  DropFreeNotify(component);
  component->DropFreeNotify(this);
}

void TComponent::DropFreeNotify(TComponent* component) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component),
                      FFreeNotifies.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) DropFreeNotify(component);
}

void TComponent::GetChildren(const TGetChildProc& proc, TComponent*) {
  // A copy: the procedure may not change the list, but need not know that.
  const std::vector<TComponent*> owned(FComponents);
  for (TComponent* c : owned) proc(c);
}

void TComponent::ReadState(TReader& reader) { reader.ReadData(*this); }
