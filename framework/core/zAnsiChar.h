// Character classes of the Windows-1252 code page, the program's 8-bit text
// encoding, so that field formatting behaves alike in every build.
#pragma once

#include <cstdint>

namespace zAnsiChar {

bool isUpper(uint8_t c);
bool isLower(uint8_t c);
bool isAlpha(uint8_t c);
bool isAlphaNumeric(uint8_t c);
bool isDigit(uint8_t c);

} // namespace zAnsiChar
