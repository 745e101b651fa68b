#pragma once
// The window-test kit: what a test of real windows under Wine needs, in one
// include. All names are in kel::test.
//
//   TestApplication.h            the framework's application object
//                                (KEL_TEST_APPLICATION, TestApplication)
//   MessagePump.h                pump(), pumpUntil(condition), setMessageStep
//   ModalRun.h                   runModal(dialog or call, steps)
//   WindowQuery.h                WindowText, ControlText, ClassOf, childRect
//   TestFiles.h                  TempDir, FileBytes
//
// and the fixture
//
//   class X : public FrameTest   an application of its own and a shown main
//                                frame `frame` for each test
//
// Beside it: MessageInput.h (keys, text and clicks as window messages),
// RealInput.h (input through the system's input queue), VirtualClock.h
// (framework timers on a clock the test moves), FormTest.h (the class
// library's forms), PrinterDevice.h (printing into a file).
#include "framework/core/zFrameWin.h"
#include "framework/core/zSizer.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ModalRun.h"
#include "tests/support/TestApplication.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowQuery.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

namespace kel::test {

// A fresh application and a shown main frame for each test.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app_ = std::make_unique<TestApplication>();
        frame = new zFrameWin(new zSizer(50, 50, 500, 400), WS_OVERLAPPEDWINDOW, "Hauptfenster");
        frame->create();
        frame->show(SW_SHOWNORMAL);
        pump();
    }
    void TearDown() override
    {
        pump();
        delete frame;
        frame = nullptr;
        pump();
        app_.reset();
    }

    zFrameWin* frame = nullptr;

private:
    std::unique_ptr<TestApplication> app_;
};

} // namespace kel::test
