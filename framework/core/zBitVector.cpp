#include "framework/core/zBitVector.h"

zBitVector::zBitVector(int32_t count)
    : bits(count < 0 ? 8 : ((count | 7) + 1))
{
    bytes.assign(static_cast<size_t>(bits / 8), 0);
}

bool zBitVector::test(int32_t index) const
{
    if (index < 0 || index >= bits)
        return false;
    return (bytes[static_cast<size_t>(index >> 3)] >> (index & 7)) & 1;
}

void zBitVector::set(int32_t index)
{
    if (index < 0 || index >= bits)
        return;
    bytes[static_cast<size_t>(index >> 3)] |= static_cast<uint8_t>(1u << (index & 7));
}

void zBitVector::setRange(int32_t from, int32_t to)
{
    for (int32_t i = from; i <= to; ++i)
        set(i);
}

void zBitVector::clearAll()
{
    for (auto& b : bytes)
        b = 0;
}
