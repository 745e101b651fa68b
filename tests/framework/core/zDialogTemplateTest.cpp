#include "framework/core/zDialogTemplate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Writes template bytes the way the resource compiler lays them out.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& u16(uint16_t v)
    {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
        return *this;
    }
    Bytes& u32(uint32_t v) { return u16(static_cast<uint16_t>(v)).u16(static_cast<uint16_t>(v >> 16)); }
    Bytes& text(const std::u16string& s)
    {
        for (char16_t c : s)
            u16(c);
        return u16(0);
    }
    Bytes& align()
    {
        while (b.size() % 4)
            b.push_back(0);
        return *this;
    }
    Bytes& header(uint32_t style, uint16_t items)
    {
        return u32(style).u32(0).u16(items).u16(10).u16(20).u16(180).u16(90);
    }
    Bytes& item(uint32_t style, uint16_t id, uint16_t atom, const std::u16string& title)
    {
        return align().u32(style).u32(0).u16(5).u16(6).u16(50).u16(14).u16(id).u16(0xFFFF).u16(atom).text(title).u16(0);
    }
};

TEST(DialogTemplate, ReadsHeaderFontMenuAndItems)
{
    Bytes t;
    t.header(0x10C80040 /* visible, caption, sysmenu, setfont */, 3)
        .u16(0xFFFF).u16(200)      // menu 200
        .u16(0)                    // default class
        .text(u"Drücke")           // caption
        .u16(8).text(u"MS Sans Serif");
    t.item(0x50010001, 1, zDialogTemplate::Button, u"OK");
    // Class by name, title as an ordinal.
    t.align().u32(0x50000003).u32(0).u16(1).u16(2).u16(3).u16(4).u16(101).text(u"zStatTxt3dClass")
        .u16(0xFFFF).u16(7).u16(0);
    // Creation data is stepped over.
    t.align().u32(0x50800080).u32(0).u16(0).u16(0).u16(60).u16(12).u16(102).u16(0xFFFF).u16(zDialogTemplate::Edit)
        .text(u"").u16(4).u16(0xAAAA).u16(0xBBBB);

    zDialogTemplate d;
    ASSERT_TRUE(d.parse(t.b.data(), t.b.size()));
    EXPECT_EQ(d.style, 0x10C80040u);
    EXPECT_EQ(d.x, 10);
    EXPECT_EQ(d.cy, 90);
    EXPECT_TRUE(d.hasMenu);
    EXPECT_EQ(d.menuId, 200);
    EXPECT_EQ(d.caption, u"Drücke");
    EXPECT_TRUE(d.hasFont);
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(d.faceName, u"MS Sans Serif");
    ASSERT_EQ(d.items.size(), 3u);
    EXPECT_EQ(d.items[0].classAtom, zDialogTemplate::Button);
    EXPECT_EQ(d.items[0].id, 1);
    EXPECT_EQ(d.items[0].title, u"OK");
    EXPECT_EQ(d.items[0].cx, 50);
    EXPECT_EQ(d.items[1].classAtom, 0);
    EXPECT_EQ(d.items[1].className, u"zStatTxt3dClass");
    EXPECT_TRUE(d.items[1].titleIsOrdinal);
    EXPECT_EQ(d.items[1].titleOrdinal, 7);
    EXPECT_EQ(d.items[2].classAtom, zDialogTemplate::Edit);
    EXPECT_EQ(d.items[2].id, 102);
}

TEST(DialogTemplate, WithoutMenuAndFont)
{
    Bytes t;
    t.header(0x80C00000, 1).u16(0).u16(0).text(u"");
    t.item(0x50010000, 2, zDialogTemplate::Button, u"Abbruch");
    zDialogTemplate d;
    ASSERT_TRUE(d.parse(t.b.data(), t.b.size()));
    EXPECT_FALSE(d.hasMenu);
    EXPECT_FALSE(d.hasFont);
    EXPECT_TRUE(d.caption.empty());
    ASSERT_EQ(d.items.size(), 1u);
    EXPECT_EQ(d.items[0].title, u"Abbruch");
}

TEST(DialogTemplate, RefusesExtendedAndTruncatedData)
{
    Bytes ext;
    ext.u16(1).u16(0xFFFF).u32(0).u32(0).u32(0x80C00000).u16(0).u16(0).u16(0).u16(10).u16(10).u16(0).u16(0).u16(0);
    zDialogTemplate d;
    EXPECT_FALSE(d.parse(ext.b.data(), ext.b.size()));
    EXPECT_FALSE(d.valid);
    EXPECT_TRUE(d.items.empty());

    Bytes t;
    t.header(0x80C00040, 0).u16(0).u16(0).text(u"Titel").u16(8).text(u"Arial");
    for (size_t cut = 0; cut < t.b.size(); ++cut) {
        EXPECT_FALSE(d.parse(t.b.data(), cut)) << cut;
        EXPECT_EQ(d.style, 0u);
        EXPECT_TRUE(d.caption.empty());
    }
    EXPECT_TRUE(d.parse(t.b.data(), t.b.size()));
    EXPECT_FALSE(d.parse(nullptr, 100));
}

TEST(DialogTemplate, DropsItemsCutOffByTheEnd)
{
    Bytes t;
    t.header(0x80C00000, 3).u16(0).u16(0).text(u"x");
    t.item(0x50010000, 1, zDialogTemplate::Button, u"OK");
    const size_t full = t.b.size();
    t.item(0x50010000, 2, zDialogTemplate::Button, u"Abbruch");
    zDialogTemplate d;
    // The count promises three items; only the complete ones are kept.
    ASSERT_TRUE(d.parse(t.b.data(), t.b.size() - 3));
    EXPECT_EQ(d.items.size(), 1u);
    ASSERT_TRUE(d.parse(t.b.data(), t.b.size()));
    EXPECT_EQ(d.items.size(), 2u);
    EXPECT_EQ(d.itemCount, 3);
    ASSERT_TRUE(d.parse(t.b.data(), full));
    EXPECT_EQ(d.items.size(), 1u);
}

TEST(DialogTemplate, KeepsAtMost999CharactersOfAText)
{
    Bytes t;
    t.header(0x80C00000, 0).u16(0).u16(0).text(std::u16string(1200, u'a'));
    zDialogTemplate d;
    ASSERT_TRUE(d.parse(t.b.data(), t.b.size()));
    EXPECT_EQ(d.caption.size(), 999u);
}

} // namespace
