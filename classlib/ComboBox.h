#pragma once
// A combo box: an edit with a drop-down list (csDropDown) or a pick list
// only (csDropDownList).
#include "classlib/ControlStrings.h"
#include "classlib/WinControl.h"

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;
  TControlStrings& Items() { return FItems; }
  int ItemIndex() const;
  void SetItemIndex(int index);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle s);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int n) { FDropDownCount = n; }
  AnsiString Text() const override;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CommandNotify(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;
  void BoundsChanged() override;

 private:
  void FillList();
  int FItemIndex = -1;
  TControlStrings FItems;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
};
