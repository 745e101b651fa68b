#pragma once
// Character encodings of the XML library and the conversion primitives
// between UCS-4, UTF-8, UTF-16 and ISO-8859-1.
#include <cstdint>

#include "classlib/AnsiString.h"

enum TXpCharEncoding { ceUnknown, ceUTF8, ceUTF16LE, ceUTF16BE, ceISO88591 };
enum TXpStreamFormat { sfUTF8, sfUTF16LE, sfUTF16BE, sfISO88591 };

// ceUTF8/ceUTF16LE/ceUTF16BE to their formats; every other value (ISO-8859-1,
// unknown) to sfISO88591.
TXpStreamFormat MapCharEncToStreamFormat(TXpCharEncoding enc);
TXpCharEncoding MapStreamFormatToCharEnc(TXpStreamFormat format);
// "UTF-8", "UTF-16" (both byte orders), "ISO-8859-1", otherwise "Unknown".
WideString XpMapCharEncToString(TXpCharEncoding enc);
// "UTF-8", "UTF-16" (little-endian), "ISO-8859-1" in any case; any other
// text gives ceUTF8.
TXpCharEncoding XpMapStringToCharEnc(const WideString& name);

// Length of the UTF-8 sequence that `lead` starts: 1 for 00-7F, 0 for 80-BF,
// 2 for C0-DF, 3 for E0-EF, 4 for F0-F7, 5 for F8-FB, 6 for FC-FD, 0 for FE-FF.
int32_t XPGetLengthUtf8(uint8_t lead);
inline bool XPIsUtf8Trail(uint8_t b) { return b >= 0x80 && b <= 0xBF; }
// Decodes one UTF-8 sequence of exactly `length` bytes. False when the
// length does not match the lead byte, a continuation byte is not
// 10xxxxxx, or the sequence is not well-formed UTF-8: overlong forms,
// encoded surrogates, 5- and 6-byte forms and values above 10FFFF.
bool XPUtf8ToUcs4(const uint8_t* bytes, int32_t length, char32_t& c);
// Encodes by the 1- to 6-byte scheme; returns the number of bytes.
int32_t XPUcs4ToUtf8(char32_t c, uint8_t (&bytes)[6]);
// A unit outside D800-DFFF is the character; a high surrogate followed by a
// low one gives the supplementary character and sets `usedBoth`; any other
// use of a surrogate fails.
bool XPUtf16ToUcs4(char16_t first, char16_t second, char32_t& c, bool& usedBoth);
// Below 0x10000 one unit (second = 0); up to 0x10FFFF a surrogate pair;
// above fails.
bool XPUcs4ToUtf16(char32_t c, char16_t& first, char16_t& second);
inline bool XPIso88591ToUcs4(uint8_t b, char32_t& c) {
  c = b;
  return true;
}
bool XPUcs4ToIso88591(char32_t c, uint8_t& b);
// Fails (w = 0) for 0x10000 and above.
bool XpUcs4ToWideChar(char32_t c, char16_t& w);
inline bool XPIsSurrogate(char16_t w) { return w >= 0xD800 && w <= 0xDFFF; }
