#include "components/buttonedits/DCPropEditor.h"

#include <cstring>

#include "classlib/Format.h"
#include "components/buttonedits/controls/ColorNames.h"
#include "components/buttonedits/controls/EditClassRegistry.h"
#include "components/buttonedits/runtime/PropHelpers.h"

namespace {

bool IsColorType(const TTypeInfo& type) {
  return type.Kind == tkInteger && type.Name && std::strcmp(type.Name, "TColor") == 0;
}

}  // namespace

AnsiString TCustomDCPropEditor::PropertyText(const TPersistent& instance, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.PropType;
  switch (type.Kind) {
    case tkInteger:
    case tkInt64:
      if (IsColorType(type)) return ColorToString(static_cast<TColorValue>(GetOrdProp(instance, prop)));
      return Format("%lld", static_cast<long long>(GetOrdProp(instance, prop)));
    case tkChar:
      return AnsiString(1, static_cast<char>(GetOrdProp(instance, prop)));
    case tkEnumeration:
      return GetEnumName(type, GetOrdProp(instance, prop));
    case tkSet:
      return SetToString(type, GetOrdProp(instance, prop));
    case tkFloat:
      return Format("%.15g", GetFloatProp(instance, prop));
    case tkString:
    case tkLString:
    case tkWString:
      return GetStrProp(instance, prop);
    default:
      return AnsiString();
  }
}

void TCustomDCPropEditor::SetPropertyText(TPersistent& instance, const TPropInfo& prop, const AnsiString& text) {
  if (IsColorType(*prop.PropType)) return SetOrdProp(instance, prop, StringToColor(text));
  SetPropValueByPropInfo(instance, prop, Variant::String(text));
}

void TCustomDCPropEditor::SetEditedProperty(TPersistent* instance, const AnsiString& propName) {
  const TPropInfo* prop = instance ? GetPropInfo(*instance, propName) : nullptr;
  if (auto* old = dynamic_cast<TComponent*>(FInstance); old && old != this) RemoveFreeNotification(old);
  FInstance = prop ? instance : nullptr;
  if (auto* component = dynamic_cast<TComponent*>(FInstance); component && component != this)
    FreeNotification(component);
  FProp = prop;
  if (!prop) return;
  const AnsiString typeName = prop->PropType->Name ? prop->PropType->Name : "";
  SetEditClass(EditClassList().Find(typeName, propName));
  SetPopupClassName(PopupClassList().Find(typeName, propName));
  SetText(PropertyText(*instance, *prop));
}

void TCustomDCPropEditor::DoTerm() {
  if (FInstance && FProp && FProp->Writable()) {
    const AnsiString text = GetText();
    if (text != PropertyText(*FInstance, *FProp)) SetPropertyText(*FInstance, *FProp, text);
  }
  TCustomDCEdit::DoTerm();
}

void TCustomDCPropEditor::Notification(TComponent* component, TOperation operation) {
  TCustomDCEdit::Notification(component, operation);
  if (operation == opRemove && component == FInstance) {
    FInstance = nullptr;
    FProp = nullptr;
  }
}
