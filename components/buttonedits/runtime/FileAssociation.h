#pragma once
// File types in the registry's classes root: an extension names its file
// type key, which holds the icon and the open command.
#include "classlib/AnsiString.h"
#include "components/buttonedits/runtime/RegValueStore.h"

#include <cstdint>

// The extension's default value names `fileTypeKey`; the key's
// "\DefaultIcon" holds icon file, "," and index; its
// "\Shell\Open\Command" the command followed by " "%1"". False when a
// value could not be written.
bool AssociateFileExt(const AnsiString& extension, const AnsiString& fileTypeKey, const AnsiString& command,
                      int32_t iconIndex, const AnsiString& iconFile, TRegValueStore& store = ClassesRootStore());
// Deletes the extension's key and the file type's "\DefaultIcon",
// "\Shell\Open\Command", "\Shell\Open", "\Shell" subkeys and the key.
void UnAssociateFileExt(const AnsiString& extension, const AnsiString& fileTypeKey,
                        TRegValueStore& store = ClassesRootStore());
