#include "components/buttonedits/controls/VerbDispatcher.h"

#include "components/buttonedits/controls/VerbAssignProcs.h"
#include "components/buttonedits/runtime/Naming.h"

namespace {

struct AssignEntry {
  AnsiString ClassName;
  std::function<bool(TComponent*)> IsOfClass;
  TAssignVerbProc Proc;
};

std::vector<AssignEntry>& assignProcs() {
  static std::vector<AssignEntry> list;
  return list;
}

int& updateLock() {
  static int lock = 0;
  return lock;
}

TAssignVerbProc findAssignProc(TComponent* c) {
  auto& list = assignProcs();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (it->IsOfClass(c)) return it->Proc;
  return nullptr;
}

AnsiString trim(const AnsiString& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == AnsiString::npos) return AnsiString();
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

}  // namespace

void RegisterAssignVerbProc(const AnsiString& className, std::function<bool(TComponent*)> isOfClass,
                            TAssignVerbProc proc) {
  assignProcs().push_back({className, std::move(isOfClass), std::move(proc)});
}

void UnRegisterAssignVerbProcs() { assignProcs().clear(); }

void BeginVerbUpdate() { ++updateLock(); }
void EndVerbUpdate() {
  if (updateLock() > 0) --updateLock();
}

TVerbListItem::~TVerbListItem() {
  FState = 0;
  FDestroying = true;
  if (FVerbComp && !FVerbComp->IsDestroying()) {
    // Detaches the component: hidden, disabled, no click.
    if (FAssignProc) FAssignProc(FVerbComp, this);
    FVerbComp->RemoveFreeNotification(FDispatcher);
  }
}

void TVerbListItem::SetVerbName(const AnsiString& name) {
  AnsiString n = trim(name);
  if (n == FVerbName) return;
  FVerbName = n;
  UpdateVerbObject();
}

void TVerbListItem::SetVerbComp(TComponent* component) {
  if (component == FVerbComp) return;
  if (FVerbComp) FVerbComp->RemoveFreeNotification(FDispatcher);
  FVerbComp = component;
  if (FVerbComp) FVerbComp->FreeNotification(FDispatcher);
  UpdateVerbObject();
}

void TVerbListItem::UpdateVerbObject() {
  FAssignProc = nullptr;
  FExecute = nullptr;
  FStateQuery = nullptr;
  if (FVerbName.empty() || !FVerbComp) return;
  TAssignVerbProc proc = findAssignProc(FVerbComp);
  TVerbStateProc state;
  TVerbExecuteProc execute;
  if (!proc || !GetVerbProcAddr(FVerbName, state, execute)) return;
  FAssignProc = std::move(proc);
  FStateQuery = std::move(state);
  FExecute = std::move(execute);
  UpdateControl();
}

void TVerbListItem::UpdateControl() {
  if (!FAssignProc || !FVerbComp) return;
  TVerbState s = FDestroying ? 0 : (FStateQuery ? FStateQuery() : (vsVisible | vsEnabled));
  if (s == FState && !FDestroying) return;
  FState = s;
  FAssignProc(FVerbComp, this);
}

void TVerbListItem::VerbOnClick() {
  if (!FExecute) return;
  BeginVerbUpdate();
  try {
    FExecute();
  } catch (...) {
    EndVerbUpdate();
    throw;
  }
  EndVerbUpdate();
}

AnsiString TVerbListItem::DisplayName() const {
  if (!FVerbComp && FVerbName.empty()) return "TVerbListItem";
  return (FVerbComp ? FVerbComp->Name() : AnsiString()) + " - " + FVerbName;
}

void TVerbListItem::Detach() {
  FVerbComp = nullptr;
  FAssignProc = nullptr;
  FExecute = nullptr;
  FStateQuery = nullptr;
  FState = 0;
}

TVerbDispatcher::TVerbDispatcher(TComponent* owner) : TComponent(owner) {
  static bool registered = false;
  if (!registered) {
    registered = true;
    RegisterStandardAssignVerbProcs();
  }
}

TVerbDispatcher::~TVerbDispatcher() { FItems.clear(); }

TVerbListItem* TVerbDispatcher::Add() {
  FItems.push_back(std::make_unique<TVerbListItem>(this));
  return FItems.back().get();
}

void TVerbDispatcher::Delete(int32_t index) { FItems.erase(FItems.begin() + index); }

void TVerbDispatcher::UpdateControls() {
  if (updateLock() > 0 || IsDestroying()) return;
  for (auto& item : FItems) item->UpdateControl();
}

void TVerbDispatcher::UpdateVerbs() {
  for (auto& item : FItems) item->UpdateVerbObject();
}

void TVerbDispatcher::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  for (auto& item : FItems)
    if (item->FVerbComp == component) item->Detach();
}
