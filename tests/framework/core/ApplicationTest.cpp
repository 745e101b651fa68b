#include <vector>

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
            zApp->quit();
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
    EXPECT_EQ(zApp->fontWeight(), 400);
    zApp->setFontWeight(700);
    EXPECT_EQ(zApp->fontWeight(), 700);
    zApp->setFontWeight(-1);
    EXPECT_EQ(zApp->fontWeight(), 400);
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
            zApp->run();
            log.push_back(zApp->exitCode);
            PostQuitMessage(3);
            return 1;
        }
    } starter;
    zApp->taskDev->add(&starter, zTask(&Starter::start));
    zApp->run();
    EXPECT_EQ(starter.log, (std::vector<int>{1, 7}));
    EXPECT_EQ(zApp->exitCode, 3);
    EXPECT_EQ(zApp->taskDev->waiting(), 0);
}

TEST(zApplication, IdleTaskRunsUntilItIsFinished)
{
    Counter c;
    c.finishAfter = 3;
    zApp->taskDev->add(&c, zTask(&Counter::task));
    EXPECT_EQ(zApp->taskDev->waiting(), 1);
    zApp->run();
    EXPECT_EQ(c.calls, 3);
    EXPECT_EQ(zApp->taskDev->waiting(), 0);

    // A task finished on its first call runs exactly once.
    Counter once;
    zApp->taskDev->add(&once, zTask(&Counter::task));
    zApp->run();
    EXPECT_EQ(once.calls, 1);
    EXPECT_EQ(zApp->taskDev->waiting(), 0);

    // A disabled device runs no idle pass.
    Counter idle;
    idle.finishAfter = 100;
    zApp->taskDev->add(&idle, zTask(&Counter::task));
    zApp->taskDev->setEnabled(false);
    zApp->taskDev->run();
    EXPECT_EQ(idle.calls, 0);
    zApp->taskDev->setEnabled(true);
    idle.finishAfter = 1;
    zApp->taskDev->run();
    EXPECT_EQ(zApp->taskDev->waiting(), 0);
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
    ASSERT_NE(zApp->timerDev, nullptr);
    EXPECT_EQ(zApp->timerDev->systemTimerId(), 1u);

    timer.lastTime = 0xFFFFFF00u; // 256 ms before the counter wraps
    zApp->timerDev->dispatchAt(0xFFFFFFF0u);
    EXPECT_EQ(log.fired, 0);
    zApp->timerDev->dispatchAt(0x000000F3u); // 499 ms later
    EXPECT_EQ(log.fired, 0);
    zApp->timerDev->dispatchAt(0x000000F4u); // 500 ms: due
    EXPECT_EQ(log.fired, 1);
    EXPECT_EQ(timer.lastTime, 0xF4u);
    zApp->timerDev->dispatchAt(0x000001F0u);
    EXPECT_EQ(log.fired, 1);
}

TEST(zTimer, RealTicksDriveTimersAndATimerMayDeleteItself)
{
    zFrameWin frame(nullptr, nullptr, WS_OVERLAPPEDWINDOW, "Uhr");
    ASSERT_TRUE(frame.create());
    TimerLog log;
    auto* timer = new zTimer(&log, zTask(&TimerLog::tick), 150);
    log.selfDelete = timer;
    TimerLog other;
    zTimer keeps(&other, zTask(&TimerLog::tick), 50);
    const DWORD start = GetTickCount();
    // Five calls of the 50 ms timer take five 100 ms ticks; by then the
    // 150 ms timer has been due twice.
    ASSERT_TRUE(kel::test::pumpUntil([&] { return other.fired >= 5; }));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(log.fired, 1); // deleted itself on its first firing
    // At most one call per tick, however short the period.
    EXPECT_LE(other.fired, static_cast<int>(elapsed / 100) + 1);
}

namespace {
struct CommandLog : zEvH {
    std::vector<WPARAM> seen;
    int onCommand(zEvent* ev)
    {
        seen.push_back(ev->wParam);
        zApp->quit();
        return 1;
    }
};
} // namespace

TEST(zApplication, AcceleratorsAreTranslatedWhileTheMainFrameIsEnabled)
{
    zFrameWin frame(nullptr, nullptr, WS_OVERLAPPEDWINDOW, "Meldung");
    ASSERT_TRUE(frame.create());
    zFrameWin* savedMain = zApp->mainFrame;
    zApp->mainFrame = &frame;
    ASSERT_EQ(zApp->loadAccel(zResId(200)), 1);

    CommandLog log;
    frame.addCommand(1001, &log, zProc(&CommandLog::onCommand));
    PostMessageA(frame.handle(), WM_KEYDOWN, VK_F1, 0x003B0001);
    zApp->run();
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(LOWORD(log.seen[0]), 1001);
    EXPECT_EQ(HIWORD(log.seen[0]), 1); // from an accelerator

    frame.disable();
    PostMessageA(frame.handle(), WM_KEYDOWN, VK_F1, 0x003B0001);
    PostQuitMessage(0);
    zApp->run();
    EXPECT_EQ(log.seen.size(), 1u);
    frame.enable();

    zApp->mainFrame = savedMain;
    DestroyAcceleratorTable(zApp->accelTable);
    zApp->accelTable = nullptr;
}

TEST(zResId, MissingLibraryLoadsNothing)
{
    HACCEL before = zApp->accelTable;
    EXPECT_EQ(zApp->loadAccel(zResId(200, "gibtesnicht.dll")), 0);
    EXPECT_EQ(zApp->accelTable, nullptr);
    EXPECT_EQ(zApp->loadAccel(zResId(999)), 0);
    zApp->accelTable = before;
}

TEST(zResId, LoadsFromANamedLibrary)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    HACCEL before = zApp->accelTable;
    ASSERT_EQ(zApp->loadAccel(zResId(200, path)), 1); // this program as the library
    DestroyAcceleratorTable(zApp->accelTable);
    zApp->accelTable = before;

    zResId copy = zResId(200, path);
    EXPECT_STREQ(copy.library(), path);
    EXPECT_EQ(zResId(200).library(), nullptr);
    EXPECT_EQ(zResId(200, nullptr).library(), nullptr); // no resource library set
}
