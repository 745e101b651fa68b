// Loading and saving documents over HTTP and FTP through the platform's
// WinINet library, loaded at run time on first use. Failures are added to
// the caller's error list; only an HTTP "404 Not Found" answer raises.
#pragma once

#include <string>

#include "classlib/StringList.h"

// A new, empty temporary file for a transfer; empty when none could be made.
AnsiString XpGenTemporaryFile();

// `location` is host and path without the scheme. Raises EXpParserError
// "Http data not available" for a 404 answer.
bool XpLoadHTTP(const AnsiString& location, TStringList& errors, AnsiString& tempFile);
bool XpLoadFTP(const AnsiString& location, const AnsiString& userName, const AnsiString& password,
               TStringList& errors, AnsiString& tempFile);
// Uploads `localFile` to `location` (host, folders, file name).
bool XpSaveToFTP(const AnsiString& location, const AnsiString& userName, const AnsiString& password,
                 const AnsiString& localFile, TStringList& errors);
