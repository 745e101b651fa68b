#include <gtest/gtest.h>

#include <string>

#include "framework/tables/ziTableGeometry.h"

namespace {

// A table of the given size in a client area of w x h with headers of 50 x 20
// and cells of 60 x 20.
ziTableGeometry table(uint32_t columns, uint32_t rows, int32_t w = 400, int32_t h = 300)
{
    ziTableGeometry g;
    g.columnCount = columns;
    g.rowCount = rows;
    g.defaultColumnWidth = 60;
    g.defaultRowHeight = 20;
    g.headerSize = {50, 20};
    g.cells = {0, 0, w, h};
    g.layout();
    return g;
}

TEST(TableGeometry, ColumnLetters)
{
    struct Case {
        uint32_t n;
        const char* letters;
    } cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {28, "AB"}, {52, "AZ"}, {702, "ZZ"}, {703, "AAA"}, {0, ""},
                 {4294967295u, "MWLQKWU"}};
    for (const Case& c : cases) {
        char buffer[16];
        ziTableGeometry::columnLetters(buffer, c.n);
        EXPECT_STREQ(buffer, c.letters) << c.n;
    }
}

TEST(TableGeometry, SizesAreSparseWithADefault)
{
    ziTableGeometry g = table(10, 1000);
    g.setRowHeight(300, 33);
    EXPECT_EQ(g.rowBlockCount(), 1u);
    EXPECT_TRUE(g.hasRowBlock(1));
    EXPECT_FALSE(g.hasRowBlock(0));
    EXPECT_EQ(g.rowHeight(300), 33);
    EXPECT_EQ(g.rowHeight(299), 20);
    EXPECT_EQ(g.rowHeight(511), 20);
    EXPECT_EQ(g.rowHeight(5000), 20);
    g.setRowHeight(301, -1);  // any negative size reads as the default
    EXPECT_EQ(g.rowHeight(301), 20);
    g.setColumnWidth(2, 0);
    EXPECT_EQ(g.columnWidth(2), 0);
    EXPECT_EQ(g.columnLeft(3), g.columnLeft(2));
}

TEST(TableGeometry, LastPageIsFullAndRangesFollow)
{
    ziTableGeometry g = table(100, 100);
    EXPECT_EQ(g.fitColumns(), 4);  // 5 columns fit into 350 pixels
    EXPECT_EQ(g.scrollMax(false), 96);
    g.firstColumn = 100;
    g.layout();
    EXPECT_EQ(g.firstColumn, 96u);
    EXPECT_EQ(g.movedX, 1);
    EXPECT_EQ(g.visible.firstColumn, 96u);
    EXPECT_EQ(g.visible.lastColumn, 100u);
    EXPECT_EQ(g.columnLeft(96), 50);
    EXPECT_EQ(g.columnLeft(97), 110);
    EXPECT_EQ(g.columnLeft(95), 0);  // not laid out

    // Column widths of the lefts: a partly visible column still counts.
    ziTableGeometry h = table(100, 100, 385, 300);
    EXPECT_EQ(h.visible.firstColumn, 1u);
    EXPECT_EQ(h.visible.lastColumn, 6u);
    EXPECT_EQ(h.visibleColumnCount, 6);
}

TEST(TableGeometry, HitTests)
{
    ziTableGeometry g = table(100, 100);
    ziTablePos p;
    struct Case {
        int32_t x, y, result;
        uint32_t column, row;
    } cells[] = {{50, 20, 1, 1, 1}, {109, 39, 1, 1, 1}, {110, 40, 1, 2, 2}, {49, 30, 0, 0, 0}, {60, 19, 0, 0, 0}};
    for (const Case& c : cells) {
        p = {};
        EXPECT_EQ(g.cellAt(c.x, c.y, p), c.result) << c.x << "," << c.y;
        if (c.result) {
            EXPECT_EQ(p, (ziTablePos{c.column, c.row})) << c.x << "," << c.y;
        }
    }

    struct Header {
        int32_t x, y, result, kind;
        uint32_t index;
    } headers[] = {
        {10, 10, 1, 2, 0},   // corner box
        {10, 25, 1, 0, 1},   // inside row 1
        {10, 37, 2, 0, 1},   // the last 4 pixels of row 1 resize it
        {10, 40, 1, 0, 2},
        {70, 5, 1, 1, 1},
        {108, 5, 2, 1, 1},
        {200, 200, 0, 0, 0},  // a cell is no header
    };
    for (const Header& c : headers) {
        uint32_t index = 99;
        int32_t kind = 99;
        EXPECT_EQ(g.headerAt(c.x, c.y, index, kind), c.result) << c.x << "," << c.y;
        if (c.result) {
            EXPECT_EQ(kind, c.kind) << c.x << "," << c.y;
            EXPECT_EQ(index, c.index) << c.x << "," << c.y;
        }
    }

    // Without headers the corner point is the first cell and no header exists.
    g.headersShown = 0;
    g.firstColumn = 7;
    g.firstRow = 9;
    g.layout();
    EXPECT_EQ(g.cellAt(0, 0, p), 1);
    EXPECT_EQ(p, (ziTablePos{7, 9}));
    uint32_t index;
    int32_t kind;
    EXPECT_EQ(g.headerAt(0, 0, index, kind), 0);
}

TEST(TableGeometry, EmptyTablesDoNotUnderflow)
{
    ziTableGeometry g = table(0, 0);
    EXPECT_EQ(g.firstColumn, 1u);
    EXPECT_EQ(g.firstRow, 1u);
    EXPECT_EQ(g.visibleRowCount, 0);
    EXPECT_EQ(g.scrollMax(true), 1);
    EXPECT_EQ(g.pageBack(true), 1u);
    EXPECT_EQ(g.pageForward(true), 1u);
    ziTablePos p;
    EXPECT_EQ(g.cellAt(100, 100, p), 0);
}

TEST(TableScroller, PagesByWholeRows)
{
    ziTableGeometry g = table(10, 100);  // 14 rows fit in 280 pixels
    EXPECT_EQ(g.pageBack(true), 1u);     // already at row 1
    g.firstRow = 30;
    g.layout();
    EXPECT_EQ(g.visible.firstRow, 30u);
    EXPECT_EQ(g.pageBack(true), 17u);  // rows 17 to 30 fill the page
    EXPECT_EQ(g.pageForward(true), g.visible.lastRow);

    g.setRowHeight(30, 500);  // alone taller than the room: back one row
    EXPECT_EQ(g.pageBack(true), 29u);

    g.firstRow = 100;
    g.layout();
    EXPECT_EQ(g.pageForward(true), 100u);  // never past the row count
}

TEST(TableScroller, BigTablesScrollInUnitsOfTwoToTheShift)
{
    EXPECT_EQ(ziTableGeometry::shiftFor(32767), 0);
    EXPECT_EQ(ziTableGeometry::shiftFor(32768), 1);
    EXPECT_EQ(ziTableGeometry::shiftFor(40000), 1);
    EXPECT_EQ(ziTableGeometry::shiftFor(1000000), 5);
    ziTableGeometry g = table(10, 40000);
    EXPECT_EQ(g.rowShift, 1);
    EXPECT_EQ(g.thumbFirst(true, 3), 5u);  // thumb 3 shows row 5 first
    g.firstRow = g.thumbFirst(true, 3);
    g.layout();
    EXPECT_EQ(g.visible.firstRow, 5u);
    const uint32_t next = g.pageForward(true);
    EXPECT_EQ(g.thumbFor(true, next), int32_t(next >> 1) + 1);
    // The range counts units of two rows.
    EXPECT_EQ(g.scrollMax(true), (40000 - g.fitRows()) / 2 + g.fitRows() / 2);
    g.firstRow = 1;
    g.layout();
    EXPECT_EQ(g.scrollPos(true), 1);  // at the top the thumb is at the minimum
}

}  // namespace
