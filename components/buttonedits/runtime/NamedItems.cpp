#include "components/buttonedits/runtime/NamedItems.h"

#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/FreeNotification.h"
#include "components/buttonedits/runtime/ObjectStreams.h"
#include "components/buttonedits/runtime/PropHelpers.h"

namespace {
const TPropInfo kNamedItemProps[] = {
    StrProp<&TDCNamedItem::StoredDisplayName, &TDCNamedItem::SetDisplayName>("DisplayName"),
};
}  // namespace

const TClassInfo TDCNamedItem::Info{"TDCNamedItem", "dclib", &TCollectionItem::Info, kNamedItemProps};
const TClassInfo TCustomDCNamedItems::Info{"TCustomDCNamedItems", "dclib", &TCollection::Info, {}};
const TClassInfo TDCNamedItems::Info{"TDCNamedItems", "dcsystem", &TCustomDCNamedItems::Info, {}};

void TDCNamedItem::Assign(const TPersistent& source) {
  if (const auto* other = dynamic_cast<const TDCNamedItem*>(&source)) {
    if (other != this) AssignAllProps(*other, *this);
    return;
  }
  TCollectionItem::Assign(source);
}

AnsiString TDCNamedItem::DisplayName() const {
  return FDisplayName.empty() ? TCollectionItem::DisplayName() : FDisplayName;
}

void TDCNamedItem::SetDisplayName(const AnsiString& value) {
  if (value == FDisplayName) return;
  FDisplayName = value;
  Changed(false);
}

TCustomDCNamedItems::TCustomDCNamedItems(TObject* owner, const TClassInfo& itemClass, TItemFactory factory)
    : TCollection(itemClass, std::move(factory)), FOwner(owner), FOwnerAlive(owner != nullptr) {
  if (FOwner) dcAddFreeNotification(FOwner, MakeFreeNotifyProc<&TCustomDCNamedItems::OwnerFreed>(this));
}

TCustomDCNamedItems::~TCustomDCNamedItems() {
  if (FOwner && FOwnerAlive)
    dcRemoveFreeNotification(FOwner, MakeFreeNotifyProc<&TCustomDCNamedItems::OwnerFreed>(this));
}

void TCustomDCNamedItems::OwnerFreed(TObject* owner) {
  if (owner != FOwner) return;
  FOwnerAlive = false;
  FOwner = nullptr;
}

int32_t TCustomDCNamedItems::IndexOfName(const AnsiString& name) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (AnsiCompareText(Items(i)->DisplayName(), name) == 0) return i;
  return -1;
}

int32_t TCustomDCNamedItems::IndexOf(const TCollectionItem* item) const {
  return item && item->Collection() == this ? item->Index() : -1;
}

TPersistent* TCustomDCNamedItems::GetOwner() const { return dynamic_cast<TPersistent*>(FOwner); }

void TCustomDCNamedItems::Update(TCollectionItem* item) {
  // A handler may add or remove handlers: walk a copy.
  const auto handlers = OnUpdate;
  for (const auto& handler : handlers)
    if (handler) handler(*this, item);
}

TDCNamedItems::TDCNamedItems(TObject* owner)
    : TCustomDCNamedItems(owner, TDCNamedItem::Info, FactoryOf<TDCNamedItem>()) {}

TDCNamedItems::TDCNamedItems(TObject* owner, const TClassInfo& itemClass, TItemFactory factory)
    : TCustomDCNamedItems(owner, itemClass, std::move(factory)) {}

void TDCNamedItems::SaveToStream(TStream& stream) { WriteObjToStream(stream, *this); }

void TDCNamedItems::LoadFromStream(TStream& stream) { ReadObjFromStream(stream, *this); }

void TDCNamedItems::SaveToFile(const AnsiString& fileName) { WriteObjToFile(fileName, *this); }

void TDCNamedItems::LoadFromFile(const AnsiString& fileName) { ReadObjFromFile(fileName, *this); }
