#pragma once
// Edits with buttons for a colour, a pen style and a brush style: the inner
// editor paints a sample of the value, the drop-down lists the values with
// their samples, and a click into the sample opens it. The value travels as
// its name ("clRed", "psDash", "bsCross").
#include "classlib/Color.h"
#include "components/buttonedits/DCEdit.h"

// Ctrl+click and double click open the system's colour dialog for
// SelectedColor; OK takes the colour chosen there.
class TDCColorEdit : public TCustomDCEdit {
 public:
  explicit TDCColorEdit(TComponent* owner);
  // The colour named by the text.
  TColor SelectedColor() const;
  void SetSelectedColor(TColor color);
  // The editor of SelectedColor: the colour dialog, modal, starting at the
  // selected colour. True when a colour was taken.
  bool EditSelectedColor();

 protected:
  bool MouseDownInEditor(TShiftState shift) override;
  void DblClick() override;
  TEditPartClass GetDefaultEditorClass() const override;
  TEditPartClass GetDefaultPopupClass() const override;
  // Only a colour name or number is taken; anything else raises before the
  // text is stored.
  void ValidateText(const AnsiString& value) override;
};

// Pen styles 0 (psSolid) to 6 (psInsideFrame).
class TDCPenStyleEdit : public TCustomDCEdit {
 public:
  explicit TDCPenStyleEdit(TComponent* owner);
  // The style named by the text; -1 when the text names none.
  int PenStyle() const;
  void SetPenStyle(int style);

 protected:
  TEditPartClass GetDefaultEditorClass() const override;
  TEditPartClass GetDefaultPopupClass() const override;
};

// Brush styles 0 (bsSolid) to 7 (bsDiagCross).
class TDCBrushStyleEdit : public TCustomDCEdit {
 public:
  explicit TDCBrushStyleEdit(TComponent* owner);
  // The style named by the text; -1 when the text names none.
  int BrushStyle() const;
  void SetBrushStyle(int style);

 protected:
  TEditPartClass GetDefaultEditorClass() const override;
  TEditPartClass GetDefaultPopupClass() const override;
};
