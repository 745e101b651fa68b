#include "components/buttonedits/controls/EditClassRegistry.h"

void TEditClassList::Register(const AnsiString& typeName, const AnsiString& propName,
                              const AnsiString& className, TComponentFactory factory) {
  FItems.push_back({typeName, propName, className});
  if (factory) SafeRegisterClass(className, std::move(factory));
}

void TEditClassList::UnRegister(const AnsiString& className) {
  std::erase_if(FItems, [&](const TEditClassInfo& i) { return AnsiCompareText(i.ClassName, className) == 0; });
}

AnsiString TEditClassList::Find(const AnsiString& typeName, const AnsiString& propName) const {
  const TEditClassInfo* general = nullptr;
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    if (AnsiCompareText(it->TypeName, typeName) != 0) continue;
    if (!propName.empty() && AnsiCompareText(it->PropName, propName) == 0) return it->ClassName;
    if (it->PropName.empty() && !general) general = &*it;
  }
  return general ? general->ClassName : AnsiString();
}

TEditClassList& PopupClasses() {
  static TEditClassList list;
  return list;
}

TEditClassList& EditClasses() {
  static TEditClassList list;
  return list;
}

void RegisterPopupClass(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                        TComponentFactory factory) {
  PopupClasses().Register(typeName, propName, className, std::move(factory));
}

void RegisterEditClass(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                       TComponentFactory factory) {
  EditClasses().Register(typeName, propName, className, std::move(factory));
}

void UnRegisterPopupClass(const AnsiString& className) { PopupClasses().UnRegister(className); }
void UnRegisterEditClass(const AnsiString& className) { EditClasses().UnRegister(className); }
