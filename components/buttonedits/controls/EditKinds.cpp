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
  RegisterPopupClassByType("AnsiString", "", "TPopupListBox", factory<TPopupListBox>());
  // The simple text editor belongs to the edit with buttons, which makes
  // it known for streaming; it is named here so that the lookup order is
  // the same.
  RegisterEditClassByType("AnsiString", "", "TDCSimpleEdit", nullptr);
  RegisterEditClassByType("AnsiString", " ", "TDCMaskEdit", factory<TDCMaskEdit>());
  RegisterPopupClassByType("TColor", "", "TPopupColorBox", factory<TPopupColorBox>());
  RegisterEditClassByType("TColor", "", "TColorEdit", factory<TColorEdit>());
  RegisterEditClassByType("TPenStyle", "", "TPenStyleEdit", factory<TPenStyleEdit>());
  RegisterPopupClassByType("TPenStyle", "", "TPopupPenBox", factory<TPopupPenBox>());
  RegisterEditClassByType("TBrushStyle", "", "TBrushStyleEdit", factory<TBrushStyleEdit>());
  RegisterPopupClassByType("TBrushStyle", "", "TPopupBrushBox", factory<TPopupBrushBox>());
  RegisterEditClassByType("Boolean", "", "TCheckEdit", factory<TCheckEdit>());
  SafeRegisterClass("TRadioEdit", factory<TRadioEdit>());
  SafeRegisterClass("TDCDateEdit", factory<TDCDateEdit>());
  SafeRegisterClass("TDCTimeEdit", factory<TDCTimeEdit>());
}

void UnRegisterBooleanEditor() {
  UnRegisterEditClassByType("TCheckEdit");
  for (const TEditClassEntry& i : PopupClassList().Items())
    if (i.TypeName == "Boolean") {
      UnRegisterPopupClassByType(i.ClassName);
      break;
    }
}
