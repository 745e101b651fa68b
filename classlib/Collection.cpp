#include "classlib/Collection.h"

#include "classlib/Exception.h"
#include "classlib/Format.h"
#include "classlib/TypInfo.h"

#include <algorithm>

const TClassInfo TCollectionItem::Info{"TCollectionItem", "Classes", &TPersistent::Info, {}};
const TClassInfo TCollection::Info{"TCollection", "Classes", &TPersistent::Info, {}};

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int32_t TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<int32_t>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int32_t index) {
  const int32_t cur = Index();
  if (cur < 0 || index < 0 || index == cur) return;
  auto& items = FCollection->FItems;
  if (index >= static_cast<int32_t>(items.size())) index = static_cast<int32_t>(items.size()) - 1;
  items.erase(items.begin() + cur);
  items.insert(items.begin() + index, this);
  Changed(true);
}

AnsiString TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const AnsiString&) { Changed(false); }

void TCollectionItem::Changed(bool allItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

TCollection::TCollection(const TClassInfo& itemClass, TItemFactory factory)
    : FItemClass(&itemClass), FFactory(std::move(factory)) {}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no Update calls while the items go
  while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Items(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError(Format("Der Index der Liste überschreitet das Maximum (%d)", index));
  return FItems[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FFactory(this);
  if (item && item->FCollection != this) item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int32_t index) {
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int32_t index) { delete Items(index); }

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) delete FItems.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int32_t id) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == id) return item;
  return nullptr;
}

void TCollection::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TCollection*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->FItems) Add()->Assign(*item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  FItems.push_back(item);
  item->FCollection = this;
  item->FID = FNextID++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FCollection = nullptr;
  Changed();
}
