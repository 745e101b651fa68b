#include "tests/app/windows/GridTestSupport.h"

#include "app/windows/FlybyHelp.h"
#include "app/windows/InfoButton.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zResId.h"
#include "tests/support/VirtualClock.h"

namespace grid_test {
namespace {

TEST(FlybyHelpPlace, BelowThePointerAndInsideTheFrame)
{
    struct Case {
        const char* what;
        POINT mouse;
        LONG rightEdge;
        RECT expected;
    } cases[] = {
        {"under the pointer", {500, 300}, 1024, {484, 319, 550, 335}},
        {"near the left screen edge", {10, 300}, 1024, {8, 319, 74, 335}},
        {"at x = 17 it still follows the pointer", {17, 300}, 1024, {1, 319, 67, 335}},
        {"near the frame's right edge", {1000, 300}, 1024, {950, 319, 1016, 335}},
    };
    for (const Case& c : cases) {
        const RECT r = FlybyHelp::place(c.mouse, 16, SIZE{60, 14}, c.rightEdge);
        EXPECT_EQ(r.left, c.expected.left) << c.what;
        EXPECT_EQ(r.top, c.expected.top) << c.what;
        EXPECT_EQ(r.right, c.expected.right) << c.what;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.what;
    }
}

class HintButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new zFrameWin(new zSizer(100, 100, 300, 120), WS_OVERLAPPEDWINDOW, "Hinweise");
        frame->create();
        frame->show(SW_SHOWNORMAL);
        button = new InfoButton(frame, new zSizer(10, 10, 25, 25, frame->sizer()), 0x4010, "", 13,
                                new zBitmap(zResId(14)), "Mannschaft speichern");
        button->show(SW_SHOW);
        pump();
    }
    void TearDown() override
    {
        delete frame;
        pump();
    }
    void pointerTo(int x, int y)
    {
        POINT p{x, y};
        ClientToScreen(button->handle(), &p);
        SetCursorPos(p.x, p.y);
        pump();
    }
    COLORREF framePixel()
    {
        HDC dc = GetDC(button->handle());
        const COLORREF c = GetPixel(dc, 1, 5);
        ReleaseDC(button->handle(), dc);
        return c;
    }
    zFrameWin* frame = nullptr;
    InfoButton* button = nullptr;
    kel::test::VirtualClock clock;
};

TEST_F(HintButtonTest, FrameShowsWhileThePointerRestsAndGoesWithinATick)
{
    pointerTo(12, 12);
    SendMessageA(button->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
    EXPECT_TRUE(button->hovered());
    EXPECT_EQ(framePixel(), GetSysColor(COLOR_HIGHLIGHT));
    clock.advance(150);
    EXPECT_TRUE(button->hovered());
    pointerTo(200, 60);
    clock.tick();
    EXPECT_FALSE(button->hovered());
    EXPECT_EQ(framePixel(), GetSysColor(COLOR_BTNFACE));
}

TEST_F(HintButtonTest, BubbleFollowsTheDelayAndAPressRemovesIt)
{
    pointerTo(12, 12);
    SendMessageA(button->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
    EXPECT_TRUE(button->waiting());
    EXPECT_EQ(InfoButton::hintMode(), 1);
    EXPECT_EQ(InfoButton::bubble(), nullptr);
    clock.advance(InfoButton::DelayMs - 1);
    EXPECT_EQ(InfoButton::bubble(), nullptr) << "not before the delay";
    clock.advance(1);
    ASSERT_NE(InfoButton::bubble(), nullptr);
    EXPECT_EQ(InfoButton::bubbleOwner(), 13);
    EXPECT_EQ(InfoButton::bubble()->text(), "Mannschaft speichern");
    HWND bubble = InfoButton::bubble()->handle();
    EXPECT_TRUE(IsWindowVisible(bubble));
    EXPECT_NE(GetForegroundWindow(), bubble);  // it takes no focus
    EXPECT_TRUE(GetWindowLongA(bubble, GWL_EXSTYLE) & WS_EX_TOPMOST);

    SendMessageA(button->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    EXPECT_EQ(InfoButton::bubble(), nullptr);
    EXPECT_FALSE(IsWindow(bubble));
    EXPECT_EQ(InfoButton::bubbleOwner(), -1);
    EXPECT_EQ(InfoButton::hintMode(), 0);
    SendMessageA(button->handle(), WM_LBUTTONUP, 0, MAKELPARAM(12, 12));
}

TEST_F(HintButtonTest, BubbleGoesWhenThePointerLeaves)
{
    pointerTo(12, 12);
    SendMessageA(button->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
    clock.advance(InfoButton::DelayMs);
    ASSERT_NE(InfoButton::bubble(), nullptr);
    pointerTo(250, 70);
    clock.tick();
    EXPECT_EQ(InfoButton::bubble(), nullptr);
}

}  // namespace
}  // namespace grid_test
