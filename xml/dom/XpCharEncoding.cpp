#include "xml/dom/XpCharEncoding.h"

TXpStreamFormat MapCharEncToStreamFormat(TXpCharEncoding enc) {
  switch (enc) {
    case ceUTF8: return sfUTF8;
    case ceUTF16LE: return sfUTF16LE;
    case ceUTF16BE: return sfUTF16BE;
    default: return sfISO88591;
  }
}

TXpCharEncoding MapStreamFormatToCharEnc(TXpStreamFormat format) {
  switch (format) {
    case sfUTF8: return ceUTF8;
    case sfUTF16LE: return ceUTF16LE;
    case sfUTF16BE: return ceUTF16BE;
    default: return ceISO88591;
  }
}

WideString XpMapCharEncToString(TXpCharEncoding enc) {
  switch (enc) {
    case ceUTF8: return u"UTF-8";
    case ceUTF16LE:
    case ceUTF16BE: return u"UTF-16";
    case ceISO88591: return u"ISO-8859-1";
    default: return u"Unknown";
  }
}

TXpCharEncoding XpMapStringToCharEnc(const WideString& name) {
  // Encoding names are compared without regard to case.
  WideString upper = name;
  for (char16_t& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  if (upper == u"UTF-16") return ceUTF16LE;
  if (upper == u"ISO-8859-1") return ceISO88591;
  return ceUTF8;
}

int32_t XPGetLengthUtf8(uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF8) return 4;
  if (lead < 0xFC) return 5;
  if (lead < 0xFE) return 6;
  return 0;
}

bool XPUtf8ToUcs4(const uint8_t* bytes, int32_t length, char32_t& c) {
  c = 0;
  if (length < 1 || length > 4 || XPGetLengthUtf8(bytes[0]) != length) return false;
  static constexpr uint8_t kLeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t v = bytes[0] & kLeadMask[length];
  for (int32_t i = 1; i < length; ++i) {
    if (!XPIsUtf8Trail(bytes[i])) return false;
    v = (v << 6) | (bytes[i] & 0x3F);
  }
  static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (v < kMin[length] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return false;
  c = v;
  return true;
}

int32_t XPUcs4ToUtf8(char32_t c, uint8_t (&bytes)[6]) {
  int32_t n;
  uint8_t lead;
  if (c < 0x80) {
    bytes[0] = static_cast<uint8_t>(c);
    return 1;
  } else if (c < 0x800) {
    n = 2;
    lead = 0xC0;
  } else if (c < 0x10000) {
    n = 3;
    lead = 0xE0;
  } else if (c < 0x200000) {
    n = 4;
    lead = 0xF0;
  } else if (c < 0x4000000) {
    n = 5;
    lead = 0xF8;
  } else {
    n = 6;
    lead = 0xFC;
  }
  for (int32_t i = n - 1; i > 0; --i) {
    bytes[i] = static_cast<uint8_t>(0x80 | (c & 0x3F));
    c >>= 6;
  }
  bytes[0] = static_cast<uint8_t>(lead | c);
  return n;
}

bool XPUtf16ToUcs4(char16_t first, char16_t second, char32_t& c, bool& usedBoth) {
  usedBoth = false;
  if (!XPIsSurrogate(first)) {
    c = first;
    return true;
  }
  if (first <= 0xDBFF && second >= 0xDC00 && second <= 0xDFFF) {
    c = 0x10000 + ((char32_t(first) - 0xD800) << 10) + (char32_t(second) - 0xDC00);
    usedBoth = true;
    return true;
  }
  c = 0;
  return false;
}

bool XPUcs4ToUtf16(char32_t c, char16_t& first, char16_t& second) {
  second = 0;
  if (c < 0x10000) {
    first = static_cast<char16_t>(c);
    return true;
  }
  if (c > 0x10FFFF) {
    first = 0;
    return false;
  }
  c -= 0x10000;
  first = static_cast<char16_t>(0xD800 + (c >> 10));
  second = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  return true;
}

bool XPUcs4ToIso88591(char32_t c, uint8_t& b) {
  if (c > 0xFF) return false;
  b = static_cast<uint8_t>(c);
  return true;
}

bool XpUcs4ToWideChar(char32_t c, char16_t& w) {
  if (c >= 0x10000) {
    w = 0;
    return false;
  }
  w = static_cast<char16_t>(c);
  return true;
}
