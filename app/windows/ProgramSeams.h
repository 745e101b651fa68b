#pragma once
// The program's calls that would block a test: message boxes, modal runs of
// the class-library forms and the help viewer. The program uses the real
// calls; a test replaces a member to answer in their place.
#include <windows.h>
#include <functional>

class TForm;

struct ProgramSeams {
    std::function<int(HWND owner, const char* text, const char* title, UINT flags)> messageBox;
    std::function<int(TForm* form)> runModal;
    std::function<HWND(HWND owner, const char* file, UINT command, DWORD_PTR data)> htmlHelp;
    std::function<BOOL(HWND owner, const char* file, UINT command, ULONG_PTR data)> winHelp;
    // Puts every member back to the real call.
    void reset();
};

extern ProgramSeams gSeams;

int ProgramMessageBox(HWND owner, const char* text, const char* title, UINT flags);
// The form's modal result (1 means OK).
int RunModalForm(TForm* form);
