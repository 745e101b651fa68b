#pragma once
// The value types of the enhanced edit and what they allow: the filter of
// typed characters and of pasted values, and the number and case
// conversions the edit shows its value with.
#include "classlib/AnsiString.h"

enum TAdvEditType {
  etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney,
  etRange, etHex, etAlphaNumeric, etValidChars
};

class TAdvEditFormat {
 public:
  // Whole numbers, and numbers with decimals (float and money).
  static bool IsNumeric(TAdvEditType type) {
    return type == etNumeric || type == etFloat || type == etMoney;
  }
  static bool HasDecimals(TAdvEditType type) { return type == etFloat || type == etMoney; }

  // The locale's separators.
  static char DecimalSeparator();
  static char ThousandSeparator();
  // The thousand separators removed, then the decimal separator read; a
  // text that does not convert gives 0.
  static double StrToFloatDef(const AnsiString& s);
  // "%.<precision>f" with the locale's decimal separator, and with
  // thousand separators when `grouped`.
  static AnsiString FormatFloat(double v, int precision, bool grouped);
  // A letter after a word separator (or first) upper-cased, other letters
  // lower-cased, with the "Mc", "Mac" and roman-numeral rules.
  static AnsiString MixedCase(const AnsiString& s);

  // An optional sign and digits only.
  static bool IsInteger(const AnsiString& s);
  // A number in the locale's form (thousand separators allowed).
  static bool IsNumber(const AnsiString& s);

  // One typed character: false when the type refuses it; upper- and
  // lower-case types change its case. The decimal separator of float and
  // money values is the edit's own business and not judged here.
  static bool FilterChar(TAdvEditType type, char& key, const AnsiString& validChars);
  // A whole value about to be pasted: false when the type refuses it; the
  // case types change its case.
  static bool FilterPaste(TAdvEditType type, AnsiString& value, bool isSigned, int precision,
                          const AnsiString& validChars);
};
