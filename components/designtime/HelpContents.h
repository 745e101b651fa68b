#pragma once
// Registering a help file in a help contents file: a text file whose lines
// ":Index <title> =<help file>" name the help files its contents include.
#include "classlib/AnsiString.h"

// Deletes the first line whose value part is helpFile and saves the file.
// False when the file could not be saved.
bool RemoveHelpFromCntFile(const AnsiString& helpFile, const AnsiString& contentsFile);

// Removes helpFile's line as above, then inserts ":Index <title> =<helpFile>"
// behind the first run of ":Index " lines (at the end when there is none)
// and saves the file, creating it when it does not exist.
bool AddHelpToCntFile(const AnsiString& title, const AnsiString& helpFile, const AnsiString& contentsFile);
