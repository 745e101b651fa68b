#pragma once
// One application object for a window test program, and a message pump.
#include <gtest/gtest.h>

#include "framework/core/zApplication.h"

namespace kel_test {

class ApplicationEnv : public ::testing::Environment {
public:
    void SetUp() override
    {
        zApp = new zApplication(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
    }
    void TearDown() override { delete zApp; }
};

// Dispatches every queued message; true when a WM_QUIT was taken.
inline bool pump()
{
    bool quit = false;
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return quit;
}

} // namespace kel_test

#define KEL_WINDOW_TEST_ENV \
    static ::testing::Environment* const kel_env = ::testing::AddGlobalTestEnvironment(new kel_test::ApplicationEnv)
