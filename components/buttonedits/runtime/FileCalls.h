#pragma once
// The few file-system calls the runtime needs, with one implementation on
// Windows (the ANSI file functions) and one natively (POSIX). Names are
// Windows-1252 on Windows and bytes natively; natively "/" separates
// folders where Windows takes "\" or "/".
#include "classlib/AnsiString.h"

#include <cstdint>
#include <functional>
#include <vector>

// File attributes as the Windows file functions report them.
constexpr uint32_t faReadOnly = 0x01;
constexpr uint32_t faHidden = 0x02;
constexpr uint32_t faSysFile = 0x04;
constexpr uint32_t faDirectory = 0x10;
constexpr uint32_t faArchive = 0x20;
constexpr uint32_t faAnyFile = 0x3F;

struct TSearchRec {
  AnsiString Name;  // without folder
  uint32_t Attr = 0;
  int64_t Size = 0;
};

namespace filecalls {

bool DirectoryExists(const AnsiString& path);
bool FileExists(const AnsiString& path);
// Attributes of an existing file or folder; false when there is none.
bool GetAttributes(const AnsiString& path, uint32_t& attributes);
bool SetReadOnly(const AnsiString& path, bool readOnly);
// All attribute bits on Windows; natively only faReadOnly counts.
bool SetAttributes(const AnsiString& path, uint32_t attributes);
bool CreateDir(const AnsiString& path);
bool RemoveFile(const AnsiString& path);
bool RenameFile(const AnsiString& oldName, const AnsiString& newName);
// Modification time in seconds since 1970; -1 when the file is missing.
int64_t FileAge(const AnsiString& path);
AnsiString GetCurrentDir();
bool SetCurrentDir(const AnsiString& path);
// The temporary-files folder as the system gives it (with its trailing
// separator on Windows).
AnsiString TempFolder();
// A new, empty file in `folder` whose name starts with `prefix`; empty
// when none can be made.
AnsiString MakeTempFile(const AnsiString& folder, const AnsiString& prefix);
// The folder separator of the platform.
char Separator();

// Calls `found` with the folder part of `pathWithMask` (with its trailing
// separator) and each entry of that folder that matches the mask (wildcards
// "*" and "?", letters without case, "*.*" matching every name). Plain files
// are always offered; folders, hidden and system files only when
// `attributes` holds their bit. "." and ".." are never offered. The walk
// stops when `found` returns false; the result is then false.
bool ForEachEntry(const AnsiString& pathWithMask, uint32_t attributes,
                  const std::function<bool(const AnsiString& folder, const TSearchRec&)>& found);

// Modules whose resources are read as files: null when the module cannot
// be loaded (natively there are none).
void* LoadResourceModule(const AnsiString& fileName);
void FreeResourceModule(void* module);
// The bytes of a resource of numeric type `type` (or of the custom type
// `typeName` when `type` is 0); false when the module does not hold it.
bool ReadModuleResource(void* module, int32_t type, const AnsiString& typeName, const AnsiString& resName,
                        std::vector<uint8_t>& data);

// The folder of the running program, with its trailing separator.
AnsiString ExeFolder();
// A new GUID in registry form ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}").
AnsiString NewGuidText();

// Writes a resource into the module file (replacing one of the same type,
// name and language); false when that failed (natively always).
bool UpdateModuleResource(const AnsiString& fileName, int32_t type, const AnsiString& typeName,
                          const AnsiString& resName, const void* data, uint32_t size, uint16_t language);

}  // namespace filecalls
