#pragma once
// A product's uninstall entry: the key
// HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\<product> with
// its "DisplayName" and "UninstallString", further string values, and the
// subkey "Files" that lists each installed file as a value name.
#include <windows.h>

#include "classlib/AnsiString.h"
#include "classlib/StringList.h"

// Creates or opens root\key with full access; null on failure. The caller
// closes the key.
HKEY CreateRegKey(HKEY root, const AnsiString& key);
bool ChangeRegStrValue(HKEY key, const AnsiString& name, const AnsiString& value);

bool AddUnInstaller(const AnsiString& product, const AnsiString& uninstallCommand);
bool AddUnInstallInfo(const AnsiString& product, const AnsiString& name, const AnsiString& value);
// The string value name of the product's entry; empty when absent.
AnsiString GetUnInstallInfo(const AnsiString& product, const AnsiString& name);
bool IsAppInstalled(const AnsiString& product);
// Deletes the entry with its subkeys; false when it could not be removed.
bool RemoveUnInstaller(const AnsiString& product);

bool AddUnInstallFilesInfo(const AnsiString& product, const TStrings& files);
// Adds the listed files to files; false when the product lists none.
bool GetUninstallFilesInfo(const AnsiString& product, TStrings& files);
bool RemoveUninstallFilesInfo(const AnsiString& product);
