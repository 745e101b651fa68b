#pragma once
// Zero-terminated 8-bit strings in fixed-size record fields. Fields read from
// files may lack their terminator: reading is always bounded by the width.
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// The text of a field, up to its terminator or its width.
template <size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, ::strnlen(field, N));
}

// Length of a field's text, bounded by its width.
template <size_t N>
size_t FieldLength(const char (&field)[N]) {
  return ::strnlen(field, N);
}

// Stores a text in a field: cut to the width - 1, terminated, rest zeroed.
template <size_t N>
void SetFieldText(char (&field)[N], std::string_view text) {
  size_t n = text.size() < N - 1 ? text.size() : N - 1;
  std::memcpy(field, text.data(), n);
  std::memset(field + n, 0, N - n);
}
