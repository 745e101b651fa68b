#pragma once
// The framework's reference-counted 8-bit string (Windows-1252 text).
//
// A string holds one pointer: the address of its first character. In front
// of the characters lies a 12-byte header (reference count minus one,
// capacity, length); the characters are always followed by a zero byte.
// Copies share one representation; a shared representation is copied before
// it is changed. Every empty string may point to one process-wide null
// representation, which is never freed and whose count never changes.

#include <cstddef>
#include <cstdint>
#include <string>

// Error objects raised by the string and the framework's collections.
class Rcxmsg {
public:
    explicit Rcxmsg(std::string text) : text_(std::move(text)) {}
    virtual ~Rcxmsg() = default;
    const char* why() const { return text_.c_str(); }

private:
    std::string text_;
};

class RcInternalErr : public Rcxmsg {
public:
    using Rcxmsg::Rcxmsg;
};

class RcBoundsErr : public RcInternalErr {
public:
    using RcInternalErr::RcInternalErr;
};

// One entry of the fixed table of error texts.
struct RcMessage {
    uint32_t id;
    const char* text;
};

enum : uint32_t {
    RC_ALLOCOUT = 0x2000, RC_BADRE, RC_CRABS, RC_FLIST, RC_ID, RC_INDEX,
    RC_LOCK, RC_LONGINDEX, RC_MAGIC, RC_NEVECL, RC_NOCREATE, RC_NOTALLOW,
    RC_READERR, RC_REF, RC_SEEKERR, RC_STREAM, RC_SUBSTRING, RC_UNLOCK,
    RC_WRITEERR, RC_INDEXERR, RC_NPOSINDEX, RC_NOPERSIST
};

// The default text of a message id, or null for an unknown id.
const char* rcMessageText(uint32_t id);

// The representation header in front of the characters.
struct RcCStringRep {
    uint32_t refsMinusOne;
    uint32_t capacity;
    uint32_t length;
};
static_assert(sizeof(RcCStringRep) == 12);

class RcCString {
public:
    static constexpr uint32_t npos = 0xFFFFFFFFu;

    RcCString();
    RcCString(const char* text);
    RcCString(const RcCString& other);
    ~RcCString();

    RcCString& operator=(const char* text);
    RcCString& operator=(const RcCString& other);

    // The one editing operation: replaces n characters at pos by the m
    // characters of s (none when s is null).
    RcCString& replace(uint32_t pos, uint32_t n, const char* s, uint32_t m);
    RcCString& append(const char* s);

    // A writable character; a shared representation is copied first.
    char& operator[](uint32_t index);

    bool operator==(const char* text) const;
    bool operator==(const RcCString& other) const { return *this == other.p_; }

    const char* c_str() const { return p_; }
    operator const char*() const { return p_; }
    uint32_t length() const { return rep()->length; }
    uint32_t capacity() const { return rep()->capacity; }
    bool isEmpty() const { return rep()->length == 0; }

    // How many strings share the representation (for the shared null
    // representation this stays 1).
    uint32_t references() const { return rep()->refsMinusOne + 1; }
    bool isNullRep() const;

    static uint32_t capacityFor(uint32_t n);

private:
    RcCStringRep* rep() const { return reinterpret_cast<RcCStringRep*>(p_) - 1; }
    static char* allocate(uint32_t capacity);
    static void addReference(char* p);
    static void release(char* p);
    void makePrivate();

    char* p_;
};

// Compares up to n characters without regard to case (Windows-1252 letters);
// <0, 0 or >0 like strncmp.
int rcStrnicmp(const char* a, const char* b, size_t n);
