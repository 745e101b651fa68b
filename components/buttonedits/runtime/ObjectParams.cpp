#include "components/buttonedits/runtime/ObjectParams.h"

Variant TObjectParamListItem::GetParamByName(const AnsiString& name) const {
  for (const auto& [n, v] : FParams)
    if (AnsiCompareText(n, name) == 0) return v;
  return Variant();
}

bool TObjectParamListItem::HasParam(const AnsiString& name) const {
  for (const auto& p : FParams)
    if (AnsiCompareText(p.first, name) == 0) return true;
  return false;
}

void TObjectParamListItem::SetParamByName(const AnsiString& name, const Variant& value) {
  for (auto& [n, v] : FParams) {
    if (AnsiCompareText(n, name) == 0) {
      v = value;
      return;
    }
  }
  FParams.emplace_back(name, value);
}

TObjectParamListItem* TObjectParamList::Add(const AnsiString& className, const void* object) {
  FItems.push_back(std::make_unique<TObjectParamListItem>(className, object));
  return FItems.back().get();
}

TObjectParamList& ObjectParamList() {
  static TObjectParamList list;
  return list;
}

namespace {

TObjectParamListItem* AddWith(TObjectParamListItem* item, const AnsiString* names, const Variant* values,
                              int32_t count) {
  for (int32_t i = 0; i < count; ++i) item->SetParamByName(names[i], values[i]);
  return item;
}

}  // namespace

TObjectParamListItem* RegisterClassExt(const AnsiString& className, const AnsiString* names, const Variant* values,
                                       int32_t count) {
  return AddWith(ObjectParamList().Add(className, nullptr), names, values, count);
}

TObjectParamListItem* RegisterObjectEx(const void* object, const AnsiString* names, const Variant* values,
                                       int32_t count) {
  return AddWith(ObjectParamList().Add(AnsiString(), object), names, values, count);
}

TObjectParamListItem* GetItemEx(const AnsiString& className, const std::vector<AnsiString>& ancestors) {
  auto& list = ObjectParamList();
  auto find = [&](const AnsiString& name) -> TObjectParamListItem* {
    for (int32_t i = 0; i < list.Count(); ++i)
      if (!list.Items(i)->Object && AnsiCompareText(list.Items(i)->ClassName, name) == 0) return list.Items(i);
    return nullptr;
  };
  if (auto* item = find(className)) return item;
  for (const AnsiString& a : ancestors)
    if (auto* item = find(a)) return item;
  return nullptr;
}

TObjectParamListItem* GetItemEqual(const AnsiString& className, const AnsiString& name, const Variant& value) {
  auto& list = ObjectParamList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TObjectParamListItem* item = list.Items(i);
    if (AnsiCompareText(item->ClassName, className) == 0 && item->HasParam(name) &&
        item->GetParamByName(name) == value)
      return item;
  }
  return nullptr;
}

std::vector<TObjectParamListItem*> GetItemsEx(const AnsiString& name, const Variant& value) {
  std::vector<TObjectParamListItem*> r;
  auto& list = ObjectParamList();
  for (int32_t i = 0; i < list.Count(); ++i)
    if (list.Items(i)->HasParam(name) && list.Items(i)->GetParamByName(name) == value) r.push_back(list.Items(i));
  return r;
}

void RegisterKeyboardInitProc(const AnsiString& className, const AnsiString& name, TKeyboardInitProc proc) {
  const AnsiString names[] = {"KeyboardClass.ID", "KeyboardClass.InitName", "KeyboardClass.InitProc"};
  const Variant values[] = {Variant::String(name), Variant::String(name),
                            Variant::Pointer(reinterpret_cast<const void*>(proc))};
  RegisterClassExt(className, names, values, 3);
}

TKeyboardInitProc GetKeyboardInitProc(const AnsiString& className, const AnsiString& name) {
  TObjectParamListItem* item = GetItemEqual(className, "KeyboardClass.ID", Variant::String(name));
  if (!item) return nullptr;
  return reinterpret_cast<TKeyboardInitProc>(item->GetParamByName("KeyboardClass.InitProc").AsPointer());
}

void RegisterOptionExt(const AnsiString& className) {
  const AnsiString names[] = {"Environment.Options"};
  const Variant values[] = {Variant::Integer(123)};
  RegisterClassExt(className, names, values, 1);
}

AnsiString GetOptionKey(const AnsiString& className) { return className.empty() ? className : className.substr(1); }

TObjectParamListItem* GetItemInherited(const TClassInfo& cls) {
  for (const TClassInfo* c = &cls; c; c = c->Parent)
    if (TObjectParamListItem* item = GetItemEx(c->ClassName)) return item;
  return nullptr;
}

AnsiString GetClassEx(const AnsiString& name, const Variant& value) {
  const auto items = GetItemsEx(name, value);
  for (TObjectParamListItem* item : items)
    if (!item->ClassName.empty()) return item->ClassName;
  return AnsiString();
}

void EnumTextStylesSets(const std::function<void(const AnsiString& className)>& proc) {
  TObjectParamList& list = ObjectParamList();
  for (int32_t i = 0; i < list.Count(); ++i)
    if (!list.Items(i)->ClassName.empty() && list.Items(i)->HasParam("TextStylesClass.ID")) proc(list.Items(i)->ClassName);
}

void FreeTextStylesSets() {
  TObjectParamList& list = ObjectParamList();
  for (int32_t i = list.Count() - 1; i >= 0; --i)
    if (list.Items(i)->HasParam("TextStylesClass.ID")) list.Delete(i);
}
