#include "components/buttonedits/DCColorEdit.h"

#include <commdlg.h>

#include "classlib/Form.h"

#include "components/buttonedits/controls/ColorNames.h"
#include "components/buttonedits/controls/GraphicEdit.h"
#include "components/buttonedits/controls/PopupListBox.h"
#include "components/buttonedits/controls/StyleNames.h"

namespace {

template <class T>
TEditPartClass partClass(const char* name) {
  return {name, [](TComponent* owner) -> TComponent* { return new T(owner); }};
}

}  // namespace

TDCColorEdit::TDCColorEdit(TComponent* owner) : TCustomDCEdit(owner) { SetDropOnClick(true); }

TEditPartClass TDCColorEdit::GetDefaultEditorClass() const { return partClass<TColorEdit>("TColorEdit"); }

TEditPartClass TDCColorEdit::GetDefaultPopupClass() const { return partClass<TPopupColorBox>("TPopupColorBox"); }

void TDCColorEdit::ValidateText(const AnsiString& value) { StringToColor(value); }

TColor TDCColorEdit::SelectedColor() const { return StringToColor(GetText()); }

void TDCColorEdit::SetSelectedColor(TColor color) { SetText(ColorToString(color)); }

bool TDCColorEdit::EditSelectedColor() {
  CloseDropped(false);
  static COLORREF custom[16] = {};  // the dialog's own colours, kept for the session
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  TCustomForm* form = ParentForm();
  cc.hwndOwner = form && form->HandleAllocated() ? form->Handle() : nullptr;
  cc.rgbResult = ColorToRGB(SelectedColor());
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!ChooseColorA(&cc)) return false;
  SetSelectedColor(static_cast<TColor>(cc.rgbResult));
  return true;
}

bool TDCColorEdit::MouseDownInEditor(TShiftState shift) {
  if (!(shift & ssCtrl)) return TCustomDCEdit::MouseDownInEditor(shift);
  EditSelectedColor();
  return false;
}

void TDCColorEdit::DblClick() {
  TCustomDCEdit::DblClick();
  EditSelectedColor();
}

TDCPenStyleEdit::TDCPenStyleEdit(TComponent* owner) : TCustomDCEdit(owner) { SetDropOnClick(true); }

TEditPartClass TDCPenStyleEdit::GetDefaultEditorClass() const { return partClass<TPenStyleEdit>("TPenStyleEdit"); }

TEditPartClass TDCPenStyleEdit::GetDefaultPopupClass() const { return partClass<TPopupPenBox>("TPopupPenBox"); }

int TDCPenStyleEdit::PenStyle() const { return PenStyleFromText(GetText()); }

void TDCPenStyleEdit::SetPenStyle(int style) { SetText(PenStyleText(style)); }

TDCBrushStyleEdit::TDCBrushStyleEdit(TComponent* owner) : TCustomDCEdit(owner) { SetDropOnClick(true); }

TEditPartClass TDCBrushStyleEdit::GetDefaultEditorClass() const {
  return partClass<TBrushStyleEdit>("TBrushStyleEdit");
}

TEditPartClass TDCBrushStyleEdit::GetDefaultPopupClass() const {
  return partClass<TPopupBrushBox>("TPopupBrushBox");
}

int TDCBrushStyleEdit::BrushStyle() const { return BrushStyleFromText(GetText()); }

void TDCBrushStyleEdit::SetBrushStyle(int style) { SetText(BrushStyleText(style)); }
