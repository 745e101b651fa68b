#pragma once
// Texts with one bold section and column texts, as the library's lists and
// hints show them: the part between the first and the second "~" is bold,
// columns are separated by "|".
#include "classlib/AnsiString.h"

#include <cstddef>
#include <cstdint>

inline constexpr char SBoldTag = '~';

// The text without its first two markers. `start` is the 1-based position
// of the first marker (0 when there is none: nothing is bold); `length` is
// the number of characters up to the second marker, or to the end when
// there is none. The bold characters of the plain text are then
// [start - 1, start - 1 + length).
AnsiString ExtractBoldPos(const AnsiString& text, int32_t& start, int32_t& length);

// The text from `position` (0-based) up to the next "|", and `position`
// moved behind that bar; without a bar the rest of the text, and
// `position` at the end. Columns are taken while position < text length.
AnsiString ExtractColumn(const AnsiString& text, size_t& position);

// The check-box editor's reading of a text: on when it begins with "T" or
// "Y" in either case.
bool CheckTextIsOn(const AnsiString& text);
// The text the check-box editor reports for its state.
inline const char* CheckStateText(bool on) { return on ? "True" : "False"; }
