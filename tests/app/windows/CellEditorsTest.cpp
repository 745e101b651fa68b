#include "tests/app/windows/GridTestSupport.h"

#include "app/windows/BoundEdit.h"
#include "app/windows/EditCell.h"

namespace grid_test {
namespace {

// Steps of typed input: a character, or a key-down with the extended bit.
struct Step {
    enum Kind { Char, Key, KeyPlain } kind;
    unsigned code;
};
std::vector<Step> chars(const std::string& s)
{
    std::vector<Step> out;
    for (unsigned char c : s)
        out.push_back({Step::Char, c});
    return out;
}
std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const std::vector<Step> Enter = {{Step::Char, VK_RETURN}};
std::vector<Step> keyStep(unsigned vk) { return {{Step::Key, vk}}; }

class CellEditorTest : public GridTest {
protected:
    void run(const std::vector<Step>& steps)
    {
        for (const Step& s : steps) {
            if (s.kind == Step::Char)
                sendChar(hwnd(), static_cast<unsigned char>(s.code));
            else
                sendKey(hwnd(), s.code, s.kind == Step::Key);
        }
    }
};

TEST_F(CellEditorTest, NameCellKeepsLettersAndSignsAndReplacesOrInsertsAsTyped)
{
    struct Case {
        const char* what;
        const char* before;
        std::vector<Step> steps;
        const char* after;
    } cases[] = {
        {"typing replaces the whole text", "Alt", chars("Neu") + Enter, "Neu"},
        {"after an arrow key it inserts", "", chars("N") + keyStep(VK_LEFT) + chars("x") + Enter, "xN"},
        {"25 of 26 letters", "", chars("abcdefghijklmnopqrstuvwxyz") + Enter, "abcdefghijklmnopqrstuvwxy"},
        {"digits are refused", "", chars("Ma1x2") + Enter, "Max"},
        {"signs and blanks are kept", "", chars("Roth, Ann-Kathrin Dr. x_y") + Enter, "Roth, Ann-Kathrin Dr. x_y"},
        {"umlauts and sharp s", "", chars("M\xFC" "ller Gro\xDF \xE1") + Enter, "M\xFC" "ller Gro\xDF \xE1"},
        {"Home, then Delete and typing", "Lena", chars("L") + keyStep(VK_HOME) + keyStep(VK_DELETE) + chars("K") + Enter, "K"},
        {"Backspace at the start deletes nothing", "", chars("ab") + keyStep(VK_HOME) + chars("\b") + Enter, "ab"},
        {"Backspace deletes left of the caret", "", chars("abc") + keyStep(VK_LEFT) + chars("\b") + Enter, "ac"},
        {"Escape discards", "Alt", chars("Neu") + std::vector<Step>{{Step::Char, VK_ESCAPE}}, "Alt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetFieldText(athlete(0)->name, c.before);
        grid->loadTable(0);
        grid->setCurrent(0, 0);
        run(c.steps);
        EXPECT_EQ(name(0), c.after);
        EXPECT_EQ(grid->activeEditor(), nullptr);
    }
}

TEST_F(CellEditorTest, BirthYearTakesOnlyYearsOfTheClassRange)
{
    struct Case {
        const char* what;
        int32_t lower, upper;  // two-digit bounds, 50 = none
        const char* before;
        std::vector<Step> steps;
        const char* after;
    } cases[] = {
        {"1995-2002: 8 and 4 refused", 95, 2, "", chars("8946") + Enter, "96"},
        {"no bounds: 1980", 50, 50, "", chars("80") + Enter, "80"},
        {"no bounds: 2079", 50, 50, "", chars("79") + Enter, "79"},
        {"1995-2002: 2002 but not 2003", 95, 2, "", chars("032") + Enter, "02"},
        {"a refused digit leaves the text", 95, 2, "96", chars("5") + Enter, "96"},
        {"\".\" is no Delete", 95, 2, "96", chars(".") + Enter, "96"},
        {"\"#\" is no End", 95, 2, "96", chars("9") + keyStep(VK_HOME) + chars("#0") + Enter, "0"},
        {"letters are refused", 95, 2, "", chars("9a7") + Enter, "97"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid->birthYearEditor()->setRange(c.lower, c.upper);
        SetFieldText(athlete(0)->JG, c.before);
        grid->setCurrent(1, 0);
        run(c.steps);
        EXPECT_EQ(FieldText(athlete(0)->JG), c.after);
    }
}

TEST_F(CellEditorTest, BirthYearRangeFollowsTheTwoDigitBounds)
{
    struct Case {
        int32_t lower, upper, from, to;
    } cases[] = {{50, 50, 1900, 2999}, {95, 2, 1995, 2002}, {2, 95, 1995, 2002}, {79, 80, 1980, 2079}, {0, 0, 2000, 2000}};
    BoundEdit* e = grid->birthYearEditor();
    for (const Case& c : cases) {
        e->setRange(c.lower, c.upper);
        EXPECT_EQ(e->lower(), c.from) << c.lower << "/" << c.upper;
        EXPECT_EQ(e->upper(), c.to) << c.lower << "/" << c.upper;
    }
}

TEST_F(CellEditorTest, DisciplineCellTypesIntoItsTemplateAndSetsTheTick)
{
    const char* const sprint = gDisziFlags.texts[0][0][0];
    struct Case {
        const char* what;
        int32_t value;
        bool ticked;
        std::vector<Step> steps;
        const char* text;
        bool tickAfter;
    } cases[] = {
        {"\"-\" zeroes, clears the tick and moves on", 1234, true, chars("-"), "00,00", false},
        {"a performance sets the tick", 0, false, chars("0010") + Enter, "00,10", true},
        {"00,00 leaves a clear tick clear", 0, false, chars("0") + Enter, "00,00", false},
        {"00,00 leaves a set tick set", 0, true, chars("0") + Enter, "00,00", true},
        {"\"+\" ticks and keeps the digits", 1234, false, chars("+"), "12,34", true},
        {"\"x\" toggles off", 1234, true, chars("x"), "00,00", false},
        {"digits overwrite, separators stay", 1234, true, chars("567") + Enter, "56,74", true},
        {"the extended Insert key is no \"-\"", 1234, true, chars("9") + keyStep(VK_INSERT) + Enter, "92,34", true},
        {"letters are refused", 1234, true, chars("a1") + Enter, "12,34", true},
        {"Escape discards", 1234, true, chars("99") + std::vector<Step>{{Step::Char, VK_ESCAPE}}, "12,34", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        givePerformance(0, 0, c.value, c.ticked);
        grid->setCurrent(3, 0);
        run(c.steps);
        EXPECT_STREQ(sprint, c.text);
        EXPECT_EQ(gDisziFlags.isSet(0, 0, 0), c.tickAfter);
        EXPECT_EQ(grid->activeEditor(), nullptr);
        EXPECT_EQ(grid->cellColumn(), 4);  // Enter mode 1 and the sign keys move on
    }
}

TEST_F(CellEditorTest, BackspaceInADisciplineCellZeroesTheDigitLeftOfTheCaret)
{
    givePerformance(0, 0, 1234, true);
    grid->setCurrent(3, 0);
    sendText(hwnd(), "123");  // caret after the 3
    ASSERT_NE(grid->activeEditor(), nullptr);
    EXPECT_EQ(grid->activeEditor()->caretIndex(), 4);
    sendChar(hwnd(), '\b');
    EXPECT_STREQ(grid->activeEditor()->text(), "12,04");
    EXPECT_EQ(grid->activeEditor()->caretIndex(), 3);
    sendChar(hwnd(), '\b');  // over the separator
    EXPECT_STREQ(grid->activeEditor()->text(), "10,04");
    EXPECT_EQ(grid->activeEditor()->caretIndex(), 1);
}

}  // namespace
}  // namespace grid_test
