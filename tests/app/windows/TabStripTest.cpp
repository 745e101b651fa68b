#include "tests/app/windows/GridTestSupport.h"

#include "app/windows/AttachVclApplication.h"
#include "app/windows/FlybyHelp.h"
#include "classlib/Application.h"
#include "framework/controls3d/zBitmapButton.h"

namespace grid_test {
namespace {

class TabStripTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        strip = new NotebookPane(frame, new zSizer(0, 340, 700, 28, frame->sizer()));
        strip->show(SW_SHOW);
        strip->setPartner(2, grid);
        grid->setTabStrip(strip);
    }
    void addTabs(int n, const char* prefix = "Schule")
    {
        for (int i = 0; i < n; ++i) {
            const std::string s = prefix + std::to_string(strip->tabCount());
            strip->addTab(new zString(s.c_str()), new zString(("Hint " + s).c_str()));
        }
    }
    void paint()
    {
        InvalidateRect(strip->handle(), nullptr, TRUE);
        UpdateWindow(strip->handle());
    }
    // A point inside the tab at a visible position.
    POINT inTab(int32_t visible) const { return {strip->tabPosition(visible) + 12, 14}; }
    LRESULT command(int32_t id)
    {
        return SendMessageA(strip->handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }

    NotebookPane* strip = nullptr;
};

TEST_F(TabStripTest, HoldsAtMost210Tabs)
{
    EXPECT_EQ(grid->currentRow(), -1);  // no tabs: no current team, though the index is 0
    addTabs(210);
    EXPECT_EQ(strip->tabCount(), 210);
    zString extra("zu viel");
    EXPECT_EQ(strip->addTab(&extra, nullptr), 0);
    EXPECT_EQ(strip->tabCount(), 210);
    EXPECT_EQ(grid->currentRow(), 0);
}

TEST_F(TabStripTest, TabsAreLaidOutFrom58AndACaptionThatDoesNotFitEndsTheRow)
{
    addTabs(3);
    paint();
    ASSERT_EQ(strip->visibleCount(), 3);
    EXPECT_EQ(strip->tabPosition(0), 58);
    EXPECT_LT(strip->tabPosition(0), strip->tabPosition(1));

    strip->replaceCurrentTab(new zString("Neu"), nullptr);
    EXPECT_STREQ(strip->caption(0), "Neu");
    EXPECT_EQ(strip->hint(0), nullptr);
    strip->addTab(new zString(std::string(200, 'M').c_str()), nullptr);
    addTabs(2, "S");  // short ones after the long one
    paint();
    EXPECT_EQ(strip->visibleCount(), 3);  // the 200-letter caption and every later tab are hidden
}

TEST_F(TabStripTest, ScrollCommandsAreHandledOnlyWhenTheyMoveTheTabs)
{
    addTabs(3);
    struct Step {
        int32_t id;
        LRESULT handled;
        int32_t first;
    } steps[] = {
        {NotebookPane::CmdBack, 0, 0},    {NotebookPane::CmdFirst, 0, 0},   {NotebookPane::CmdForward, 1, 1},
        {NotebookPane::CmdForward, 1, 2}, {NotebookPane::CmdForward, 0, 2}, {NotebookPane::CmdBack, 1, 1},
        {NotebookPane::CmdForward, 1, 2}, {NotebookPane::CmdFirst, 1, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.id);
        // The framework's window procedure answers 0 for a handled command;
        // the pane's own answer is what the test reads.
        zEvent ev{0, WPARAM(s.id), WM_COMMAND, strip->handle()};
        EXPECT_EQ(strip->command(&ev), s.handled);
        EXPECT_EQ(strip->firstVisible(), s.first);
    }
    // The buttons are the strip's children with their commands.
    EXPECT_EQ(strip->scrollButton(2)->id(), NotebookPane::CmdFirst);
}

TEST_F(TabStripTest, ClickingATabTellsTheGridThenItsOwnerOnce)
{
    addTabs(3);
    grid->loadTable(0);
    paint();
    POINT p = inTab(2);
    sendClick(strip->handle(), p.x, p.y);
    EXPECT_EQ(strip->current(), 2);
    EXPECT_EQ(frame->tabMessages, 1);
    EXPECT_EQ(frame->teamSeen, 2);  // the grid knew the new team when its owner was told
    EXPECT_EQ(grid->loadedTeam(), 2);

    paint();
    p = inTab(2);
    sendClick(strip->handle(), p.x, p.y);  // the current tab again
    EXPECT_EQ(frame->tabMessages, 1);
    SendMessageA(strip->handle(), WM_RBUTTONUP, 0, MAKELPARAM(inTab(0).x, inTab(0).y));
    EXPECT_EQ(strip->current(), 2);  // the right button selects nothing
    EXPECT_EQ(frame->tabMessages, 1);
}

TEST_F(TabStripTest, SwitchingTabsStoresTheShownTeamWithItsOpenEditorFirst)
{
    addTabs(2);
    grid->loadTable(0);
    paint();
    grid->setCurrent(0, 0);
    sendText(grid->handle(), "Ole");
    grid->setCurrent(3, 0);
    sendText(grid->handle(), "1234");  // still open when the tab changes
    ASSERT_NE(grid->activeEditor(), nullptr);
    const POINT p = inTab(1);
    sendClick(strip->handle(), p.x, p.y);
    ASSERT_EQ(grid->loadedTeam(), 1);
    EXPECT_EQ(name(0, 0), "Ole");
    EXPECT_EQ(athlete(0, 0)->Leistung[0], 1234);
    EXPECT_EQ(athlete(0, 0)->mask, 1);
    EXPECT_EQ(name(0, 1), "");
    EXPECT_STREQ(grid->cellText(0, 3), "00,00");  // team 1's row shows its own performance
}

TEST_F(TabStripTest, HoveringATabShowsItsSchoolAsABubble)
{
    addTabs(2);
    paint();
    const POINT p = inTab(1);
    SendMessageA(strip->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    ASSERT_NE(strip->bubble(), nullptr);
    EXPECT_EQ(strip->bubble()->text(), "Hint Schule1");
    EXPECT_EQ(strip->hovered(), 1);
    SendMessageA(strip->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 25));  // off the tabs
    EXPECT_EQ(strip->bubble(), nullptr);
    EXPECT_EQ(strip->hovered(), -1);
}

TEST_F(GridTest, TheClassLibraryApplicationWindowBecomesAChildOfTheFrame)
{
    HWND app = TApplication::Instance().Handle();
    ASSERT_NE(app, nullptr);
    AttachVclApplication(frame);
    EXPECT_EQ(GetAncestor(app, GA_PARENT), frame->handle());
    SetParent(app, nullptr);
}

}  // namespace
}  // namespace grid_test
