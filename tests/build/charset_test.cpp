// The program's texts are Windows-1252 bytes in both builds.
#include <gtest/gtest.h>

#include <cstring>

TEST(ProgramTexts, AreWindows1252)
{
    const char* text = "Rückfrage ß €";
    ASSERT_EQ(std::strlen(text), 13u);
    EXPECT_EQ(static_cast<unsigned char>(text[1]), 0xFC);
    EXPECT_EQ(static_cast<unsigned char>(text[10]), 0xDF);
    EXPECT_EQ(static_cast<unsigned char>(text[12]), 0x80);
}

TEST(ProgramTexts, WideLiteralsStayUtf16)
{
    const char16_t* text = u"ü€";
    EXPECT_EQ(text[0], 0x00FC);
    EXPECT_EQ(text[1], 0x20AC);
}
