#pragma once
// The character classes of XML 1.0 (Char, the letter, digit, combining and
// extender tables of its appendix, name characters, whitespace, public-id
// characters) on UCS-4 values, and name checks on UTF-16 text.
#include "classlib/AnsiString.h"

bool XPIsChar(char32_t c);
bool XPIsBaseChar(char32_t c);
bool XPIsIdeographic(char32_t c);
bool XPIsCombiningChar(char32_t c);
bool XPIsDigit(char32_t c);
bool XPIsExtender(char32_t c);
// Base character or ideographic.
bool XPIsLetter(char32_t c);
// Letter, "_" or ":".
bool XPIsNameCharFirst(char32_t c);
// Letter, digit, ".", "-", "_", ":", combining character or extender.
bool XPIsNameChar(char32_t c);
// TAB, LF, CR, blank.
bool XPIsSpace(char32_t c);
bool XPIsPubidChar(char32_t c);

// The first-character or following-character rule for one UTF-16 unit.
bool XpValidNameChar(bool first, char16_t c);
// Every character valid in its place; true for an empty text.
bool XpValidName(const WideString& name);
