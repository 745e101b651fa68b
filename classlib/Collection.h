#pragma once
// Collections: a list of items of one class that the collection owns and
// makes itself (Add), streamed as one property of its owner.
#include "classlib/AnsiString.h"
#include "classlib/Persistent.h"

#include <cstdint>
#include <functional>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  // Joins `collection` (may be null) at its end.
  explicit TCollectionItem(TCollection* collection);
  // Leaves its collection.
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (null: none).
  void SetCollection(TCollection* collection);
  // -1 without a collection.
  int32_t Index() const;
  void SetIndex(int32_t index);
  int32_t ID() const { return FID; }
  // The item's name in lists; the base: its class name.
  virtual AnsiString DisplayName() const;
  virtual void SetDisplayName(const AnsiString& value);

 protected:
  // Tells the collection that this item (or, with `allItems`, every item)
  // changed.
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int32_t FID = 0;
};

class TCollection : public TPersistent {
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection* collection)>;
  // `factory` makes one item in the collection (the item's constructor
  // joins it); `itemClass` names the items' class.
  TCollection(const TClassInfo& itemClass, TItemFactory factory);
  // Frees the items.
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  // A collection of items of class C (constructed with the collection).
  template <class C>
  static TItemFactory FactoryOf() {
    return [](TCollection* c) -> TCollectionItem* { return new C(c); };
  }

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError outside 0..Count()-1.
  TCollectionItem* Items(int32_t index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int32_t index);
  void Delete(int32_t index);
  void Clear();
  TCollectionItem* FindItemID(int32_t id) const;
  const TClassInfo& ItemClass() const { return *FItemClass; }

  // Copies the items of another collection (item by item, through Assign).
  void Assign(const TPersistent& source) override;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int32_t UpdateCount() const { return FUpdateCount; }
  // The object that holds the collection; null when none.
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  // An item changed (null: all items or the list itself).
  virtual void Update(TCollectionItem*) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  const TClassInfo* FItemClass;
  TItemFactory FFactory;
  std::vector<TCollectionItem*> FItems;
  int32_t FNextID = 0;
  int32_t FUpdateCount = 0;
};
