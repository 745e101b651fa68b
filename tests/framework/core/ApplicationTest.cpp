#include <vector>

#include "tests/support/VirtualClock.h"
#include "tests/support/WindowTest.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zResId.h"
#include "framework/core/zTaskDev.h"
#include "framework/core/zTimer.h"

KEL_TEST_APPLICATION;

namespace {

struct Counter : zEvH {
    int calls = 0;
    int finishAfter = 1;
    int task()
    {
        ++calls;
        if (calls == finishAfter)
            theApplication->quit();
        return calls >= finishAfter;
    }
};

struct Nested : zEvH {
    int depth = 0;
    int innerResult = -1;
    int onTimerMsg(zEvent*)
    {
        return 0;
    }
};

} // namespace

TEST(zApplication, DefaultsAndFontWeight)
{
    EXPECT_EQ(theApplication->fontWeight(), 400);
    theApplication->setFontWeight(700);
    EXPECT_EQ(theApplication->fontWeight(), 700);
    theApplication->setFontWeight(-1);
    EXPECT_EQ(theApplication->fontWeight(), 400);
    EXPECT_GT(zScreenPixelsX, 0);
}

TEST(zApplication, NestedRunsEndOnTheirOwnQuit)
{
    // The outer loop starts a nested loop from a posted message; the nested
    // loop ends on its quit, the outer one goes on until its own.
    struct Starter : zEvH {
        std::vector<int> log;
        int start()
        {
            log.push_back(1);
            PostQuitMessage(7);
            theApplication->run();
            log.push_back(theApplication->exitCode);
            PostQuitMessage(3);
            return 1;
        }
    } starter;
    theApplication->taskDev->add(&starter, zTask(&Starter::start));
    theApplication->run();
    EXPECT_EQ(starter.log, (std::vector<int>{1, 7}));
    EXPECT_EQ(theApplication->exitCode, 3);
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);
}

TEST(zApplication, IdleTaskRunsUntilItIsFinished)
{
    Counter c;
    c.finishAfter = 3;
    theApplication->taskDev->add(&c, zTask(&Counter::task));
    EXPECT_EQ(theApplication->taskDev->waiting(), 1);
    theApplication->run();
    EXPECT_EQ(c.calls, 3);
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);

    // A task finished on its first call runs exactly once.
    Counter once;
    theApplication->taskDev->add(&once, zTask(&Counter::task));
    theApplication->run();
    EXPECT_EQ(once.calls, 1);
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);

    // A disabled device runs no idle pass.
    Counter idle;
    idle.finishAfter = 100;
    theApplication->taskDev->add(&idle, zTask(&Counter::task));
    theApplication->taskDev->setEnabled(false);
    theApplication->taskDev->run();
    EXPECT_EQ(idle.calls, 0);
    theApplication->taskDev->setEnabled(true);
    idle.finishAfter = 1;
    theApplication->taskDev->run();
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);
    kel::test::pump();
}

namespace {
struct TimerLog : zEvH {
    int fired = 0;
    zTimer* selfDelete = nullptr;
    int tick()
    {
        ++fired;
        if (selfDelete) {
            delete selfDelete;
            selfDelete = nullptr;
        }
        return 1;
    }
};
} // namespace

TEST(zTimer, FiresAtItsPeriodAcrossTheTickWrap)
{
    zFrameWin frame(nullptr, nullptr, WS_OVERLAPPEDWINDOW, "Uhr");
    ASSERT_TRUE(frame.create());
    TimerLog log;
    zTimer timer(&log, zTask(&TimerLog::tick), 500);
    ASSERT_NE(theApplication->timerDev, nullptr);
    EXPECT_EQ(theApplication->timerDev->systemTimerId(), 1u);

    timer.lastTime = 0xFFFFFF00u; // 256 ms before the counter wraps
    theApplication->timerDev->dispatchAt(0xFFFFFFF0u);
    EXPECT_EQ(log.fired, 0);
    theApplication->timerDev->dispatchAt(0x000000F3u); // 499 ms later
    EXPECT_EQ(log.fired, 0);
    theApplication->timerDev->dispatchAt(0x000000F4u); // 500 ms: due
    EXPECT_EQ(log.fired, 1);
    EXPECT_EQ(timer.lastTime, 0xF4u);
    theApplication->timerDev->dispatchAt(0x000001F0u);
    EXPECT_EQ(log.fired, 1);
}

TEST(zTimer, TicksOfTheSystemTimerDriveTimersAndATimerMayDeleteItself)
{
    zFrameWin frame(nullptr, nullptr, WS_OVERLAPPEDWINDOW, "Uhr");
    ASSERT_TRUE(frame.create());
    kel::test::VirtualClock clock;
    TimerLog log;
    auto* timer = new zTimer(&log, zTask(&TimerLog::tick), 150);
    log.selfDelete = timer;
    TimerLog other;
    zTimer keeps(&other, zTask(&TimerLog::tick), 50);
    ASSERT_NE(theApplication->timerDev->systemTimerId(), 0u);
    // Five ticks of the system timer, 100 ms apart, reach the timers
    // through the frame's WM_TIMER; by then the 150 ms timer has been due
    // twice.
    for (int tick = 0; tick < 5; ++tick) {
        clock.pass(100);
        SendMessageA(frame.handle(), WM_TIMER, theApplication->timerDev->systemTimerId(), 0);
    }
    EXPECT_EQ(log.fired, 1); // deleted itself on its first firing
    // One call per tick, however short the period.
    EXPECT_EQ(other.fired, 5);
}

namespace {
struct CommandLog : zEvH {
    std::vector<WPARAM> seen;
    int onCommand(zEvent* ev)
    {
        seen.push_back(ev->wParam);
        theApplication->quit();
        return 1;
    }
};
} // namespace

TEST(zApplication, AcceleratorsAreTranslatedWhileTheMainFrameIsEnabled)
{
    zFrameWin frame(nullptr, nullptr, WS_OVERLAPPEDWINDOW, "Meldung");
    ASSERT_TRUE(frame.create());
    zFrameWin* savedMain = theApplication->mainFrame;
    theApplication->mainFrame = &frame;
    ASSERT_EQ(theApplication->loadAccel(zResId(200)), 1);

    CommandLog log;
    frame.addCommand(1001, &log, zProc(&CommandLog::onCommand));
    PostMessageA(frame.handle(), WM_KEYDOWN, VK_F1, 0x003B0001);
    theApplication->run();
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(LOWORD(log.seen[0]), 1001);
    EXPECT_EQ(HIWORD(log.seen[0]), 1); // from an accelerator

    frame.disable();
    PostMessageA(frame.handle(), WM_KEYDOWN, VK_F1, 0x003B0001);
    PostQuitMessage(0);
    theApplication->run();
    EXPECT_EQ(log.seen.size(), 1u);
    frame.enable();

    theApplication->mainFrame = savedMain;
    DestroyAcceleratorTable(theApplication->accelTable);
    theApplication->accelTable = nullptr;
}

TEST(zResId, MissingLibraryLoadsNothing)
{
    HACCEL before = theApplication->accelTable;
    EXPECT_EQ(theApplication->loadAccel(zResId(200, "gibtesnicht.dll")), 0);
    EXPECT_EQ(theApplication->accelTable, nullptr);
    EXPECT_EQ(theApplication->loadAccel(zResId(999)), 0);
    theApplication->accelTable = before;
}

TEST(zResId, LoadsFromANamedLibrary)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    HACCEL before = theApplication->accelTable;
    ASSERT_EQ(theApplication->loadAccel(zResId(200, path)), 1); // this program as the library
    DestroyAcceleratorTable(theApplication->accelTable);
    theApplication->accelTable = before;

    zResId copy = zResId(200, path);
    EXPECT_STREQ(copy.library(), path);
    EXPECT_EQ(zResId(200).library(), nullptr);
    EXPECT_EQ(zResId(200, nullptr).library(), nullptr); // no resource library set
}
