#include "classlib/Format.h"

#include <cstdio>
#include <vector>

AnsiString FormatV(const char* fmt, va_list args) {
  va_list copy;
  va_copy(copy, args);
  char small[256];
  int n = std::vsnprintf(small, sizeof small, fmt, copy);
  va_end(copy);
  if (n < 0) return AnsiString();
  if (static_cast<size_t>(n) < sizeof small) return AnsiString(small, static_cast<size_t>(n));
  std::vector<char> big(static_cast<size_t>(n) + 1);
  std::vsnprintf(big.data(), big.size(), fmt, args);
  return AnsiString(big.data(), static_cast<size_t>(n));
}

AnsiString Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  AnsiString r = FormatV(fmt, args);
  va_end(args);
  return r;
}

AnsiString FormatRuntime(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  AnsiString r = FormatV(fmt, args);
  va_end(args);
  return r;
}
