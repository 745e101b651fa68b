#pragma once
// Whole sections of a settings file in the Windows profile format, read and
// replaced as lists of lines (section names compare without case).
#include "classlib/AnsiString.h"
#include "classlib/StringList.h"

// The lines of the section (without blank lines and comments); false when
// the file or the section is missing.
bool ReadIniSection(const AnsiString& fileName, const AnsiString& section, TStrings& lines);
// Replaces the section's lines (the section is added at the end when
// missing); the file is replaced whole through a temporary file, so it is
// never left half-written. False when it could not be written.
bool WriteIniSection(const AnsiString& fileName, const AnsiString& section, const TStrings& lines);
