#pragma once
// The system's standard folders, unique names for new files and keys, and
// the folders a setup creates.
#include <windows.h>

#include "classlib/AnsiString.h"
#include "classlib/StringList.h"

// The registry form of a GUID ("{...}"); prefix followed by a new GUID's.
AnsiString StringFromGUID(const GUID& guid);
AnsiString GetUniqueString(const AnsiString& prefix);
// A new, empty file in the temporary folder whose name starts with prefix;
// empty when none could be made.
AnsiString GetTemporaryFileName(const AnsiString& prefix);

// The system folder; the Windows folder; the program-files folder; the
// Start-menu programs folder. Each with a trailing backslash but the first two.
AnsiString SystemDirectory();
AnsiString WindowsDirectory();
AnsiString ProgramFilesDirectory();
AnsiString StartMenuProgramsFolder();

// Creates each listed folder with its parents; false when one failed.
bool CreateFolders(const TStrings& folders);
// Replaces each "%SYSTEM%" by the system folder.
AnsiString ProcessFileTemplate(const AnsiString& text);
