// The entry grid under Wine: one full repaint of a 13 x 10 grid (13
// athletes, name, birth year, class and 7 disciplines) into a memory
// display, and one keystroke (WM_CHAR through the window procedure, the
// open cell editor and the repaint of its cell on the window).
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/windows/DisziFlagTable.h"
#include "app/windows/EditSchueler.h"
#include "framework/core/zApplication.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zBitmapDisplay.h"
#include "framework/core/zFrameWin.h"
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

// A loaded event with one class of 13 athletes and 7 disciplines, a team
// with every row filled, and its grid in a frame.
struct Scene {
    EventState event;
    zFrameWin* frame = nullptr;
    EditSchueler* grid = nullptr;

    Scene()
    {
        theApplication = new zApplication(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
        auto def = std::make_unique<EventDefinition>();
        std::memset(def.get(), 0, sizeof *def);
        def->classCount = 1;
        ClassRecord& c = def->classes[0];
        SetFieldText(c.name, "WK II");
        c.athletesPerTeam = 13;
        c.disciplineCount = 7;
        c.oldestYear = c.youngestYear = 50;
        c.teamPlaces = 20;
        for (int k = 0; k < 7; ++k) {
            DisciplineRecord& d = def->disciplines[0][k];
            char shortName[4] = {'D', char('1' + k), 0, 0};
            SetFieldText(d.shortName, shortName);
            SetFieldText(d.mask, "99','99");
            d.type = k == 6 ? 4 : 1;
        }
        event.classBounds[0][0] = event.classBounds[0][1] = 50;
        event.eventDef = std::move(def);
        event.eventName = "\\GRIDBENCH.";
        event.eventLoaded = 1;
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        event.settings.veranstDir = std::string(temp) + "kelvora-grid-bench";
        CreateDirectoryA(event.settings.veranstDir.c_str(), nullptr);
        CreateBlankDataFiles(event);
        event.memory = std::make_unique<Memory>(event);
        for (int m = 0; m < 13; ++m) {
            AthleteRecord* a = event.memory->getAthlete(0, 0, m);
            SetFieldText(a->name, ("Mustermann-Schröder, Maximilian " + std::to_string(m)).c_str());
            SetFieldText(a->JG, "96");
            SetFieldText(a->schoolClass, "10b");
            a->mask = 0x7F;
            for (int k = 0; k < 7; ++k)
                a->Leistung[k] = k == 6 ? m % 8 + 1 : 1000 + 37 * m + k;
        }
        frame = new zFrameWin(new zSizer(10, 10, 980, 420), WS_OVERLAPPEDWINDOW, "Benchmark");
        frame->create();
        frame->show(SW_SHOWNORMAL);
        grid = new EditSchueler(frame, new zSizer(0, 0, 960, 380, frame->sizer()), event, 10, 13, 0);
        for (int col = 3; col < 10; ++col)
            grid->setColumnWidth(col, 80);
        grid->show(SW_SHOW);
        grid->loadTable(0);
        pump();
    }
    ~Scene()
    {
        delete frame;
        event.memory.reset();
        delete theApplication;
        theApplication = nullptr;
    }
};

Scene& scene()
{
    static Scene s;
    return s;
}

void BM_FullRepaintIntoMemoryDisplay(benchmark::State& state)
{
    EditSchueler* grid = scene().grid;
    RECT rc;
    GetClientRect(grid->handle(), &rc);
    auto* bitmapDisplay = new zBitmapDisplay(new zBitmap(rc.right, rc.bottom, grid->display()));
    grid->pushDisplay(bitmapDisplay);
    for (auto _ : state)
        benchmark::DoNotOptimize(grid->draw(nullptr));
    grid->popDisplay();
    delete bitmapDisplay;
    state.counters["cells"] = 13 * 10;
}
BENCHMARK(BM_FullRepaintIntoMemoryDisplay)->Unit(benchmark::kMicrosecond);

// Typing into an open name cell: a letter, then Backspace, so the text
// keeps its length; each is one keystroke.
void BM_KeystrokeName(benchmark::State& state)
{
    EditSchueler* grid = scene().grid;
    grid->setCurrent(0, 3);
    SendMessageA(grid->handle(), WM_CHAR, 'M', 1);
    bool letter = true;
    for (auto _ : state) {
        SendMessageA(grid->handle(), WM_CHAR, letter ? 'a' : '\b', 1);
        letter = !letter;
    }
    SendMessageA(grid->handle(), WM_CHAR, VK_ESCAPE, 1);
    pump();
}
BENCHMARK(BM_KeystrokeName)->Unit(benchmark::kMicrosecond);

// Typing into an open discipline cell: a digit overwrites the template,
// then Home goes back; each is one keystroke.
void BM_KeystrokeDiscipline(benchmark::State& state)
{
    EditSchueler* grid = scene().grid;
    grid->setCurrent(4, 2);
    SendMessageA(grid->handle(), WM_CHAR, '1', 1);
    bool digit = true;
    for (auto _ : state) {
        if (digit)
            SendMessageA(grid->handle(), WM_CHAR, '7', 1);
        else
            SendMessageA(grid->handle(), WM_KEYDOWN, VK_HOME, 1 | (1 << 24));
        digit = !digit;
    }
    SendMessageA(grid->handle(), WM_CHAR, VK_ESCAPE, 1);
    pump();
    state.SetLabel("a digit or the Home key, alternating");
}
BENCHMARK(BM_KeystrokeDiscipline)->Unit(benchmark::kMicrosecond);

// For comparison, what hiding and showing the system caret around the
// drawing of a cell costs (two wineserver requests, two drawings on a
// display of its own and a timer): the grid draws its own caret instead.
void BM_ReferenceCaretHideShow(benchmark::State& state)
{
    HWND h = scene().grid->handle();
    SetFocus(h);
    CreateCaret(h, nullptr, 1, 14);
    ShowCaret(h);
    for (auto _ : state) {
        HideCaret(h);
        ShowCaret(h);
    }
    DestroyCaret();
}
BENCHMARK(BM_ReferenceCaretHideShow)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
