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
//   HoldKeys({VK_MENU})             modifiers down until they stay down
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

#include <algorithm>
#include <cstdio>
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

inline GUITHREADINFO ForegroundThreadInfo()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(0, &info);
    return info;
}

inline bool InMenuMode() { return (ForegroundThreadInfo().flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE)) != 0; }

// The thread of the window in front has taken the input queued so far and
// waited for more at least once: a message sent to it returns only once its
// thread reads its queue, and in between it has had time to go idle.
inline void ForegroundSettled()
{
    HWND front = GetForegroundWindow();
    DWORD pid = 0;
    if (!front || !GetWindowThreadProcessId(front, &pid) || pid == GetCurrentProcessId())
        return;
    for (int i = 0; i < 2; ++i) {
        Sleep(20);
        SendMessageTimeoutA(front, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
    }
}

// Makes the program in front take the X events its last window changes left
// behind. Wine sends a program's X requests (a window shown or hidden, the X
// focus moved) only with its next round trip to the X server, and so learns
// late of a focus change the test has long seen: the late focus-out ends a
// menu opened since, the late focus-in lets go of held keys. A lone Alt puts
// the window in menu mode (its menu bar or its system menu), for which Wine
// grabs the pointer: a round trip that brings in all those events. They end
// the menu mode at once, or Escape does after a moment.
inline void TakeLateFocusEvents()
{
    if (InMenuMode())
        return;
    PressKey(VK_MENU);
    if (!WaitUntil([] { return InMenuMode(); }, 3000))
        return;
    WaitUntil([] { return !InMenuMode(); }, 200);
    for (int i = 0; i < 3 && InMenuMode(); ++i) {
        PressKey(VK_ESCAPE);
        WaitUntil([] { return !InMenuMode(); }, 2000);
    }
    ForegroundSettled();
}

// Modifier keys pressed and kept down, e.g. {VK_MENU}: returns once the
// program in front has taken them and they are still down.
//
// Whenever a window of a program gains the X focus, Wine reads the X
// server's modifier keys and lets go of every modifier the X server does not
// hold. Keys sent by SendInput are unknown to the X server, so an Alt sent
// while the program has not yet taken a focus change is lifted again, and
// the letter after it arrives alone and is typed into the window. Before an
// Alt the late focus events are taken in (TakeLateFocusEvents), and all keys
// are sent again (at most three times) until they stay down.
inline bool HoldKeys(const std::vector<WORD>& held)
{
    auto send = [&](bool up) {
        std::vector<INPUT> in;
        for (WORD vk : held)
            in.push_back(KeyInput(vk, up));
        if (up)
            std::reverse(in.begin(), in.end());
        if (!in.empty())
            SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
    };
    auto stillDown = [&] {
        for (WORD vk : held)
            if (!(GetAsyncKeyState(vk) & 0x8000))
                return false;
        return true;
    };
    if (std::find(held.begin(), held.end(), WORD(VK_MENU)) != held.end())
        TakeLateFocusEvents();
    for (int attempt = 0; attempt < 3; ++attempt) {
        send(false);
        ForegroundSettled();
        if (stillDown())
            return true;
        // Lifted: a lone Alt may have opened the menu bar; leave it.
        std::printf("held keys lifted by a focus change, pressed again\n");
        send(true);
        ForegroundSettled();
        for (int i = 0; i < 3 && InMenuMode(); ++i) {
            PressKey(VK_ESCAPE);
            ForegroundSettled();
        }
    }
    return false;
}

// Keys held together, e.g. {VK_CONTROL, VK_SHIFT, VK_TAB}: all but the last
// are held (HoldKeys), then the last is pressed and all go up in reverse.
inline void Chord(std::initializer_list<WORD> keys)
{
    if (keys.size() == 0)
        return;
    const std::vector<WORD> held(keys.begin(), keys.end() - 1);
    if (!held.empty())
        HoldKeys(held);
    std::vector<INPUT> in{KeyInput(*(keys.end() - 1), false), KeyInput(*(keys.end() - 1), true)};
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        in.push_back(KeyInput(*it, true));
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

inline HWND Foreground() { return GetForegroundWindow(); }
inline HWND FocusWindow() { return ForegroundThreadInfo().hwndFocus; }

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
