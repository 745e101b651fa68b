#pragma once
// Binds named verbs of the library's verb registry to ordinary components
// (buttons, speed buttons): each binding keeps the component's visibility,
// enabled state and check mark in step with the verb's state, and the
// component's click runs the verb.
#include "classlib/Component.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum TVerbStateBit : uint32_t { vsVisible = 1, vsEnabled = 2, vsChecked = 4 };
using TVerbState = uint32_t;

class TVerbListItem;
class TVerbDispatcher;

// Applies an item's state to a component of its class (and sets or, for an
// item being destroyed, clears the component's click).
using TAssignVerbProc = std::function<void(TComponent* component, TVerbListItem* item)>;

// Registers the procedure for the components `isOfClass` accepts; a later
// registration (a more derived class) is tried before an earlier one.
void RegisterAssignVerbProc(const AnsiString& className, std::function<bool(TComponent*)> isOfClass,
                            TAssignVerbProc proc);
template <class T>
void RegisterAssignVerbProc(const AnsiString& className, TAssignVerbProc proc) {
  RegisterAssignVerbProc(
      className, [](TComponent* c) { return dynamic_cast<T*>(c) != nullptr; }, std::move(proc));
}
void UnRegisterAssignVerbProcs();

// While held (a counter), no dispatcher updates its components.
void BeginVerbUpdate();
void EndVerbUpdate();

class TVerbListItem {
 public:
  explicit TVerbListItem(TVerbDispatcher* dispatcher) : FDispatcher(dispatcher) {}
  ~TVerbListItem();
  TVerbListItem(const TVerbListItem&) = delete;
  TVerbListItem& operator=(const TVerbListItem&) = delete;

  const AnsiString& VerbName() const { return FVerbName; }
  void SetVerbName(const AnsiString& name);  // stored trimmed
  TComponent* VerbComp() const { return FVerbComp; }
  void SetVerbComp(TComponent* component);

  // The state last applied to the component (0 before the first).
  TVerbState State() const { return FState; }
  bool Destroying() const { return FDestroying; }
  // Looks the verb and the assign procedure up again.
  void UpdateVerbObject();
  // Applies the verb's state when it changed since the last time.
  void UpdateControl();
  // Runs the verb (the component's click).
  void VerbOnClick();
  // "Component - Verb"; the class name when that is empty.
  AnsiString DisplayName() const;

 private:
  friend class TVerbDispatcher;
  void Detach();

  TVerbDispatcher* FDispatcher;
  AnsiString FVerbName;
  TComponent* FVerbComp = nullptr;
  TAssignVerbProc FAssignProc;
  std::function<void()> FExecute;
  std::function<uint32_t()> FStateQuery;
  TVerbState FState = 0;
  bool FDestroying = false;
};

class TVerbDispatcher : public TComponent {
 public:
  explicit TVerbDispatcher(TComponent* owner);
  ~TVerbDispatcher() override;

  TVerbListItem* Add();
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TVerbListItem* Items(int32_t index) const { return FItems.at(static_cast<size_t>(index)).get(); }
  void Delete(int32_t index);
  // Updates every item unless the update lock is held.
  void UpdateControls();
  // A package was loaded: every item looks its verb up again.
  void UpdateVerbs();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::vector<std::unique_ptr<TVerbListItem>> FItems;
};
