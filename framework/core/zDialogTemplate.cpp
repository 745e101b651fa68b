#include "framework/core/zDialogTemplate.h"

#include <cstring>

namespace {

class Reader {
public:
    Reader(const uint8_t* bytes, size_t length) : data(bytes), size(length) {}

    bool u16(uint16_t& v)
    {
        if (pos + 2 > size)
            return false;
        v = static_cast<uint16_t>(data[pos] | (data[pos + 1] << 8));
        pos += 2;
        return true;
    }
    bool i16(int16_t& v)
    {
        uint16_t u = 0;
        if (!u16(u))
            return false;
        v = static_cast<int16_t>(u);
        return true;
    }
    bool u32(uint32_t& v)
    {
        uint16_t lo = 0, hi = 0;
        if (!u16(lo) || !u16(hi))
            return false;
        v = lo | (static_cast<uint32_t>(hi) << 16);
        return true;
    }
    // A zero-terminated UTF-16 string; the terminator must lie inside.
    bool text(std::u16string& out)
    {
        out.clear();
        for (;;) {
            uint16_t c = 0;
            if (!u16(c))
                return false;
            if (c == 0)
                return true;
            if (out.size() < zDialogTemplate::MaxText)
                out.push_back(static_cast<char16_t>(c));
        }
    }
    // A field that is either an ordinal (0xFFFF, number) or a string.
    bool ordinalOrText(bool& isOrdinal, uint16_t& number, std::u16string& name)
    {
        uint16_t first = 0;
        size_t at = pos;
        if (!u16(first))
            return false;
        isOrdinal = first == 0xFFFF;
        if (isOrdinal)
            return u16(number);
        pos = at;
        return text(name);
    }
    bool align4()
    {
        size_t aligned = (pos + 3) & ~static_cast<size_t>(3);
        if (aligned > size)
            return false;
        pos = aligned;
        return true;
    }
    bool skip(size_t n)
    {
        if (n > size - pos)
            return false;
        pos += n;
        return true;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

} // namespace

bool zDialogTemplate::parse(const void* raw, size_t size)
{
    *this = zDialogTemplate{};
    if (!raw || size < 18)
        return false;
    const uint8_t* data = static_cast<const uint8_t*>(raw);
    // The extended form starts with version 1 and the signature 0xFFFF.
    if (data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF)
        return false;

    zDialogTemplate t;
    Reader r(data, size);
    bool ok = r.u32(t.style) && r.u32(t.exStyle) && r.u16(t.itemCount) && r.i16(t.x) && r.i16(t.y) &&
              r.i16(t.cx) && r.i16(t.cy);
    if (!ok)
        return false;

    bool ordinal = false;
    uint16_t number = 0;
    std::u16string name;
    // Menu: by number only; a named menu is passed over.
    if (!r.ordinalOrText(ordinal, number, name))
        return false;
    t.hasMenu = ordinal;
    t.menuId = ordinal ? number : 0;
    // Window class: the default one is expected; anything else is passed over.
    if (!r.ordinalOrText(ordinal, number, name))
        return false;
    if (!r.text(t.caption))
        return false;
    if (t.style & StyleSetFont) {
        t.hasFont = true;
        if (!r.u16(t.pointSize) || !r.text(t.faceName))
            return false;
    }

    for (uint16_t i = 0; i < t.itemCount; ++i) {
        Item item;
        uint16_t extra = 0;
        ok = r.align4() && r.u32(item.style) && r.u32(item.exStyle) && r.i16(item.x) && r.i16(item.y) &&
             r.i16(item.cx) && r.i16(item.cy) && r.u16(item.id);
        bool classOrdinal = false;
        ok = ok && r.ordinalOrText(classOrdinal, item.classAtom, item.className);
        if (ok && !classOrdinal)
            item.classAtom = 0;
        ok = ok && r.ordinalOrText(item.titleIsOrdinal, item.titleOrdinal, item.title);
        // Creation data is not used, only stepped over.
        ok = ok && r.u16(extra) && r.skip(extra);
        if (!ok)
            break;
        t.items.push_back(std::move(item));
    }
    t.valid = true;
    *this = std::move(t);
    return true;
}
