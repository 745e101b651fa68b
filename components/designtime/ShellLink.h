#pragma once
// Shell links (.lnk files) through the shell's link object.
#include "classlib/AnsiString.h"

// Creates link pointing at file with the given arguments and description.
// False when the shell could not make or save it.
bool CreateLink(const AnsiString& file, const AnsiString& link, const AnsiString& arguments,
                const AnsiString& description);
