#include "components/buttonedits/runtime/KeyedSortedLists.h"

int32_t TSortedKeyList::CompareWithKey(const void* item, const void* key) const {
  return ComparePointers(KeyByItem(item), key);
}

int32_t TSortedKeyList::Compare(const void* item1, const void* item2) const {
  return ComparePointers(KeyByItem(item1), KeyByItem(item2));
}

bool TSortedListEx::FindNearest(const void* key, int32_t& index) {
  if (!Sorted()) {
    index = FItems.IndexOf(key);
    return index >= 0;
  }
  int32_t low = -1;
  int32_t high = Count();
  while (high - low >= 2) {
    const int32_t middle = low + (high - low) / 2;
    FLastMiddle = middle;
    const int32_t c = CompareWithKey(Items(middle), key);
    if (c == 0) {
      index = middle;
      return true;
    }
    if (c < 0)
      low = middle;
    else
      high = middle;
  }
  index = low;
  return false;
}

TSortedKeyDataList::TSortedKeyDataList(TItemFactory factory) : FFactory(std::move(factory)) {
  if (!FFactory) FFactory = [] { return new TSortedListData; };
}

TSortedKeyDataList::~TSortedKeyDataList() { Clear(); }

TSortedCustomData* TSortedKeyDataList::Add(const void* key) {
  int32_t index;
  if (FindByKey(key, index)) return static_cast<TSortedCustomData*>(Items(index));
  TSortedCustomData* entry = FFactory();
  entry->Key = key;
  FItems.Insert(index, entry);
  return entry;
}

void TSortedKeyDataList::Delete(int32_t index) {
  auto* entry = static_cast<TSortedCustomData*>(Items(index));
  TSortedKeyList::Delete(index);
  delete entry;
}

void TSortedKeyDataList::Clear() {
  while (Count() > 0) Delete(Count() - 1);
}

TSortedCompKeyList::~TSortedCompKeyList() {
  // Deleting through the override drops the key notifications too.
  while (Count() > 0) Delete(Count() - 1);
}

TSortedCustomData* TSortedCompKeyList::Add(TObject* key) {
  const bool had = IndexOfKey(key) >= 0;
  TSortedCustomData* entry = TSortedKeyDataList::Add(key);
  if (!had) dcAddFreeNotification(key, MakeFreeNotifyProc<&TSortedCompKeyList::KeyFreed>(this));
  return entry;
}

void TSortedCompKeyList::Delete(int32_t index) {
  auto* key = static_cast<TObject*>(const_cast<void*>(KeyByItem(Items(index))));
  dcRemoveFreeNotification(key, MakeFreeNotifyProc<&TSortedCompKeyList::KeyFreed>(this));
  TSortedKeyDataList::Delete(index);
}

void TSortedCompKeyList::KeyFreed(TObject* key) {
  const int32_t index = IndexOfKey(key);
  if (index >= 0) TSortedKeyDataList::Delete(index);
}
