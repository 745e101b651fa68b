#pragma once
// What a test reads off windows, its own or another process's:
//
//   WindowText(window)           the window's text as GetWindowText gives it
//                                (of another process: its caption)
//   ControlText(window)          a control's own text (an edit's contents),
//                                asked for with WM_GETTEXT, of any process
//   ClassOf(window)              the window's class name
//   childRect(child)             a child window's rectangle in its parent
#include <windows.h>

#include <string>

namespace kel::test {

inline std::string WindowText(HWND w)
{
    std::string text(size_t(GetWindowTextLengthA(w)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(w, text.data(), int(text.size()))));
    return text;
}

inline std::string ControlText(HWND w)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 5000, &length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutA(w, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(text.data()), SMTO_BLOCK,
                        5000, &got);
    text.resize(got);
    return text;
}

inline std::string ClassOf(HWND w)
{
    char name[256] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

inline RECT childRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace kel::test
