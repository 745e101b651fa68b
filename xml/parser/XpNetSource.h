// Loading a document source over HTTP or FTP: the transfer goes through a
// temporary file, which is read whole and deleted at once.
#pragma once

#include <string>

#include "classlib/StringList.h"
#include "xml/parser/XpDirContext.h"

// Fetches the resource the context names (HTTP or FTP) into `bytes`;
// `tempFile` names the temporary file it went through, which the caller
// deletes. False when nothing could be loaded.
bool XpNetLoad(const TXpDirContext& context, const AnsiString& userName, const AnsiString& password,
               TStringList& errors, std::string& bytes, AnsiString& tempFile);
