#pragma once
// The framework's application object for a test program:
//
//   KEL_TEST_APPLICATION;        at namespace scope: one zApplication for the
//                                whole test program (theApplication is set)
//   TestApplication app;         the same for one test or fixture only
#include "framework/core/zApplication.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace kel::test {

class TestApplication {
public:
    TestApplication()
        : app_(new zApplication(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL))
    {
        theApplication = app_;
    }
    ~TestApplication()
    {
        delete app_;
        theApplication = nullptr;
    }
    TestApplication(const TestApplication&) = delete;
    TestApplication& operator=(const TestApplication&) = delete;

private:
    zApplication* app_;
};

class TestApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = new TestApplication; }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    TestApplication* app_ = nullptr;
};

} // namespace kel::test

#define KEL_TEST_APPLICATION                                                                        \
    static ::testing::Environment* const kel_test_application_env =                                \
        ::testing::AddGlobalTestEnvironment(new ::kel::test::TestApplicationEnvironment)
