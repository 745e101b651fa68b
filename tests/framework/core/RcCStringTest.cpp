#include "framework/core/RcCString.h"

#include <gtest/gtest.h>

#include <string>

TEST(RcCString, CopiesShareUntilWrittenThroughIndex)
{
    RcCString a("Staffel");
    RcCString b(a);
    EXPECT_EQ(a.c_str(), b.c_str());
    EXPECT_EQ(a.references(), 2u);

    b[0] = 's';
    EXPECT_NE(a.c_str(), b.c_str());
    EXPECT_TRUE(a == "Staffel");
    EXPECT_TRUE(b == "staffel");
    EXPECT_EQ(a.references(), 1u);
    EXPECT_EQ(b.capacity(), 7u); // the private copy is exactly as long
}

TEST(RcCString, AssignmentSharesAndSelfAssignmentKeeps)
{
    RcCString a("Wurf");
    RcCString b;
    b = a;
    EXPECT_EQ(a.c_str(), b.c_str());
    b = b;
    EXPECT_TRUE(b == "Wurf");
    EXPECT_EQ(a.references(), 2u);
}

TEST(RcCString, EmptyAssignment)
{
    RcCString sole("Weitsprung");
    const char* before = sole.c_str();
    sole = "";
    EXPECT_EQ(sole.c_str(), before); // same representation, cleared in place
    EXPECT_EQ(sole.length(), 0u);
    EXPECT_FALSE(sole.isNullRep());

    RcCString a("Lauf");
    RcCString b(a);
    b = "";
    EXPECT_TRUE(b.isNullRep());
    EXPECT_TRUE(a == "Lauf");
    EXPECT_EQ(a.references(), 1u);
}

TEST(RcCString, NullRepresentationIsSharedAndNeverFreed)
{
    RcCString a;
    {
        RcCString b;
        RcCString c(b);
        a = c;
        EXPECT_EQ(a.c_str(), b.c_str());
        EXPECT_EQ(a.references(), 1u); // its count never changes
    }
    EXPECT_TRUE(a.isNullRep());
    EXPECT_STREQ(a.c_str(), "");
    RcCString d(nullptr);
    EXPECT_TRUE(d.isNullRep());
}

TEST(RcCString, ReplaceAppendsInsertsAssignsErases)
{
    struct Case {
        const char* start;
        uint32_t pos, n;
        const char* s;
        const char* expected;
    } cases[] = {
        {"Hoch", 4, 0, "sprung", "Hochsprung"},   // append
        {"Hochsprung", 4, 0, "-", "Hoch-sprung"},   // insert
        {"Hochsprung", 0, 99, "Kugel", "Kugel"},     // assign, count cut to the end
        {"Hochsprung", 4, 6, nullptr, "Hoch"},       // erase
        {"Hochsprung", 0, 4, nullptr, "sprung"},     // erase at the front
        {"", 0, 0, "x", "x"},                        // from the null representation
    };
    for (const Case& c : cases) {
        RcCString s(c.start);
        s.replace(c.pos, c.n, c.s, c.s ? static_cast<uint32_t>(strlen(c.s)) : 0);
        EXPECT_TRUE(s == c.expected) << c.start << " -> " << s.c_str();
        EXPECT_EQ(s.c_str()[s.length()], '\0');
    }
}

TEST(RcCString, ReplaceOnSharedStringLeavesTheOtherCopy)
{
    RcCString a("Sprint");
    RcCString b(a);
    b.append("staffel");
    EXPECT_TRUE(a == "Sprint");
    EXPECT_TRUE(b == "Sprintstaffel");
}

TEST(RcCString, CapacityGrowthAndShrink)
{
    RcCString s("123456789012345"); // 15 characters, capacity 15
    EXPECT_EQ(s.capacity(), 15u);
    s.append("6");
    EXPECT_EQ(s.capacity(), 31u);

    const char* same = s.c_str();
    s.append("7890"); // fits: stays in place
    EXPECT_EQ(s.c_str(), same);

    RcCString forty;
    forty.replace(0, 0, std::string(40, 'a').c_str(), 40);
    EXPECT_EQ(forty.capacity(), 47u);
    // Shrinking keeps the representation only when at most 15 characters of
    // capacity would be left over: 47 - 35 = 12 stays, 47 - 30 = 17 moves.
    const char* rep40 = forty.c_str();
    forty.replace(35, 5, nullptr, 0);
    EXPECT_EQ(forty.c_str(), rep40);
    forty.replace(30, 5, nullptr, 0);
    EXPECT_EQ(forty.capacity(), 31u);
    forty.replace(10, 20, nullptr, 0);
    EXPECT_EQ(forty.capacity(), 15u);
    EXPECT_EQ(forty.length(), 10u);

    EXPECT_EQ(RcCString::capacityFor(0), 15u);
    EXPECT_EQ(RcCString::capacityFor(16), 31u);
    EXPECT_EQ(RcCString::capacityFor(31), 31u);
    EXPECT_EQ(RcCString::capacityFor(32), 47u);
}

TEST(RcCString, ReplaceByPieceOfItself)
{
    RcCString s("Ballwurf---------------"); // plenty of spare room would allow in place
    s.replace(0, 0, s.c_str() + 4, 4);
    EXPECT_TRUE(s == "wurfBallwurf---------------");
}

TEST(RcCString, BoundsErrors)
{
    RcCString s("abc");
    try {
        s[3];
        FAIL();
    } catch (const RcBoundsErr& e) {
        EXPECT_STREQ(e.why(), "[INDEXERR] Illegal Index (3) for collection or string with 3 elements");
    }
    try {
        s[RcCString::npos];
        FAIL();
    } catch (const RcBoundsErr& e) {
        EXPECT_STREQ(e.why(), "[NPOSINDEX] The value RC_NPOS cannot be used as an index.");
    }
    try {
        s.replace(4, 0, "x", 1);
        FAIL();
    } catch (const RcBoundsErr& e) {
        EXPECT_STREQ(e.why(), "[SUBSTRING] Illegal substring (4, 0) from 3 element RcCString");
    }
    EXPECT_TRUE(s == "abc");
    RcCString empty;
    EXPECT_THROW(empty[0], RcInternalErr);
}

TEST(RcCString, CaseInsensitiveCompare)
{
    EXPECT_EQ(rcStrnicmp("MDIframeCL", "mdiFRAMEcl", 10), 0);
    EXPECT_EQ(rcStrnicmp("ÄRGER", "ärger", 5), 0);
    EXPECT_EQ(rcStrnicmp("abcX", "abcY", 3), 0);
    EXPECT_LT(rcStrnicmp("abc", "abd", 3), 0);
}
