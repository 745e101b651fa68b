#include "framework/tables/ziTableGeometry.h"

#include <algorithm>

int32_t ziTableGeometry::sizeOf(const Blocks& blocks, uint32_t highest, uint32_t index, int32_t fallback)
{
    if (index > highest)
        return fallback;
    const uint32_t block = index / 256;
    if (block >= blocks.size() || !blocks[block])
        return fallback;
    const int16_t v = (*blocks[block])[index % 256];
    return v < 0 ? fallback : v;
}

void ziTableGeometry::store(Blocks& blocks, uint32_t& highest, uint32_t index, int32_t size)
{
    const uint32_t block = index / 256;
    if (block >= blocks.size())
        blocks.resize(block + 1);
    if (!blocks[block]) {
        blocks[block] = std::make_unique<Block>();
        blocks[block]->fill(-1);
    }
    if (index > highest)
        highest = index;
    (*blocks[block])[index % 256] = static_cast<int16_t>(std::clamp(size, -1, 32767));
}

size_t ziTableGeometry::rowBlockCount() const
{
    return size_t(std::count_if(rowSizes_.begin(), rowSizes_.end(), [](const auto& b) { return b != nullptr; }));
}

void ziTableGeometry::setRowHeight(uint32_t row, int32_t height)
{
    store(rowSizes_, highestRow, row, height);
    layout();
}

void ziTableGeometry::setColumnWidth(uint32_t column, int32_t width)
{
    store(columnSizes_, highestColumn, column, width);
    layout();
}

int32_t ziTableGeometry::fit(bool vertical) const
{
    const int64_t room = vertical ? int64_t(cells.height()) - headerHeight() : int64_t(cells.width()) - headerWidth();
    int64_t sum = 0;
    int32_t counted = 0;
    for (uint32_t i = vertical ? rowCount : columnCount; i >= 1; --i) {
        sum += laneSize(vertical, i);
        if (sum > room)
            break;
        ++counted;
    }
    return counted - 1;
}

int32_t ziTableGeometry::fitColumns() const { return fit(false); }
int32_t ziTableGeometry::fitRows() const { return fit(true); }

int32_t ziTableGeometry::layLane(bool vertical)
{
    int32_t pos = vertical ? headerHeight() : headerWidth();
    const uint32_t first = vertical ? firstRow : firstColumn;
    const uint32_t count = vertical ? rowCount : columnCount;
    auto& entries = vertical ? rowTops : columnLefts;
    const int32_t limit = vertical ? cells.height() : cells.width();
    const uint64_t last = std::min<uint64_t>(count, uint64_t(first) + MaxLaidOut - 1);
    const int32_t n = last >= first ? int32_t(last - first + 1) : 0;
    for (int32_t i = 1; i <= n; ++i) {
        entries[size_t(i)] = pos;
        pos += laneSize(vertical, first + uint32_t(i) - 1);
        if (pos > limit) {
            entries[size_t(i) + 1] = pos;
            return i;
        }
    }
    entries[size_t(n) + 1] = pos;
    return n;
}

void ziTableGeometry::layout()
{
    movedX = movedY = 0;
    columnShift = shiftFor(columnCount);
    rowShift = shiftFor(rowCount);
    for (bool vertical : {false, true}) {
        const int64_t lastPage =
            std::max<int64_t>(int64_t(vertical ? rowCount : columnCount) - fit(vertical), 1);
        uint32_t& first = vertical ? firstRow : firstColumn;
        if (first == 0)
            first = 1;
        if (lastPage < first) {
            first = uint32_t(lastPage);
            (vertical ? movedY : movedX) = 1;
        }
    }
    visibleColumnCount = layLane(false);
    visibleRowCount = layLane(true);
    visible = cellRange({cells.left + headerWidth(), cells.top + headerHeight(), cells.right, cells.bottom});
    // Blank room after the last column or row holds no visible cell.
    visible.lastColumn = std::min(visible.lastColumn, columnCount);
    visible.lastRow = std::min(visible.lastRow, rowCount);
}

int32_t ziTableGeometry::laneIndex(bool vertical, int32_t v, int32_t from) const
{
    const auto& entries = vertical ? rowTops : columnLefts;
    const int32_t n = vertical ? visibleRowCount : visibleColumnCount;
    for (int32_t i = std::max(from, 1); i <= n; ++i)
        if (v <= entries[size_t(i)])
            return v < entries[size_t(i)] ? i - 1 : i;
    if (n <= 0)
        return 0;
    const uint32_t first = vertical ? firstRow : firstColumn;
    const int64_t end = int64_t(entries[size_t(n)]) + laneSize(vertical, first + uint32_t(n) - 1);
    return v > end ? n + 1 : n;
}

ziTableRange ziTableGeometry::cellRange(const zRect& rect) const
{
    int32_t l = rect.left, r = rect.right, t = rect.top, b = rect.bottom;
    if (headersShown) {
        l = std::max(l, headerWidth());
        r = std::max(r, headerWidth());
        t = std::max(t, headerHeight());
        b = std::max(b, headerHeight());
    }
    const int32_t li = laneIndex(false, l, 1);
    const int32_t ri = laneIndex(false, r, li);
    const int32_t ti = laneIndex(true, t, 1);
    const int32_t bi = laneIndex(true, b, ti);
    return {firstColumn - 1 + uint32_t(li), firstRow - 1 + uint32_t(ti), firstColumn - 1 + uint32_t(ri),
            firstRow - 1 + uint32_t(bi)};
}

int32_t ziTableGeometry::cellAt(int32_t x, int32_t y, ziTablePos& position) const
{
    if (headersShown && (x < headerWidth() || y < headerHeight()))
        return 0;
    const ziTableRange r = cellRange({x, y, x, y});
    position = {r.firstColumn, r.firstRow};
    return r.firstColumn && r.firstRow && r.lastColumn && r.lastRow ? 1 : 0;
}

int32_t ziTableGeometry::headerAt(int32_t x, int32_t y, uint32_t& index, int32_t& kind) const
{
    if (!headersShown)
        return 0;
    const int32_t hw = headerWidth(), hh = headerHeight();
    if (x < hw && y < hh) {
        kind = 2;
        index = 0;
        return 1;
    }
    const bool rowHeader = x < hw && y <= cells.bottom;
    const bool columnHeader = !rowHeader && y < hh && x <= cells.right;
    if (!rowHeader && !columnHeader)
        return 0;
    const bool vertical = rowHeader;
    const ziTableRange r = cellRange({x, y, x, y});
    const uint32_t i = vertical ? r.firstRow : r.firstColumn;
    const int32_t v = vertical ? y : x;
    const int32_t n = vertical ? visibleRowCount : visibleColumnCount;
    const int32_t laidEnd = (vertical ? rowTops : columnLefts)[size_t(std::max(n, 0)) + 1];
    kind = vertical ? 0 : 1;
    if (i == 0 || i > (vertical ? rowCount : columnCount) || v > laidEnd)
        return 0;
    const int32_t end = (vertical ? rowTop(i) : columnLeft(i)) + laneSize(vertical, i);
    if (v < end - grabWidth + 1) {
        index = i;
        return 1;
    }
    if (v <= end) {
        index = i;
        return 2;
    }
    return 0;
}

int32_t ziTableGeometry::shiftFor(uint32_t count)
{
    if (count < BigTable)
        return 0;
    for (int32_t s = 1; s <= 16; ++s)
        if ((count >> s) <= 32766)
            return s;
    return 16;
}

int32_t ziTableGeometry::scrollMax(bool vertical) const
{
    const int64_t count = vertical ? rowCount : columnCount;
    const int64_t f = fit(vertical);
    const int32_t s = shiftFor(uint32_t(count));
    const int64_t m = s == 0 ? count - f : ((count - f) >> s) + (f >> s);
    return int32_t(std::max<int64_t>(m, 1));
}

int32_t ziTableGeometry::correctedPos(bool vertical, int32_t p) const
{
    const uint32_t count = vertical ? rowCount : columnCount;
    const uint32_t lastVisible = vertical ? visible.lastRow : visible.lastColumn;
    const uint32_t firstVisible = vertical ? visible.firstRow : visible.firstColumn;
    if (lastVisible != count && p == scrollMax(vertical))
        p -= 1;
    if (lastVisible == count) {
        const int64_t end = int64_t(vertical ? rowTop(count) : columnLeft(count)) + laneSize(vertical, count);
        if (end > (vertical ? cells.bottom : cells.right))
            p -= 1;
    }
    if (firstVisible == 1)
        p = 1;
    return std::max(p, 1);
}

int32_t ziTableGeometry::scrollPos(bool vertical) const
{
    const uint32_t first = vertical ? firstRow : firstColumn;
    const uint32_t count = vertical ? rowCount : columnCount;
    const int32_t s = shiftFor(count);
    if (s == 0)
        return int32_t(first);
    const int64_t f = fit(vertical);
    return correctedPos(vertical, int32_t((int64_t(first) >> s) + (f >> s)));
}

uint32_t ziTableGeometry::pageBack(bool vertical) const
{
    const int64_t room = vertical ? int64_t(cells.height()) - headerHeight() : int64_t(cells.width()) - headerWidth();
    const uint32_t firstVisible = vertical ? visible.firstRow : visible.firstColumn;
    uint32_t r = firstVisible;
    int64_t sum = 0;
    while (r > 1) {
        sum += laneSize(vertical, r);
        if (sum < room) {
            --r;
            continue;
        }
        return r == firstVisible ? r - 1 : r;
    }
    return 1;
}

uint32_t ziTableGeometry::pageForward(bool vertical) const
{
    const uint32_t lastVisible = vertical ? visible.lastRow : visible.lastColumn;
    const uint32_t count = vertical ? rowCount : columnCount;
    return std::max<uint32_t>(std::min(lastVisible, count), 1);
}

uint32_t ziTableGeometry::thumbFirst(bool vertical, int32_t position) const
{
    const int32_t s = shiftFor(vertical ? rowCount : columnCount);
    return uint32_t((int64_t(std::max(position, 1)) - 1) << s) + 1;
}

int32_t ziTableGeometry::thumbFor(bool vertical, uint32_t first) const
{
    return int32_t(first >> shiftFor(vertical ? rowCount : columnCount)) + 1;
}

void ziTableGeometry::columnLetters(char* buffer, uint32_t number)
{
    char reversed[16];
    int32_t n = 0;
    uint64_t v = number;
    while (v > 0) {
        reversed[n++] = char('A' + (v - 1) % 26);
        v = (v - 1) / 26;
    }
    for (int32_t i = 0; i < n; ++i)
        buffer[i] = reversed[n - 1 - i];
    buffer[n] = '\0';
}
