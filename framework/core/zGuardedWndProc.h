#pragma once
// The framework's edge to Windows. Windows cannot unwind through its own
// frames: an exception that reached the system from a window procedure
// would end the program and lose what was typed. The framework itself
// answers with return codes, but what it calls (the program's handlers, the
// standard library, the class library below it) may raise.
//
//   zGuardedWndProc(hwnd, msg, work)   the procedure's answer: work(), or 0
//                                      when it threw; a paint message that
//                                      threw is validated so that it does
//                                      not come straight back
//
// Every framework window procedure routes through ziWindowRouting::route,
// which runs the routing so. A caught exception is reported through
// zExceptionReport (by default its text in a message box) and the program
// goes on with the next message. While one report is showing, a further
// exception (a timer or paint handler that keeps failing) is not shown
// again.
#include <windows.h>

#include <utility>

// Reports one caught exception; text is its message, or "Unbekannter
// Fehler" for an exception that carries none. Null: a message box, owned by
// the active window, with the program's name as its caption.
extern void (*zExceptionReport)(const char* text);

// Reports the exception being handled; to be called from a catch block.
void zReportCurrentException() noexcept;

template <class Work>
LRESULT zGuardedWndProc(HWND hwnd, UINT msg, Work&& work) noexcept
{
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        if (msg == WM_PAINT)
            ValidateRect(hwnd, nullptr);
        zReportCurrentException();
        return 0;
    }
}
