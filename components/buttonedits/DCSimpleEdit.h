#pragma once
// The default inner editor of the edit with buttons: a borderless
// single-line edit that selects its text when the focus comes without the
// left mouse button.
#include "classlib/Edit.h"

class TDCSimpleEdit : public TCustomEdit {
 public:
  explicit TDCSimpleEdit(TComponent* owner);
  bool WantsKey(WORD key, UINT dialogCode) const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void DoEnter() override;
};
