#pragma once
// Log data of the library: a fresh file name in the program's "LOGS"
// folder, and a hook through which values are logged.
#include "classlib/AnsiString.h"
#include "components/buttonedits/runtime/Variant.h"

#include <functional>

// The program's folder + "LOGS\" (created when missing) + a new GUID in
// registry form + ".log".
AnsiString GetLogDataFileName();
// The log writer; none by default.
using TLogWriter = std::function<void(const Variant& value)>;
void SetLogWriter(TLogWriter writer);
// Passes the value to the log writer when one is installed.
void WriteToLog(const Variant& value);
