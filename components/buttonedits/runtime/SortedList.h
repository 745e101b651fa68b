#pragma once
// A pointer list that keeps itself ordered by a comparison its subclass
// chooses (TCustomSortedList), and the plain list it rests on (TFastList).
#include "classlib/Persistent.h"
#include "classlib/StringList.h"  // TDuplicates

#include <cstdint>
#include <vector>

// A plain list of pointers; freeing it frees only its array.
class TFastList {
 public:
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  int32_t Capacity() const { return static_cast<int32_t>(FItems.capacity()); }
  void SetCapacity(int32_t capacity);
  // Index outside 0..Count()-1 raises EListError.
  void* Items(int32_t index) const;
  void SetItem(int32_t index, void* item);
  int32_t Add(void* item);
  // Index outside 0..Count() raises EListError.
  void Insert(int32_t index, void* item);
  void Delete(int32_t index);
  void Clear() { FItems.clear(); }
  int32_t IndexOf(const void* item) const;
  // Removes the first entry of the pointer; its former index or -1.
  int32_t Remove(const void* item);
  std::vector<void*>& List() { return FItems; }
  const std::vector<void*>& List() const { return FItems; }

 private:
  void CheckIndex(int32_t index, int32_t limit) const;
  std::vector<void*> FItems;
};

class TCustomSortedList : public TObject {
 public:
  TCustomSortedList() = default;
  TCustomSortedList(const TCustomSortedList&) = delete;
  TCustomSortedList& operator=(const TCustomSortedList&) = delete;

  // Negative, 0 or positive. The base versions order by address.
  virtual int32_t CompareWithKey(const void* item, const void* key) const;
  virtual int32_t Compare(const void* item1, const void* item2) const;
  // Takes the item at the index out of the list.
  virtual void Delete(int32_t index);

  // Sorted: at its place (an equal item is ignored, accepted, or refused
  // with an exception, as Duplicates says); unsorted: appended. The index.
  int32_t Add(void* item);
  // Sorted: the same as Add (the index is ignored).
  void Insert(int32_t index, void* item);
  // Sorted: binary search; `index` is the item's place (the first of equal
  // items when duplicates are accepted) or where it would go. Unsorted: the
  // item's position by identity, -1 when absent.
  bool Find(const void* item, int32_t& index) const;
  bool FindByKey(const void* key, int32_t& index) const;
  int32_t IndexOfKey(const void* key) const;
  void* ItemByKey(const void* key) const;
  int32_t IndexOf(const void* item) const;
  // Find, then Delete; the index or -1.
  int32_t Remove(const void* item);

  void Clear() { FItems.Clear(); }
  int32_t Count() const { return FItems.Count(); }
  int32_t Capacity() const { return FItems.Capacity(); }
  void SetCapacity(int32_t capacity) { FItems.SetCapacity(capacity); }
  void* Items(int32_t index) const { return FItems.Items(index); }

  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }
  bool Sorted() const { return FSorted; }
  // Turning it on sorts the items, but only when some pair is out of order.
  void SetSorted(bool value);

 protected:
  template <typename Less>
  bool Search(Less compare, int32_t& index) const;
  TFastList FItems;

 private:
  TDuplicates FDuplicates = dupIgnore;
  bool FSorted = true;
};

// Orders two pointers without subtracting them: -1, 0 or 1.
int32_t ComparePointers(const void* a, const void* b);
