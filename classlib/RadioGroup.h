#pragma once
// A group box with one radio button per item; ItemIndex is the checked item
// (-1 for none). The arrow keys move the choice within the group.
#include <vector>

#include "classlib/ControlStrings.h"
#include "classlib/WinControl.h"

class TRadioGroup : public TWinControl {
 public:
  explicit TRadioGroup(TComponent* owner);
  ~TRadioGroup() override;
  TControlStrings& Items() { return FItems; }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  int Columns() const { return FColumns; }
  void SetColumns(int n);
  // The radio button of an item (for tests and focus), or null.
  TWinControl* Buttons(int index) const;

  bool DialogKey(WORD key, TShiftState shift) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void BoundsChanged() override;
  void FontChanged() override;

 private:
  class TGroupButton;
  void UpdateButtons();
  void ArrangeButtons();
  void ButtonClicked(TGroupButton* button);

  TControlStrings FItems;
  std::vector<TGroupButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
};
