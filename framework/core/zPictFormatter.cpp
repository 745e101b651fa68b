#include "framework/core/zPictFormatter.h"

#include <algorithm>

namespace {

bool isMaskChar(char c)
{
    return c == '9' || c == '#' || c == 'A' || c == 'N' || c == 'X' || c == '!';
}

const uint8_t* bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

} // namespace

zPictFormatter::zPictFormatter(uint32_t formatFlags, const char* pictureText)
    : zFormatter(formatFlags), picture(pictureText)
{
    compile();
}

void zPictFormatter::compile()
{
    const std::string p(picture.c_str(), picture.length());
    auto add = [this](std::unique_ptr<zPictStrEl> el) {
        if (count < MaxElements)
            elements[static_cast<size_t>(count++)] = std::move(el);
    };
    size_t i = 0;
    while (i < p.size()) {
        char c = p[i];
        if (isMaskChar(c)) {
            add(std::make_unique<zPictStrMaskEl>(static_cast<uint8_t>(c)));
            ++i;
        } else if (c == '[') {
            ++i;
            add(parseSet(i));
            if (i < p.size())
                ++i; // the closing bracket
        } else if (c == '\'') {
            ++i;
            while (i < p.size()) {
                if (p[i] == '\'') {
                    if (i + 1 < p.size() && p[i + 1] == '\'') {
                        add(std::make_unique<zPictStrLiteral>(static_cast<uint8_t>('\'')));
                        i += 2;
                        continue;
                    }
                    break;
                }
                add(std::make_unique<zPictStrLiteral>(static_cast<uint8_t>(p[i])));
                ++i;
            }
            if (i < p.size())
                ++i; // the closing quote
        } else if (c == '(') {
            ++i;
            int32_t n = 0;
            while (i < p.size() && p[i] >= '0' && p[i] <= '9') {
                n = std::min(n * 10 + (p[i] - '0'), MaxElements);
                ++i;
            }
            if (count > 0 && elements[static_cast<size_t>(count - 1)]->isEditable()) {
                const zPictStrEl& last = *elements[static_cast<size_t>(count - 1)];
                for (int32_t k = 1; k < n && count < MaxElements; ++k)
                    add(last.copy());
            }
            if (i < p.size())
                ++i; // the closing parenthesis
        } else {
            ++i; // anything else is ignored: fixed characters must be quoted
        }
    }
    for (int32_t k = 0; k < count; ++k)
        if (elements[static_cast<size_t>(k)]->isLiteral())
            literals.push_back(k);
    positionMap.assign(static_cast<size_t>(std::max(count, 1)), 0);
}

std::unique_ptr<zPictStrEl> zPictFormatter::parseSet(size_t& i)
{
    const std::string p(picture.c_str(), picture.length());
    auto el = std::make_unique<zPictStrSetEl>();
    auto readChar = [&](int& out, bool upper) {
        if (i >= p.size())
            return false;
        if (p[i] == '\'') {
            if (i + 2 >= p.size() || p[i + 2] != '\'')
                return false; // quote at the end or unclosed
            out = static_cast<uint8_t>(p[i + 1]);
            i += 3;
            return true;
        }
        if (upper && p[i] == ']')
            return false;
        out = static_cast<uint8_t>(p[i]);
        ++i;
        return true;
    };

    bool error = false;
    if (i < p.size() && p[i] == '!') {
        el->complement = 1;
        ++i;
    }
    while (i < p.size() && p[i] != ']') {
        int lo = 0;
        if (!readChar(lo, false)) {
            error = true;
            break;
        }
        if (i < p.size() && p[i] == '-') {
            ++i;
            int hi = 0;
            if (!readChar(hi, true) || hi <= lo) {
                error = true;
                break;
            }
            el->set->setRange(lo, hi);
        } else {
            el->set->set(lo);
        }
    }
    if (error) {
        while (i < p.size() && p[i] != ']')
            ++i;
    }
    if (error || i >= p.size()) {
        // A faulty set accepts only the placeholder.
        el->set->clearAll();
        el->complement = 0;
    }
    return el;
}

void zPictFormatter::clearAll()
{
    for (int32_t i = 0; i < count; ++i)
        elements[static_cast<size_t>(i)]->clear();
}

void zPictFormatter::saveDisplay(uint32_t fmtFlags)
{
    for (int32_t i = 0; i < count; ++i)
        saved[static_cast<size_t>(i)] = elements[static_cast<size_t>(i)]->display(fmtFlags);
}

std::string zPictFormatter::render(uint32_t fmtFlags) const
{
    std::string out;
    for (int32_t i = 0; i < count; ++i)
        if (uint8_t c = elements[static_cast<size_t>(i)]->display(fmtFlags))
            out.push_back(static_cast<char>(c));
    return out;
}

int32_t zPictFormatter::nextEditable(int32_t pos, bool emptyOnly) const
{
    for (int32_t i = std::max(pos + 1, 0); i < count; ++i)
        if (elements[static_cast<size_t>(i)]->isEditable() && (!emptyOnly || isEmptyEditable(i)))
            return i;
    return -1;
}

int32_t zPictFormatter::nextLiteral(int32_t pos) const
{
    for (int32_t i : literals)
        if (i > pos)
            return i;
    return -1;
}

bool zPictFormatter::isFixedChar(uint8_t c) const
{
    for (int32_t i : literals)
        if (elements[static_cast<size_t>(i)]->pictChar == c)
            return true;
    return false;
}

bool zPictFormatter::isEmptyEditable(int32_t i) const
{
    const zPictStrEl& el = *elements[static_cast<size_t>(i)];
    return el.isEditable() && el.display(0) == 0;
}

int32_t zPictFormatter::filledBefore(int32_t pos, uint32_t fmtFlags) const
{
    int32_t shown = 0;
    for (int32_t i = 0; i < pos && i < count; ++i)
        if (elements[static_cast<size_t>(i)]->display(fmtFlags))
            ++shown;
    return shown;
}

int32_t zPictFormatter::elementAtText(int32_t pos, uint32_t fmtFlags) const
{
    int32_t shown = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (shown == pos)
            return i;
        if (elements[static_cast<size_t>(i)]->display(fmtFlags))
            ++shown;
    }
    return count;
}

int32_t zPictFormatter::firstEditable()
{
    int32_t i = nextEditable(-1, false);
    return i < 0 ? count : i;
}

void zPictFormatter::shiftSaved(int32_t target, int32_t source)
{
    while (target >= 0 && source >= 0) {
        uint8_t c = saved[static_cast<size_t>(source)];
        zPictStrEl& t = *elements[static_cast<size_t>(target)];
        if (c == 0)
            t.clear();
        else if (!t.match(c, 0, flags))
            return;
        elements[static_cast<size_t>(source)]->clear();
        target = nextEditable(target, false);
        source = nextEditable(source, false);
    }
}

void zPictFormatter::reapplySaved(int32_t fromElement, int32_t fromSaved)
{
    int32_t target = fromElement;
    int32_t source = fromSaved;
    while (target >= 0 && source >= 0) {
        uint8_t c = saved[static_cast<size_t>(source)];
        if (c == 0 || !elements[static_cast<size_t>(target)]->match(c, 0, flags))
            return;
        target = nextEditable(target, false);
        source = nextEditable(source, false);
    }
}

int zPictFormatter::matchChars(int32_t start, const uint8_t* chars, int32_t n, uint32_t fmtFlags,
                               bool testOnly, int32_t& last, int32_t* failedAt)
{
    positionCount = 0;
    last = -1;
    if (n <= 0)
        return 1;

    // The literal ahead.
    int32_t lit = -1;
    if (n == 1) {
        if (isFixedChar(chars[0]))
            for (int32_t i = start - 1; i >= 0 && i < count && elements[static_cast<size_t>(i)]->isLiteral(); --i)
                if (elements[static_cast<size_t>(i)]->pictChar == chars[0]) {
                    lit = i;
                    break;
                }
        if (lit < 0)
            lit = nextLiteral(start - 1);
    } else if (!literals.empty()) {
        lit = literals.front();
    }
    int32_t ed = nextEditable(start - 1, false);
    const int test = testOnly ? 1 : 0;

    auto offer = [&](int32_t i, uint8_t c) {
        return i >= 0 && elements[static_cast<size_t>(i)]->match(c, test, fmtFlags) != 0;
    };
    // Whether the next element from `from` on that showed `c` before is a literal.
    auto literalShowedNext = [&](int32_t from, uint8_t c) {
        for (int32_t i = from; i < count; ++i)
            if (saved[static_cast<size_t>(i)] == c)
                return elements[static_cast<size_t>(i)]->isLiteral();
        return false;
    };

    for (int32_t k = 0; k < n; ++k) {
        const uint8_t c = chars[k];
        int32_t took = -1;
        for (;;) {
            if (lit < 0) {
                if (offer(ed, c))
                    took = ed;
            } else if (ed < 0) {
                if (offer(lit, c))
                    took = lit;
            } else {
                bool literalFirst;
                if (ed < lit)
                    literalFirst = n > 1 && isFixedChar(c) && literalShowedNext(ed, c);
                else
                    literalFirst = n > 1;
                int32_t first = literalFirst ? lit : ed;
                int32_t second = literalFirst ? ed : lit;
                if (offer(first, c))
                    took = first;
                else if (offer(second, c))
                    took = second;
            }
            if (took >= 0)
                break;
            // Refused: an empty element may be passed over, unless refusals
            // fail at once.
            if (testOnly || (fmtFlags & ShowPlaceholders) || ed < 0 || !isEmptyEditable(ed)) {
                if (failedAt)
                    *failedAt = k;
                return 0;
            }
            ed = nextEditable(ed, false);
            if (ed < 0 && lit < 0) {
                if (failedAt)
                    *failedAt = k;
                return 0;
            }
        }
        if (positionCount < static_cast<int32_t>(positionMap.size()))
            positionMap[static_cast<size_t>(positionCount++)] = took;
        last = took;
        ed = nextEditable(took, false);
        lit = nextLiteral(took);
    }
    return 1;
}

void zPictFormatter::resync(const std::string& text)
{
    const uint32_t shown = flags & ~HideLiterals;
    if (text == render(shown))
        return;
    saveDisplay(shown);
    clearAll();
    int32_t last = 0;
    matchChars(0, bytes(text), static_cast<int32_t>(text.size()), flags, false, last);
}

int zPictFormatter::format(std::string& text, uint32_t fmtFlags)
{
    saveDisplay(fmtFlags);
    clearAll();
    int32_t last = 0;
    if (!matchChars(0, bytes(text), static_cast<int32_t>(text.size()), fmtFlags, false, last))
        return 0;
    text = render(fmtFlags & ~ShowPlaceholders);
    return 1;
}

int zPictFormatter::check(const std::string& text, int32_t& selStart, int32_t& selEnd)
{
    if (text.empty())
        return (flags & EmptyOk) ? 1 : 0;

    saveDisplay(flags & ~HideLiterals);
    int32_t last = 0;
    int32_t failedAt = 0;
    const int32_t n = static_cast<int32_t>(text.size());
    if (!matchChars(0, bytes(text), n, flags, true, last, &failedAt)) {
        selStart = selEnd = failedAt;
        return 0;
    }

    // Which editable elements the text fills: an element that took a
    // character counts as filled when that character would show.
    std::vector<bool> filled(static_cast<size_t>(count), false);
    bool anyFilled = false;
    for (int32_t k = 0; k < positionCount; ++k) {
        int32_t i = positionMap[static_cast<size_t>(k)];
        const zPictStrEl& el = *elements[static_cast<size_t>(i)];
        if (!el.isEditable())
            continue;
        std::unique_ptr<zPictStrEl> probe = el.copy();
        probe->match(static_cast<uint8_t>(text[static_cast<size_t>(k)]), 0, flags);
        if (probe->display(HideLiterals)) {
            filled[static_cast<size_t>(i)] = true;
            anyFilled = true;
        }
    }
    int32_t firstEmpty = -1;
    for (int32_t i = nextEditable(-1, false); i >= 0; i = nextEditable(i, false))
        if (!filled[static_cast<size_t>(i)]) {
            firstEmpty = i;
            break;
        }
    if (firstEmpty < 0)
        return 1;

    // The selection goes to the text position of the first empty element.
    int32_t pos = 0;
    for (int32_t k = 0; k < positionCount; ++k)
        if (positionMap[static_cast<size_t>(k)] < firstEmpty)
            pos = k + 1;
    selStart = selEnd = pos;
    if (anyFilled && !(flags & AllRequired))
        return 1;
    if (!anyFilled && (flags & EmptyOk))
        return 1;
    return 0;
}

int zPictFormatter::edit(std::string& text, const char* chars, int32_t n, int32_t& selStart,
                         int32_t& selEnd)
{
    const uint32_t shown = flags & ~HideLiterals;
    if (n <= 0) {
        if (!text.empty())
            return Refused;
        clearAll();
        text = render(shown);
        selStart = selEnd = filledBefore(firstEditable(), shown);
        return Applied;
    }
    resync(text);
    int32_t len = static_cast<int32_t>(text.size());
    int32_t s = std::clamp(std::min(selStart, selEnd), 0, len);
    int32_t e = std::clamp(std::max(selStart, selEnd), 0, len);

    int result = Refused;
    if (chars[0] == 8) {
        if (n == 1)
            result = deleteChars(text, true, s, e);
        else if (n == 2)
            result = deleteChars(text, false, s, e);
    } else if (n == 1) {
        result = typeChar(text, static_cast<uint8_t>(chars[0]), s, e);
    } else {
        for (int32_t k = 0; k < n; ++k) {
            if (typeChar(text, static_cast<uint8_t>(chars[k]), s, e) != Applied)
                break;
            result = Applied;
        }
        if (text.empty())
            text = render(shown);
    }
    selStart = s;
    selEnd = e;
    return result;
}

int zPictFormatter::typeChar(std::string& text, uint8_t c, int32_t& s, int32_t& e)
{
    const uint32_t shown = flags & ~HideLiterals;
    const std::string before = text;
    const int32_t beforeStart = s, beforeEnd = e;
    if (s != e)
        deleteChars(text, true, s, e);

    // Values only: empty positions save as 0 so that they are not moved.
    saveDisplay(shown & ~ShowPlaceholders);
    int32_t start = elementAtText(s, shown);
    int32_t last = 0;
    if (!matchChars(start, &c, 1, flags, false, last)) {
        resync(before);
        text = before;
        s = beforeStart;
        e = beforeEnd;
        return Refused;
    }
    const zPictStrEl& took = *elements[static_cast<size_t>(last)];
    if (took.isEditable() && took.display(0) != 0 && saved[static_cast<size_t>(last)] != 0) {
        // Typed into a filled position: the following characters move on.
        reapplySaved(nextEditable(last, false), last);
    }
    text = render(shown);
    int32_t next = nextEditable(last, false);
    s = e = next >= 0 ? filledBefore(next, shown) : static_cast<int32_t>(text.size());
    return Applied;
}

int zPictFormatter::deleteChars(std::string& text, bool backward, int32_t& s, int32_t& e)
{
    const uint32_t shown = flags & ~HideLiterals;
    saveDisplay(shown & ~ShowPlaceholders);
    auto hasValue = [this](int32_t i) {
        return elements[static_cast<size_t>(i)]->isEditable() && elements[static_cast<size_t>(i)]->display(0) != 0;
    };
    // The element that shows the character at text position p, or -1.
    auto shownAt = [&](int32_t p) {
        int32_t i = elementAtText(p, shown);
        while (i < count && !elements[static_cast<size_t>(i)]->display(shown))
            ++i;
        return i < count ? i : -1;
    };

    int32_t target = -1;
    if (s != e) {
        int32_t from = elementAtText(s, shown);
        int32_t to = elementAtText(e, shown);
        for (int32_t i = from; i < to; ++i)
            if (elements[static_cast<size_t>(i)]->isEditable()) {
                if (target < 0)
                    target = i;
                elements[static_cast<size_t>(i)]->clear();
            }
        if (target < 0) {
            e = s;
            return Refused; // only fixed characters were selected
        }
        int32_t source = nextEditable(to - 1, false);
        shiftSaved(target, source);
    } else if (backward) {
        if (s == 0)
            return Refused;
        int32_t i = shownAt(s - 1);
        while (i >= 0 && !hasValue(i))
            --i;
        if (i < 0)
            return Refused;
        target = i;
        elements[static_cast<size_t>(target)]->clear();
        shiftSaved(target, nextEditable(target, false));
    } else {
        int32_t i = shownAt(s);
        if (i < 0)
            return Refused;
        while (i < count && !hasValue(i))
            ++i;
        if (i >= count)
            return Refused;
        target = i;
        elements[static_cast<size_t>(target)]->clear();
        shiftSaved(target, nextEditable(target, false));
    }
    text = render(shown);
    s = e = filledBefore(target, shown);
    return Applied;
}
