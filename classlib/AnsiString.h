#pragma once
// The two string types of the class library and the conversions between them.
// AnsiString holds Windows-1252 bytes, WideString UTF-16 code units. The
// conversions use a fixed Windows-1252 table, never the process locale, so
// they behave the same natively and under Windows.
#include <cstdint>
#include <string>

using AnsiString = std::string;
using WideString = std::u16string;

// Each byte becomes its Windows-1252 character (the five unassigned bytes
// 81, 8D, 8F, 90, 9D map to the control characters of the same value).
WideString AnsiToWide(const AnsiString& s);
// Each code unit becomes its Windows-1252 byte; a character the code page
// lacks (and every surrogate) becomes '?'.
AnsiString WideToAnsi(const WideString& s);

char16_t AnsiCharToWide(unsigned char c);
// True and the byte in `out` when the character exists in Windows-1252.
bool WideCharToAnsi(char16_t c, unsigned char& out);

// Upper-case conversion for the Latin, Greek and Cyrillic letters of the
// Basic Multilingual Plane (one-to-one mappings only; "ß" stays as it is).
char16_t WideUpCase(char16_t c);
WideString WideUpperCase(const WideString& s);
WideString WideLowerCase(const WideString& s);
// The other case of a Windows-1252 byte, the same in every build: a letter
// whose other case the code page lacks ("ß", "µ") and every byte that is no
// letter stay as they are.
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
AnsiString AnsiUpperCase(const AnsiString& s);
// Compares two Windows-1252 texts after upper-casing (<0, 0, >0).
int AnsiCompareText(const AnsiString& a, const AnsiString& b);
AnsiString AnsiLowerCase(const AnsiString& s);

// UTF-8 to UTF-16 and back (invalid input becomes U+FFFD); for tests and
// file-system names, not for document text.
WideString Utf8ToWide(const std::string& s);
std::string WideToUtf8(const WideString& s);
