#pragma once
// The texts of the entry grid's cells: per cell a buffer of its own (made
// with the column's capacity) or one the caller keeps, with its size.
#include <cstddef>
#include <cstdint>

class GridCellTexts {
public:
    static constexpr int32_t MaxColumns = 25;
    static constexpr int32_t MaxRows = 100;

    // Every column's capacity starts at `capacity` bytes.
    explicit GridCellTexts(int32_t capacity);
    ~GridCellTexts();
    GridCellTexts(const GridCellTexts&) = delete;
    GridCellTexts& operator=(const GridCellTexts&) = delete;

    // Row and column 0-based; cells outside the grid are ignored.
    // Copies the text into the cell's own buffer (made with the column's
    // capacity when the cell has none), cut to the buffer's size - 1.
    void copy(int32_t row, int32_t column, const char* text);
    // Points the cell at the caller's buffer of `capacity` bytes (0: the
    // column's capacity), which stays the caller's.
    void borrow(int32_t row, int32_t column, char* buffer, int32_t capacity);
    // The cell's buffer and its size, or null and 0.
    char* buffer(int32_t row, int32_t column) const;
    size_t size(int32_t row, int32_t column) const;

private:
    static bool inside(int32_t row, int32_t column);

    int32_t capacities_[MaxColumns];
    char* cells_[MaxRows][MaxColumns] = {};
    int32_t sizes_[MaxRows][MaxColumns] = {};
    bool owned_[MaxRows][MaxColumns] = {};
};
