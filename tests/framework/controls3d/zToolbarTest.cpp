#include <windows.h>

#include <gtest/gtest.h>

#include "Controls3dTestSupport.h"
#include "framework/controls3d/zBitmapButton.h"
#include "framework/core/zBitmap.h"
#include "framework/controls3d/zSlotSizer.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/controls3d/zToolbar.h"
#include "framework/core/zChildWin.h"
#include "framework/core/zMenu.h"
#include "framework/core/zResId.h"
#include "framework/core/zTimer.h"
#include "tests/support/VirtualClock.h"

KEL_TEST_APPLICATION;

namespace {

// The main frame's arrangement: the tool bar and the status line sit in a
// holder window, the frame (with its menu) is their owner.
struct ToolbarFixture : HolderFixture {
    zToolbar* bar = nullptr;
    zStatusLineEZ* line = nullptr;

    void SetUp() override { makeFrame("Werkzeuge", 500, 220); }
    void buildBar(uint32_t style, int32_t gravity = zSizerTop)
    {
        bar = new zToolbar(holder, new zGravSizer(gravity, 29, holder->sizer()), style, 0, 1);
        bar->setSpacing(5, 0);
        bar->show(SW_SHOW);
    }
    zBitmapButton* button(int32_t slot, int32_t id, int32_t bitmap, int32_t width = 25)
    {
        auto* b = new zBitmapButton(bar, new zSlotSizer(slot, width, 25, bar->sizer()), 0x4010, "", id,
                                    new zBitmap(zResId(bitmap)));
        b->show(SW_SHOW);
        return b;
    }
};

}  // namespace

TEST_F(ToolbarFixture, ButtonsSitInNumberedSlots)
{
    buildBar(0x200);
    zBitmapButton* first = button(1, 12, 13);
    zBitmapButton* spacer = button(3, 3024, 12, 10);
    zBitmapButton* fifth = button(5, 10, 11);
    zBitmapButton* help = button(30, 1, 1);
    relayout();
    RECT r = childRect(first->handle());
    EXPECT_EQ(r.left, 4);
    EXPECT_EQ(r.right - r.left, 25);
    EXPECT_EQ(r.top, 1 + (28 - 26) / 2);  // centred in the working height
    EXPECT_EQ(childRect(spacer->handle()).left, 4 + 25 + 5);
    EXPECT_EQ(childRect(fifth->handle()).left, 4 + 25 + 5 + 10 + 5);
    // Slot 30 stands twelve gaps after slot 17 in the program; here after 5.
    EXPECT_EQ(childRect(help->handle()).left, 4 + 25 + 5 + 10 + 5 + 25 + 24 * 5);

    bar->enableCommand(3024, 0);
    EXPECT_FALSE(IsWindowEnabled(spacer->handle()));
    EXPECT_EQ(bar->findButton(10), fifth);
    EXPECT_EQ(bar->findButton(999), nullptr);
}

TEST_F(ToolbarFixture, CommandsAndHintsReachTheFrame)
{
    buildBar(0x200);
    line = new zStatusLineEZ(holder, new zGravSizer(zSizerBottom, 0, holder->sizer()), 0xD900, 0, nullptr);
    line->show(SW_SHOW);
    line->showMenuHelp();
    zBitmapButton* open = button(1, 12, 13);
    relayout();

    sendClick(open->handle(), 12, 12);
    ASSERT_EQ(frame->of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(LOWORD(frame->of(WM_COMMAND)[0].wParam), 12u);

    // Resting on the button shows the command's help in the status line.
    frame->received.clear();
    SendMessageA(open->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
    ASSERT_GE(frame->of(WM_MENUSELECT).size(), 1u);
    EXPECT_EQ(frame->of(WM_MENUSELECT)[0].wParam, 12u);
    EXPECT_EQ(line->messageAreaOn(), 1);
    EXPECT_STREQ(line->message().c_str(), "Öffnet die Meldungen einer Wettkampfklasse");

    // Once the cursor is elsewhere the hover ends and the help goes.
    // The button's hover check runs every 500 ms.
    kel::test::VirtualClock time;
    SetCursorPos(1200, 1000);
    time.advance(600);
    pump();
    ASSERT_GE(frame->of(WM_MENUSELECT).size(), 2u);
    EXPECT_EQ(frame->of(WM_MENUSELECT).back().wParam, 0xFFFF0000u);
    EXPECT_EQ(line->messageAreaOn(), 0);
}

TEST_F(ToolbarFixture, LinkedMenuFollowsTheButtons)
{
    buildBar(0x200);
    zBitmapButton* check = button(5, 10, 11);
    button(1, 12, 13);
    bar->linkMenu();
    HMENU menu = frame->menu()->handle();
    EXPECT_FALSE(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_GRAYED);
    bar->enableCommand(10, 0);
    EXPECT_TRUE(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_GRAYED);
    bar->enableCommand(10, 1);
    EXPECT_FALSE(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_GRAYED);
    check->setCheck(1);
    EXPECT_TRUE(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_CHECKED);
    // Linking again replaces the old link: one notification per change.
    bar->linkMenu();
    check->setCheck(0);
    EXPECT_FALSE(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(ToolbarFixture, EdgeLineFromTheDockingGravity)
{
    buildBar(0x001, zSizerTop);
    relayout();
    EXPECT_EQ(bar->toolbarStyle() & 0x01E, 0x010u);
    repaint(bar->handle());
    RECT rc;
    GetClientRect(bar->handle(), &rc);
    EXPECT_EQ(pixel(bar->handle(), 50, rc.bottom - 1), RGB(0, 0, 0));
    EXPECT_EQ(pixel(bar->handle(), 50, 0), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ToolbarFixture, PanelBorderIsARaisedFrame)
{
    buildBar(0x200);
    relayout();
    repaint(bar->handle());
    RECT rc;
    GetClientRect(bar->handle(), &rc);
    EXPECT_EQ(pixel(bar->handle(), 50, 0), RGB(255, 255, 255));
    EXPECT_EQ(pixel(bar->handle(), 0, 10), RGB(255, 255, 255));
    EXPECT_EQ(pixel(bar->handle(), 50, rc.bottom - 1), RGB(128, 128, 128));
    EXPECT_EQ(pixel(bar->handle(), rc.right - 1, 10), RGB(128, 128, 128));
}
