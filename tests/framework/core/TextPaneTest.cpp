// The text pane: terminal-like writing into its grid, scrolling, painting of
// the visible rows and bounded formatted output.
#include "tests/support/WindowTest.h"

#include "framework/core/zControlType.h"
#include "framework/core/zTextPane.h"

#include <string>

using kel::test::pump;

namespace {

class TextPane : public kel::test::FrameTest {
protected:
    zTextPane* make(int rows, int columns)
    {
        auto* pane = new zTextPane(frame, new zSizer(0, 0, 300, 200, frame->sizer()), WS_VISIBLE, rows, columns);
        pane->show(SW_SHOWNORMAL);
        pump();
        return pane;
    }
    static std::string row(const zTextPane* p, int r)
    {
        return std::string(p->buffer().rowText(r), static_cast<size_t>(p->buffer().columns()));
    }
    // Pixels in a cell range that differ from the pane's background.
    static int inked(zTextPane* p, int row, int fromColumn, int toColumn)
    {
        HDC dc = GetDC(p->handle());
        const COLORREF bg = GetSysColor(COLOR_WINDOW);
        POINT a = p->cellToPixel(POINT{fromColumn, row});
        POINT b = p->cellToPixel(POINT{toColumn, row + 1});
        int n = 0;
        for (int y = a.y; y < b.y; ++y)
            for (int x = a.x; x < b.x; ++x)
                if (GetPixel(dc, x, y) != bg)
                    ++n;
        ReleaseDC(p->handle(), dc);
        return n;
    }
};

TEST_F(TextPane, WritesLikeATerminal)
{
    zTextPane* p = make(3, 10);
    ASSERT_TRUE(p->handle());
    ASSERT_GT(p->charWidth(), 0);
    p->write("abc");
    EXPECT_EQ(p->cursorColumn(), 3);
    EXPECT_EQ(p->cursorRow(), 0);
    // A carriage return is a blank cell and moves on like any character.
    p->write("d\re\n");
    EXPECT_EQ(row(p, 0), "abcd e    ");
    EXPECT_EQ(p->cursorColumn(), 0);
    EXPECT_EQ(p->cursorRow(), 1);
    // A segment longer than the rest of the row is cut at the last column.
    p->write("0123456789XYZ\n");
    EXPECT_EQ(row(p, 1), "0123456789");
    EXPECT_EQ(p->cursorRow(), 2);

    // A line feed on the last row scrolls the grid up by one row.
    p->setLineStart(2);
    p->write("xyz\n");
    EXPECT_EQ(p->cursorRow(), 2);
    EXPECT_EQ(p->cursorColumn(), 2);
    EXPECT_EQ(row(p, 0), "0123456789");
    EXPECT_EQ(row(p, 1), "xyz       ");
    EXPECT_EQ(row(p, 2), "          ");
    p->putChar('!');
    EXPECT_EQ(row(p, 2), "  !       ");
}

TEST_F(TextPane, ScrollingMovesThePaintedRows)
{
    zTextPane* p = make(3, 10);
    p->write("AAAA\nBBBB\nCCCC");
    pump();
    EXPECT_GT(inked(p, 0, 0, 4), 0);
    EXPECT_GT(inked(p, 2, 0, 4), 0);
    p->write("\n");
    pump();
    // The last row came free and is blank; the others moved up.
    EXPECT_EQ(inked(p, 2, 0, 4), 0);
    EXPECT_GT(inked(p, 1, 0, 4), 0);
}

TEST_F(TextPane, PaintsItsVisibleRowsAndClearsStaleCells)
{
    for (int rows : {1, 4}) {
        zTextPane* p = make(rows, 12);
        p->write("ab");
        // Garbage over the whole first row, then a repaint from the buffer.
        HDC dc = GetDC(p->handle());
        POINT a = p->cellToPixel(POINT{0, 0});
        POINT b = p->cellToPixel(POINT{12, 1});
        RECT r{a.x, a.y, b.x, b.y};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(p->handle(), dc);
        InvalidateRect(p->handle(), nullptr, FALSE);
        UpdateWindow(p->handle());
        EXPECT_GT(inked(p, 0, 0, 2), 0) << rows;
        // Past the text the row is cleared with the background.
        EXPECT_EQ(inked(p, 0, 3, 12), 0) << rows;
        delete p;
    }
}

TEST_F(TextPane, CellsAndPixels)
{
    zTextPane* p = make(5, 20);
    const int w = p->charWidth(), h = p->charHeight();
    POINT px = p->cellToPixel(POINT{3, 2});
    EXPECT_EQ(px.x, 3 * w + w / 2);
    EXPECT_EQ(px.y, 2 * h + h / 2);
    POINT cell = p->pixelToCell(POINT{px.x + 1, px.y + 1});
    EXPECT_EQ(cell.x, 3);
    EXPECT_EQ(cell.y, 2);
    EXPECT_EQ(p->pixelToCell(POINT{-50, -50}).x, 0);
    EXPECT_EQ(p->pixelToCell(POINT{5000, 5000}).x, 19);
    EXPECT_EQ(p->pixelToCell(POINT{5000, 5000}).y, 4);
    int32_t width = 0, height = 0;
    EXPECT_EQ(p->preferredSize(width, height), 1);
    EXPECT_EQ(width, 20 * w + 2 * (w / 2));
    EXPECT_EQ(height, 5 * h + 2 * (h / 2));
}

TEST_F(TextPane, FormattedOutputIsBounded)
{
    zTextPane* p = make(3, 80);
    p->printf("%d Teams", 12);
    EXPECT_EQ(row(p, 0).substr(0, 8), "12 Teams");
    // Far more than the buffer holds: cut, nothing overwritten.
    std::string longText(1000, 'x');
    p->printf("\n%s", longText.c_str());
    EXPECT_EQ(p->cursorRow(), 1);
    EXPECT_EQ(row(p, 1), std::string(80, 'x'));
}

TEST_F(TextPane, DeferredOutputWaitsForThePaint)
{
    zTextPane* p = make(3, 10);
    p->setDeferred(1);
    p->write("HALLO");
    EXPECT_EQ(p->buffer().firstDirty(), 0);
    EXPECT_EQ(inked(p, 0, 0, 5), 0);
    InvalidateRect(p->handle(), nullptr, FALSE);
    UpdateWindow(p->handle());
    EXPECT_GT(inked(p, 0, 0, 5), 0);
    EXPECT_EQ(p->deferredCount(), 0);
}

TEST_F(TextPane, NamedByDialogTemplates)
{
    const zControlType* type = zControlType::find("zTextPane");
    ASSERT_NE(type, nullptr);
    zWindow* w = type->create(frame, new zSizer(0, 0, 100, 100, frame->sizer()), WS_VISIBLE, "", 77);
    auto* p = dynamic_cast<zTextPane*>(w);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->buffer().rows(), 25);
    EXPECT_EQ(p->buffer().columns(), 80);
    EXPECT_EQ(p->id(), 77);
}

} // namespace
