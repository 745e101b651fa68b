#pragma once
// Cell positions and ranges of a table: columns and rows count from 1; 0 in
// either coordinate names no cell. Ranges are inclusive.
#include <cstdint>

struct ziTablePos {
    uint32_t column = 0;
    uint32_t row = 0;
    bool operator==(const ziTablePos&) const = default;
};

struct ziTableRange {
    uint32_t firstColumn = 0;
    uint32_t firstRow = 0;
    uint32_t lastColumn = 0;
    uint32_t lastRow = 0;
    bool operator==(const ziTableRange&) const = default;

    bool holds(const ziTablePos& p) const
    {
        return firstColumn <= p.column && p.column <= lastColumn && firstRow <= p.row && p.row <= lastRow;
    }
    bool isEmpty() const { return lastColumn < firstColumn || lastRow < firstRow; }
};
