#include "app/windows/ProgramSeams.h"

#include <string>

#include "classlib/Form.h"
#include "classlib/OleSession.h"

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The help viewer is loaded on first use, so that a PC without it still
// runs the program. A missing help file is said, not silently shown as
// nothing, over the window the user works in.
HWND RealHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data)
{
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
        HWND active = GetActiveWindow();
        ProgramMessageBox(active ? active : owner,
                          (std::string("Die Hilfedatei wurde nicht gefunden:\n") + file).c_str(), "Information",
                          MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }
    static HtmlHelpFn fn = [] {
        HMODULE lib = LoadLibraryA("hhctrl.ocx");
        return lib ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(lib, "HtmlHelpA")))
                   : nullptr;
    }();
    if (!fn)
        return nullptr;
    EnsureOleInitialized();
    return fn(owner, file, command, data);
}

}  // namespace

ProgramSeams gSeams = [] {
    ProgramSeams s;
    s.reset();
    return s;
}();

void ProgramSeams::reset()
{
    messageBox = [](HWND owner, const char* text, const char* title, UINT flags) {
        return MessageBoxA(owner, text, title, flags);
    };
    runModal = [](TForm* form) { return static_cast<int>(form->ShowModal()); };
    htmlHelp = RealHtmlHelp;
    winHelp = [](HWND owner, const char* file, UINT command, ULONG_PTR data) {
        return WinHelpA(owner, file, command, data);
    };
}

int ProgramMessageBox(HWND owner, const char* text, const char* title, UINT flags)
{
    return gSeams.messageBox(owner, text, title, flags);
}

int RunModalForm(TForm* form) { return gSeams.runModal(form); }
