// An application object and a main frame for window tests, and a pump that
// runs the queued messages.
#pragma once

#include "framework/core/zApplication.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zSizer.h"

#include <gtest/gtest.h>
#include <windows.h>

class FrameworkTest : public testing::Test {
protected:
    void SetUp() override
    {
        app = new zApplication(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
        zApp = app;
        frame = new zFrameWin(new zSizer(50, 50, 500, 400), WS_OVERLAPPEDWINDOW, "Hauptfenster");
        frame->create();
        frame->show(SW_SHOWNORMAL);
        pump();
    }
    void TearDown() override
    {
        pump();
        delete frame;
        pump();
        delete app;
        zApp = nullptr;
    }
    static void pump()
    {
        MSG msg;
        for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (msg.message == WM_QUIT)
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    zApplication* app = nullptr;
    zFrameWin* frame = nullptr;
};
