#include "components/buttonedits/runtime/FreeNotification.h"

#include <algorithm>

namespace {

TNotifierStorage* gStorage = nullptr;

TFreeNotifiersList& PlainList() {
  static TFreeNotifiersList list;
  return list;
}

}  // namespace

TFreeNotifiersList::~TFreeNotifiersList() {
  for (int32_t i = 0; i < Count(); ++i) delete Entry(i);
}

int32_t TFreeNotifiersList::CompareWithKey(const void* item, const void* key) const {
  return ComparePointers(static_cast<const TFreeNotifierInfo*>(item)->Instance, key);
}

int32_t TFreeNotifiersList::Compare(const void* item1, const void* item2) const {
  return ComparePointers(static_cast<const TFreeNotifierInfo*>(item1)->Instance,
                         static_cast<const TFreeNotifierInfo*>(item2)->Instance);
}

bool TFreeNotifiersList::AddPair(TObject* instance, const TFreeNotifyProc& proc) {
  int32_t index;
  bool created = false;
  TFreeNotifierInfo* info;
  if (FindByKey(instance, index)) {
    info = Entry(index);
  } else {
    info = new TFreeNotifierInfo(instance);
    FItems.Insert(index, info);
    created = true;
  }
  info->Notifiers.push_back(proc);
  return created;
}

bool TFreeNotifiersList::RemovePair(TObject* instance, const TFreeNotifyProc& proc) {
  int32_t index;
  if (!FindByKey(instance, index)) return false;
  TFreeNotifierInfo* info = Entry(index);
  if (info->Destroying) return false;
  auto& n = info->Notifiers;
  n.erase(std::remove(n.begin(), n.end(), proc), n.end());
  if (!n.empty()) return false;
  Delete(index);
  delete info;
  return true;
}

void TFreeNotifiersList::NotifyFreed(TObject* instance) {
  int32_t index;
  if (!FindByKey(instance, index)) return;
  std::unique_ptr<TFreeNotifierInfo> info(Entry(index));
  Delete(index);
  info->Destroying = true;
  // The entry is out of the list: a callback that removes itself (or
  // another) finds nothing to remove, so each is called exactly once.
  const std::vector<TFreeNotifyProc> procs = info->Notifiers;
  for (const TFreeNotifyProc& p : procs)
    if (p.Code) p.Code(p.Data, instance);
}

TNotifierStorage::TNotifierStorage() : TComponent(nullptr) {}

TNotifierStorage::~TNotifierStorage() {
  if (gStorage == this) gStorage = nullptr;
  for (int32_t i = 0; i < FList.Count(); ++i)
    RemoveFreeNotification(static_cast<TComponent*>(FList.Entry(i)->Instance));
}

void TNotifierStorage::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || !FList.Watches(component)) return;
  RemoveFreeNotification(component);
  FNotifying = true;
  FList.NotifyFreed(component);
  FNotifying = false;
  if (FList.Count() == 0 && gStorage == this) {
    gStorage = nullptr;
    delete this;
  }
}

TNotifierStorage* NotifierStorage() { return gStorage; }
int32_t PlainNotifierCount() { return PlainList().Count(); }

void dcAddFreeNotification(TObject* instance, const TFreeNotifyProc& proc) {
  if (!instance) return;
  if (auto* component = dynamic_cast<TComponent*>(instance)) {
    if (!gStorage) gStorage = new TNotifierStorage();
    if (gStorage->List().AddPair(instance, proc)) component->FreeNotification(gStorage);
    return;
  }
  PlainList().AddPair(instance, proc);
}

void dcRemoveFreeNotification(TObject* instance, const TFreeNotifyProc& proc) {
  if (!instance) return;
  if (gStorage && gStorage->List().Watches(instance)) {
    if (gStorage->List().RemovePair(instance, proc)) {
      gStorage->RemoveFreeNotification(static_cast<TComponent*>(instance));
      if (gStorage->List().Count() == 0 && !gStorage->Notifying()) delete gStorage;  // clears gStorage
    }
    return;
  }
  PlainList().RemovePair(instance, proc);
}

void dcNotifyFree(TObject* instance) {
  if (instance) PlainList().NotifyFreed(instance);
}
