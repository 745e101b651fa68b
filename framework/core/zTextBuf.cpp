#include "framework/core/zTextBuf.h"

#include <algorithm>

zTextBuf::zTextBuf(int32_t rows, int32_t columns)
    : rowCount(std::max(rows, 1)), columnCount(std::max(columns, 1)), firstDirtyRow(rowCount)
{
    texts.assign(static_cast<size_t>(rowCount), std::vector<char>(static_cast<size_t>(columnCount), ' '));
    spans.assign(static_cast<size_t>(rowCount), Span{});
    lengths.assign(static_cast<size_t>(rowCount), 0);
}

size_t zTextBuf::ring(int32_t row) const
{
    return static_cast<size_t>((topRow + row) % rowCount);
}

void zTextBuf::put(int32_t column, int32_t row, const char* text, int32_t count, int32_t* endColumn,
                   int32_t* endRow)
{
    if (endColumn)
        *endColumn = column + count;
    if (endRow)
        *endRow = row;
    if (row < 0 || row >= rowCount || column < 0 || column >= columnCount || count <= 0 || !text)
        return;
    const size_t r = ring(row);
    const int32_t copied = std::min(columnCount - column, count);
    for (int32_t i = 0; i < copied; ++i) {
        char c = text[i];
        texts[r][static_cast<size_t>(column + i)] = (c == '\r' || c == '\n') ? ' ' : c;
    }
    if (lengths[r] < column + copied)
        lengths[r] = column + copied;
}

void zTextBuf::scroll(int32_t n)
{
    if (n <= 0)
        return;
    n = std::min(n, rowCount);
    for (int32_t i = 0; i < n; ++i) {
        const size_t r = ring(i);
        std::fill(texts[r].begin(), texts[r].end(), ' ');
        spans[r] = Span{0, 0};
        lengths[r] = 0;
    }
    firstDirtyRow = std::max(0, std::min(firstDirtyRow, rowCount - 1 - n));
    lastDirtyRow = std::max(lastDirtyRow, rowCount - 1);
    topRow = (topRow + n) % rowCount;
}

void zTextBuf::markDirty(int32_t row, int32_t from, int32_t to)
{
    if (row < 0 || row >= rowCount)
        return;
    Span& s = spans[ring(row)];
    s.first = std::min(s.first, from);
    s.end = std::max(s.end, to);
    firstDirtyRow = std::min(firstDirtyRow, row);
    lastDirtyRow = std::max(lastDirtyRow, row);
}

void zTextBuf::clearDirty(int32_t row)
{
    if (row >= 0 && row < rowCount)
        spans[ring(row)] = Span{};
}

void zTextBuf::resetDirtyRows()
{
    firstDirtyRow = rowCount;
    lastDirtyRow = 0;
}

const char* zTextBuf::rowText(int32_t row) const
{
    return texts[ring(std::clamp(row, 0, rowCount - 1))].data();
}

zTextBuf::Span& zTextBuf::span(int32_t row)
{
    return spans[ring(std::clamp(row, 0, rowCount - 1))];
}

int32_t zTextBuf::length(int32_t row) const
{
    return lengths[ring(std::clamp(row, 0, rowCount - 1))];
}
