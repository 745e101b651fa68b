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

uint8_t toUpper(uint8_t c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<uint8_t>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: break;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<uint8_t>(c - 0x20);
    return c;
}

uint8_t toLower(uint8_t c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<uint8_t>(c + 0x20);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: break;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<uint8_t>(c + 0x20);
    return c;
}

} // namespace zAnsiChar
