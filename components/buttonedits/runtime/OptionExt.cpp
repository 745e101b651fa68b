#include "components/buttonedits/runtime/OptionExt.h"

#include <algorithm>
#include <map>

#include "components/buttonedits/runtime/ObjectParams.h"
#include "components/buttonedits/runtime/ObjectStreams.h"
#include "components/buttonedits/runtime/PropHelpers.h"

bool DCUseIniFile = false;

const TClassInfo TOptionExt::Info{"TOptionExt", "dcsystem", &TPersistent::Info, {}};

namespace {

// The option controls, by upper-case class name.
std::map<AnsiString, TPersistent*>& OptionControls() {
  static std::map<AnsiString, TPersistent*> controls;
  return controls;
}

std::vector<TOptionsInitializator>& Initializators() {
  static std::vector<TOptionsInitializator> procs;
  return procs;
}

}  // namespace

AnsiString TOptionExt::GetKey() const { return GetOptionKey(ClassName()); }

void TOptionExt::LoadConfig() {
  BeginUpdate();
  try {
    if (DCUseIniFile)
      LoadComponentFromIniFile(*this, GetKey());
    else
      ReadPropsFromRegistry(*this, GetKey());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TOptionExt::SaveConfig() {
  BeginUpdate();
  try {
    if (DCUseIniFile)
      SaveComponentToIniFile(*this, GetKey());
    else
      WritePropsToRegistry(*this, GetKey());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TOptionExt::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Update();
}

TPersistent* TOptionExt::GetOptionControl() {
  auto it = OptionControls().find(AnsiUpperCase(ClassName()));
  return it == OptionControls().end() ? nullptr : it->second;
}

void TOptionExt::ApplyOptions() {
  if (TPersistent* control = GetOptionControl()) AssignAllProps(*control, *this);
}

void TOptionExt::InitValues() {
  if (TPersistent* control = GetOptionControl()) AssignAllProps(*this, *control);
}

void TOptionExt::Update() {
  if (FUpdateCount > 0) return;
  InitValues();
  UpdateDisabled();
}

void TOptionExt::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TOptionExt*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  BeginUpdate();
  AssignAllProps(*other, *this);
  EndUpdate();
}

void RegisterOptionControl(const AnsiString& optionsClassName, TPersistent* control) {
  OptionControls()[AnsiUpperCase(optionsClassName)] = control;
}

void UnRegisterOptionControl(const AnsiString& optionsClassName) {
  OptionControls().erase(AnsiUpperCase(optionsClassName));
}

void RegisterOptionsInitializator(TOptionsInitializator proc) {
  auto& procs = Initializators();
  if (proc && std::find(procs.begin(), procs.end(), proc) == procs.end()) procs.push_back(proc);
}

void UnRegisterOptionsInitializator(TOptionsInitializator proc) {
  auto& procs = Initializators();
  procs.erase(std::remove(procs.begin(), procs.end(), proc), procs.end());
}

TOptionExt* TOptionExtList::Add(std::unique_ptr<TOptionExt> options) {
  if (!options) return nullptr;
  TOptionExt* added = options.get();
  RegisterOptionExt(added->ClassName());
  const auto procs = Initializators();
  for (TOptionsInitializator proc : procs) proc(*added);
  for (auto& item : FItems)
    if (AnsiCompareText(item->ClassName(), added->ClassName()) == 0) {
      item = std::move(options);
      return added;
    }
  FItems.push_back(std::move(options));
  return added;
}

TOptionExt* TOptionExtList::GetOptionsByClass(const AnsiString& className) const {
  for (const auto& item : FItems)
    if (AnsiCompareText(item->ClassName(), className) == 0) return item.get();
  return nullptr;
}

void TOptionExtList::SaveGlobalOptions() {
  for (const auto& item : FItems) item->SaveConfig();
}

TOptionExtList& OptionExtList() {
  static TOptionExtList list;
  return list;
}

TOptionExt* GetOptionsByClass(const AnsiString& className) { return OptionExtList().GetOptionsByClass(className); }

void SaveGlobalOptions() { OptionExtList().SaveGlobalOptions(); }
