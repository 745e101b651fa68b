// The table control under Wine: one full repaint of a table showing 30 rows
// of 10 cells into a memory display, on a model of 1,000 rows and on one of
// 1,000,000 rows. Painting visits only what is visible, so both should cost
// the same.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "framework/core/zApplication.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zBitmapDisplay.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zSizer.h"
#include "framework/tables/zTable.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableSmallModel.h"

namespace {

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A model of the given rows: the 30 x 10 cells on screen filled, and one
// cell in every hundredth row further down.
zTableSmallModel* makeModel(uint32_t rows)
{
    auto* m = new zTableSmallModel(10, rows);
    for (uint32_t r = 1; r <= 30; ++r)
        for (uint32_t c = 1; c <= 10; ++c)
            delete m->setCellText({c, r}, c == 1 ? ("Schüler " + std::to_string(r)).c_str() : std::to_string(r * c).c_str());
    for (uint32_t r = 100; r <= rows; r += 100)
        delete m->setCellText({1, r}, "x");
    return m;
}

struct Scene {
    zFrameWin* frame = nullptr;
    zTable* table = nullptr;
    std::unique_ptr<zTableSmallModel> small, large;

    Scene()
    {
        theApplication = new zApplication(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
        frame = new zFrameWin(new zSizer(10, 10, 760, 640), WS_OVERLAPPEDWINDOW, "Benchmark");
        frame->create();
        frame->show(SW_SHOWNORMAL);
        // 10 columns of 60 plus a header of 50; 30 rows of 18 plus a header of 18.
        table = new zTable(frame, new zSizer(0, 0, 650 + GetSystemMetrics(SM_CXVSCROLL) + 1,
                                             31 * 18 + GetSystemMetrics(SM_CYHSCROLL) + 1, frame->sizer()),
                           WS_VISIBLE, "", 1);
        table->show(SW_SHOW);
        pump();
        table->defaultColumnWidth = 60;
        table->defaultRowHeight = 18;
        table->setHeaderSize(50, 18);
        small.reset(makeModel(1000));
        large.reset(makeModel(1000000));
    }
    ~Scene()
    {
        table->setModel(new zTableSmallModel(1, 1), 1);  // the scene's models are not the table's
        delete frame;
        delete theApplication;
        theApplication = nullptr;
    }
};

Scene& scene()
{
    static Scene s;
    return s;
}

void BM_TableRepaint(benchmark::State& state)
{
    Scene& s = scene();
    zTable* table = s.table;
    table->setModel(state.range(0) == 1000 ? s.small.get() : s.large.get());
    table->relayout();
    pump();
    RECT rc;
    GetClientRect(table->handle(), &rc);
    auto* memory = new zBitmapDisplay(new zBitmap(rc.right, rc.bottom, table->display()));
    table->pushDisplay(memory);
    table->draw(nullptr);  // the first paint after a layout lays out in full
    for (auto _ : state)
        benchmark::DoNotOptimize(table->draw(nullptr));
    table->popDisplay();
    delete memory;
    state.counters["cells"] = double(table->visible.lastRow - table->visible.firstRow + 1) *
                              double(table->visible.lastColumn - table->visible.firstColumn + 1);
}
BENCHMARK(BM_TableRepaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
