#include "framework/controls3d/ziMnemonic.h"

#include <gtest/gtest.h>

TEST(ziMnemonic, StripsMarkersAndRecordsPosition) {
    struct Case {
        const char* in;
        const char* out;
        int32_t has;
        int32_t index;
    };
    const Case cases[] = {
        {"&&Datei", "&Datei", 0, -1},     // a doubled marker is a plain '&'
        {"&Datei", "Datei", 1, 0},        // first remaining character
        {"Spei&chern", "Speichern", 1, 4},
        {"Ende&", "Ende", 1, 4},          // marker at the end: index past text
        {"A && B &C", "A & B C", 1, 6},   // position counts the stripped text
        {"ohne", "ohne", 0, -1},
        {"", "", 0, -1},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        int32_t has = 0, index = -1;
        ziMnemonic::strip(text, has, index);
        EXPECT_EQ(text, c.out) << c.in;
        EXPECT_EQ(has, c.has) << c.in;
        EXPECT_EQ(index, c.index) << c.in;
    }
}

TEST(ziMnemonic, StrippingTwiceKeepsTheFirstResult) {
    std::string text = "&Hilfe";
    int32_t has = 0, index = -1;
    ziMnemonic::strip(text, has, index);
    ziMnemonic::strip(text, has, index);
    EXPECT_EQ(text, "Hilfe");
    EXPECT_EQ(has, 1);
    EXPECT_EQ(index, 0);
}

TEST(ziMnemonic, KeyMatchesWithoutRegardToCase) {
    EXPECT_TRUE(ziMnemonic::matches("&Datei", 'D'));
    EXPECT_TRUE(ziMnemonic::matches("&datei", 'D'));
    EXPECT_TRUE(ziMnemonic::matches("Ö&ffnen", 'F'));
    EXPECT_TRUE(ziMnemonic::matches("&über", static_cast<unsigned char>("Ü"[0])));
    EXPECT_FALSE(ziMnemonic::matches("&Datei", 'E'));
    EXPECT_FALSE(ziMnemonic::matches("Datei", 'D'));
    EXPECT_FALSE(ziMnemonic::matches(nullptr, 'D'));
    EXPECT_FALSE(ziMnemonic::matches("Ende&", 0));
}

TEST(ziMnemonic, OnlyTheMarkedLetterKeyMatches) {
    // Key codes are not characters: 0x70 is F1, 0x61 the number pad's 1,
    // 0x26 the up arrow.
    EXPECT_FALSE(ziMnemonic::matches("&Prüfen", 0x70));
    EXPECT_FALSE(ziMnemonic::matches("&Abbrechen", 0x61));
    EXPECT_FALSE(ziMnemonic::matches("Laden && Sichern", 0x26));
    // A doubled marker is a plain ampersand; the next single one marks.
    EXPECT_EQ(ziMnemonic::key("a&&b"), 0);
    EXPECT_EQ(ziMnemonic::key("Laden && &Sichern"), 'S');
    EXPECT_TRUE(ziMnemonic::matches("Laden && &Sichern", 'S'));
}
