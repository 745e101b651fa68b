#include "framework/core/RcCString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include "classlib/AnsiString.h"

namespace {

// The lock around every change of a reference count.
std::mutex& rcMutex()
{
    static std::mutex m;
    return m;
}

// The shared null representation: header plus the terminating zero.
struct NullRep {
    RcCStringRep header{0, 0, 0};
    char text[4]{0, 0, 0, 0};
};
NullRep g_nullRep;

char* nullChars() { return g_nullRep.text; }

const RcMessage kMessages[] = {
    {RC_ALLOCOUT, "[ALLOCOUT] %s destructor called with allocation outstanding"},
    {RC_BADRE, "[BADRE] Attempt to use invalid regular expression"},
    {RC_CRABS, "[CRABS] RcFactory: attempting to create abstract class with ID %hu (0x%hx)"},
    {RC_FLIST, "[FLIST] Free list size error: expected %ld, got %ld"},
    {RC_ID, "[ID] Unexpected class ID %hu; should be %hu"},
    {RC_INDEX, "[INDEX] Index (%u) out of range [0->%u]"},
    {RC_LOCK, "[LOCK] Locked object deleted"},
    {RC_LONGINDEX, "[LONGINDEX] Long index (%lu) out of range [0->%lu]"},
    {RC_MAGIC, "[MAGIC] Bad magic number: %ld (should be %ld)"},
    {RC_NEVECL, "[NEVECL] Unequal vector lengths: %u versus %u"},
    {RC_NOCREATE, "[NOCREATE] RcFactory: no create function for class with ID %hu (0x%hx)"},
    {RC_NOTALLOW, "[NOTALLOW] Function not allowed for derived class"},
    {RC_READERR, "[READERR] Read error"},
    {RC_REF, "[REF] Bad persistence reference"},
    {RC_SEEKERR, "[SEEKERR] Seek error"},
    {RC_STREAM, "[STREAM] Bad input stream"},
    {RC_SUBSTRING, "[SUBSTRING] Illegal substring (%d, %u) from %u element RcCString"},
    {RC_UNLOCK, "[UNLOCK] Improper use of locked object"},
    {RC_WRITEERR, "[WRITEERR] Write error"},
    {RC_INDEXERR, "[INDEXERR] Illegal Index (%u) for collection or string with %u elements"},
    {RC_NPOSINDEX, "[NPOSINDEX] The value RC_NPOS cannot be used as an index."},
    {RC_NOPERSIST, "[NOPERSIST] Persistence not implemented for type %s."},
};

std::string formatMessage(uint32_t id, ...)
{
    char buf[256];
    va_list args;
    va_start(args, id);
    std::vsnprintf(buf, sizeof buf, rcMessageText(id), args);
    va_end(args);
    return buf;
}

} // namespace

const char* rcMessageText(uint32_t id)
{
    for (const RcMessage& m : kMessages)
        if (m.id == id)
            return m.text;
    return nullptr;
}

uint32_t RcCString::capacityFor(uint32_t n)
{
    if (n <= 15)
        return 15;
    return 15 + ((n - 15 + 15) / 16) * 16;
}

char* RcCString::allocate(uint32_t capacity)
{
    auto* rep = static_cast<RcCStringRep*>(std::malloc(sizeof(RcCStringRep) + capacity + 1));
    if (!rep)
        throw std::bad_alloc();
    rep->refsMinusOne = 0;
    rep->capacity = capacity;
    rep->length = 0;
    char* p = reinterpret_cast<char*>(rep + 1);
    p[0] = 0;
    return p;
}

void RcCString::addReference(char* p)
{
    if (p == nullChars())
        return;
    std::lock_guard<std::mutex> lock(rcMutex());
    ++(reinterpret_cast<RcCStringRep*>(p) - 1)->refsMinusOne;
}

void RcCString::release(char* p)
{
    if (p == nullChars())
        return;
    RcCStringRep* rep = reinterpret_cast<RcCStringRep*>(p) - 1;
    bool last;
    {
        std::lock_guard<std::mutex> lock(rcMutex());
        last = rep->refsMinusOne == 0;
        if (!last)
            --rep->refsMinusOne;
    }
    if (last)
        std::free(rep);
}

bool RcCString::isNullRep() const { return p_ == nullChars(); }

RcCString::RcCString() : p_(nullChars()) {}

RcCString::RcCString(const char* text) : p_(nullChars())
{
    size_t len = text ? std::strlen(text) : 0;
    if (len == 0)
        return;
    p_ = allocate(static_cast<uint32_t>(len));
    std::memcpy(p_, text, len);
    p_[len] = 0;
    rep()->length = static_cast<uint32_t>(len);
}

RcCString::RcCString(const RcCString& other) : p_(other.p_) { addReference(p_); }

RcCString::~RcCString() { release(p_); }

RcCString& RcCString::operator=(const char* text)
{
    size_t len = text ? std::strlen(text) : 0;
    if (len == 0) {
        if (isNullRep())
            return *this;
        if (rep()->refsMinusOne == 0) {
            rep()->length = 0;
            p_[0] = 0;
        } else {
            release(p_);
            p_ = nullChars();
        }
        return *this;
    }
    return replace(0, length(), text, static_cast<uint32_t>(len));
}

RcCString& RcCString::operator=(const RcCString& other)
{
    if (other.p_ == p_)
        return *this;
    addReference(other.p_);
    release(p_);
    p_ = other.p_;
    return *this;
}

RcCString& RcCString::replace(uint32_t pos, uint32_t n, const char* s, uint32_t m)
{
    const uint32_t len = length();
    if (pos > len)
        throw RcBoundsErr(formatMessage(RC_SUBSTRING, static_cast<int>(pos), n, len));
    if (n > len - pos)
        n = len - pos;
    if (!s)
        m = 0;
    const uint32_t newLen = len - n + m;
    const uint32_t tail = len - pos - n;
    const bool overlaps = s && m && s >= p_ && s <= p_ + len;

    if (!isNullRep() && rep()->refsMinusOne == 0 && newLen <= rep()->capacity &&
        (newLen >= len || rep()->capacity - newLen <= 15) && !overlaps) {
        std::memmove(p_ + pos + m, p_ + pos + n, tail);
        if (m)
            std::memcpy(p_ + pos, s, m);
        rep()->length = newLen;
        p_[newLen] = 0;
        return *this;
    }

    char* fresh = allocate(capacityFor(newLen));
    std::memcpy(fresh, p_, pos);
    if (m)
        std::memcpy(fresh + pos, s, m);
    std::memcpy(fresh + pos + m, p_ + pos + n, tail);
    fresh[newLen] = 0;
    (reinterpret_cast<RcCStringRep*>(fresh) - 1)->length = newLen;
    release(p_);
    p_ = fresh;
    return *this;
}

RcCString& RcCString::append(const char* s)
{
    return replace(length(), 0, s, s ? static_cast<uint32_t>(std::strlen(s)) : 0);
}

void RcCString::makePrivate()
{
    const uint32_t len = length();
    char* fresh = allocate(len);
    std::memcpy(fresh, p_, len + 1);
    (reinterpret_cast<RcCStringRep*>(fresh) - 1)->length = len;
    release(p_);
    p_ = fresh;
}

char& RcCString::operator[](uint32_t index)
{
    const uint32_t len = length();
    if (index >= len) {
        if (index == npos)
            throw RcBoundsErr(formatMessage(RC_NPOSINDEX));
        throw RcBoundsErr(formatMessage(RC_INDEXERR, index, len));
    }
    if (rep()->refsMinusOne != 0)
        makePrivate();
    return p_[index];
}

bool RcCString::operator==(const char* text) const
{
    size_t len = text ? std::strlen(text) : 0;
    return len == length() && std::memcmp(p_, text ? text : "", len) == 0;
}

int rcStrnicmp(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AnsiLowerChar(a[i]));
        const auto cb = static_cast<unsigned char>(AnsiLowerChar(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
    return 0;
}
