#pragma once
// The geometry of a table control, apart from its window: row heights and
// column widths (sparse blocks of 256 sizes, -1 meaning the default), the
// scroll origin, the layout of what is visible (row tops and column lefts
// of at most 98 rows and columns), the hit tests, the cell-based page and
// thumb steps and the mapping of very long tables onto a 16-bit scroll
// bar. All arithmetic is signed and guarded, so an empty table never
// underflows.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/zRect.h"
#include "framework/tables/ziTablePos.h"

class ziTableGeometry {
public:
    enum : int32_t { MaxLaidOut = 98, EntryCount = 100, BigTable = 32768 };

    ziTableGeometry() = default;
    ziTableGeometry(ziTableGeometry&&) = default;
    virtual ~ziTableGeometry() = default;

    int32_t rowHeight(uint32_t row) const { return sizeOf(rowSizes_, highestRow, row, defaultRowHeight); }
    int32_t columnWidth(uint32_t column) const
    {
        return sizeOf(columnSizes_, highestColumn, column, defaultColumnWidth);
    }
    void setRowHeight(uint32_t row, int32_t height);
    void setColumnWidth(uint32_t column, int32_t width);
    // Whether the block holding the index exists (sizes are sparse).
    bool hasRowBlock(uint32_t block) const { return block < rowSizes_.size() && rowSizes_[block]; }
    size_t rowBlockCount() const;

    // Top of a row (left of a column) on screen when laid out, else 0.
    int32_t rowTop(uint32_t row) const { return entry(rowTops, row, firstRow); }
    int32_t columnLeft(uint32_t column) const { return entry(columnLefts, column, firstColumn); }

    // The header sizes that count: 0 with the headers hidden.
    int32_t headerWidth() const { return headersShown ? headerSize.cx : 0; }
    int32_t headerHeight() const { return headersShown ? headerSize.cy : 0; }

    // How many columns (rows) fit before the last one, counted back from
    // the end: the number that fit minus 1.
    int32_t fitColumns() const;
    int32_t fitRows() const;

    // Computes the origin (kept so the last page is full), row tops,
    // column lefts and the visible range. Sets movedX/movedY when the
    // origin had to move.
    virtual void layout();
    int32_t movedX = 0;
    int32_t movedY = 0;

    ziTableRange cellRange(const zRect& rect) const;
    // 1 and the position when the point lies on a cell.
    int32_t cellAt(int32_t x, int32_t y, ziTablePos& position) const;
    // 0 not on a header, 1 inside one, 2 on its resize zone; kind 0 row,
    // 1 column, 2 corner box (index 0).
    int32_t headerAt(int32_t x, int32_t y, uint32_t& index, int32_t& kind) const;

    bool isVisible(const ziTablePos& p) const
    {
        return p.column >= visible.firstColumn && p.column <= visible.lastColumn && p.row >= visible.firstRow &&
               p.row <= visible.lastRow;
    }

    // Scroll mapping: with 32768 or more columns (rows) the bar counts
    // units of 2^shift.
    static int32_t shiftFor(uint32_t count);
    int32_t scrollMax(bool vertical) const;
    int32_t scrollPos(bool vertical) const;
    // Corrects a position of a big table by the three rules of the mapping.
    int32_t correctedPos(bool vertical, int32_t position) const;

    // Cell-based scroller steps: the first row (column) after paging back or
    // forward, and after a thumb move to a position.
    uint32_t pageBack(bool vertical) const;
    uint32_t pageForward(bool vertical) const;
    uint32_t thumbFirst(bool vertical, int32_t position) const;
    // The thumb for a first row (column) after a page step of a big table.
    int32_t thumbFor(bool vertical, uint32_t first) const;

    // Writes the bijective base-26 name of the number (1 "A", 27 "AA").
    static void columnLetters(char* buffer, uint32_t number);

    // State read and written by the control.
    uint32_t columnCount = 0;
    uint32_t rowCount = 0;
    int32_t headersShown = 1;
    struct { int32_t cx = 0, cy = 0; } headerSize;
    zRect cells{};
    uint32_t firstColumn = 1;
    uint32_t firstRow = 1;
    ziTableRange visible{};
    int32_t defaultColumnWidth = 0;
    int32_t defaultRowHeight = 0;
    uint32_t highestRow = 0;
    uint32_t highestColumn = 0;
    int32_t columnShift = 0;
    int32_t rowShift = 0;
    int32_t grabWidth = 4;
    std::array<int32_t, EntryCount> rowTops{};
    std::array<int32_t, EntryCount> columnLefts{};
    int32_t visibleRowCount = 0;
    int32_t visibleColumnCount = 0;

private:
    using Block = std::array<int16_t, 256>;
    using Blocks = std::vector<std::unique_ptr<Block>>;

    static int32_t sizeOf(const Blocks& blocks, uint32_t highest, uint32_t index, int32_t fallback);
    static void store(Blocks& blocks, uint32_t& highest, uint32_t index, int32_t size);
    static int32_t entry(const std::array<int32_t, EntryCount>& a, uint32_t index, uint32_t first)
    {
        const int64_t i = int64_t(index) - first + 1;
        return i >= 0 && i < EntryCount ? a[size_t(i)] : 0;
    }
    int32_t fit(bool vertical) const;
    int32_t laneSize(bool vertical, uint32_t index) const { return vertical ? rowHeight(index) : columnWidth(index); }
    // Lays out one direction; the visible count it found.
    int32_t layLane(bool vertical);
    // Index (1-based, within the laid-out entries) of a coordinate.
    int32_t laneIndex(bool vertical, int32_t v, int32_t from) const;

    Blocks rowSizes_;
    Blocks columnSizes_;
};
