#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/WindowTest.h"
#include "framework/core/zBitmapPane.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTabCtrl.h"

using kel::test::pump;

namespace {

TEST(RichControls, ConstructorsMakeControlWindows)
{
    kel::test::TestApplication app;
    zFrameWin* frame = new zFrameWin(new zSizer(10, 10, 300, 200), WS_OVERLAPPEDWINDOW, "Controls");
    ASSERT_TRUE(frame->create());
    auto sz = [&] { return new zSizer(5, 5, 50, 20, frame->sizer()); };
    const DWORD style = WS_VISIBLE | WS_BORDER | 0x23;

    auto* bitmapPane = new zBitmapPane(frame, sz(), style, "M", 5);
    ASSERT_NE(bitmapPane->handle(), nullptr);
    EXPECT_TRUE(bitmapPane->isKind(zKindPane));
    EXPECT_EQ(GetWindowLongA(bitmapPane->handle(), GWL_STYLE) & WS_BORDER, WS_BORDER);
    EXPECT_EQ(bitmapPane->bitmap(), nullptr);

    auto* tabs = new zTabCtrl(frame, sz(), style, "Reiter", 7);
    EXPECT_EQ(tabs->style() & WS_TABSTOP, WS_TABSTOP);
    EXPECT_EQ(SendMessageA(tabs->handle(), WM_GETDLGCODE, 0, 0), 129);  // a pane control

    delete frame;
    pump();
}

}  // namespace
