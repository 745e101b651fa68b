#pragma once
// The registry of named parameters attached to classes (by class name) or
// to objects, through which option pages, keyboard handlers, verbs and code
// designers are found.
#include "classlib/AnsiString.h"
#include "classlib/Persistent.h"
#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TObjectParamListItem {
 public:
  TObjectParamListItem(AnsiString className, const void* object) : ClassName(std::move(className)), Object(object) {}
  // Empty for an object's item.
  AnsiString ClassName;
  // Null for a class's item.
  const void* Object;
  // The value of the parameter (names compare without case); empty when
  // it has none.
  Variant GetParamByName(const AnsiString& name) const;
  void SetParamByName(const AnsiString& name, const Variant& value);
  bool HasParam(const AnsiString& name) const;

 private:
  std::vector<std::pair<AnsiString, Variant>> FParams;
};

class TObjectParamList {
 public:
  TObjectParamListItem* Add(const AnsiString& className, const void* object);
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TObjectParamListItem* Items(int32_t index) const { return FItems[static_cast<size_t>(index)].get(); }
  void Delete(int32_t index) { FItems.erase(FItems.begin() + index); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<std::unique_ptr<TObjectParamListItem>> FItems;
};

// The unit-wide registry.
TObjectParamList& ObjectParamList();

TObjectParamListItem* RegisterClassExt(const AnsiString& className, const AnsiString* names, const Variant* values,
                                       int32_t count);
TObjectParamListItem* RegisterObjectEx(const void* object, const AnsiString* names, const Variant* values,
                                       int32_t count);
// The first item of the class (exactly), or of the first ancestor named in
// `ancestors` (nearest first) that is registered; null when none.
TObjectParamListItem* GetItemEx(const AnsiString& className, const std::vector<AnsiString>& ancestors = {});
// The item of the class or of its nearest ancestor that is registered.
TObjectParamListItem* GetItemInherited(const TClassInfo& cls);
// The class name of the first item whose parameter `name` equals `value`;
// empty when none.
AnsiString GetClassEx(const AnsiString& name, const Variant& value);
// Calls `proc` with the class name of every item that carries
// "TextStylesClass.ID"; FreeTextStylesSets removes those items.
void EnumTextStylesSets(const std::function<void(const AnsiString& className)>& proc);
void FreeTextStylesSets();
// The first item of the class whose parameter `name` equals `value`.
TObjectParamListItem* GetItemEqual(const AnsiString& className, const AnsiString& name, const Variant& value);
// Every item carrying parameter `name` equal to `value`.
std::vector<TObjectParamListItem*> GetItemsEx(const AnsiString& name, const Variant& value);

// A keyboard initialisation routine of a class, under "KeyboardClass.ID".
using TKeyboardInitProc = void (*)(void* keyboard);
void RegisterKeyboardInitProc(const AnsiString& className, const AnsiString& name, TKeyboardInitProc proc);
TKeyboardInitProc GetKeyboardInitProc(const AnsiString& className, const AnsiString& name);
// Marks the class as an options class ("Environment.Options" = 123).
void RegisterOptionExt(const AnsiString& className);
// The option key of a class: its name without the first letter.
AnsiString GetOptionKey(const AnsiString& className);
