#pragma once
// A mask edit with the look and focus behaviour of the enhanced edit:
// focus colours, flat and soft borders, an attached label, Enter as Tab,
// Escape back to the text it had when it got the focus, and a move to the
// next control once the mask is filled.
#include <functional>

#include "classlib/MaskEdit.h"
#include "components/edits/EditBorder.h"
#include "components/edits/EditLabel.h"

using TMaskCompleteEvent =
    std::function<void(TObject* sender, const AnsiString& value, bool& accept)>;

class TAdvMaskEdit : public TCustomMaskEdit {
 public:
  explicit TAdvMaskEdit(TComponent* owner);
  ~TAdvMaskEdit() override;

  bool AutoFocus = false;
  bool AutoTab = true;
  bool AutoSelect = true;
  bool CanUndo = false;
  bool ReturnIsTab = true;
  bool SelectFirstChar = false;
  bool ShowModified = false;
  TColor ModifiedColor = clHighlight;
  TColor FocusColor = clWindow;
  TColor FocusFontColor = clWindowText;
  TEditBorder Border;
  TAttachedLabel EditLabel;
  TMaskCompleteEvent OnMaskComplete;

  void SetAlignment(TAlignment a);
  TAlignment Alignment() const { return FAlignment; }
  void SetLabelCaption(const AnsiString& caption);
  void SetLabelPosition(TLabelPosition position);
  static AnsiString Version() { return "1.0.0.0"; }

  // Called once the creator has set the properties: saves the normal
  // colours and applies the flat look, the disabled colour and the label.
  virtual void Loaded();

  bool WantsKey(WORD key, UINT dialogCode) const override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void DoEnter() override;
  void DoExit() override;
  HBRUSH CtlColor(HDC dc) override;
  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;

 private:
  AnsiString FFocusText;
  TColor FNormalColor = clWindow;
  TColor FNormalFontColor = clWindowText;
  TAlignment FAlignment = taLeftJustify;
  TBrush FDisabledBrush;
};
