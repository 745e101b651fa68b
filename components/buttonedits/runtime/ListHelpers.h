#pragma once
// Helpers over pointer lists and string lists: copying, comparing, walking,
// freeing their objects or memory, and moving entries between lists.
#include "classlib/StringList.h"
#include "components/buttonedits/runtime/KeyedSortedLists.h"
#include "components/buttonedits/runtime/SortedList.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// Zero-filled memory for list items that DisposeList releases.
void* GetMem0(std::size_t size);
// Frees the object (or the memory) and sets the variable to null.
template <class T>
void FreeObject(T*& object) {
  delete object;
  object = nullptr;
}
void FreePointer(void*& memory);
// Both non-null and different.
inline bool AreObjNotEqualNotNil(const void* a, const void* b) { return a && b && a != b; }
// Both routine and object equal.
template <class M>
bool isMethodsEqual(const M& a, const M& b) {
  return a.Code == b.Code && a.Data == b.Data;
}
inline AnsiString ResStr(const AnsiString& text) { return text; }
std::unique_ptr<TFastList> CreateList();

// Appends the source's items (nothing when both are one list).
void AddList(const TFastList& source, TFastList& dest);
// Same count, and every item of the first is in the second.
bool EqualList(const TFastList& a, const TFastList& b);
// Some item of the first is in the second.
bool ListsInterSect(const TFastList& a, const TFastList& b);
// From the last item to the first; clearing `proceed` stops the walk, and
// items the callback removes are allowed for.
void ForEachListItem(TFastList& list, const std::function<void(void* item, int32_t index, bool& proceed)>& callback);
// Removes the item and frees it (as TObject).
void RemoveItem(TFastList& list, TObject* item);
void RemoveSortedItem(TSortedList& list, TObject* item);
// Releases the memory of every item (GetMem0), then frees the list.
void DisposeList(std::unique_ptr<TFastList>& list);
// The list receives the object of every entry (cleared first).
void StringsObjectsToList(const TStrings& strings, TFastList& list);

// Frees every entry's object and clears the list; frees the objects only
// (from the end); frees the objects and the list.
void ClearStrings(TStrings& strings);
void FreeStringsObjects(TStrings& strings);
void FreeStrings(std::unique_ptr<TStrings>& strings);
std::unique_ptr<TStringList> CreateSortedStringList();
void AnsiUpperCaseStrings(TStrings& strings);
void AnsiLowerCaseStrings(TStrings& strings);
// Clears the list and adds the entries 0..lastIndex.
void StrArrayToStrings(TStrings& strings, const AnsiString* items, int32_t lastIndex);
// The name part (before "=") or the value part (after it) of each entry.
void NamePartToStrings(const TStrings& source, TStrings& dest);
void ValuePartToStrings(const TStrings& source, TStrings& dest);
void StringsToProc(const TStrings& strings, const std::function<void(const AnsiString&)>& proc);
