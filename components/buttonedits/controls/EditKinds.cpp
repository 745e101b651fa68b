#include "components/buttonedits/controls/EditKinds.h"

#include "components/buttonedits/controls/CheckEdit.h"
#include "components/buttonedits/controls/DCMaskEdit.h"
#include "components/buttonedits/controls/DtEdit.h"
#include "components/buttonedits/controls/EditClassRegistry.h"
#include "components/buttonedits/controls/GraphicEdit.h"
#include "components/buttonedits/controls/PopupListBox.h"

namespace {

template <class T>
TComponentFactory factory() {
  return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

}  // namespace

void RegisterEditKinds() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPopupClass("AnsiString", "", "TPopupListBox", factory<TPopupListBox>());
  // The simple text editor belongs to the edit with buttons, which makes
  // it known for streaming; it is named here so that the lookup order is
  // the same.
  RegisterEditClass("AnsiString", "", "TDCSimpleEdit", nullptr);
  RegisterEditClass("AnsiString", " ", "TDCMaskEdit", factory<TDCMaskEdit>());
  RegisterPopupClass("TColor", "", "TPopupColorBox", factory<TPopupColorBox>());
  RegisterEditClass("TColor", "", "TColorEdit", factory<TColorEdit>());
  RegisterEditClass("TPenStyle", "", "TPenStyleEdit", factory<TPenStyleEdit>());
  RegisterPopupClass("TPenStyle", "", "TPopupPenBox", factory<TPopupPenBox>());
  RegisterEditClass("TBrushStyle", "", "TBrushStyleEdit", factory<TBrushStyleEdit>());
  RegisterPopupClass("TBrushStyle", "", "TPopupBrushBox", factory<TPopupBrushBox>());
  RegisterEditClass("Boolean", "", "TCheckEdit", factory<TCheckEdit>());
  SafeRegisterClass("TRadioEdit", factory<TRadioEdit>());
  SafeRegisterClass("TDCDateEdit", factory<TDCDateEdit>());
  SafeRegisterClass("TDCTimeEdit", factory<TDCTimeEdit>());
}

void UnRegisterBooleanEditor() {
  UnRegisterEditClass("TCheckEdit");
  for (const TEditClassInfo& i : PopupClasses().Items())
    if (i.TypeName == "Boolean") {
      UnRegisterPopupClass(i.ClassName);
      break;
    }
}
