#pragma once
// printf-style formatting into an AnsiString (the class library's Format).
#include "classlib/AnsiString.h"

#include <cstdarg>

AnsiString Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
AnsiString FormatV(const char* fmt, va_list args);
// For format texts that come from a table rather than a literal (pass
// the table text's c_str()).
AnsiString FormatRuntime(const char* fmt, ...);
