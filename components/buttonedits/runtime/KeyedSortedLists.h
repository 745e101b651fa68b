#pragma once
// Sorted lists keyed by something other than the item: TSortedKeyList
// compares KeyByItem; TSortedKeyDataList owns entries of one class made per
// key; TSortedCompKeyList drops an entry when its key object is freed.
#include "components/buttonedits/runtime/FreeNotification.h"
#include "components/buttonedits/runtime/SortedList.h"

#include <functional>

class TSortedList : public TCustomSortedList {};

class TSortedKeyList : public TSortedList {
 public:
  // The key of an item; the base: the item itself.
  virtual const void* KeyByItem(const void* item) const { return item; }
  int32_t CompareWithKey(const void* item, const void* key) const override;
  int32_t Compare(const void* item1, const void* item2) const override;
};

class TSortedListEx : public TSortedList {
 public:
  // Unsorted: the key's position by identity. Sorted: bisection; true on an
  // exact hit, else `index` is the last item below the key.
  bool FindNearest(const void* key, int32_t& index);
  int32_t LastMiddle() const { return FLastMiddle; }

 private:
  int32_t FLastMiddle = -1;
};

class TSortedCustomData : public TObject {
 public:
  const void* Key = nullptr;
};

class TSortedListData : public TSortedCustomData {
 public:
  void* Data = nullptr;
};

class TSortedKeyDataList : public TSortedKeyList {
 public:
  using TItemFactory = std::function<TSortedCustomData*()>;
  // Entries are made by `factory` (TSortedListData by default).
  explicit TSortedKeyDataList(TItemFactory factory = nullptr);
  ~TSortedKeyDataList() override;
  const void* KeyByItem(const void* item) const override {
    return static_cast<const TSortedCustomData*>(item)->Key;
  }
  // The entry of the key, made when there is none.
  TSortedCustomData* Add(const void* key);
  TSortedCustomData* ItemByKey(const void* key) const {
    return static_cast<TSortedCustomData*>(TSortedKeyList::ItemByKey(key));
  }
  // Frees the entry.
  void Delete(int32_t index) override;
  void Clear();

 private:
  TItemFactory FFactory;
};

class TSortedCompKeyList : public TSortedKeyDataList {
 public:
  using TSortedKeyDataList::TSortedKeyDataList;
  ~TSortedCompKeyList() override;
  // The key is an object; its entry goes when the key object is freed.
  TSortedCustomData* Add(TObject* key);
  void Delete(int32_t index) override;

 private:
  void KeyFreed(TObject* key);
};
