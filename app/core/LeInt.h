#pragma once
// Little-endian integers of on-disk records. They hold their bytes and have
// alignment 1, so records lie in memory exactly as in their files without
// packing, and every access converts explicitly.
#include <cstdint>
#include <type_traits>

template <typename T>
class LeInt {
public:
  constexpr LeInt() = default;
  constexpr LeInt(T v) { set(v); }  // NOLINT: used like the plain integer
  constexpr operator T() const { return get(); }
  constexpr LeInt& operator=(T v) {
    set(v);
    return *this;
  }
  constexpr LeInt& operator+=(T v) { return *this = static_cast<T>(get() + v); }
  constexpr LeInt& operator-=(T v) { return *this = static_cast<T>(get() - v); }
  constexpr LeInt& operator++() { return *this += 1; }
  constexpr LeInt& operator--() { return *this -= 1; }
  constexpr T get() const {
    using U = std::make_unsigned_t<T>;
    U u = 0;
    for (unsigned i = 0; i < sizeof(T); ++i) u = static_cast<U>(u | static_cast<U>(static_cast<U>(b_[i]) << (8 * i)));
    return static_cast<T>(u);
  }
  constexpr void set(T v) {
    using U = std::make_unsigned_t<T>;
    U u = static_cast<U>(v);
    for (unsigned i = 0; i < sizeof(T); ++i) b_[i] = static_cast<uint8_t>(u >> (8 * i));
  }

private:
  uint8_t b_[sizeof(T)];
};

using LeInt16 = LeInt<int16_t>;
using LeInt32 = LeInt<int32_t>;
static_assert(sizeof(LeInt16) == 2 && alignof(LeInt16) == 1);
static_assert(sizeof(LeInt32) == 4 && alignof(LeInt32) == 1);
