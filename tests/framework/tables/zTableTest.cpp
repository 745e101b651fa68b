#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/WindowTest.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/tables/zTable.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableSmallModel.h"
#include "framework/tables/ziTableEditor.h"

using kel::test::pump;

namespace {

// An editor that sits over the current cell.
class CellEditor : public ziTableEditor {
public:
    CellEditor(zTable* table) : ziTableEditor(table, new zSizer(0, 0, 10, 10, table->sizer()), WS_CHILD | ES_AUTOHSCROLL, "", 77), table_(table) {}
    void moveToCell(const ziTablePos& p) override
    {
        ++moves;
        const int32_t l = table_->columnLeft(p.column), t = table_->rowTop(p.row);
        MoveWindow(handle(), l + 1, t + 1, table_->columnWidth(p.column) - 2, table_->rowHeight(p.row) - 2, TRUE);
    }
    int moves = 0;

private:
    zTable* table_;
};

int selections = 0;
void countSelection(void*) { ++selections; }

struct TableFixture : ::testing::Test {
    kel::test::TestApplication app;
    zFrameWin* frame = nullptr;
    zTable* table = nullptr;

    void SetUp() override
    {
        frame = new zFrameWin(new zSizer(40, 40, 460, 340), WS_OVERLAPPEDWINDOW, "Tabelle");
        ASSERT_TRUE(frame->create());
        frame->show(SW_SHOWNORMAL);
        table = new zTable(frame, new zSizer(10, 10, 400, 280, frame->sizer()), WS_VISIBLE | WS_BORDER, "", 5);
        table->show(SW_SHOW);
        pump();
        // Fixed sizes, independent of the font: cells of 60 x 20, headers 50 x 20.
        table->defaultColumnWidth = 60;
        table->defaultRowHeight = 20;
        table->setHeaderSize(50, 20);
        repaint();
    }
    void TearDown() override
    {
        delete frame;
        pump();
    }
    void repaint()
    {
        table->relayout();
        InvalidateRect(table->handle(), nullptr, TRUE);
        UpdateWindow(table->handle());
        pump();
    }
    COLORREF pixel(int x, int y)
    {
        HDC dc = GetDC(table->handle());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(table->handle(), dc);
        return c;
    }
    void key(WPARAM vk, bool extended = true)
    {
        SendMessageA(table->handle(), WM_KEYDOWN, vk, 1 | (extended ? (1 << 24) : 0));
    }
    void shift(bool down)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void click(int x, int y, UINT down = WM_LBUTTONDOWN)
    {
        SendMessageA(table->handle(), down, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(table->handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

TEST_F(TableFixture, AnswersDialogCodesAndScrollRanges)
{
    EXPECT_EQ(SendMessageA(table->handle(), WM_GETDLGCODE, 0, 0), 0x81);
    // 100 columns of 60 in (client width - 50): the range ends where the last page is full.
    RECT client;
    GetClientRect(table->handle(), &client);
    int lo = 0, hi = 0;
    GetScrollRange(table->handle(), SB_HORZ, &lo, &hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 100 - table->fitColumns());
    GetScrollRange(table->handle(), SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 100 - table->fitRows());
    EXPECT_EQ(table->rowHeight(7), 20);
    table->setRowHeight(7, 31);
    EXPECT_EQ(table->rowHeight(7), 31);
    EXPECT_EQ(table->rowTop(8) - table->rowTop(7), 31);
}

TEST_F(TableFixture, CurrentCellIsClampedAndOutlined)
{
    selections = 0;
    table->selectionContext = table;
    table->selectionHook = countSelection;
    table->setCurrentCell({500, 3}, 0);
    EXPECT_EQ(table->current, (ziTablePos{100, 3}));
    EXPECT_EQ(selections, 1);
    table->setCurrentCell({2, 2}, 0);
    repaint();
    // Cell (2, 2) spans x 110..170, y 40..60: a black outline and a black
    // inner frame one pixel inside; the middle stays white.
    EXPECT_EQ(pixel(110, 50), RGB(0, 0, 0));
    EXPECT_EQ(pixel(111, 50), RGB(0, 0, 0));
    EXPECT_EQ(pixel(140, 50), RGB(255, 255, 255));
    // An ordinary cell has the grey grid line.
    EXPECT_EQ(pixel(230, 50), RGB(200, 200, 200));
}

TEST_F(TableFixture, BlankRoomBeyondTheLastColumnIsWhite)
{
    auto* small = new zTableSmallModel(3, 4);
    small->setCellText({1, 1}, "Anna");
    table->setModel(small);
    repaint();
    EXPECT_EQ(pixel(50 + 3 * 60 + 20, 30), RGB(255, 255, 255));
    EXPECT_EQ(pixel(100, 20 + 4 * 20 + 20), RGB(255, 255, 255));
    EXPECT_EQ(pixel(50 + 3 * 60 + 20, 5), RGB(255, 255, 255));  // no header beyond the last column
    EXPECT_EQ(pixel(60, 5), RGB(192, 192, 192));                // a raised header is light grey
    table->setModel(new zTableSmallModel(1, 1), 1);  // a model the table does not own stays
    EXPECT_STREQ(small->getCell({1, 1})->text(), "Anna");
    delete small;
}

TEST_F(TableFixture, CornerClickSelectsEverythingOnce)
{
    selections = 0;
    table->selectionContext = table;
    table->selectionHook = countSelection;
    table->setCurrentCell({3, 3}, 0);
    selections = 0;
    click(10, 10);
    EXPECT_EQ(table->headerSel.kind, zTable::CornerBox);
    EXPECT_EQ(table->headerSel.from, 0u);
    EXPECT_EQ(table->current, (ziTablePos{1, 1}));
    EXPECT_EQ(table->selectionEnd, (ziTablePos{100, 100}));
    const int afterFirst = selections;
    click(10, 10);  // already everything: the second click changes nothing
    EXPECT_EQ(selections, afterFirst + 1);  // only the release reports
    EXPECT_EQ(table->selectionEnd, (ziTablePos{100, 100}));
    // A click on a row header selects that row.
    click(20, 20 + 2 * 20 + 5);
    EXPECT_EQ(table->headerSel.kind, zTable::RowHeader);
    EXPECT_EQ(table->current, (ziTablePos{1, 3}));
    EXPECT_EQ(table->selectionEnd, (ziTablePos{100, 3}));
}

TEST_F(TableFixture, CursorKeys)
{
    table->setCurrentCell({2, 2}, 0);
    key(VK_RIGHT, false);  // the keypad's arrows do nothing
    EXPECT_EQ(table->current, (ziTablePos{2, 2}));
    key(VK_RIGHT);
    key(VK_DOWN);
    EXPECT_EQ(table->current, (ziTablePos{3, 3}));
    key(VK_NEXT);
    key(VK_PRIOR);
    EXPECT_EQ(table->current, (ziTablePos{3, 3}));
    EXPECT_EQ(table->firstRow, 1u);

    shift(true);
    key(VK_RIGHT);
    key(VK_DOWN);
    EXPECT_EQ(table->selectionEnd, (ziTablePos{4, 4}));
    shift(false);
    key(VK_LEFT);  // a plain move drops the selection
    EXPECT_EQ(table->selectionEnd.column, 0u);

    table->setCurrentCell({1, 5}, 0);
    shift(true);
    key(VK_LEFT);  // at column 1: nothing changes
    EXPECT_EQ(table->selectionEnd, (ziTablePos{1, 5}));
    shift(false);

    // Moving down past the last visible row scrolls one row.
    table->setCurrentCell({1, table->visible.lastRow}, 0);
    const uint32_t first = table->firstRow;
    key(VK_DOWN);
    EXPECT_EQ(table->firstRow, first + 1);
    EXPECT_TRUE(table->isVisible(table->current));
}

TEST_F(TableFixture, TypingGoesToTheEditorAndBackIntoTheModel)
{
    auto* editor = new CellEditor(table);
    table->setEditor(editor);
    table->setCurrentCell({2, 3}, 0);
    EXPECT_GE(editor->moves, 1);
    SendMessageA(table->handle(), WM_CHAR, '4', 1);
    SendMessageA(editor->handle(), WM_CHAR, '2', 1);  // the focus is in the editor now
    EXPECT_EQ(GetFocus(), editor->handle());
    char text[16] = {};
    GetWindowTextA(editor->handle(), text, sizeof text);
    EXPECT_STREQ(text, "42");
    ShowWindow(editor->handle(), SW_SHOW);
    table->commitEdit();
    zTableCell* cell = table->model()->getCell({2, 3});
    ASSERT_NE(cell, nullptr);
    EXPECT_STREQ(cell->text(), "42");
    EXPECT_EQ(cell->flags & zTableCell::Number, zTableCell::Number);

    // A read-only cell takes no typing.
    table->model()->addAttribute(new zTableAttr(zTableAttr::ReadOnly, {4, 4, 4, 4}));
    table->setCurrentCell({4, 4}, 0);
    EXPECT_EQ(editor->readOnly(), 1);
    EXPECT_FALSE(IsWindowEnabled(editor->handle()));
    SetWindowTextA(editor->handle(), "");
    SetFocus(table->handle());
    SendMessageA(table->handle(), WM_CHAR, 'x', 1);
    GetWindowTextA(editor->handle(), text, sizeof text);
    EXPECT_STREQ(text, "");
    table->setEditor(nullptr);
}

TEST_F(TableFixture, HeaderBordersResizeRowsAndColumns)
{
    // Column 2's border zone is x 166..170 in the header row.
    SendMessageA(table->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(168, 10));
    EXPECT_EQ(table->resizeMode, 2);
    SendMessageA(table->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(168, 10));
    EXPECT_EQ(table->dragMode, 1);
    SendMessageA(table->handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 10));
    SendMessageA(table->handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 10));
    EXPECT_EQ(table->columnWidth(2), 200 - 110);
    EXPECT_EQ(table->dragMode, 0);

    // Row 1's border, dragged above the row's top: the size stays.
    SendMessageA(table->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 38));
    EXPECT_EQ(table->resizeMode, 1);
    SendMessageA(table->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 38));
    SendMessageA(table->handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(table->rowHeight(1), 20);

    // With row resizing off a press on the border selects the row.
    table->rowResizing = 0;
    SendMessageA(table->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 56));
    EXPECT_EQ(table->resizeMode, 0);
    click(10, 56);
    EXPECT_EQ(table->headerSel.kind, zTable::RowHeader);
    EXPECT_EQ(table->headerSel.from, 2u);
}

TEST_F(TableFixture, ScrollBarsMoveByWholeCells)
{
    SendMessageA(table->handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 11), 0);
    EXPECT_EQ(table->firstRow, 11u);
    EXPECT_EQ(table->visible.firstRow, 11u);
    const uint32_t lastShown = table->visible.lastRow;
    SendMessageA(table->handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(table->firstRow, lastShown);  // the last row of the page comes to the top
    EXPECT_EQ(GetScrollPos(table->handle(), SB_VERT), int(lastShown));
    SendMessageA(table->handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(table->firstRow, lastShown + 1);
    SendMessageA(table->handle(), WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_LT(table->firstRow, lastShown + 1);
    SendMessageA(table->handle(), WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(table->firstColumn, 2u);
    EXPECT_EQ(table->columnLeft(2), 50);  // column 2 now stands right of the row headers

    // A long model: the bar counts pairs of rows.
    table->setModel(new zTableSmallModel(10, 40000), 1);
    repaint();
    SendMessageA(table->handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
    EXPECT_EQ(table->firstRow, 5u);
}

TEST_F(TableFixture, TabLeavesTheTable)
{
    // Tab asks the parent for the next or, with Shift, the previous control.
    struct Parent : zFrameWin {
        using zFrameWin::zFrameWin;
        LRESULT defWindowProc(zEvent* ev) override
        {
            if (ev->message == WM_NEXTDLGCTL)
                last = int(ev->wParam);
            return zFrameWin::defWindowProc(ev);
        }
        int last = -1;
    };
    auto* parent = new Parent(new zSizer(0, 0, 300, 200), WS_OVERLAPPEDWINDOW, "Dialog");
    ASSERT_TRUE(parent->create());
    auto* inner = new zTable(parent, new zSizer(0, 0, 200, 100, parent->sizer()), WS_VISIBLE, "", 9);
    shift(true);
    SendMessageA(inner->handle(), WM_CHAR, '\t', 1);
    EXPECT_EQ(parent->last, 1);
    shift(false);
    SendMessageA(inner->handle(), WM_CHAR, '\t', 1);
    EXPECT_EQ(parent->last, 0);
    delete parent;
}

}  // namespace
