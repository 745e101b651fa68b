#pragma once
// Running other programs from a setup, and deleting files that are in use.
#include <windows.h>

#include "classlib/AnsiString.h"
#include "classlib/StringList.h"

// Starts command with a hidden window; with wait, returns its exit code
// after it ended, else 0 once it started. -1 when it could not start.
int RunBatFileEx(const AnsiString& command, bool wait);
int RunBatFile(const AnsiString& command);

// Runs command in folder and waits for its end. With capture, the lines it
// wrote to its standard output and error are added to output. A failed
// start or a non-zero exit code adds "Program failed with code (<code>)".
// True when the program ran and ended with code 0.
bool RunProgram(const AnsiString& command, const AnsiString& folder, TStrings& output, bool capture);

// Deletes file. When it is in use, a batch file beside it deletes it as
// soon as nothing holds it open (trying for a bounded time), then itself.
// True when the file is gone or its deletion is under way.
bool RemoveFile(const AnsiString& file);
