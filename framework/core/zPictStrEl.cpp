#include "framework/core/zPictStrEl.h"

#include "classlib/AnsiString.h"
#include "framework/core/zAnsiChar.h"
#include "framework/core/zFormatter.h"

int zPictStrEl::match(uint8_t, int, uint32_t) { return 0; }

uint8_t zPictStrEl::display(uint32_t) const { return 0; }

void zPictStrEl::clear() {}

std::unique_ptr<zPictStrEl> zPictStrEl::copy() const
{
    return std::make_unique<zPictStrEl>(flags, pictChar);
}

zPictStrMaskEl::zPictStrMaskEl(uint8_t ch)
    : zPictStrEl(Editable, ch),
      placeholder((ch == '9' || ch == '#') ? '#' : '_')
{
}

bool zPictStrMaskEl::accepts(uint8_t c) const
{
    switch (pictChar) {
    case '9': return zAnsiChar::isDigit(c);
    case '#': return zAnsiChar::isDigit(c) || c == '+' || c == '-' || c == ' ';
    case 'A': return zAnsiChar::isAlpha(c) || c == ' ';
    case 'N': return zAnsiChar::isAlphaNumeric(c);
    case 'X':
    case '!': return c != 0;
    default: return false;
    }
}

int zPictStrMaskEl::match(uint8_t c, int testOnly, uint32_t fmtFlags)
{
    if (c == placeholder && pictChar != 'X') {
        if (!testOnly)
            value = 0;
        return 1;
    }
    if (!accepts(c))
        return 0;
    if (!testOnly) {
        if (pictChar == '!' && zAnsiChar::isLower(c))
            c = static_cast<uint8_t>(AnsiUpperChar(static_cast<char>(c)));
        if (fmtFlags & zFormatter::LowerCase)
            c = static_cast<uint8_t>(AnsiLowerChar(static_cast<char>(c)));
        if (fmtFlags & zFormatter::UpperCase)
            c = static_cast<uint8_t>(AnsiUpperChar(static_cast<char>(c)));
        value = c;
    }
    return 1;
}

uint8_t zPictStrMaskEl::display(uint32_t fmtFlags) const
{
    if (value)
        return value;
    return (fmtFlags & zFormatter::ShowPlaceholders) ? placeholder : 0;
}

std::unique_ptr<zPictStrEl> zPictStrMaskEl::copy() const
{
    return std::make_unique<zPictStrMaskEl>(pictChar);
}

zPictStrSetEl::zPictStrSetEl()
    : zPictStrEl(Editable, '['), set(std::make_unique<zBitVector>(256))
{
}

int zPictStrSetEl::match(uint8_t c, int testOnly, uint32_t)
{
    // A set takes its members as they are: no case rules apply.
    bool member = set->test(c);
    if (complement ? !member : member) {
        if (!testOnly)
            value = c;
        return 1;
    }
    if (c == placeholder) {
        if (!testOnly)
            value = 0;
        return 1;
    }
    return 0;
}

uint8_t zPictStrSetEl::display(uint32_t fmtFlags) const
{
    if (value)
        return value;
    return (fmtFlags & zFormatter::ShowPlaceholders) ? placeholder : 0;
}

std::unique_ptr<zPictStrEl> zPictStrSetEl::copy() const
{
    auto el = std::make_unique<zPictStrSetEl>();
    *el->set = *set;
    el->complement = complement;
    return el;
}

int zPictStrLiteral::match(uint8_t c, int, uint32_t) { return c == pictChar ? 1 : 0; }

uint8_t zPictStrLiteral::display(uint32_t fmtFlags) const
{
    return (fmtFlags & zFormatter::HideLiterals) ? 0 : pictChar;
}

std::unique_ptr<zPictStrEl> zPictStrLiteral::copy() const
{
    return std::make_unique<zPictStrLiteral>(pictChar);
}
