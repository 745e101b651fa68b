#pragma once
// Path helpers of the folder browser's unit: trailing backslashes, folder
// tests, creating a folder with its parents and the temporary folder.
#include "classlib/AnsiString.h"
#include "classlib/StringList.h"

// The path with "\" appended when it is not empty and does not end in one.
AnsiString AddSlash(const AnsiString& path);
// The path without one trailing "\".
AnsiString RemoveSlash(const AnsiString& path);
bool DirectoryExists(const AnsiString& path);
// Creates the folder and its missing parents (a drive is never created).
// `created`, when given, receives each folder this call created, outermost
// first. False when a level could not be created (a file in the way, no
// right); the folders made before that stay and are listed.
bool CreateAllDirectories(const AnsiString& folder, TStrings* created);
// The temporary-files folder without its trailing separator, except for a
// drive root of three characters ("C:\").
AnsiString GetTemporaryPath();
