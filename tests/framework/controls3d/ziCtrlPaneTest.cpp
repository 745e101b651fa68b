// The "VisualCtrl" procedure is the framework's one routing with the 3-D
// control's differences.
#include <windows.h>

#include <gtest/gtest.h>

#include "Controls3dTestSupport.h"
#include "framework/controls3d/zCheckBox3d.h"
#include "framework/core/zScrollInfo.h"

KEL_TEST_APPLICATION;

namespace {

TEST(VisualCtrlRouting, MouseMoveShowsTheControlsCursorWhenItHasOne)
{
    RecordingFrame frame;
    auto* box = new zCheckBox3d(&frame, new zSizer(10, 10, 120, 20, frame.sizer()), BS_AUTOCHECKBOX, "Foto", 5);
    const HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    box->setCursor(zCursor(IDC_CROSS));
    SendMessageA(box->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(GetCursor(), cross);
    // A cursor that could not be loaded leaves the current one on screen.
    box->setCursor(zCursor(zResId(9999)));
    ASSERT_EQ(box->cursor().handle(), nullptr);
    SendMessageA(box->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(GetCursor(), cross);
}

TEST(VisualCtrlRouting, ScrollMessagesMoveTheControlsScrollState)
{
    RecordingFrame frame;
    auto* box = new zCheckBox3d(&frame, new zSizer(10, 10, 120, 20, frame.sizer()), BS_AUTOCHECKBOX, "Foto", 5);
    box->vertScroll() = new zScrollInfoVert(box);
    box->vertScroll()->setRange(0, 50);
    SendMessageA(box->handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), 0);
    SendMessageA(box->handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(box->vertScroll()->pos(), 29);
}

}  // namespace
