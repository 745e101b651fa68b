#pragma once
// An edit whose text follows an edit mask (the rules are TEditMask's).
// Typing overwrites the position at the caret and skips the literals;
// Backspace and Delete empty positions; a paste types its characters.
#include "classlib/Edit.h"
#include "classlib/EditMask.h"

class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* owner);

  const AnsiString& EditMask() const { return FMask; }
  void SetEditMask(const AnsiString& mask);
  bool IsMasked() const { return !FRules.Empty(); }
  // The text as shown: literals and the blank character in empty positions.
  AnsiString EditText() const;
  void SetEditText(const AnsiString& text);
  // Without literals unless the mask saves them; blanks become spaces.
  AnsiString Text() const override;
  void SetText(const AnsiString& text) override;
  // Every position of the mask holds a character.
  bool MaskFilled() const { return IsMasked() && FRules.Filled(FValue); }

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void Show(int caret);

 private:
  int Size() const { return FRules.Size(); }
  void TypeChar(char c);
  void ClearRange(int start, int end);
  void Paste();

  AnsiString FMask;
  TEditMask FRules;
  AnsiString FValue;  // one character per position
};

class TMaskEdit : public TCustomMaskEdit {
 public:
  using TCustomMaskEdit::TCustomMaskEdit;
};
