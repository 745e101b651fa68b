#pragma once
// Unpacking a setup's files from an archive through the outside archive
// library, loaded at run time from the setup's own folder.
#include <functional>

#include "classlib/AnsiString.h"
#include "classlib/StringList.h"
#include "components/designtime/UnRarRecords.h"

// Loads the library from file (unloading one loaded before); raises
// Exception("Can't load UNRAR.DLL") when it does not load or lacks an entry.
void LoadUnRARFromFile(const AnsiString& file);
// Loads "unrar.dll" from the program's own folder unless one is loaded.
void LoadUnRAR();
void UnloadUnRAR();

// Each loads the library when needed and calls its entry of the same name.
HANDLE RAROpenArchive(TRAROpenArchiveData* data);
int RARCloseArchive(HANDLE archive);
int RARReadHeader(HANDLE archive, TRARHeaderData* header);
int RARProcessFile(HANDLE archive, int operation, const char* destPath, const char* destName);
void RARSetChangeVolProc(HANDLE archive, TRARChangeVolProc proc);
void RARSetProcessDataProc(HANDLE archive, TRARProcessDataProc proc);
void RARSetPassword(HANDLE archive, const char* password);

// Opens archive for extraction; null when it does not open.
HANDLE OpenRARFile(const AnsiString& archive);

// Chooses per file the operation and the destination folder.
using TExtractCallback = std::function<void(const AnsiString& fileName, int& operation, AnsiString& destFolder)>;

// Extracts every file of archive below destFolder (or what callback
// chooses). Files named in systemFiles go to the system folder. Folders
// made on the way are added to createdFolders, each extracted file's full
// name to extractedFiles, the name of each file refused (absolute, with a
// drive, climbing with "..") or failed to failedFiles. False when the
// archive did not open.
bool ExtractRARFile(const AnsiString& archive, const AnsiString& destFolder, const TExtractCallback& callback,
                    const TStrings* systemFiles, TStrings* createdFolders, TStrings* extractedFiles,
                    TStrings* failedFiles);
