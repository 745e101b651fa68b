#include "components/buttonedits/runtime/SortedList.h"

#include <algorithm>
#include <functional>

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

int32_t ComparePointers(const void* a, const void* b) {
  std::less<const void*> less;
  if (less(a, b)) return -1;
  if (less(b, a)) return 1;
  return 0;
}

void TFastList::CheckIndex(int32_t index, int32_t limit) const {
  if (index < 0 || index >= limit) throw EListError(ResStrFmt(SListIndexError, index));
}

void TFastList::SetCapacity(int32_t capacity) {
  if (capacity < Count()) throw EListError(ResStrFmt(SListIndexError, capacity));
  if (capacity > Capacity()) FItems.reserve(static_cast<size_t>(capacity));
}

void* TFastList::Items(int32_t index) const {
  CheckIndex(index, Count());
  return FItems[static_cast<size_t>(index)];
}

void TFastList::SetItem(int32_t index, void* item) {
  CheckIndex(index, Count());
  FItems[static_cast<size_t>(index)] = item;
}

int32_t TFastList::Add(void* item) {
  FItems.push_back(item);
  return Count() - 1;
}

void TFastList::Insert(int32_t index, void* item) {
  CheckIndex(index, Count() + 1);
  FItems.insert(FItems.begin() + index, item);
}

void TFastList::Delete(int32_t index) {
  CheckIndex(index, Count());
  FItems.erase(FItems.begin() + index);
}

int32_t TFastList::IndexOf(const void* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

int32_t TFastList::Remove(const void* item) {
  const int32_t index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

int32_t TCustomSortedList::CompareWithKey(const void* item, const void* key) const {
  return ComparePointers(item, key);
}

int32_t TCustomSortedList::Compare(const void* item1, const void* item2) const {
  return ComparePointers(item1, item2);
}

void TCustomSortedList::Delete(int32_t index) { FItems.Delete(index); }

template <typename Cmp>
bool TCustomSortedList::Search(Cmp compare, int32_t& index) const {
  int32_t low = 0;
  int32_t high = Count() - 1;
  bool found = false;
  const auto& items = FItems.List();
  while (low <= high) {
    const int32_t middle = static_cast<int32_t>(static_cast<uint32_t>(low + high) >> 1);
    const int32_t c = compare(items[static_cast<size_t>(middle)]);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) low = middle;
      }
    }
  }
  index = low;
  return found;
}

bool TCustomSortedList::Find(const void* item, int32_t& index) const {
  if (!FSorted) {
    index = FItems.IndexOf(item);
    return index >= 0;
  }
  return Search([&](const void* it) { return Compare(it, item); }, index);
}

bool TCustomSortedList::FindByKey(const void* key, int32_t& index) const {
  if (!FSorted) {
    index = IndexOfKey(key);
    return index >= 0;
  }
  return Search([&](const void* it) { return CompareWithKey(it, key); }, index);
}

int32_t TCustomSortedList::IndexOfKey(const void* key) const {
  if (FSorted) {
    int32_t index;
    return FindByKey(key, index) ? index : -1;
  }
  for (int32_t i = 0; i < Count(); ++i)
    if (CompareWithKey(FItems.List()[static_cast<size_t>(i)], key) == 0) return i;
  return -1;
}

void* TCustomSortedList::ItemByKey(const void* key) const {
  const int32_t index = IndexOfKey(key);
  return index < 0 ? nullptr : FItems.Items(index);
}

int32_t TCustomSortedList::IndexOf(const void* item) const {
  int32_t index;
  return Find(item, index) ? index : -1;
}

int32_t TCustomSortedList::Remove(const void* item) {
  int32_t index;
  if (!Find(item, index)) return -1;
  Delete(index);
  return index;
}

int32_t TCustomSortedList::Add(void* item) {
  if (!FSorted) return FItems.Add(item);
  int32_t index;
  if (Find(item, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) throw EListError(LoadResString(dcconsts::_SErrDuplicateItem));
  }
  FItems.Insert(index, item);
  return index;
}

void TCustomSortedList::Insert(int32_t index, void* item) {
  if (FSorted)
    Add(item);
  else
    FItems.Insert(index, item);
}

void TCustomSortedList::SetSorted(bool value) {
  if (value == FSorted) return;
  FSorted = value;
  if (!value) return;
  auto& items = FItems.List();
  for (int32_t i = Count() - 2; i >= 0; --i) {
    if (Compare(items[static_cast<size_t>(i)], items[static_cast<size_t>(i) + 1]) > 0) {
      std::stable_sort(items.begin(), items.end(),
                       [this](const void* a, const void* b) { return Compare(a, b) < 0; });
      return;
    }
  }
}
