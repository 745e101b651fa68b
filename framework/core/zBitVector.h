// A fixed row of bits, all clear at the start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class zBitVector {
public:
    // Room for at least `count` bits, rounded up to whole bytes above it.
    explicit zBitVector(int32_t count);

    int32_t size() const { return bits; }
    bool test(int32_t index) const;
    void set(int32_t index);
    void setRange(int32_t from, int32_t to); // both inclusive
    void clearAll();

private:
    std::vector<uint8_t> bytes;
    int32_t bits;
};
