#include "framework/controls3d/zStatusMessageTable.h"

#include <gtest/gtest.h>

TEST(zStatusMessageTable, FindsTheFirstEntryUpToTheEnd) {
    const zStatusMessage entries[] = {
        {12, "Meldungen öffnen"}, {10, "Prüfen"}, {12, "zweiter"}, {0, nullptr}, {99, "dahinter"}};
    zStatusMessageTable t;
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(t.find(12), nullptr);
    t.set(entries);
    EXPECT_FALSE(t.isEmpty());
    EXPECT_STREQ(t.find(12), "Meldungen öffnen");
    EXPECT_STREQ(t.find(10), "Prüfen");
    EXPECT_EQ(t.find(99), nullptr);  // behind the end marker
    const zStatusMessage startsWithZero[] = {{0, "x"}, {0, nullptr}};
    t.set(startsWithZero);
    EXPECT_TRUE(t.isEmpty());
}
