#pragma once
// Texts of the form name, separator, value, as setup scripts and help
// contents files use them, and quoting of texts and file names.
#include <cstdint>

#include "classlib/AnsiString.h"
#include "classlib/StringList.h"

// The part before / after the first "=" (or the given separator); an empty
// text when the text holds no separator.
AnsiString ExtractNamePart(const AnsiString& text);
AnsiString ExtractNamePartEx(const AnsiString& text, char separator);
AnsiString ExtractValuePart(const AnsiString& text);
AnsiString ExtractValuePartEx(const AnsiString& text, char separator);

// The first index whose value part equals value exactly, else -1.
int32_t IndexOfValue(const TStrings& strings, const AnsiString& value);

// The text between two copies of c; a file name in double quotes.
AnsiString Quote(const AnsiString& text, char c);
AnsiString QuoteFileName(const AnsiString& file);
