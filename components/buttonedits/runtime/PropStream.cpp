#include "components/buttonedits/runtime/PropStream.h"

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

namespace {

bool IsStringKind(TTypeKind kind) { return kind == tkString || kind == tkLString || kind == tkWString; }

// The string list a class-typed property holds; null when it holds none.
TStrings* StringsOf(const TObject& instance, const TPropInfo& prop) {
  if (prop.Kind() != tkClass || !prop.GetObj) return nullptr;
  return dynamic_cast<TStrings*>(prop.GetObj(instance));
}

// fmCreate carries no access bits; it opens for writing without loading.
int32_t ModeOf(uint16_t mode) { return mode == fmCreate ? 3 : mode & 3; }

}  // namespace

TPropStream::TPropStream(TObject* instance, const AnsiString& propName, uint16_t mode)
    : FMode(ModeOf(mode)), FInstance(instance), FPropName(propName) {
  UpdatePropInfo();
  if (FMode == 0 || FMode == 2) {
    const AnsiString text = PropText();
    if (!text.empty()) WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    SetPosition(0);
  }
}

TPropStream::~TPropStream() {
  if (FMode == 0) return;
  // A destructor cannot pass a failure on; the property keeps its old text
  // when its setter refuses the new one.
  try {
    SetPropText(AnsiString(static_cast<const char*>(Memory()), static_cast<size_t>(Size())));
  } catch (const Exception&) {
  }
}

bool TPropStream::IsTextProperty(const TObject& instance, const AnsiString& propName) {
  const TPropInfo* prop = GetPropInfo(instance, propName);
  if (!prop) return false;
  if (IsStringKind(prop->Kind())) return true;
  return StringsOf(instance, *prop) != nullptr;
}

void TPropStream::UpdatePropInfo() {
  FPropInfo = nullptr;
  FStrings = nullptr;
  if (FInstance && !FPropName.empty()) {
    const TPropInfo* prop = GetPropInfo(*FInstance, FPropName);
    if (prop && IsStringKind(prop->Kind())) {
      FPropInfo = prop;
    } else if (prop) {
      FStrings = StringsOf(*FInstance, *prop);
      if (FStrings) FPropInfo = prop;
    }
  }
  if (!FPropInfo) throw EStreamError(LoadResString(dcconsts::_SErrBadPropStream));
}

AnsiString TPropStream::PropText() const {
  return FStrings ? FStrings->Text() : GetStrProp(*FInstance, *FPropInfo);
}

void TPropStream::SetPropText(const AnsiString& text) {
  if (FStrings)
    FStrings->SetText(text);
  else
    SetStrProp(*FInstance, *FPropInfo, text);
}
