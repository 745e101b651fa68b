#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/WindowTest.h"
#include "framework/core/zBitmapPane.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zProgressBar.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTabCtrl.h"
#include "framework/core/zTablePrintable.h"
#include "framework/core/zTreeCtrl.h"
#include "framework/core/zValueSet.h"

using kel::test::pump;

namespace {

TEST(RichControls, ConstructorsMakeControlWindows)
{
    kel::test::TestApplication app;
    zFrameWin* frame = new zFrameWin(new zSizer(10, 10, 300, 200), WS_OVERLAPPEDWINDOW, "Controls");
    ASSERT_TRUE(frame->create());
    auto sz = [&] { return new zSizer(5, 5, 50, 20, frame->sizer()); };
    const DWORD style = WS_VISIBLE | WS_BORDER | 0x23;

    zWindow* made[] = {
        new zTable(frame, sz(), style, "T", 1),
        new zTablePrintable(frame, sz(), style, "P", 2),
        new zValueSet(frame, sz(), style, "V", 3),
        new zTreeCtrl(frame, sz(), style, "B", 4),
        new zBitmapPane(frame, sz(), style, "M", 5),
    };
    for (zWindow* w : made) {
        ASSERT_NE(w->handle(), nullptr);
        EXPECT_TRUE(w->isKind(zKindPane));
        EXPECT_EQ(GetWindowLongA(w->handle(), GWL_STYLE) & WS_BORDER, WS_BORDER);
    }

    auto* bar = new zProgressBar(frame, sz(), style, "Fortschritt", 6);
    EXPECT_EQ(GetWindowLongA(bar->handle(), GWL_STYLE) & (WS_BORDER | WS_VISIBLE), 0);  // the window gets style 0

    auto* tabs = new zTabCtrl(frame, sz(), style, "Reiter", 7);
    EXPECT_EQ(tabs->style() & WS_TABSTOP, WS_TABSTOP);
    EXPECT_EQ(SendMessageA(tabs->handle(), WM_GETDLGCODE, 0, 0), 129);  // a pane control

    delete frame;
    pump();
}

}  // namespace
