// Standard controls built by code: styles, texts, bound variables and the
// list box's kept horizontal extent.
#include "tests/support/WindowTest.h"

#include "framework/core/zButton.h"
#include "framework/core/zComboBoxBase.h"
#include "framework/core/zEditBase.h"
#include "framework/core/zListBoxBase.h"
#include "framework/core/zScrollBarBase.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zStaticText.h"
#include "framework/core/zPictFormatter.h"
#include "framework/core/zString.h"

using kel::test::pump;

namespace {

class Controls : public kel::test::FrameTest {
protected:
    zSizer* at(int y, int h = 20) { return new zSizer(10, y, 150, h, frame->sizer()); }
    DWORD liveStyle(zWindow* w) { return static_cast<DWORD>(GetWindowLongA(w->handle(), GWL_STYLE)); }
};

TEST_F(Controls, StylesOfDirectConstruction)
{
    zControl plain(frame, at(0), 0, "x", 7);
    EXPECT_TRUE(plain.style() & WS_TABSTOP);
    EXPECT_EQ(plain.controlKind(), zControl::KindPlain);
    EXPECT_EQ(plain.handle(), nullptr); // made only by create

    auto* label = new zStaticText(frame, at(30), WS_TABSTOP, "Name:", 10);
    ASSERT_TRUE(label->handle());
    EXPECT_FALSE(liveStyle(label) & WS_TABSTOP);
    EXPECT_EQ(label->text(), "Name:");
    EXPECT_EQ(label->controlKind(), zControl::KindStatic);

    auto* radio = new zRadioButton(frame, at(60), BS_AUTORADIOBUTTON, "Eins", 11);
    EXPECT_EQ(liveStyle(radio) & 0xF, static_cast<DWORD>(BS_AUTORADIOBUTTON));
    auto* radio2 = new zRadioButton(frame, at(90), WS_TABSTOP, "Zwei", 12);
    EXPECT_EQ(liveStyle(radio2) & 0xF, static_cast<DWORD>(BS_RADIOBUTTON));
    auto* push = new zPushButton(frame, at(120), 0, "Los", 13);
    EXPECT_EQ(liveStyle(push) & 0xF, static_cast<DWORD>(BS_PUSHBUTTON));
    auto* def = new zDefPushButton(frame, at(150), 0, "OK", 14);
    EXPECT_EQ(liveStyle(def) & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(frame->childById(14), def);
}

TEST_F(Controls, EditTextValidationAndBinding)
{
    auto* edit = new zEditBase(frame, at(0), WS_BORDER | WS_TABSTOP, "Anfang", 20);
    ASSERT_TRUE(edit->handle());
    EXPECT_EQ(edit->text(), "Anfang");

    // A disabled field shows the new text and stays disabled.
    EnableWindow(edit->handle(), FALSE);
    edit->setText("Müller");
    EXPECT_EQ(edit->text(), "Müller");
    EXPECT_FALSE(IsWindowEnabled(edit->handle()));
    EnableWindow(edit->handle(), TRUE);

    RcCString name("Schule am See");
    edit->bindVariable(&name);
    EXPECT_EQ(edit->transferIn(), 1);
    EXPECT_EQ(edit->text(), "Schule am See");
    edit->setText("Gymnasium");
    EXPECT_EQ(edit->validate(), 1);
    EXPECT_EQ(name, "Gymnasium");

    edit->setText("");
    EXPECT_EQ(edit->isValid(), 0);
    edit->setOptions(zEditBase::MayBeEmpty);
    EXPECT_EQ(edit->isValid(), 1);

    zEditBase unbound(frame, at(30), 0, "", 21);
    EXPECT_EQ(unbound.validate(), 0);
    EXPECT_EQ(unbound.transferIn(), 0);
}

TEST_F(Controls, CheckBoxBinding)
{
    auto* box = new zCheckBox(frame, at(0), 0, "Haken", 30);
    int32_t ticked = 1;
    EXPECT_EQ(box->validate(), 0);
    box->bindVariable(&ticked);
    EXPECT_EQ(box->transferIn(), 1);
    EXPECT_EQ(box->check(), BST_CHECKED);
    box->setCheck(BST_UNCHECKED);
    EXPECT_EQ(box->validate(), 1);
    EXPECT_EQ(ticked, 0);
}

TEST_F(Controls, ListBoxTextsExtentAndBinding)
{
    auto* list = new zListBoxBase(frame, at(0, 120), WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY, "", 40);
    list->create();
    ASSERT_TRUE(list->handle());

    HDC dc = GetDC(list->handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    ReleaseDC(list->handle(), dc);
    const int32_t scrollWidth = GetSystemMetrics(SM_CXVSCROLL);

    EXPECT_EQ(list->add("abcd"), 0);
    EXPECT_EQ(list->horizontalExtent(), 4 * tm.tmAveCharWidth + scrollWidth);
    EXPECT_EQ(SendMessageA(list->handle(), LB_GETHORIZONTALEXTENT, 0, 0), list->horizontalExtent());
    list->add("abcdefghij");
    EXPECT_EQ(list->horizontalExtent(), 10 * tm.tmAveCharWidth + scrollWidth);
    list->insert("ab", 0);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0), "ab");
    // Removing the widest text shrinks the extent to the widest left.
    EXPECT_EQ(list->remove(2), 2);
    EXPECT_EQ(list->horizontalExtent(), 4 * tm.tmAveCharWidth + scrollWidth);
    EXPECT_EQ(list->remove(7), LB_ERR);
    EXPECT_EQ(list->item(7), ""); // LB_ERR reads as no text

    RcCString text;
    EXPECT_EQ(list->itemText(-1, text), 0);
    EXPECT_EQ(list->itemText(1, text), 1);
    EXPECT_EQ(text, "abcd");

    int32_t index = 1;
    list->bindIndex(&index);
    EXPECT_EQ(list->isValid(), 0);
    EXPECT_EQ(list->transferIn(), 1);
    EXPECT_EQ(list->selection(), 1);
    EXPECT_EQ(list->isValid(), 1);
    list->setSelection(0);
    EXPECT_EQ(list->validate(), 1);
    EXPECT_EQ(index, 0);

    RcCString chosen("abcd");
    list->bindText(&chosen);
    EXPECT_EQ(list->transferIn(), 1);
    EXPECT_EQ(list->selection(), 1);
    list->setSelection(0);
    list->validate();
    EXPECT_EQ(chosen, "ab");

    list->remove(0);
    list->remove(0);
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->horizontalExtent(), 0);
}

TEST_F(Controls, ComboBoxBinding)
{
    auto* combo = new zComboBoxBase(frame, at(0, 120), CBS_DROPDOWNLIST | WS_VSCROLL, "", 50);
    combo->create();
    ASSERT_TRUE(combo->handle());
    combo->add("Stadtentscheid");
    combo->add("Kreisentscheid");

    // A drop-down list without a selection leaves the text variable alone.
    RcCString level("unverändert");
    combo->bindText(&level);
    EXPECT_EQ(combo->isValid(), 0);
    EXPECT_EQ(combo->validate(), 1);
    EXPECT_EQ(level, "unverändert");
    combo->setSelection(1);
    EXPECT_EQ(combo->validate(), 1);
    EXPECT_EQ(level, "Kreisentscheid");
    level = "Stadtentscheid";
    combo->transferIn();
    EXPECT_EQ(combo->selection(), 0);

    int32_t index = -1;
    combo->bindIndex(&index, zComboBoxBase::NoneOk);
    combo->setSelection(-1);
    EXPECT_EQ(combo->isValid(), 1);
    combo->setSelection(1);
    combo->validate();
    EXPECT_EQ(index, 1);

    // An editable combo box checks its text.
    auto* editable = new zComboBoxBase(frame, at(130, 120), CBS_DROPDOWN, "", 51);
    editable->create();
    RcCString typed;
    editable->bindText(&typed);
    EXPECT_EQ(editable->isValid(), 0);
    editable->setText("Bodenseecup");
    EXPECT_EQ(editable->isValid(), 1);
    editable->validate();
    EXPECT_EQ(typed, "Bodenseecup");
}

TEST_F(Controls, ScrollBarHasItsOwnState)
{
    auto* bar = new zScrollBarBase(frame, at(0), SBS_HORZ, "", 60);
    bar->create();
    ASSERT_TRUE(bar->handle());
    ASSERT_TRUE(bar->scrollInfo());
    EXPECT_EQ(bar->scrollInfo()->bar(), zScrollInfo::Ctl);
    EXPECT_TRUE(bar->isKind(zKindScrollBar));
}

} // namespace

namespace {

TEST_F(Controls, FormattedTextOfAnEditField)
{
    auto* edit = new zEditBase(frame, at(0), 0, "1234", 70);
    EXPECT_EQ(zFormatter::formattedText(edit, 0), "1234");
    zFormatter::attach(edit, new zPictFormatter(0, "99':'99"));
    EXPECT_EQ(zFormatter::formattedText(edit, 0), "12:34");
    edit->setText("12x4");
    EXPECT_EQ(zFormatter::formattedText(edit, 0), "12x4");
    zFormatter::attach(edit, nullptr);
    EXPECT_EQ(edit->formatter(), nullptr);
}

TEST(StringResource, LoadsFromTheProgram)
{
    zString s("vorher");
    EXPECT_EQ(s.load(zResId(4100), 100), 1);
    EXPECT_EQ(s, "Schülerliste drucken");
    EXPECT_EQ(s.load(zResId(4100), 8), 1);
    EXPECT_EQ(s, "Schüler");
    zString missing("bleibt");
    EXPECT_EQ(missing.load(zResId(4999), 100), 0);
    EXPECT_EQ(missing, "bleibt");
    zString fromNull(static_cast<const char*>(nullptr));
    EXPECT_TRUE(fromNull.isEmpty());
}

} // namespace
