#include "framework/core/zTextBuf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string row(const zTextBuf& b, int32_t r) { return std::string(b.rowText(r), static_cast<size_t>(b.columns())); }

TEST(TextBuf, PutsTextCutAtTheRowEnd)
{
    zTextBuf b(3, 5);
    EXPECT_EQ(row(b, 0), "     ");
    int32_t col = 0, r = 0;
    b.put(3, 1, "abcd", 4, &col, &r);
    EXPECT_EQ(row(b, 1), "   ab");
    EXPECT_EQ(b.length(1), 5);
    EXPECT_EQ(col, 7);
    EXPECT_EQ(r, 1);
    // Line ends are kept as blank cells.
    b.put(0, 0, "x\ry", 3);
    EXPECT_EQ(row(b, 0), "x y  ");
    EXPECT_EQ(b.length(0), 3);
    // The row length never shrinks; out-of-grid puts do nothing.
    b.put(0, 0, "z", 1);
    EXPECT_EQ(b.length(0), 3);
    b.put(5, 0, "q", 1);
    b.put(0, 3, "q", 1);
    b.put(-1, 0, "q", 1);
    EXPECT_EQ(row(b, 0), "z y  ");
}

TEST(TextBuf, ScrollsTheRing)
{
    zTextBuf b(3, 4);
    b.put(0, 0, "aaaa", 4);
    b.put(0, 1, "bbbb", 4);
    b.put(0, 2, "cccc", 4);
    b.scroll(1);
    EXPECT_EQ(b.top(), 1);
    EXPECT_EQ(row(b, 0), "bbbb");
    EXPECT_EQ(row(b, 1), "cccc");
    EXPECT_EQ(row(b, 2), "    ");
    EXPECT_EQ(b.length(2), 0);
    EXPECT_EQ(b.firstDirty(), 1);
    EXPECT_EQ(b.lastDirty(), 2);
    b.scroll(2);
    EXPECT_EQ(b.top(), 0);
    EXPECT_EQ(row(b, 0), "    ");
    EXPECT_EQ(b.firstDirty(), 0);
    // More rows than the grid holds clears it all.
    b.put(0, 0, "dd", 2);
    b.scroll(7);
    EXPECT_EQ(row(b, 0), "    ");
}

TEST(TextBuf, MarksDirtySpans)
{
    zTextBuf b(4, 10);
    EXPECT_EQ(b.firstDirty(), 4);
    EXPECT_EQ(b.lastDirty(), 0);
    EXPECT_TRUE(b.span(2).empty());
    b.markDirty(2, 3, 5);
    b.markDirty(2, 1, 4);
    b.markDirty(1, 0, 2);
    EXPECT_EQ(b.span(2).first, 1);
    EXPECT_EQ(b.span(2).end, 5);
    EXPECT_EQ(b.firstDirty(), 1);
    EXPECT_EQ(b.lastDirty(), 2);
    b.clearDirty(2);
    EXPECT_TRUE(b.span(2).empty());
    b.resetDirtyRows();
    EXPECT_EQ(b.firstDirty(), 4);
}

} // namespace
