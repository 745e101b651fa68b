#pragma once
// The window-test kit: what a test of real windows under Wine needs. All
// names are in kel::test; a step is a kel::test::Step (std::function<void()>).
//
//   KEL_TEST_APPLICATION;        at namespace scope: one zApplication for the
//                                whole test program (theApplication is set)
//   TestApplication app;         the same for one test or fixture only
//   class X : public FrameTest   fixture: an application of its own and a
//                                shown main frame `frame` for each test
//   pump()                       hands on every queued message, also those
//                                that come in a moment late; true when it
//                                took a WM_QUIT
//   pumpUntil(condition, limit)  pumps until condition() holds; false when it
//                                still does not after `limit` (default 5 s):
//                                ASSERT_TRUE(pumpUntil([&] { return ...; }));
//   runModal(dialog, steps)      runs dialog.modal() and, from inside its
//                                loop, each step in turn (one every 20 ms)
//   runModal(call, steps, end)   the same for any call that runs a modal
//                                loop (a form's ShowModal, a message box);
//                                returns what the call returns
//   setMessageStep(step)         how pump() hands on one message (default:
//                                translate and dispatch)
//   childRect(child)             a child window's rectangle in its parent
//
// A modal run's watchdog fails the test and ends the loop (with `end`,
// default WM_QUIT) when it still runs 5 s after its last step; a run that
// ends before all its steps ran fails the test too. A step may start a
// modal run of its own: the outer steps wait until it is over.
//
// Timers of the framework are driven without waiting through the timer
// device: theApplication->timerDev->dispatchAt(GetTickCount() + period).
//
// The portable part (TempDir, FileBytes) is TestFiles.h, included here.
#include "framework/core/zApplication.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zSizer.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <type_traits>
#include <utility>
#include <memory>
#include <vector>

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

#define KEL_TEST_APPLICATION                                                                        \
    static ::testing::Environment* const kel_test_application_env =                                \
        ::testing::AddGlobalTestEnvironment(new ::kel::test::TestApplicationEnvironment)

using MessageStep = void (*)(MSG&);

inline void translateAndDispatch(MSG& msg)
{
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

namespace detail {
inline MessageStep messageStep = translateAndDispatch;

// Hands on what is queued now; true when a WM_QUIT was taken.
inline bool drainQueue(bool* handled = nullptr)
{
    bool quit = false;
    MSG msg;
    // Bounded: a window that keeps posting to itself cannot hang the test.
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (handled)
            *handled = true;
        if (msg.message == WM_QUIT) {
            quit = true;
            continue;
        }
        messageStep(msg);
    }
    return quit;
}
} // namespace detail

inline void setMessageStep(MessageStep step) { detail::messageStep = step ? step : translateAndDispatch; }

inline bool pump()
{
    // Wine passes on what the X server reports a moment after the call
    // that caused it: the queue must stay empty for a few waits.
    bool quit = false;
    for (int quiet = 0; quiet < 3;) {
        bool handled = false;
        quit |= detail::drainQueue(&handled);
        if (handled) {
            quiet = 0;
        } else {
            ++quiet;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    return quit;
}

inline bool pumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        detail::drainQueue();
    }
    return true;
}

using Step = std::function<void()>;

namespace detail {
struct ModalScript {
    std::vector<Step> steps;
    std::function<void()> end;
    size_t next = 0;
    bool busy = false;
    std::chrono::steady_clock::time_point idleSince = std::chrono::steady_clock::now();
};
inline std::map<UINT_PTR, ModalScript*> modalScripts;
constexpr std::chrono::seconds modalWatchdog{5};

inline void CALLBACK modalTick(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = modalScripts.find(id);
    if (it == modalScripts.end() || it->second->busy)
        return;
    ModalScript& script = *it->second;
    if (script.next < script.steps.size()) {
        // A step that starts a modal run of its own stays busy until it
        // is over; the ticks meanwhile belong to the inner run.
        script.busy = true;
        const Step& step = script.steps[script.next++];
        step();
        script.busy = false;
        script.idleSince = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - script.idleSince > modalWatchdog) {
        ADD_FAILURE() << "the modal run did not end after its last step";
        script.idleSince = std::chrono::steady_clock::now();
        script.end();
    }
}
} // namespace detail

template <class Run>
    requires std::is_invocable_v<Run&>
decltype(auto) runModal(Run&& run, std::vector<Step> steps, std::function<void()> end = [] { PostQuitMessage(0); })
{
    detail::ModalScript script{std::move(steps), std::move(end)};
    const UINT_PTR id = SetTimer(nullptr, 0, 20, detail::modalTick);
    detail::modalScripts[id] = &script;
    struct Finish {
        UINT_PTR id;
        detail::ModalScript& script;
        ~Finish()
        {
            KillTimer(nullptr, id);
            detail::modalScripts.erase(id);
            if (script.next < script.steps.size())
                ADD_FAILURE() << "the modal run ended before step " << script.next + 1 << " of "
                              << script.steps.size();
        }
    } finish{id, script};
    return run();
}

template <class Dialog>
    requires requires(Dialog& d) { d.modal(); }
void runModal(Dialog& dialog, std::vector<Step> steps)
{
    runModal([&dialog] { dialog.modal(); }, std::move(steps));
}

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

inline RECT childRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace kel::test
