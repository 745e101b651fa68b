// The elements a picture string compiles into: editable mask positions,
// character sets and fixed literal characters.
#pragma once

#include "framework/core/zBitVector.h"

#include <cstdint>
#include <memory>

class zPictStrEl {
public:
    enum : uint8_t { Literal = 0x01, Editable = 0x02 };

    zPictStrEl(uint8_t elementFlags, uint8_t ch) : flags(elementFlags), pictChar(ch) {}
    virtual ~zPictStrEl() = default;

    // 1 when the character is accepted; unless testOnly it is stored.
    virtual int match(uint8_t c, int testOnly, uint32_t fmtFlags);
    // The character to show, or 0 for nothing.
    virtual uint8_t display(uint32_t fmtFlags) const;
    virtual void clear();

    // A fresh element of the same kind and picture, empty.
    virtual std::unique_ptr<zPictStrEl> copy() const;

    bool isLiteral() const { return (flags & Literal) != 0; }
    bool isEditable() const { return (flags & Editable) != 0; }

    uint8_t flags;
    uint8_t pictChar;
};

// 9 # A N X !
class zPictStrMaskEl : public zPictStrEl {
public:
    explicit zPictStrMaskEl(uint8_t pictChar);

    int match(uint8_t c, int testOnly, uint32_t fmtFlags) override;
    uint8_t display(uint32_t fmtFlags) const override;
    void clear() override { value = 0; }
    std::unique_ptr<zPictStrEl> copy() const override;

    bool accepts(uint8_t c) const;

    uint8_t value = 0;
    uint8_t placeholder;
};

// [set]
class zPictStrSetEl : public zPictStrEl {
public:
    zPictStrSetEl();

    int match(uint8_t c, int testOnly, uint32_t fmtFlags) override;
    uint8_t display(uint32_t fmtFlags) const override;
    void clear() override { value = 0; }
    std::unique_ptr<zPictStrEl> copy() const override;

    std::unique_ptr<zBitVector> set;
    int16_t complement = 0;
    uint8_t value = 0;
    uint8_t placeholder = '_';
};

// 'x'
class zPictStrLiteral : public zPictStrEl {
public:
    explicit zPictStrLiteral(uint8_t c) : zPictStrEl(Literal, c) {}

    int match(uint8_t c, int testOnly, uint32_t fmtFlags) override;
    uint8_t display(uint32_t fmtFlags) const override;
    std::unique_ptr<zPictStrEl> copy() const override;
};
