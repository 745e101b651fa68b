#pragma once
// The main frame's commands that open windows: the class choice (12), the
// check of all classes (10), the print choice (23) and the entry file (22).
// They reach the frame only through its CommandHost.
#include <cstddef>
#include <string>

#include "app/core/FileSystem.h"

class CommandHost;
struct EventState;
struct PrintState;

// The longest entry-file name a folder takes, in bytes: a name has at most
// 255, and the temporary file the entry file is written to first adds to it.
inline constexpr size_t kEntryFileNameLength = 255 - kel::kTempSuffixLength;

int OpenClassCommand(CommandHost& host, EventState& state);
int CheckAllCommand(CommandHost& host, EventState& state);
int PrintCommand(CommandHost& host, EventState& state, PrintState& print);
// Lets the teacher tick teams and choose folder, file name or mail address
// in the wizard, refuses while a ticked class has entry errors, writes the
// entry file, hands it to the mail program when asked, and logs the results.
// A cancelled wizard writes nothing and changes no setting.
int CreateEntryFileCommand(CommandHost& host, EventState& state);
// The file name as the entry file is written: each of \ / " * < > ? | : and
// every control character becomes a blank; a name that may take more than
// maxLength bytes on the disk is cut, keeping a short extension; trailing
// dots and blanks go; a device name of the system ("CON", "lpt1.txt") gets
// a "_" after it.
std::string CleanEntryFileName(const std::string& typed, size_t maxLength = kEntryFileNameLength);
