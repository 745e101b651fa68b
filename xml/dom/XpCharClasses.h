#pragma once
// The character classes of XML 1.0 (Char, the letter, digit, combining and
// extender tables of its first editions' appendix, the name characters of
// its fifth edition, whitespace, public-id characters) on UCS-4 values, and
// name checks on UTF-16 text, where a surrogate pair is one character.
#include <cstddef>

#include "classlib/AnsiString.h"

bool XPIsChar(char32_t c);
bool XPIsBaseChar(char32_t c);
bool XPIsIdeographic(char32_t c);
bool XPIsCombiningChar(char32_t c);
bool XPIsDigit(char32_t c);
bool XPIsExtender(char32_t c);
// Base character or ideographic.
bool XPIsLetter(char32_t c);
// NameStartChar of XML 1.0 fifth edition: letters and most other
// characters of the scripts, "_" and ":" (a superset of the older tables'
// letters).
bool XPIsNameCharFirst(char32_t c);
// NameChar of XML 1.0 fifth edition: NameStartChar, digits, ".", "-",
// U+00B7, combining marks U+0300-036F and U+203F-2040.
bool XPIsNameChar(char32_t c);
// TAB, LF, CR, blank.
bool XPIsSpace(char32_t c);
bool XPIsPubidChar(char32_t c);

// The first-character or following-character rule for one character.
bool XpValidNameChar(bool first, char32_t c);
// The number of UTF-16 units (1, or 2 for a surrogate pair) of the name
// character that starts at text[i] of a text of n units, or 0 when none
// starts there (an unpaired surrogate is none); `first` applies the rule of
// a name's first character.
size_t XpNameCharLength(const char16_t* text, size_t i, size_t n, bool first);
// Every character valid in its place; true for an empty text.
bool XpValidName(const WideString& name);
