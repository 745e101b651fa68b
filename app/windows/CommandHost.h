#pragma once
// What the main frame's commands ask of the window they run in: the owner
// of their message boxes, a modal run with a hint in the status line, and
// the entry windows, which that window owns.
#include <windows.h>

#include <cstdint>
#include <functional>

class CommandHost {
public:
    // The window that owns the commands' message boxes.
    virtual HWND owner() const = 0;
    // Shows `hint` in the status line while `run` runs (a modal form), puts
    // the previous text back after it and answers what `run` answered.
    virtual int runWithHint(const char* hint, const std::function<int()>& run) = 0;
    // Activates, saves and closes every open entry window.
    virtual void closeEntryWindows() = 0;
    // Opens the entry window of competition class `cls` (0 to 11), or brings
    // the open one to the front and restores it when it is minimised.
    virtual void openEntryWindow(int32_t cls) = 0;

protected:
    ~CommandHost() = default;
};

// The hint shown while a dialog is open.
inline constexpr const char* kDialogHint = "Klicken Sie auf OK oder drücken ENTER, um die Dialogbox zu schließen.";
