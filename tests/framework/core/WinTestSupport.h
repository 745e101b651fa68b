#pragma once
// Shared by the window tests: the application object for one test and a
// message pump.
#include <windows.h>

#include "framework/core/zApplication.h"

struct TestApp {
    zApplication* app;
    TestApp()
    {
        app = new zApplication(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
        zApp = app;
    }
    ~TestApp() { delete app; }
    TestApp(const TestApp&) = delete;
    TestApp& operator=(const TestApp&) = delete;
};

// Dispatches every queued message.
inline void pump()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

// The rectangle of a child window in its parent's client coordinates.
inline RECT childRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}
