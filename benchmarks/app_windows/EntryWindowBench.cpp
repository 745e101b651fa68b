// The entry window under Wine, in the main frame, on an event whose first
// class has all 20 teams with 13 athletes each: opening the window (its
// 20 tabs, the grid of the first team, shown maximised and painted) and
// switching between two school tabs (the grid stored into the team shown,
// the next team loaded and painted).
#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/Meldefehler.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/PrintManager.h"
#include "app/windows/DisziFlagTable.h"
#include "app/windows/MeldeWin.h"
#include "app/windows/NotebookPane.h"
#include "app/windows/QuanteloApp.h"
#include "framework/core/zApplication.h"
#include "framework/core/zSizer.h"

namespace {

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string Fixture(const std::string& relative)
{
    const char* root = std::getenv("KEL_FIXTURES");
    std::string p = std::string(root ? root : "fixtures") + "/" + relative;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p[0] == '\\' ? "Z:" + p : p;
}

struct Scene {
    EventState event;
    PrintState print;
    QuanteloApp* frame = nullptr;
    bool ready = false;

    Scene()
    {
        theApplication = new zApplication(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        const std::string dir = std::string(temp) + "kelvora-window-bench\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        BuildProgramPaths(event.settings, dir);
        CreateDirectoryA(event.settings.treiberDir.c_str(), nullptr);
        CreateDirectoryA(event.settings.veranstDir.c_str(), nullptr);
        CopyFileA(Fixture("full/treiber/KREIS2010.JTFO").c_str(),
                  (event.settings.treiberDir + "\\KREIS2010.JTFO").c_str(), FALSE);
        for (const char* ext : {".SDA", ".MDA", ".STF"})
            CopyFileA(Fixture(std::string("full/veranst/KREIS2010") + ext).c_str(),
                      (event.settings.veranstDir + "\\KREIS2010" + ext).c_str(), FALSE);
        event.meldefehler = std::make_unique<Meldefehler>();
        frame = new QuanteloApp(nullptr, new zSizer(0, 0, 1000, 700), WS_OVERLAPPEDWINDOW, "Benchmark", event, print);
        frame->show(SW_SHOWNORMAL);
        ready = ListEventFiles(event) == 1 && LoadEventFile(event, event.eventList[0], 0) == 1 &&
                ReloadSettings(event) == 1;
        pump();
    }
};

Scene& scene()
{
    static Scene s;
    return s;
}

void BM_OpenEntryWindowOf20Teams(benchmark::State& state)
{
    Scene& s = scene();
    if (!s.ready) {
        state.SkipWithError("event not loaded");
        return;
    }
    // The phases' wall time, in milliseconds per opening.
    double made = 0, shown = 0, painted = 0;
    LARGE_INTEGER freq, t0, t1, t2, t3;
    QueryPerformanceFrequency(&freq);
    const auto ms = [&](const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
        return 1000.0 * double(b.QuadPart - a.QuadPart) / double(freq.QuadPart);
    };
    for (auto _ : state) {
        QueryPerformanceCounter(&t0);
        auto* w = new MeldeWin(s.frame, s.event, 0);
        QueryPerformanceCounter(&t1);
        w->show(SW_SHOWMAXIMIZED);
        QueryPerformanceCounter(&t2);
        UpdateWindow(w->handle());
        pump();
        QueryPerformanceCounter(&t3);
        made += ms(t0, t1);
        shown += ms(t1, t2);
        painted += ms(t2, t3);
        state.PauseTiming();
        if (w->tabs()->tabCount() != 20)
            state.SkipWithError("not 20 tabs");
        delete w;
        pump();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["made_ms"] = made / n;
    state.counters["shown_ms"] = shown / n;
    state.counters["painted_ms"] = painted / n;
}
BENCHMARK(BM_OpenEntryWindowOf20Teams)->Unit(benchmark::kMillisecond);

void BM_SwitchBetweenTwoTabs(benchmark::State& state)
{
    Scene& s = scene();
    if (!s.ready) {
        state.SkipWithError("event not loaded");
        return;
    }
    auto* w = new MeldeWin(s.frame, s.event, 0);
    w->show(SW_SHOWMAXIMIZED);
    pump();
    int32_t tab = 0;
    for (auto _ : state) {
        tab = 1 - tab;
        w->tabs()->selectTab(tab);
        UpdateWindow(w->handle());
        pump();
    }
    if (w->currentTeam() != tab)
        state.SkipWithError("the tab change did not reach the window");
    delete w;
    pump();
}
BENCHMARK(BM_SwitchBetweenTwoTabs)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
