#include "components/buttonedits/PropStore.h"

#include <windows.h>

#include <vector>

#include "classlib/Form.h"
#include "components/buttonedits/DCHelpers.h"
#include "components/buttonedits/runtime/PropLines.h"
#include "components/buttonedits/runtime/RegistryPersistence.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

namespace {

const TClassTypeInfo kStringsType(TStrings::Info);

const TPropInfo kPropStoreProps[] = {
    OrdProp<&TDCPropStore::IgnoreErrors, &TDCPropStore::SetIgnoreErrors>("IgnoreErrors", TypeInfoBoolean(), 1),
    [] {
      TPropInfo p = StrProp<&TDCPropStore::Key, &TDCPropStore::SetKey>("Key");
      p.Stored = [](const TObject& o) { return static_cast<const TDCPropStore&>(o).KeyStored(); };
      return p;
    }(),
    ObjProp<&TDCPropStore::PropList>("PropList", kStringsType),
    OrdProp<&TDCPropStore::StorePos, &TDCPropStore::SetStorePos>("StorePos", TypeInfoBoolean(), 1),
    OrdProp<&TDCPropStore::Version, &TDCPropStore::SetVersion>("Version", TypeInfoInteger(), 0),
};

// The nearest form among the owners.
TCustomForm* OwnerForm(const TComponent* component) {
  for (TComponent* o = component->Owner(); o; o = o->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(o)) return form;
  return nullptr;
}

}  // namespace

const TClassInfo TDCPropStore::Info =
    PublishClass<TDCPropStore>("TDCPropStore", "dcpstore", TComponent::Info, kPropStoreProps);

TDCPropStore::TDCPropStore(TComponent* owner) : TComponent(owner) {}

TDCPropStore::~TDCPropStore() { *FAlive = false; }

AnsiString TDCPropStore::Key() const {
  if (!FKey.empty()) return FKey;
  return (Owner() ? Owner()->Name() : AnsiString()) + Name();
}

void TDCPropStore::Loaded() {
  if (TCustomForm* form = OwnerForm(this)) {
    TCloseQueryEvent previous = form->OnCloseQuery;
    std::shared_ptr<bool> alive = FAlive;
    form->OnCloseQuery = [this, form, previous, alive](TObject* sender, bool& canClose) {
      if (previous) previous(sender, canClose);
      if (*alive && canClose && form->HandleAllocated()) Save();
    };
  }
  Load();
}

void TDCPropStore::Load() {
  bool skip = false;
  if (OnLoadChanges) OnLoadChanges(this, skip);
  if (skip || !Owner()) return;
  const AnsiString key = Key();
  const int32_t size = GetRegBufSize(key);
  if (size > 0) {
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    const int32_t got = ReadBufFromRegistry(key, buffer.data(), size);
    TMemoryStream stream;
    if (got > 0) stream.WriteBuffer(buffer.data(), got);
    stream.SetPosition(0);
    // Stored data is not trusted: damage that ends the reading is treated
    // like a fault of one value, unless the user already stopped there.
    bool cancelled = false;
    try {
      ReadPropLines(stream, *Owner(), FPropList, [this, &cancelled](const AnsiString& message, bool& handled) {
        handled = ReadError(message);
        cancelled = !handled;
      });
    } catch (const EReadError& e) {
      if (cancelled || !ReadError(e.Message())) throw;
    }
  }
  if (FStorePos)
    if (auto* form = dynamic_cast<TCustomForm*>(Owner())) ReadWinPosFromReg(form, key);
}

void TDCPropStore::Save() {
  bool skip = false;
  if (OnSaveChanges) OnSaveChanges(this, skip);
  if (skip || !Owner()) return;
  const AnsiString key = Key();
  TMemoryStream stream;
  WritePropLines(stream, *Owner(), FPropList);
  WriteBufToRegistry(key, stream.Memory(), static_cast<int32_t>(stream.Size()));
  if (FStorePos)
    if (auto* form = dynamic_cast<TCustomForm*>(Owner())) WriteWinPosToReg(form, key);
}

bool TDCPropStore::ReadError(const AnsiString& message) {
  if (FIgnoreErrors) return true;
  const AnsiString caption = LoadResString(dcconsts::_SErrReadProps);
  return MessageBoxA(nullptr, message.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONHAND | MB_TASKMODAL) == IDOK;
}
