#pragma once
// Collections of named items: each item has a display name, the collection
// finds items by name, follows its owner's lifetime and tells listeners of
// changes; TDCNamedItems also goes to and from streams and files.
#include "classlib/Collection.h"
#include "classlib/Stream.h"

#include <functional>
#include <vector>

// Published: DisplayName.
class TDCNamedItem : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  // From another named item: every published property; else inherited.
  void Assign(const TPersistent& source) override;
  // The stored name; the inherited one (the class name) when it is empty.
  AnsiString DisplayName() const override;
  void SetDisplayName(const AnsiString& value) override;
  // The name as stored (empty when none was given).
  const AnsiString& StoredDisplayName() const { return FDisplayName; }

 private:
  AnsiString FDisplayName;
};

class TCustomDCNamedItems : public TCollection {
 public:
  // Watches `owner` (may be null): when it is freed the collection forgets
  // it.
  TCustomDCNamedItems(TObject* owner, const TClassInfo& itemClass, TItemFactory factory);
  ~TCustomDCNamedItems() override;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  // The first item whose display name equals `name` (without case), or -1.
  int32_t IndexOfName(const AnsiString& name) const;
  int32_t IndexOf(const TCollectionItem* item) const;
  TObject* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override;
  // Called after every change (the item, or null for the whole list).
  std::vector<std::function<void(TCustomDCNamedItems& sender, TCollectionItem* item)>> OnUpdate;

 protected:
  void Update(TCollectionItem* item) override;

 private:
  void OwnerFreed(TObject* owner);
  TObject* FOwner;
  bool FOwnerAlive;
};

// A collection of TDCNamedItem (or of the item class given).
class TDCNamedItems : public TCustomDCNamedItems {
 public:
  explicit TDCNamedItems(TObject* owner);
  TDCNamedItems(TObject* owner, const TClassInfo& itemClass, TItemFactory factory);
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  // In the binary component form (ObjectStreams.h).
  void SaveToStream(TStream& stream);
  void LoadFromStream(TStream& stream);
  void SaveToFile(const AnsiString& fileName);
  void LoadFromFile(const AnsiString& fileName);
};
