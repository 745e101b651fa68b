#include "components/buttonedits/controls/EditClassRegistry.h"

#include <map>

namespace {

std::map<AnsiString, TComponentFactory>& Factories() {
  static std::map<AnsiString, TComponentFactory> classes;
  return classes;
}

}  // namespace

bool SafeRegisterClass(const AnsiString& className, TComponentFactory factory) {
  return Factories().emplace(className, std::move(factory)).second;
}

TComponentFactory FindRegisteredClass(const AnsiString& className) {
  auto it = Factories().find(className);
  return it == Factories().end() ? TComponentFactory() : it->second;
}

void TEditClassList::Register(const AnsiString& typeName, const AnsiString& propName,
                              const AnsiString& className, TComponentFactory factory) {
  FItems.push_back({typeName, propName, className});
  if (factory) SafeRegisterClass(className, std::move(factory));
}

void TEditClassList::UnRegister(const AnsiString& className) {
  std::erase_if(FItems, [&](const TEditClassEntry& i) { return AnsiCompareText(i.ClassName, className) == 0; });
}

AnsiString TEditClassList::Find(const AnsiString& typeName, const AnsiString& propName) const {
  const TEditClassEntry* general = nullptr;
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    if (AnsiCompareText(it->TypeName, typeName) != 0) continue;
    if (!propName.empty() && AnsiCompareText(it->PropName, propName) == 0) return it->ClassName;
    if (it->PropName.empty() && !general) general = &*it;
  }
  return general ? general->ClassName : AnsiString();
}

TEditClassList& PopupClassList() {
  static TEditClassList list;
  return list;
}

TEditClassList& EditClassList() {
  static TEditClassList list;
  return list;
}

void RegisterPopupClassByType(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                        TComponentFactory factory) {
  PopupClassList().Register(typeName, propName, className, std::move(factory));
}

void RegisterEditClassByType(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                       TComponentFactory factory) {
  EditClassList().Register(typeName, propName, className, std::move(factory));
}

void UnRegisterPopupClassByType(const AnsiString& className) { PopupClassList().UnRegister(className); }
void UnRegisterEditClassByType(const AnsiString& className) { EditClassList().UnRegister(className); }
