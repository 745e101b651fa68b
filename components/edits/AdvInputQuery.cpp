#include "components/edits/AdvInputQuery.h"

#include <memory>

#include "classlib/Button.h"
#include "classlib/Form.h"
#include "classlib/Label.h"
#include "classlib/SelectedObject.h"

namespace {

// The average character size of a font, the base of dialog units.
SIZE averageCharSize(TFont& font) {
  HDC dc = GetDC(nullptr);
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE size{};
  {
    TSelectedObject useFont(dc, font.Handle());
    GetTextExtentPoint32A(dc, kLetters, 52, &size);
  }
  ReleaseDC(nullptr, dc);
  return SIZE{size.cx / 52, font.Metrics().tmHeight};
}

}  // namespace

bool AdvInputQuery(TAdvEditType editType, const TQueryParams* params, const AnsiString& caption,
                   const AnsiString& prompt, AnsiString& value) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsDialog);
  form->SetCaption(caption);
  form->SetPosition(poScreenCenter);
  SIZE unit = averageCharSize(form->Font());
  auto dx = [&](int v) { return MulDiv(v, unit.cx, 4); };
  auto dy = [&](int v) { return MulDiv(v, unit.cy, 8); };
  form->SetClientSize(dx(180), dy(63));

  auto* label = new TLabel(form.get());
  label->SetParent(form.get());
  label->SetCaption(prompt);
  label->SetBounds(dx(8), dy(8), label->Width(), label->Height());

  auto* edit = new TAdvEdit(form.get());
  edit->SetName("Edit");
  edit->SetParent(form.get());
  edit->SetBounds(dx(8), dy(19), dx(164), edit->Height());
  edit->SetMaxLength(255);
  edit->SetEditType(editType);
  if (params) {
    edit->SetPrefix(params->Prefix);
    edit->SetSuffix(params->Suffix);
    edit->SetPrecision(params->Precision);
    edit->SetFlat(params->Flat);
  }
  edit->Loaded();
  edit->SetText(value);
  edit->SelectAll();

  auto* ok = new TButton(form.get());
  ok->SetParent(form.get());
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  ok->SetBounds(dx(38), dy(41), dx(50), dy(14));
  auto* cancel = new TButton(form.get());
  cancel->SetParent(form.get());
  cancel->SetCaption("Abbrechen");
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
  cancel->SetBounds(dx(92), dy(41), dx(50), dy(14));

  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return false;
  value = edit->Text();
  return true;
}
