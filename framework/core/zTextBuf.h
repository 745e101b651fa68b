// The character grid of a text pane: a ring of fixed-width rows with the
// cells that still need drawing marked per row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class zTextBuf {
public:
    static constexpr int32_t NoSpan = 32767;

    struct Span {
        int32_t first = NoSpan; // first dirty column
        int32_t end = 0;        // column after the last dirty one
        bool empty() const { return end <= first; }
    };

    zTextBuf(int32_t rows, int32_t columns);

    // Copies up to the row's end; carriage returns and line feeds are kept as
    // blanks. The end position (column + count, row) goes to the out values
    // when they are given.
    void put(int32_t column, int32_t row, const char* text, int32_t count, int32_t* endColumn = nullptr,
             int32_t* endRow = nullptr);
    // Moves the grid up by n rows; the rows that come free are blank.
    void scroll(int32_t n);
    void markDirty(int32_t row, int32_t from, int32_t to);
    void clearDirty(int32_t row);
    void resetDirtyRows();

    int32_t rows() const { return rowCount; }
    int32_t columns() const { return columnCount; }
    int32_t top() const { return topRow; }
    const char* rowText(int32_t row) const;
    Span& span(int32_t row);
    int32_t length(int32_t row) const;
    int32_t firstDirty() const { return firstDirtyRow; }
    int32_t lastDirty() const { return lastDirtyRow; }

private:
    size_t ring(int32_t row) const;

    int32_t topRow = 0;
    int32_t rowCount;
    int32_t columnCount;
    std::vector<std::vector<char>> texts;
    std::vector<Span> spans;
    std::vector<int32_t> lengths;
    int32_t firstDirtyRow;
    int32_t lastDirtyRow = 0;
};
