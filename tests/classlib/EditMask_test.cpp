// Edit-mask rules: which characters a position takes, the shown and the
// saved text, texts assigned with and without literals, and completeness.
#include <gtest/gtest.h>

#include "classlib/EditMask.h"

namespace {

TEST(EditMask, PositionsAcceptTheirCharacters) {
  struct Case {
    const char* mask;
    char typed;
    bool accepted;
    char stored;
  } cases[] = {
      {"0", '5', true, '5'},  {"0", 'a', false, 0},   {"9", ' ', false, 0},
      {"#", '-', true, '-'},  {"#", '+', true, '+'},  {"L", '1', false, 0},
      {"l", '\xE4', true, '\xE4'},  // ä
      {"A", '7', true, '7'},  {"a", '-', false, 0},   {"C", '-', true, '-'},
      {">L", 'b', true, 'B'}, {"<L", 'B', true, 'b'}, {">l", '\xE4', true, '\xC4'},
      {"><>L", 'b', true, 'b'},
  };
  for (const Case& c : cases) {
    TEditMask m(c.mask);
    int p = m.NextEditable(0);
    ASSERT_LT(p, m.Size()) << c.mask;
    char ch = c.typed;
    EXPECT_EQ(m.Accept(p, ch), c.accepted) << c.mask << " " << c.typed;
    if (c.accepted) {
      EXPECT_EQ(ch, c.stored) << c.mask;
    }
  }
}

TEST(EditMask, FieldsLiteralsAndTexts) {
  struct Case {
    const char* mask;
    const char* assigned;  // through the Text form
    const char* editText;
    const char* text;
    bool filled;
    bool valid;
  } cases[] = {
      {"99/99;1;_", "12/34", "12/34", "12/34", true, true},
      {"99/99;1;_", "1", "1_/__", "1 /  ", false, true},
      {"00,00;0;#", "5123", "51,23", "5123", true, true},
      {"00,00;0;#", "51", "51,##", "51  ", false, false},
      {"!99-99;0;*", "123", "*1-23", " 123", false, true},
      {"\\(000\\)_00;1; ", "(123) 45", "(123) 45", "(123) 45", true, true},
      {"LL\\;9", "ab;1", "ab;1", "ab;1", true, true},
      {">LL<ll;0", "abCD", "ABcd", "ABcd", true, true},
      {"0x0", "9x9", "9x9", "9x9", true, true},
      {"", "", "", "", true, true},
  };
  for (const Case& c : cases) {
    TEditMask m(c.mask);
    AnsiString v = m.ValueFromText(c.assigned);
    EXPECT_EQ(m.EditText(v), c.editText) << c.mask;
    EXPECT_EQ(m.Text(v), c.text) << c.mask;
    EXPECT_EQ(m.Filled(v), c.filled) << c.mask;
    EXPECT_EQ(m.Valid(v), c.valid) << c.mask;
    EXPECT_EQ(m.ValueFromEditText(m.EditText(v)), v) << c.mask;
  }
}

TEST(EditMask, EditablePositionsSkipLiterals) {
  TEditMask m("99/99");
  EXPECT_EQ(m.NextEditable(2), 3);
  EXPECT_EQ(m.PreviousEditable(3), 1);
  EXPECT_EQ(m.NextEditable(5), 5);
  EXPECT_EQ(m.PreviousEditable(0), -1);
  EXPECT_FALSE(m.IsEditable(2));
  EXPECT_FALSE(m.IsRequired(0));
  EXPECT_TRUE(TEditMask("0").IsRequired(0));
}

}  // namespace
