// The cell texts of the entry grid alone: the cell's own buffer and the
// caller's, each filled no further than its size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "app/windows/GridCellTexts.h"

namespace {

TEST(GridCellTexts, CopiesStopAtTheSizeOfTheCellsBuffer) {
    struct Case {
        int32_t borrowed;  // size of the caller's buffer; 0: the cell's own
        std::string text;
        std::string kept;
    } cases[] = {
        {0, "Müller", "Müller"},
        {0, std::string(60, 'x'), std::string(9, 'x')},
        {0, "", ""},
        {4, "12,34", "12,"},
        {4, "1", "1"},
    };
    for (const Case& c : cases) {
        GridCellTexts cells(10);
        char outside[16];
        std::memset(outside, '#', sizeof outside);
        if (c.borrowed)
            cells.borrow(2, 3, outside, c.borrowed);
        cells.copy(2, 3, c.text.c_str());
        EXPECT_STREQ(cells.buffer(2, 3), c.kept.c_str()) << c.text;
        if (c.borrowed) {
            EXPECT_EQ(cells.buffer(2, 3), outside);
            EXPECT_EQ(outside[c.borrowed], '#') << "written past the caller's buffer";
        } else {
            EXPECT_EQ(cells.size(2, 3), 10u);
        }
    }
}

TEST(GridCellTexts, CellsOutsideTheGridAreIgnored) {
    GridCellTexts cells(10);
    const std::pair<int32_t, int32_t> outside[] = {
        {-1, 0}, {0, -1}, {GridCellTexts::MaxRows, 0}, {0, GridCellTexts::MaxColumns}};
    for (auto [row, column] : outside) {
        cells.copy(row, column, "x");
        EXPECT_EQ(cells.buffer(row, column), nullptr);
        EXPECT_EQ(cells.size(row, column), 0u);
    }
    EXPECT_EQ(cells.buffer(0, 0), nullptr);  // nothing stored yet
}

}  // namespace
