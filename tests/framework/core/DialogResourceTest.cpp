// Templates written by the resource compiler read as the framework expects.
#include "framework/core/zDialogTemplate.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

zDialogTemplate load(int id)
{
    zDialogTemplate t;
    HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!res)
        return t;
    HGLOBAL mem = LoadResource(nullptr, res);
    t.parse(LockResource(mem), SizeofResource(nullptr, res));
    return t;
}

TEST(DialogResource, ReadsCompiledTemplates)
{
    zDialogTemplate t = load(100);
    ASSERT_TRUE(t.valid);
    EXPECT_TRUE(t.hasFont);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.faceName, u"MS Sans Serif");
    EXPECT_EQ(t.caption, u"Prüfdialog");
    EXPECT_TRUE(t.style & WS_VISIBLE);
    EXPECT_EQ(t.cx, 220);
    ASSERT_EQ(t.items.size(), 17u);
    EXPECT_EQ(t.items[0].classAtom, zDialogTemplate::Static);
    EXPECT_EQ(t.items[1].classAtom, zDialogTemplate::Edit);
    EXPECT_EQ(t.items[2].classAtom, zDialogTemplate::ListBox);
    EXPECT_EQ(t.items[3].classAtom, zDialogTemplate::ComboBox);
    EXPECT_EQ(t.items[4].classAtom, zDialogTemplate::ScrollBar);
    EXPECT_EQ(t.items[5].classAtom, zDialogTemplate::Button);
    // The resource compiler writes class names in capitals.
    EXPECT_EQ(t.items[8].className, u"FWCTESTTYPE");
    EXPECT_EQ(t.items[10].id, IDOK);
    EXPECT_EQ(t.items[10].style & 0xF, static_cast<uint32_t>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(t.items[11].title, u"Abbruch");

    zDialogTemplate plain = load(101);
    ASSERT_TRUE(plain.valid);
    EXPECT_FALSE(plain.hasFont);
    EXPECT_EQ(plain.items.size(), 2u);

    EXPECT_FALSE(load(4711).valid);
}

} // namespace
