#pragma once
// Setting up the component library inside a development environment: where
// each supported version is installed, whether it runs or an older version
// of the product is installed, building sources with its command-line tools.
#include <windows.h>

#include <cstdint>

#include "classlib/AnsiString.h"
#include "classlib/StringList.h"

// Four releases each of the vendor's two products, in release order.
enum class TIDEVersion : int32_t { Pas1, Pas2, Pas3, Pas4, Cpp1, Cpp2, Cpp3, Cpp4 };
inline constexpr int32_t kIDEVersionCount = 8;

struct TIDEVersionInfo {
  const char* shortName;     // as setup scripts name the version
  const char* registryKey;   // below HKLM\Software\<vendor>
  const char* displayName;
  const char* packagesKey;   // the version's known-packages key
  const char* helpContents;  // file of its help contents
  uint16_t build;            // expected build of its executable, 0 for any
};

const TIDEVersionInfo& IDEVersionInfo(TIDEVersion version);
// The version whose short name is name (any case); the fifth when none is.
TIDEVersion IDEVersionFromName(const AnsiString& name);
// The second product builds with its make tool and extra options.
bool IsCppVersion(TIDEVersion version);

// "RootDir" of the version's key with a trailing backslash; empty when the
// version is not installed.
AnsiString IDERootDir(TIDEVersion version);
AnsiString IDEHelpDir(TIDEVersion version);
// The installation's library and source folders, separated by ";".
AnsiString IDESourceDirs(TIDEVersion version);
// A build folder for the version in the temporary folder, created with its
// parents.
AnsiString IDEBuildDir(TIDEVersion version);

// When the environment runs, asks whether to install product all the same
// ("Installation Warning", OK/Cancel). True when it does not run or OK.
bool CheckIDERunning(const AnsiString& product);
// When product is installed already, asks whether to go on ("Installation
// Error", OK/Cancel). True when it is not installed or OK.
bool CheckPreviousVersion(const AnsiString& product);
// Whether the installed executable's build is the one the table expects.
bool CheckIDEVersion(TIDEVersion version);

// Builds source (a unit, package or project) with the version's tools into
// outputFolder; the compiler's error lines go to messages. True when the
// tool succeeded and the build's output files exist.
bool CompileFile(TIDEVersion version, const AnsiString& source, const AnsiString& outputFolder, TStrings& messages);
// Keeps only the lines that report an error: those starting (after blanks)
// with "Error:", "Fatal:" or the tools' own prefix.
void ConvertErrors(TStrings& output);

// The message box the two checks ask through; tests answer it.
using TInstallMessageBox = int (*)(HWND owner, const char* text, const char* title, UINT flags);
void SetInstallMessageBox(TInstallMessageBox box);
