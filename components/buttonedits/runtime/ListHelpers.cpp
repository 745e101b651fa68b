#include "components/buttonedits/runtime/ListHelpers.h"

#include <cstdlib>

void* GetMem0(std::size_t size) { return std::calloc(1, size ? size : 1); }

void FreePointer(void*& memory) {
  std::free(memory);
  memory = nullptr;
}

std::unique_ptr<TFastList> CreateList() { return std::make_unique<TFastList>(); }

void AddList(const TFastList& source, TFastList& dest) {
  if (&source == &dest) return;
  dest.SetCapacity(dest.Count() + source.Count());
  for (int32_t i = 0; i < source.Count(); ++i) dest.Add(source.Items(i));
}

bool EqualList(const TFastList& a, const TFastList& b) {
  if (a.Count() != b.Count()) return false;
  for (int32_t i = 0; i < a.Count(); ++i)
    if (b.IndexOf(a.Items(i)) < 0) return false;
  return true;
}

bool ListsInterSect(const TFastList& a, const TFastList& b) {
  for (int32_t i = 0; i < a.Count(); ++i)
    if (b.IndexOf(a.Items(i)) >= 0) return true;
  return false;
}

void ForEachListItem(TFastList& list, const std::function<void(void* item, int32_t index, bool& proceed)>& callback) {
  bool proceed = true;
  for (int32_t i = list.Count() - 1; i >= 0 && proceed; --i) {
    if (i >= list.Count()) i = list.Count() - 1;  // the callback removed items
    if (i < 0) break;
    callback(list.Items(i), i, proceed);
  }
}

void RemoveItem(TFastList& list, TObject* item) {
  if (list.Remove(item) >= 0) delete item;
}

void RemoveSortedItem(TSortedList& list, TObject* item) {
  if (list.Remove(item) >= 0) delete item;
}

void DisposeList(std::unique_ptr<TFastList>& list) {
  if (!list) return;
  for (int32_t i = 0; i < list->Count(); ++i) std::free(list->Items(i));
  list.reset();
}

void StringsObjectsToList(const TStrings& strings, TFastList& list) {
  list.Clear();
  for (int32_t i = 0; i < strings.Count(); ++i) list.Add(strings.Objects(i));
}

void FreeStringsObjects(TStrings& strings) {
  for (int32_t i = strings.Count() - 1; i >= 0; --i) {
    TObject* o = strings.Objects(i);
    strings.PutObject(i, nullptr);
    delete o;
  }
}

void ClearStrings(TStrings& strings) {
  FreeStringsObjects(strings);
  strings.Clear();
}

void FreeStrings(std::unique_ptr<TStrings>& strings) {
  if (strings) FreeStringsObjects(*strings);
  strings.reset();
}

std::unique_ptr<TStringList> CreateSortedStringList() {
  auto list = std::make_unique<TStringList>();
  list->SetSorted(true);
  return list;
}

void AnsiUpperCaseStrings(TStrings& strings) {
  for (int32_t i = 0; i < strings.Count(); ++i) strings.PutString(i, AnsiUpperCase(strings.Strings(i)));
}

void AnsiLowerCaseStrings(TStrings& strings) {
  for (int32_t i = 0; i < strings.Count(); ++i) strings.PutString(i, AnsiLowerCase(strings.Strings(i)));
}

void StrArrayToStrings(TStrings& strings, const AnsiString* items, int32_t lastIndex) {
  strings.Clear();
  for (int32_t i = 0; i <= lastIndex; ++i) strings.Add(items[i]);
}

void NamePartToStrings(const TStrings& source, TStrings& dest) {
  for (int32_t i = 0; i < source.Count(); ++i) {
    const AnsiString s = source.Strings(i);
    dest.Add(s.substr(0, s.find('=')));
  }
}

void ValuePartToStrings(const TStrings& source, TStrings& dest) {
  for (int32_t i = 0; i < source.Count(); ++i) {
    const AnsiString s = source.Strings(i);
    const size_t eq = s.find('=');
    dest.Add(eq == AnsiString::npos ? AnsiString() : s.substr(eq + 1));
  }
}

void StringsToProc(const TStrings& strings, const std::function<void(const AnsiString&)>& proc) {
  for (int32_t i = 0; i < strings.Count(); ++i) proc(strings.Strings(i));
}
