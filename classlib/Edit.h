#pragma once
// Single-line edit (TEdit) on its base TCustomEdit, which the memo shares.
#include "classlib/WinControl.h"

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  AnsiString Text() const override;
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int n);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  int SelStart() const;
  int SelLength() const;
  void SetSelection(int start, int length);
  void SelectAll() { SetSelection(0, -1); }
  void Clear() { SetText(AnsiString()); }

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CommandNotify(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;
  virtual void Change();

  int FMaxLength = 0;
  bool FReadOnly = false;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};
