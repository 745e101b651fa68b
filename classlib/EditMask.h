#pragma once
// The rules of an edit mask "mask;save literals;blank", apart from any
// window. Mask characters: 0 digit (required), 9 digit, # digit or sign,
// L letter (required), l letter, A letter or digit (required), a letter or
// digit, C any character (required), c any character; ">" upper-cases the
// following positions, "<" lower-cases them, "<>" ends the case change;
// "!" fills optional positions from the right when a text is assigned;
// "_" stands for a blank; a backslash makes the next character a literal;
// every other character is a literal shown as it is. The second field "0"
// leaves the literals out of the text; the third gives the character shown
// in empty positions (default "_").
//
// A value holds one character per position: the literal, the typed
// character, or a space for an empty position.
#include <vector>

#include "classlib/AnsiString.h"

class TEditMask {
 public:
  TEditMask() = default;
  explicit TEditMask(const AnsiString& mask);

  bool Empty() const { return FPositions.empty(); }
  int Size() const { return static_cast<int>(FPositions.size()); }
  bool IsEditable(int p) const { return p >= 0 && p < Size() && FPositions[p].kind != 0; }
  bool IsRequired(int p) const { return IsEditable(p) && FPositions[p].required; }
  bool SaveLiterals() const { return FSaveLiterals; }
  char Blank() const { return FBlank; }

  // Whether `c` may stand at editable position p; `c` is case-converted as
  // the mask says.
  bool Accept(int p, char& c) const;
  // The next editable position at or after p (Size() for none), and the
  // last one before p (-1 for none).
  int NextEditable(int p) const;
  int PreviousEditable(int p) const;

  // The value with every editable position empty.
  AnsiString EmptyValue() const;
  // The value as shown: empty positions as the blank character.
  AnsiString EditText(const AnsiString& value) const;
  // The value as a text: without literals unless the mask saves them;
  // empty positions as spaces.
  AnsiString Text(const AnsiString& value) const;
  // A value from a shown text (character by position) and from a text of
  // the Text form; characters a position refuses leave it empty.
  AnsiString ValueFromEditText(const AnsiString& editText) const;
  AnsiString ValueFromText(const AnsiString& text) const;
  // Every editable position holds a character.
  bool Filled(const AnsiString& value) const;
  // Every required position holds a character.
  bool Valid(const AnsiString& value) const;

 private:
  enum CaseMode : char { cmNone, cmUpper, cmLower };
  struct Position {
    char kind = 0;  // 0 for a literal, else the mask character
    char literal = 0;
    CaseMode caseMode = cmNone;
    bool required = false;
  };
  std::vector<Position> FPositions;
  bool FSaveLiterals = true;
  bool FRightToLeft = false;
  char FBlank = '_';
};
