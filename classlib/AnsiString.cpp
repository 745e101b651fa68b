#include "classlib/AnsiString.h"

#include <algorithm>

namespace {

// Windows-1252 bytes 80..9F; the other bytes equal their code point.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t WideLowCase(char16_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 32);
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    // Latin Extended-A alternates capital/small, with the block
    // 0x139..0x148 and 0x179..0x17E shifted by one.
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
      return (c & 1) ? char16_t(c + 1) : c;
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c & 1) ? c : char16_t(c + 1);
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return char16_t(c + 32);
  if (c >= 0x410 && c <= 0x42F) return char16_t(c + 32);
  if (c >= 0x400 && c <= 0x40F) return char16_t(c + 80);
  return c;
}

}  // namespace

char16_t AnsiCharToWide(unsigned char c) {
  return (c >= 0x80 && c <= 0x9F) ? kHigh[c - 0x80] : char16_t(c);
}

bool WideCharToAnsi(char16_t c, unsigned char& out) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    out = static_cast<unsigned char>(c);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == c) {
      out = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

WideString AnsiToWide(const AnsiString& s) {
  WideString r;
  r.reserve(s.size());
  for (unsigned char c : s) r.push_back(AnsiCharToWide(c));
  return r;
}

AnsiString WideToAnsi(const WideString& s) {
  AnsiString r;
  r.reserve(s.size());
  for (char16_t c : s) {
    unsigned char b;
    r.push_back(WideCharToAnsi(c, b) ? static_cast<char>(b) : '?');
  }
  return r;
}

char16_t WideUpCase(char16_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? char16_t(c - 32) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return char16_t(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
      return (c & 1) ? c : char16_t(c - 1);
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c & 1) ? char16_t(c - 1) : c;
  }
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return char16_t(c - 32);
  if (c >= 0x430 && c <= 0x44F) return char16_t(c - 32);
  if (c >= 0x450 && c <= 0x45F) return char16_t(c - 80);
  return c;
}

WideString WideUpperCase(const WideString& s) {
  WideString r(s);
  for (auto& c : r) c = WideUpCase(c);
  return r;
}

WideString WideLowerCase(const WideString& s) {
  WideString r(s);
  for (auto& c : r) c = WideLowCase(c);
  return r;
}

namespace {

// Upper and lower case of each Windows-1252 byte (itself when the other case
// is not in the code page).
struct CaseTables {
  unsigned char Upper[256];
  unsigned char Lower[256];
  CaseTables() {
    for (int b = 0; b < 256; ++b) {
      const char16_t wide = AnsiCharToWide(static_cast<unsigned char>(b));
      unsigned char out;
      Upper[b] = WideCharToAnsi(WideUpCase(wide), out) ? out : static_cast<unsigned char>(b);
      Lower[b] = WideCharToAnsi(WideLowCase(wide), out) ? out : static_cast<unsigned char>(b);
    }
  }
};

const CaseTables& Cases() {
  static const CaseTables tables;
  return tables;
}

}  // namespace

char AnsiUpperChar(char c) { return static_cast<char>(Cases().Upper[static_cast<unsigned char>(c)]); }

char AnsiLowerChar(char c) { return static_cast<char>(Cases().Lower[static_cast<unsigned char>(c)]); }

AnsiString AnsiUpperCase(const AnsiString& s) {
  AnsiString r(s);
  for (auto& c : r) c = AnsiUpperChar(c);
  return r;
}

int AnsiCompareText(const AnsiString& a, const AnsiString& b) {
  const size_t n = std::min(a.size(), b.size());
  const auto& map = Cases().Upper;
  for (size_t i = 0; i < n; ++i) {
    const int x = map[static_cast<unsigned char>(a[i])], y = map[static_cast<unsigned char>(b[i])];
    if (x != y) return x - y;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

AnsiString AnsiLowerCase(const AnsiString& s) {
  AnsiString r(s);
  for (auto& c : r) c = AnsiLowerChar(c);
  return r;
}

WideString Utf8ToWide(const std::string& s) {
  WideString r;
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    char32_t cp;
    size_t len;
    if (b < 0x80) { cp = b; len = 1; }
    else if (b >= 0xC2 && b <= 0xDF) { cp = b & 0x1F; len = 2; }
    else if (b >= 0xE0 && b <= 0xEF) { cp = b & 0x0F; len = 3; }
    else if (b >= 0xF0 && b <= 0xF4) { cp = b & 0x07; len = 4; }
    else { r.push_back(0xFFFD); ++i; continue; }
    bool ok = i + len <= n;
    for (size_t k = 1; ok && k < len; ++k) {
      unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (t & 0x3F);
    }
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (!ok) { r.push_back(0xFFFD); ++i; continue; }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      r.push_back(char16_t(0xD800 + (cp >> 10)));
      r.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
    } else {
      r.push_back(char16_t(cp));
    }
    i += len;
  }
  return r;
}

std::string WideToUtf8(const WideString& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      r.push_back(char(cp));
    } else if (cp < 0x800) {
      r.push_back(char(0xC0 | (cp >> 6)));
      r.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      r.push_back(char(0xE0 | (cp >> 12)));
      r.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
      r.push_back(char(0x80 | (cp & 0x3F)));
    } else {
      r.push_back(char(0xF0 | (cp >> 18)));
      r.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
      r.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
      r.push_back(char(0x80 | (cp & 0x3F)));
    }
  }
  return r;
}
