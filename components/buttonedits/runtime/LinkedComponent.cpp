#include "components/buttonedits/runtime/LinkedComponent.h"

#include "classlib/TypInfo.h"
#include "components/buttonedits/runtime/FreeNotification.h"

namespace {
const TClassTypeInfo kPersistentType(TPersistent::Info);
const TPropInfo kPersHolderProps[] = {ObjProp<&TPersHolder::Persistent>("Persistent", kPersistentType)};
}  // namespace

const TClassInfo TPersHolder::Info =
    PublishClass<TPersHolder>("TPersHolder", "dclib", TComponent::Info, kPersHolderProps);

TDCLinkedComponent::TDCLinkedComponent(TComponent* owner) : TComponent(owner) { SetLink(owner); }

TDCLinkedComponent::~TDCLinkedComponent() { SetLink(nullptr); }

void TDCLinkedComponent::SetLink(TObject* object) {
  if (object == FLink) return;
  const TFreeNotifyProc proc = MakeFreeNotifyProc<&TDCLinkedComponent::LinkFreed>(this);
  if (FLink) dcRemoveFreeNotification(FLink, proc);
  FLink = object;
  if (FLink) dcAddFreeNotification(FLink, proc);
}

void TDCLinkedComponent::LinkFreed(TObject* object) {
  if (object != FLink) return;
  FLink = nullptr;
  if (OnNotify) OnNotify(object, opRemove);
}
