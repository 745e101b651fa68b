#include "components/buttonedits/controls/EditClassRegistry.h"

#include "components/buttonedits/runtime/Naming.h"

#include <deque>

namespace {

// Tables made for classes and types known only by name; they live as long
// as the program, since registries and streams point at them.
struct TNamedClass {
  AnsiString Name;
  TClassInfo Info;
};
std::deque<TNamedClass>& NamedClasses() {
  static std::deque<TNamedClass> classes;
  return classes;
}

struct TNamedType {
  AnsiString Name;
  TTypeInfo Info;
};
std::deque<TNamedType>& NamedTypes() {
  static std::deque<TNamedType> types;
  return types;
}

// A table for a class of that name: the registered one, else one made here
// (a control class without a table of its own: its parent is TComponent).
const TClassInfo& ClassInfoByName(const AnsiString& className, TComponentFactory factory) {
  if (const TClassInfo* cls = GetClass(className)) return *cls;
  for (const TNamedClass& c : NamedClasses())
    if (c.Name == className && c.Info.Create == factory) return c.Info;
  TNamedClass& made = NamedClasses().emplace_back();
  made.Name = className;
  made.Info = TClassInfo{made.Name.c_str(), "", &TComponent::Info, {}, factory};
  return made.Info;
}

AnsiString TypeNameOf(const TRegisteredClassItem& item) {
  return item.PropType && item.PropType->Name ? AnsiString(item.PropType->Name) : AnsiString();
}

AnsiString ClassNameOf(const TRegisteredClassItem& item) {
  return item.RegisteredClass ? AnsiString(item.RegisteredClass->ClassName) : AnsiString();
}

}  // namespace

bool SafeRegisterClass(const AnsiString& className, TComponentFactory factory) {
  if (GetClass(className)) return false;
  return SafeRegisterClass(ClassInfoByName(className, factory));
}

TComponentFactory FindRegisteredClass(const AnsiString& className) {
  const TClassInfo* cls = GetClass(className);
  return cls ? cls->Create : nullptr;
}

const TTypeInfo& TypeInfoByName(const AnsiString& typeName) {
  for (const TTypeInfo* known : {&TypeInfoAnsiString(), &TypeInfoWideString(), &TypeInfoBoolean(),
                                 &TypeInfoInteger(), &TypeInfoDouble(), &TypeInfoDateTime()})
    if (AnsiCompareText(known->Name, typeName) == 0) return *known;
  for (const TNamedType& t : NamedTypes())
    if (AnsiCompareText(t.Name, typeName) == 0) return t.Info;
  TNamedType& made = NamedTypes().emplace_back();
  made.Name = typeName;
  made.Info = TTypeInfo{tkUnknown, made.Name.c_str()};
  return made.Info;
}

TEditClassList::TEditClassList() : FOwn(std::make_unique<TPackagedCollection>()), FItems(FOwn.get()) {}

void TEditClassList::Register(const AnsiString& typeName, const AnsiString& propName,
                              const AnsiString& className, TComponentFactory factory) {
  if (factory) SafeRegisterClass(className, factory);
  auto* item = static_cast<TRegisteredClassItem*>(FItems->Add());
  item->RegisteredClass = &ClassInfoByName(className, factory);
  item->PropType = &TypeInfoByName(typeName);
  item->PropName = propName;
}

void TEditClassList::UnRegister(const AnsiString& className) {
  for (int32_t i = FItems->Count() - 1; i >= 0; --i)
    if (AnsiCompareText(ClassNameOf(*FItems->Item(i)), className) == 0) FItems->Delete(i);
}

AnsiString TEditClassList::Find(const AnsiString& typeName, const AnsiString& propName) const {
  const TRegisteredClassItem* general = nullptr;
  for (int32_t i = FItems->Count() - 1; i >= 0; --i) {
    const TRegisteredClassItem& item = *FItems->Item(i);
    if (AnsiCompareText(TypeNameOf(item), typeName) != 0) continue;
    if (!propName.empty() && AnsiCompareText(item.PropName, propName) == 0) return ClassNameOf(item);
    if (item.PropName.empty() && !general) general = &item;
  }
  return general ? ClassNameOf(*general) : AnsiString();
}

std::vector<TEditClassEntry> TEditClassList::Items() const {
  std::vector<TEditClassEntry> items;
  for (int32_t i = 0; i < FItems->Count(); ++i) {
    const TRegisteredClassItem& item = *FItems->Item(i);
    items.push_back({TypeNameOf(item), item.PropName, ClassNameOf(item)});
  }
  return items;
}

TEditClassList& PopupClassList() {
  static TEditClassList list(PopupClasses());
  return list;
}

TEditClassList& EditClassList() {
  static TEditClassList list(EditClasses());
  return list;
}

void RegisterPopupClassByType(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                              TComponentFactory factory) {
  PopupClassList().Register(typeName, propName, className, factory);
}

void RegisterEditClassByType(const AnsiString& typeName, const AnsiString& propName, const AnsiString& className,
                             TComponentFactory factory) {
  EditClassList().Register(typeName, propName, className, factory);
}

void UnRegisterPopupClassByType(const AnsiString& className) { PopupClassList().UnRegister(className); }
void UnRegisterEditClassByType(const AnsiString& className) { EditClassList().UnRegister(className); }
