#pragma once
// The colour names of the colour edit and its list: the 16 standard
// colours, the 25 system colours (value 0x80000000 | system-colour index)
// and clNone, with the conversions between a colour and its text.
#include "classlib/AnsiString.h"

#include <cstdint>

using TColorValue = int32_t;

struct TColorName {
  TColorValue Value;
  const char* Name;
};

inline constexpr TColorValue kSystemColorBit = static_cast<TColorValue>(0x80000000u);
inline constexpr TColorValue kColorNone = 0x1FFFFFFF;

// The colour list in the order the colour list shows it (42 entries, the
// last being clNone).
inline constexpr int32_t kColorListCount = 42;
const TColorName* ColorList();

// The name of a listed colour; false for any other value.
bool ColorToIdent(TColorValue color, AnsiString& name);
// The colour of a name (compared without case); false when none has it.
bool IdentToColor(const AnsiString& name, TColorValue& color);
// The name, or "$" and eight hexadecimal digits for an unnamed colour.
AnsiString ColorToString(TColorValue color);
// A name, a decimal number or "$" and hexadecimal digits; anything else
// raises EConvertError ("'x' ist kein gültiger Farbwert").
TColorValue StringToColor(const AnsiString& text);
