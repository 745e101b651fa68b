#include "app/windows/GridCellTexts.h"

#include <cstring>

GridCellTexts::GridCellTexts(int32_t capacity)
{
    for (int32_t& c : capacities_)
        c = capacity;
}

GridCellTexts::~GridCellTexts()
{
    for (int32_t r = 0; r < MaxRows; ++r)
        for (int32_t c = 0; c < MaxColumns; ++c)
            if (owned_[r][c])
                delete[] cells_[r][c];
}

bool GridCellTexts::inside(int32_t row, int32_t column)
{
    return row >= 0 && row < MaxRows && column >= 0 && column < MaxColumns;
}

void GridCellTexts::copy(int32_t r, int32_t c, const char* text)
{
    if (!inside(r, c))
        return;
    if (!cells_[r][c]) {
        const int32_t size = capacities_[c];
        cells_[r][c] = new char[size]();
        sizes_[r][c] = size;
        owned_[r][c] = true;
    }
    const size_t size = size_t(sizes_[r][c]);
    size_t n = text ? std::strlen(text) : 0;
    if (n > size - 1)
        n = size - 1;
    if (n)
        std::memcpy(cells_[r][c], text, n);
    cells_[r][c][n] = 0;
}

void GridCellTexts::borrow(int32_t r, int32_t c, char* buffer, int32_t capacity)
{
    if (!inside(r, c))
        return;
    if (owned_[r][c])
        delete[] cells_[r][c];
    owned_[r][c] = false;
    cells_[r][c] = buffer;
    sizes_[r][c] = capacity > 0 ? capacity : capacities_[c];
}

char* GridCellTexts::buffer(int32_t row, int32_t column) const
{
    return inside(row, column) ? cells_[row][column] : nullptr;
}

size_t GridCellTexts::size(int32_t row, int32_t column) const
{
    return inside(row, column) ? size_t(sizes_[row][column]) : 0;
}
