#pragma once
// Unit-level helpers of the XML library: wide-string search and compare
// (1-based positions), a growable wide-text buffer, path helpers and numbers
// in the XPath format.
#include <cstdint>

#include "classlib/AnsiString.h"

// Position of the first / last occurrence of `sub` in `s`, 0 when absent.
int32_t XpPos(const WideString& sub, const WideString& s);
int32_t XpRPos(const WideString& sub, const WideString& s);
// False for an empty prefix or one longer than `s`.
bool XpStartsWith(const WideString& prefix, const WideString& s);
// The first `n` characters equal (exactly / after upper-casing); true for
// n < 1. A text shorter than `n` only equals one of the same length.
bool XpStrEquals(const WideString& a, const WideString& b, int32_t n);
bool XpStrIEquals(const WideString& a, const WideString& b, int32_t n);
// Substring from 1-based `start`; empty when start < 1, count < 1 or start
// beyond the end; clipped at the end.
WideString XpCopy(const WideString& s, int32_t start, int32_t count);
// Every occurrence of `oldText` replaced, left to right, without rescanning
// the inserted text; `s` unchanged when either is empty.
WideString XpStringReplaceAll(const WideString& s, const WideString& oldText, const WideString& newText);
// The characters up to the first blank or CR.
AnsiString XpGetWord(const AnsiString& s);
inline int32_t XpMin(int32_t a, int32_t b) { return a < b ? a : b; }
inline bool XpIsNumeric(char16_t c) { return c >= u'0' && c <= u'9'; }

// A wide buffer whose size is its capacity and `used` its filled part.
// Append grows the capacity to twice the old one plus the text's length.
void XpDOMBufferAppend(const WideString& text, WideString& buffer, int32_t& used);
// Inserts at the 1-based `position` (1..used+1, else nothing happens);
// grows to 1.2 times the old capacity plus the text's length.
void XpDOMBufferInsert(const WideString& text, WideString& buffer, int32_t position, int32_t& used);
// Removes `count` characters at the 1-based `position` when they lie within
// the used part.
void XpDOMBufferDelete(WideString& buffer, int32_t position, int32_t count, int32_t& used);

// True when the path begins with "."; false when it contains ":"; otherwise
// true only when its first "\" stands at position 2 or later.
bool XpIsRelativePath(const AnsiString& path);
// ".\" + name for an empty folder; folder + name when the folder ends in
// "\"; else folder + "\" + name.
AnsiString XpMakeFilePath(const AnsiString& folder, const AnsiString& name);
// `name` unchanged when it contains ":"; otherwise the folder of `base`
// (up to its last "\" or ":") joined with `name`.
AnsiString XpMakeAbsolutePath(const AnsiString& name, const AnsiString& base);

// Every character a digit or ".", only the first may be "-"; true for "".
bool XpIsValidXPathNumber(const WideString& s);
// The value of a valid number; EConvertError with "<s> can't be converted to
// a valid XML number." otherwise. Independent of the locale.
double XpStrToFloat(const WideString& s);
// The shortest decimal that reads back as `x`, with "." and never an
// exponent; "NaN", "Infinity", "-Infinity"; negative zero is "0".
WideString XpFloatToStr(double x);
// Ceiling and floor of `x` as whole numbers (doubles, so that values beyond
// the integer range and NaN survive).
double XpCeiling(double x);
double XpFloor(double x);
