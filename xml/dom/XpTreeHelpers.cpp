#include "xml/dom/XpTreeHelpers.h"

std::u16string XpIntToWide(int64_t value) {
  char16_t buf[24];
  int n = 0;
  uint64_t v = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    buf[n++] = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
  } while (v);
  std::u16string out;
  if (value < 0) out += u'-';
  while (n) out += buf[--n];
  return out;
}

