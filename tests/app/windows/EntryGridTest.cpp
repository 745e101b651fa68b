#include "tests/app/windows/GridTestSupport.h"

#include <cstring>

#include "app/windows/EditCell.h"
#include "framework/core/zScrollInfo.h"

namespace grid_test {
namespace {

using kel::test::ReadBytes;

TEST_F(GridTest, ColumnsCarryTheirTitlesAndWidths)
{
    struct Col {
        const char* title;
        int32_t width;
    } expected[] = {{"Name, Vorname", 220}, {"JG", 28}, {"Klasse", 50}, {"100m", 50}, {"Weit", 50}, {"4x50", 50}};
    ASSERT_EQ(grid->columnCount(), 6);
    for (int32_t c = 0; c < 6; ++c) {
        EXPECT_STREQ(grid->columnTitle(c), expected[c].title) << c;
        EXPECT_EQ(grid->columnWidth(c), expected[c].width) << c;
    }
    EXPECT_EQ(grid->fixedColumns(), 3);

    // A discipline without a short name gets a wide column.
    SetFieldText(state_.eventDef->disciplines[0][1].shortName, "");
    auto* other = new EditSchueler(frame, new zSizer(0, 0, 300, 200, frame->sizer()), state_, 6, 13, 0);
    EXPECT_EQ(other->columnWidth(4), 150);
    delete other;
}

TEST_F(GridTest, PerformancesAreFormattedByTheDisciplineMask)
{
    struct Case {
        int32_t discipline;
        int32_t value;
        const char* text;
    } cases[] = {{0, 1234, "12,34"}, {0, 5, "00,05"}, {0, 0, "00,00"}, {1, 512, "5,12"}, {2, 3, "3"}, {2, 0, "0"}};
    for (const Case& c : cases) {
        const DisciplineRecord& d = state_.eventDef->disciplines[0][c.discipline];
        EXPECT_EQ(EditSchueler::FormatPerformance(c.value, d), c.text) << c.value;
        EXPECT_EQ(EditSchueler::ParsePerformance(c.text), c.value) << c.text;
    }
    // The grid shows the formatted text in its discipline cells.
    givePerformance(2, 0, 1234, true);
    EXPECT_STREQ(grid->cellText(2, 3), "12,34");
    // A mask longer than the text buffer is cut, never overflowing it.
    DisciplineRecord longMask = state_.eventDef->disciplines[0][0];
    SetFieldText(longMask.mask, "99999999999999999999");
    EXPECT_EQ(EditSchueler::FormatPerformance(7, longMask).size(), size_t(DisziFlagTable::TextSize - 1));
}

TEST_F(GridTest, TypedRowIsStoredAsTheAthleteRecordsExactBytes)
{
    grid->setCurrent(0, 0);
    sendText(hwnd(), "Anna M\xFCller\r96\r7b\r1234\r");
    EXPECT_EQ(name(0), "Anna M\xFCller");  // in the record as soon as the editor commits
    grid->storeTable();
    ASSERT_EQ(state_.memory->writeAthletes(0, 0), 1);

    AthleteRecord expected;
    BlankAthleteRecord(expected);
    SetFieldText(expected.name, "Anna M\xFCller");
    SetFieldText(expected.JG, "96");
    SetFieldText(expected.schoolClass, "7b");
    expected.mask = 1;
    expected.Leistung[0] = 1234;
    const std::vector<uint8_t> mda = ReadBytes(DataFilePath(state_, "MDA"));
    const size_t at = AthleteOffset(0, 0, 0);
    ASSERT_GE(mda.size(), at + sizeof expected);
    EXPECT_EQ(std::memcmp(&mda[at], &expected, sizeof expected), 0);
    EXPECT_EQ(mda[at + 44], 1);            // discipline mask
    EXPECT_EQ(kel::test::ReadInt32(mda, at + 46), 1234);
}

TEST_F(GridTest, StoringBlanksARowWhoseNameWasCleared)
{
    givePerformance(4, 1, 512, true);
    SetFieldText(athlete(4)->JG, "97");
    SetFieldText(athlete(4)->schoolClass, "8a");
    grid->setCurrent(0, 4);
    sendChar(hwnd(), 'x');
    sendKey(hwnd(), VK_LEFT);
    sendKey(hwnd(), VK_DELETE);
    sendChar(hwnd(), VK_RETURN);
    ASSERT_EQ(name(4), "");
    grid->storeTable();
    EXPECT_EQ(athlete(4)->JG[0], 0);
    EXPECT_EQ(athlete(4)->schoolClass[0], 0);
    EXPECT_EQ(athlete(4)->mask, 0);
    EXPECT_EQ(athlete(4)->Leistung[1], 0);
    EXPECT_EQ(gDisziFlags.flags[0][4], 0);
}

TEST_F(GridTest, TickedRelayRunnersWithoutPositionGetTheLowestFreeOne)
{
    // Runners 0-2 ticked without position; 3 holds position 2 already.
    for (int32_t m = 0; m < 13; ++m)
        SetFieldText(athlete(m)->name, "Kind " + std::to_string(m));
    for (int32_t m = 0; m < 3; ++m)
        athlete(m)->mask = 4;
    athlete(3)->mask = 4;
    athlete(3)->Leistung[2] = 2;
    grid->loadTable(0);
    grid->storeTable();
    EXPECT_EQ(athlete(0)->Leistung[2], 1);
    EXPECT_EQ(athlete(1)->Leistung[2], 3);
    EXPECT_EQ(athlete(2)->Leistung[2], 4);
    EXPECT_EQ(athlete(3)->Leistung[2], 2);
    EXPECT_STREQ(grid->cellText(1, 5), "3");

    // With 1-8 taken a ninth ticked runner keeps 0; an unticked one too.
    for (int32_t m = 0; m < 13; ++m) {
        athlete(m)->mask = m < 9 ? 4 : 0;
        athlete(m)->Leistung[2] = m < 8 ? m + 1 : 0;
    }
    grid->loadTable(0);
    grid->storeTable();
    EXPECT_EQ(athlete(8)->Leistung[2], 0);
    EXPECT_EQ(athlete(9)->Leistung[2], 0);
}

TEST_F(GridTest, ATeamThatCannotBeLoadedLeavesNoCellInTheTeamBefore)
{
    grid->loadTable(0);
    ASSERT_EQ(grid->cellText(0, 0), athlete(0)->name);
    grid->loadTable(kMaxTeams);  // no such team place
    EXPECT_EQ(grid->loadedTeam(), -1);
    EXPECT_EQ(grid->cellText(0, 0), nullptr);
    grid->setCurrent(0, 0);
    sendText(hwnd(), "Eva\r");
    grid->storeTable();
    EXPECT_EQ(name(0), "");  // team 0 kept what it had
}

TEST_F(GridTest, EnterModesMoveAfterAnEdit)
{
    struct Case {
        int32_t mode, column, row;
        int32_t toColumn, toRow;
    } cases[] = {
        {0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {2, 0, 0, 0, 1},
        {1, 5, 3, 0, 4},    // the last column wraps to the next row
        {1, 5, 12, 0, 0},   // the last cell goes home
        {2, 2, 12, 2, 12},  // the last row stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " at " << c.column << "," << c.row);
        grid->setEnterMode(c.mode);
        grid->setCurrent(c.column, c.row);
        sendChar(hwnd(), c.column == 1 ? '9' : c.column >= 3 ? '0' : 'a');
        ASSERT_NE(grid->activeEditor(), nullptr);
        sendChar(hwnd(), VK_RETURN);
        EXPECT_EQ(grid->activeEditor(), nullptr);
        EXPECT_EQ(grid->cellColumn(), c.toColumn);
        EXPECT_EQ(grid->cellRow(), c.toRow);
    }
}

TEST_F(GridTest, OnlyExtendedKeysMoveTheCurrentCell)
{
    grid->setCurrent(1, 1);
    struct Case {
        UINT vk;
        bool extended;
        int32_t column, row;
    } cases[] = {
        {VK_RIGHT, false, 1, 1}, {VK_DOWN, false, 1, 1}, {VK_RIGHT, true, 2, 1}, {VK_DOWN, true, 2, 2},
        {VK_LEFT, true, 1, 2},   {VK_UP, true, 1, 1},    {VK_END, true, 1, 1},   {VK_HOME, true, 0, 0},
        {VK_LEFT, true, 0, 0},   {VK_UP, true, 0, 0},
    };
    for (const Case& c : cases) {
        sendKey(hwnd(), c.vk, c.extended);
        EXPECT_EQ(grid->cellColumn(), c.column) << c.vk << (c.extended ? " extended" : "");
        EXPECT_EQ(grid->cellRow(), c.row) << c.vk << (c.extended ? " extended" : "");
    }
    // Tab comes as a character.
    sendChar(hwnd(), VK_TAB);
    EXPECT_EQ(grid->cellColumn(), 1);
}

TEST_F(GridTest, ClickOnATickBoxTogglesAndElsewhereOnlyMoves)
{
    givePerformance(2, 1, 512, false);
    const int32_t left = grid->columnLeft(4), top = grid->rowTop(2), w = grid->columnWidth(4);
    const int32_t boxY = top + grid->rowHeight() / 4 + 3;
    sendClick(hwnd(), left + 5, top + 5);
    EXPECT_EQ(grid->cellColumn(), 4);
    EXPECT_EQ(grid->cellRow(), 2);
    EXPECT_FALSE(gDisziFlags.isSet(0, 2, 1));
    sendClick(hwnd(), left + w - 8, boxY);
    EXPECT_TRUE(gDisziFlags.isSet(0, 2, 1));
    sendClick(hwnd(), left + w - 8, boxY);
    EXPECT_FALSE(gDisziFlags.isSet(0, 2, 1));

    // A click elsewhere commits an open editor before it moves.
    grid->setCurrent(0, 5);
    sendText(hwnd(), "Ida");
    const POINT p = cellCentre(0, 6);
    sendClick(hwnd(), p.x, p.y);
    EXPECT_EQ(name(5), "Ida");
    EXPECT_EQ(grid->cellRow(), 6);
}

TEST_F(GridTest, DraggingAColumnBorderStopsAtTwentyFivePixels)
{
    const int32_t edge = grid->columnLeft(0) + grid->columnWidth(0);
    SendMessageA(hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(edge, 10));
    SendMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(edge, 10));
    SendMessageA(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grid->columnLeft(0) + 3, 10));
    SendMessageA(hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(grid->columnLeft(0) + 3, 10));
    ClipCursor(nullptr);
    EXPECT_EQ(grid->columnWidth(0), 25);

    const int32_t edge1 = grid->columnLeft(1) + grid->columnWidth(1);
    SendMessageA(hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(edge1 + 2, 10));
    SendMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(edge1 + 2, 10));
    SendMessageA(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge1 + 40, 10));
    SendMessageA(hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(edge1 + 40, 10));
    ClipCursor(nullptr);
    EXPECT_EQ(grid->columnWidth(1), 68);
}

TEST_F(GridTest, MovingRightScrollsTheNextColumnIntoViewAndTheNextRowBack)
{
    delete grid;
    // Room for the fixed columns and one and a half discipline columns.
    grid = new EditSchueler(frame, new zSizer(0, 0, 430, 330, frame->sizer()), state_, 6, 13, 0);
    frame->grid = grid;
    grid->show(SW_SHOW);
    grid->loadTable(0);
    pump();
    grid->setCurrent(3, 0);
    struct Step {
        UINT vk;
        int32_t column, row, offset;
    } steps[] = {
        {VK_RIGHT, 4, 0, 1}, {VK_RIGHT, 5, 0, 2}, {VK_RIGHT, 0, 1, 0},
        {VK_LEFT, 0, 1, 0},  {VK_END, 0, 1, 0},
    };
    for (const Step& s : steps) {
        sendKey(hwnd(), s.vk);
        EXPECT_EQ(grid->cellColumn(), s.column) << s.vk;
        EXPECT_EQ(grid->cellRow(), s.row) << s.vk;
        EXPECT_EQ(grid->columnOffset(), s.offset) << s.vk;
    }
    // Back from the first scrolled column shown: the columns scroll back.
    grid->setCurrent(3, 1);
    sendKey(hwnd(), VK_RIGHT);
    sendKey(hwnd(), VK_RIGHT);
    ASSERT_EQ(grid->columnOffset(), 2);
    sendKey(hwnd(), VK_LEFT);
    EXPECT_EQ(grid->cellColumn(), 4);
    EXPECT_EQ(grid->columnOffset(), 1);
    const int32_t shownRight = grid->columnLeft(4) + grid->columnWidth(4);
    RECT client;
    GetClientRect(hwnd(), &client);
    EXPECT_LE(shownRight, client.right);
}

TEST_F(GridTest, ScrollBarsSpanTheRowsAndTheScrolledColumns)
{
    // Too small for the rows and the columns: both bars are needed.
    MoveWindow(hwnd(), 0, 0, 400, 200, TRUE);
    pump();
    int lo = -1, hi = -1;
    GetScrollRange(hwnd(), SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 12);
    GetScrollRange(hwnd(), SB_HORZ, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 2);  // 6 columns - 4

    // The thumb sets the first visible row; the current row follows it.
    grid->vertScroll()->setPos(4);
    SendMessageA(hwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);
    EXPECT_EQ(grid->firstVisibleRow(), 4);
    EXPECT_EQ(grid->cellRow(), 4);
    SendMessageA(hwnd(), WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(grid->columnOffset(), 1);
    EXPECT_EQ(grid->columnLeft(4), grid->columnLeft(3));  // column 3 scrolled out
}

}  // namespace
}  // namespace grid_test
