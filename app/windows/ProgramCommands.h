#pragma once
// The main frame's commands that open windows: the class choice (12), the
// check of all classes (10), the print choice (23) and the entry file (22).
#include <string>

class QuanteloApp;

int OpenClassCommand(QuanteloApp* frame);
int CheckAllCommand(QuanteloApp* frame);
int PrintCommand(QuanteloApp* frame);
// Lets the teacher tick teams and choose folder, file name or mail address
// in the wizard, refuses while a ticked class has entry errors, writes the
// entry file, hands it to the mail program when asked, and logs the results.
// A cancelled wizard writes nothing and changes no setting.
int CreateEntryFileCommand(QuanteloApp* frame);
// The file name as the entry file is written: each of \ / " * < > ? | : and
// every control character becomes a blank, trailing dots and blanks go.
std::string CleanEntryFileName(const std::string& typed);
