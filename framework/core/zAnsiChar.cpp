#include "framework/core/zAnsiChar.h"

namespace zAnsiChar {

bool isUpper(uint8_t c)
{
    if (c >= 'A' && c <= 'Z')
        return true;
    if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F)
        return true;
    return c >= 0xC0 && c <= 0xDE && c != 0xD7;
}

bool isLower(uint8_t c)
{
    if (c >= 'a' && c <= 'z')
        return true;
    if (c == 0x83 || c == 0x9A || c == 0x9C || c == 0x9E || c == 0xAA || c == 0xB5 || c == 0xBA)
        return true;
    return c >= 0xDF && c != 0xF7;
}

bool isAlpha(uint8_t c) { return isUpper(c) || isLower(c); }

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

bool isAlphaNumeric(uint8_t c) { return isAlpha(c) || isDigit(c); }

} // namespace zAnsiChar
