#pragma once
// Free notifications: any object can ask to be told when another object is
// freed. Components report their end through the class library's own
// notification; any other watched object reports it from its destructor by
// calling dcNotifyFree(this). All of it belongs to the user-interface thread.
#include "classlib/Component.h"
#include "components/buttonedits/runtime/SortedList.h"

#include <memory>
#include <vector>

// A callback bound to the object it belongs to; two are equal when both
// the routine and the object are.
struct TFreeNotifyProc {
  void* Data = nullptr;
  void (*Code)(void* data, TObject* instance) = nullptr;
  bool operator==(const TFreeNotifyProc&) const = default;
};

// Binds a member function: MakeFreeNotifyProc<&Watcher::Freed>(watcher).
template <auto Member, typename T>
TFreeNotifyProc MakeFreeNotifyProc(T* object) {
  return {object, [](void* data, TObject* instance) { (static_cast<T*>(data)->*Member)(instance); }};
}

// One watched object and the callbacks registered for it.
class TFreeNotifierInfo : public TObject {
 public:
  explicit TFreeNotifierInfo(TObject* instance) : Instance(instance) {}
  TObject* Instance;
  std::vector<TFreeNotifyProc> Notifiers;
  bool Destroying = false;
};

// The watched objects, ordered by address; owns its entries.
class TFreeNotifiersList : public TCustomSortedList {
 public:
  ~TFreeNotifiersList() override;
  int32_t CompareWithKey(const void* item, const void* key) const override;
  int32_t Compare(const void* item1, const void* item2) const override;

  TFreeNotifierInfo* Entry(int32_t index) const { return static_cast<TFreeNotifierInfo*>(Items(index)); }
  // True when this made a new entry for `instance`.
  bool AddPair(TObject* instance, const TFreeNotifyProc& proc);
  // Removes every equal callback; true when the entry went with the last.
  bool RemovePair(TObject* instance, const TFreeNotifyProc& proc);
  // Takes the entry of `instance` out and calls its callbacks once each.
  void NotifyFreed(TObject* instance);
  bool Watches(const TObject* instance) const { return IndexOfKey(instance) >= 0; }
};

// Watches components for the free-notification service; one at most, made
// on demand and freed when it has nothing left to watch.
class TNotifierStorage : public TComponent {
 public:
  TNotifierStorage();
  ~TNotifierStorage() override;
  TFreeNotifiersList& List() { return FList; }
  // True while it calls the callbacks of a freed component; it is not freed
  // from inside that walk.
  bool Notifying() const { return FNotifying; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TFreeNotifiersList FList;
  bool FNotifying = false;
};

// Calls `proc` with `instance` when `instance` is freed. A null instance is
// ignored; the same callback added twice is called twice.
void dcAddFreeNotification(TObject* instance, const TFreeNotifyProc& proc);
// Removes every registration of `proc` for `instance`.
void dcRemoveFreeNotification(TObject* instance, const TFreeNotifyProc& proc);
// Called by a watched object that is no component from its destructor.
void dcNotifyFree(TObject* instance);
// The storage for components, null when nothing is watched.
TNotifierStorage* NotifierStorage();
// Number of plain objects watched.
int32_t PlainNotifierCount();
