#pragma once
// An edit whose text follows an edit mask: "mask;save literals;blank".
// Mask characters: 0 digit (required), 9 digit, # digit or sign, L letter
// (required), l letter, A alphanumeric (required), a alphanumeric, C any
// character (required), c any character; a backslash makes the next
// character a literal; every other character is a literal shown as it is.
// Typing overwrites the position at the caret and skips the literals;
// Backspace and Delete blank positions.
#include "classlib/Edit.h"

class TMaskEdit : public TCustomEdit {
 public:
  explicit TMaskEdit(TComponent* owner);

  const AnsiString& EditMask() const { return FMask; }
  void SetEditMask(const AnsiString& mask);
  // The text as shown: literals and the blank character in empty positions.
  AnsiString EditText() const;
  void SetEditText(const AnsiString& text);
  // Without literals unless the mask saves them; blanks become spaces.
  AnsiString Text() const override;
  void SetText(const AnsiString& text) override;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Position {
    char kind;  // 0 for a literal, else the mask character
    char literal;
  };
  bool IsEditable(int p) const { return p >= 0 && p < Size() && FPositions[p].kind != 0; }
  int Size() const { return static_cast<int>(FPositions.size()); }
  bool Accepts(char kind, char c) const;
  // The next editable position at or after `p` (Size() for none), and the
  // one before `p` (-1).
  int NextEditable(int p) const;
  int PreviousEditable(int p) const;
  void Show(int caret);
  void TypeChar(char c);
  void ClearRange(int start, int end);
  void Paste();

  AnsiString FMask;
  std::vector<Position> FPositions;
  AnsiString FValue;  // one character per position
  bool FSaveLiterals = true;
  char FBlank = '_';
};
