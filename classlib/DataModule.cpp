#include "classlib/DataModule.h"

#include <algorithm>
#include <vector>

#include "classlib/TypInfo.h"

namespace {
std::vector<TDataModule*>& modules() {
  static std::vector<TDataModule*> list;
  return list;
}
}  // namespace

const TClassInfo TDataModule::Info = PublishClass<TDataModule>("TDataModule", "Forms", TComponent::Info, {});

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) { modules().push_back(this); }

TDataModule::~TDataModule() {
  if (OnDestroy) OnDestroy(this);
  OnCreate = OnDestroy = nullptr;
  auto& list = modules();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

int TDataModule::Count() { return static_cast<int>(modules().size()); }

TDataModule* TDataModule::Items(int index) {
  return index >= 0 && index < Count() ? modules()[static_cast<size_t>(index)] : nullptr;
}
