#pragma once
// Real keyboard and mouse input for a program under test, and waits on what
// its user would see. Input goes through SendInput into the system's input
// queue, so the program meets it as a user's: it reaches the foreground
// window's focus, passes TranslateMessage, dialog navigation, accelerators
// and menu mode, and a click activates the window under the mouse. Posted
// key messages skip all of that.
//
//   Press(VK_F1)                    one key down and up
//   Chord({VK_MENU, 'B'})           keys down in order, up in reverse (Alt+B)
//   TypeText("Müller")              Windows-1252 text as typed characters
//   Click(window, {x, y})           left click at a client point
//   ClickCenter(window)             left click at a window's middle
//
//   Foreground()                    the active top-level window of the desktop
//   FocusWindow()                   the window with the keyboard focus
//   InMenuMode()                    a menu (or the system menu) takes the keys
//   WaitUntil(condition, ms)        polls condition() every 10 ms until it
//                                   holds; false after `ms`
//   UserPause(ms)                   the user does nothing for a while: a step
//                                   of a scenario where time passing matters,
//                                   never a wait for the program
//   InputTaken(process)             waits until the process has taken the
//                                   input sent so far and waits for more
//                                   (for type-ahead into a busy window)
//
// Each input call returns once the input lies in the queue; a test then waits
// on the sight it expects (a window in front, a text, a file), never on a
// fixed time. What a test reads off the windows is in WindowQuery.h.
#include "tests/support/WindowQuery.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace kel::test {

inline INPUT KeyInput(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_RMENU: case VK_RCONTROL:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    return in;
}

inline void SendKey(WORD vk, bool up = false)
{
    INPUT in = KeyInput(vk, up);
    SendInput(1, &in, sizeof in);
}

inline void PressKey(WORD vk)
{
    INPUT in[2] = {KeyInput(vk, false), KeyInput(vk, true)};
    SendInput(2, in, sizeof(INPUT));
}
inline void Press(WORD vk) { PressKey(vk); }

// Keys held together, e.g. {VK_CONTROL, VK_SHIFT, VK_TAB}.
inline void Chord(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> in;
    for (WORD vk : keys)
        in.push_back(KeyInput(vk, false));
    for (auto it = keys.end(); it != keys.begin();)
        in.push_back(KeyInput(*--it, true));
    SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

// Windows-1252 text, one character event per byte.
inline void TypeText(const std::string& text)
{
    std::vector<INPUT> in;
    for (unsigned char c : text) {
        wchar_t wc = 0;
        MultiByteToWideChar(1252, 0, reinterpret_cast<const char*>(&c), 1, &wc, 1);
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = wc;
        i.ki.dwFlags = KEYEVENTF_UNICODE;
        in.push_back(i);
        i.ki.dwFlags |= KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    if (!in.empty())
        SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

// The mouse moved to a screen point, then the left button pressed and let go.
inline void ClickScreen(POINT at)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = LONG((at.x * 65535LL + (w - 1) / 2) / (w - 1));
        i.mi.dy = LONG((at.y * 65535LL + (h - 1) / 2) / (h - 1));
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    in[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof(INPUT));
}

inline void Click(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    ClickScreen(client);
}

inline void ClickCenter(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    ClickScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// Only the mouse moved, to a screen point (hints show where it rests).
inline void MoveMouse(POINT at)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((at.x * 65535LL + (w - 1) / 2) / (w - 1));
    in.mi.dy = LONG((at.y * 65535LL + (h - 1) / 2) / (h - 1));
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
}

inline GUITHREADINFO ForegroundThreadInfo()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(0, &info);
    return info;
}

inline HWND Foreground() { return GetForegroundWindow(); }
inline HWND FocusWindow() { return ForegroundThreadInfo().hwndFocus; }
inline bool InMenuMode() { return (ForegroundThreadInfo().flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE)) != 0; }

template <typename F>
bool WaitUntil(F condition, DWORD ms = 15000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > ms)
            return false;
        Sleep(10);
    }
}

inline void UserPause(DWORD ms) { Sleep(ms); }

// Waits until the process waits for input again after taking what was sent
// so far: a moment for the input to reach its queue, then the process's
// idle signal, which it sets whenever it finds its queue empty.
inline bool InputTaken(HANDLE process, DWORD ms = 5000)
{
    Sleep(5);
    return WaitForInputIdle(process, ms) == 0;
}

}  // namespace kel::test
