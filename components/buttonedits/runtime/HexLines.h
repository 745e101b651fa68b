#pragma once
// Binary data as lines of upper-case hexadecimal text, 32 bytes (64 digits)
// a line, as settings sections keep streamed objects; and backup names.
#include "classlib/AnsiString.h"
#include "classlib/StringList.h"

#include <cstdint>
#include <vector>

void BytesToHexLines(const std::vector<uint8_t>& bytes, TStrings& lines);
// Reads the digit pairs of all lines (line ends between them are skipped).
// False for a character that is no hexadecimal digit or an odd count.
bool HexLinesToBytes(const TStrings& lines, std::vector<uint8_t>& bytes);

// The file's folder and base name, then "." + "~" + the extension cut to
// four characters in all (".~" without extension).
AnsiString FileBakName(const AnsiString& fileName);
// Deletes an existing backup and renames the file to it when the file
// exists; false when that failed.
bool RenameToBak(const AnsiString& fileName);
