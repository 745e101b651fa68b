#include "framework/core/zPictFormatter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FormatCase {
    const char* picture;
    uint32_t flags;
    const char* input;
    int result;
    const char* output; // the text afterwards (unchanged on refusal)
};

class PictureFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(PictureFormat, ShapesOrRefuses)
{
    const FormatCase& c = GetParam();
    zPictFormatter f(c.flags, c.picture);
    std::string text = c.input;
    EXPECT_EQ(f.format(text, c.flags), c.result) << c.picture << " / " << c.input;
    EXPECT_EQ(text, c.output) << c.picture << " / " << c.input;
}

constexpr uint32_t Up = zFormatter::UpperCase;
constexpr uint32_t Low = zFormatter::LowerCase;
constexpr uint32_t Hide = zFormatter::HideLiterals;

INSTANTIATE_TEST_SUITE_P(Table, PictureFormat, testing::Values(
    // Literal between digit groups: typed with or without it.
    FormatCase{"99':'99", 0, "1234", 1, "12:34"},
    FormatCase{"99':'99", 0, "12:34", 1, "12:34"},
    FormatCase{"99':'99", Hide, "12:34", 1, "1234"},
    FormatCase{"99':'99", 0, "12a4", 0, "12a4"},
    FormatCase{"99':'99", 0, "12345", 0, "12345"},
    FormatCase{"99':'99", 0, "", 1, ":"},
    // Unquoted characters other than the picture's own are ignored.
    FormatCase{"99-99", 0, "1234", 1, "1234"},
    FormatCase{"99-99", 0, "12-34", 0, "12-34"},
    // Repeat counts.
    FormatCase{"9(3)", 0, "123", 1, "123"},
    FormatCase{"9(3)", 0, "1234", 0, "1234"},
    FormatCase{"':'(3)9", 0, "1", 1, ":1"},
    FormatCase{"':'(3)9", 0, "::1", 0, "::1"},
    // Sets.
    FormatCase{"[0-9]", 0, "5", 1, "5"},
    FormatCase{"[0-9]", 0, "a", 0, "a"},
    FormatCase{"[!0-9]", 0, "a", 1, "a"},
    FormatCase{"[!0-9]", 0, "5", 0, "5"},
    FormatCase{"['-'a-c]", 0, "-", 1, "-"},
    FormatCase{"['-'a-c]", 0, "c", 1, "c"},
    FormatCase{"['-'a-c]", 0, "d", 0, "d"},
    FormatCase{"['!']9", 0, "!1", 1, "!1"},
    // Faulty sets accept only the placeholder.
    FormatCase{"[c-a]", 0, "c", 0, "c"},
    FormatCase{"[a-", 0, "a", 0, "a"},
    FormatCase{"[a-c", 0, "b", 0, "b"},
    FormatCase{"['a]", 0, "a", 0, "a"},
    FormatCase{"[c-a]", 0, "_", 1, ""},
    // Character classes and case rules.
    FormatCase{"!!", 0, "aB", 1, "AB"},
    FormatCase{"AA", Up, "ab", 1, "AB"},
    FormatCase{"!A", Low, "AB", 1, "ab"},
    FormatCase{"A", Up, "\xE4", 1, "\xC4"},
    FormatCase{"A", 0, "1", 0, "1"},
    FormatCase{"NN", 0, "a1", 1, "a1"},
    FormatCase{"NN", 0, "a-", 0, "a-"},
    FormatCase{"##", 0, "+-", 1, "+-"},
    FormatCase{"XX", 0, "_a", 1, "_a"},
    FormatCase{"[a-c]", Up, "b", 1, "b"},
    // A doubled quote inside a literal run is a quote character.
    FormatCase{"9''''9", 0, "12", 1, "1'2"}));

TEST(PictureFormatter, PlaceholdersShowInEmptyPositions)
{
    zPictFormatter f(zFormatter::ShowPlaceholders, "99':'99[a-z]A");
    EXPECT_EQ(f.render(zFormatter::ShowPlaceholders), "##:##__");
    EXPECT_EQ(f.render(0), ":");
    EXPECT_EQ(f.elementCount(), 7);
    EXPECT_EQ(f.firstEditable(), 0);
}

TEST(PictureFormatter, LimitsItsTables)
{
    // Repetition stops at the element limit, and many literals are fine.
    zPictFormatter big(0, "9(9999)");
    EXPECT_EQ(big.elementCount(), zPictFormatter::MaxElements);
    std::string lits = "'";
    for (int i = 0; i < 40; ++i)
        lits += "-";
    lits += "'9";
    zPictFormatter many(0, lits.c_str());
    std::string text = "5";
    EXPECT_EQ(many.format(text, 0), 1);
    EXPECT_EQ(text, std::string(40, '-') + "5");
    zPictFormatter none(0, "'ab'");
    EXPECT_EQ(none.firstEditable(), 2);
}

struct CheckCase {
    uint32_t flags;
    const char* text;
    int result;
    int32_t sel; // -1: not looked at
};

TEST(PictureFormatter, ChecksTexts)
{
    const CheckCase cases[] = {
        {0, "12:34", 1, -1},
        {0, "1234", 1, -1},
        {0, "12:3", 1, 4},
        {zFormatter::AllRequired, "12:3", 0, 4},
        {zFormatter::AllRequired, "12:34", 1, -1},
        {0, "", 0, -1},
        {zFormatter::EmptyOk, "", 1, -1},
        {0, "1a:34", 0, 1},
        {0, "12:345", 0, 5},
        {0, ":", 0, 0},
        {zFormatter::EmptyOk, ":", 1, 0},
        {zFormatter::ShowPlaceholders, "1#:##", 1, 1},
        {zFormatter::ShowPlaceholders | zFormatter::AllRequired, "1#:##", 0, 1},
    };
    for (const CheckCase& c : cases) {
        zPictFormatter f(c.flags, "99':'99");
        int32_t s = -1, e = -1;
        EXPECT_EQ(f.check(c.text, s, e), c.result) << c.text << " flags " << c.flags;
        if (c.sel >= 0) {
            EXPECT_EQ(s, c.sel) << c.text;
            EXPECT_EQ(e, c.sel) << c.text;
        }
    }
}

struct EditStep {
    const char* keys;  // "\b" backspace, "\b\x01" delete
    int32_t count;
    int32_t selStart, selEnd;
    const char* before;
    int result;
    const char* after;
    int32_t caret;
};

TEST(PictureFormatter, EditsTextLikeAField)
{
    const EditStep steps[] = {
        // Typing digit by digit jumps over the colon.
        {"1", 1, 0, 0, "", 2, "1:", 1},
        {"2", 1, 1, 1, "1:", 2, "12:", 3},
        {"3", 1, 3, 3, "12:", 2, "12:3", 4},
        {"4", 1, 4, 4, "12:3", 2, "12:34", 5},
        // Typing the colon where it already stands only moves on.
        {":", 1, 2, 2, "12:", 2, "12:", 3},
        // A refused character leaves everything as it was.
        {"a", 1, 1, 1, "12:34", 0, "12:34", 1},
        {"5", 1, 5, 5, "12:34", 0, "12:34", 5},
        // Typing into a filled position moves the rest on.
        {"5", 1, 0, 0, "12:34", 2, "51:23", 1},
        // A typed character replaces the selection.
        {"9", 1, 0, 2, "12:34", 2, "93:4", 1},
        // Backspace and Delete pull the following characters back.
        {"\b", 1, 2, 2, "12:34", 2, "13:4", 1},
        {"\b", 1, 3, 3, "12:34", 2, "13:4", 1},
        {"\b", 1, 0, 0, "12:34", 0, "12:34", 0},
        {"\b\x01", 2, 2, 2, "12:34", 2, "12:4", 3},
        {"\b\x01", 2, 0, 0, "12:34", 2, "23:4", 0},
        {"\b\x01", 2, 5, 5, "12:34", 0, "12:34", 5},
        {"\b", 1, 1, 4, "12:34", 2, "14:", 1},
        // Pasting several characters.
        {"1234", 4, 0, 0, "", 2, "12:34", 5},
        {"12:34", 5, 0, 0, "", 2, "12:34", 5},
        {"1x34", 4, 0, 0, "", 2, "1:", 1},
    };
    for (const EditStep& st : steps) {
        zPictFormatter f(0, "99':'99");
        std::string text = st.before;
        int32_t s = st.selStart, e = st.selEnd;
        EXPECT_EQ(f.edit(text, st.keys, st.count, s, e), st.result) << st.before << " + " << st.keys;
        EXPECT_EQ(text, st.after) << st.before << " + " << st.keys;
        EXPECT_EQ(s, st.caret) << st.before << " + " << st.keys;
        EXPECT_EQ(e, st.caret) << st.before << " + " << st.keys;
    }
}

TEST(PictureFormatter, EditWithPlaceholders)
{
    zPictFormatter f(zFormatter::ShowPlaceholders, "99':'99");
    std::string text;
    int32_t s = 0, e = 0;
    EXPECT_EQ(f.edit(text, "", 0, s, e), 2);
    EXPECT_EQ(text, "##:##");
    EXPECT_EQ(s, 0);
    EXPECT_EQ(f.edit(text, "7", 1, s, e), 2);
    EXPECT_EQ(text, "7#:##");
    EXPECT_EQ(s, 1);
    // With placeholders shown a refused character fails at once.
    EXPECT_EQ(f.edit(text, "x", 1, s, e), 0);
    EXPECT_EQ(text, "7#:##");
    EXPECT_EQ(f.edit(text, "\b", 1, s, e), 2);
    EXPECT_EQ(text, "##:##");
    EXPECT_EQ(s, 0);
}

} // namespace
