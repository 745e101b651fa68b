#include <windows.h>

#include <gtest/gtest.h>

#include "Controls3dTestSupport.h"
#include "framework/controls3d/zCheckBox3d.h"
#include "framework/controls3d/zRadioButton3d.h"
#include "framework/controls3d/zStaticText3d.h"
#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVCBCtrlButton.h"
#include "framework/controls3d/ziVisButton.h"
#include "framework/controls3d/ziVisCheckBoxInternal.h"
#include "framework/controls3d/ziVisRadioBtnInternal.h"
#include "framework/core/zDisplay.h"
#include "framework/controls3d/ziVisText3d.h"

KEL_TEST_APPLICATION;

namespace {

struct ButtonFixture : ::testing::Test {
    static inline RecordingFrame* frame = nullptr;
    static void SetUpTestSuite() { frame = new RecordingFrame; }
    static void TearDownTestSuite()
    {
        delete frame;
        frame = nullptr;
        pump();
    }
    void SetUp() override
    {
        frame->received.clear();
        ziVCBCtrlButton::setKeyHeld(0);
    }
    void TearDown() override
    {
        for (zWindow* c : made)
            delete c;
        pump();
    }
    template <class T>
    T* make(DWORD style, const char* title, int32_t id, int y = 10)
    {
        auto* c = new T(frame, new zSizer(10, y, 150, 20, frame->sizer()), style, title, id);
        c->show(SW_SHOW);
        pump();
        made.push_back(c);
        return c;
    }
    std::vector<zWindow*> made;
    LRESULT check(zWindow* c) { return SendMessageA(c->handle(), BM_GETCHECK, 0, 0); }
    size_t commands() { return frame->of(WM_COMMAND).size(); }
};

}  // namespace

TEST_F(ButtonFixture, CheckBoxAnswersTheButtonMessages)
{
    auto* box = make<zCheckBox3d>(3, "&Prüfen", 301);
    EXPECT_EQ(kel::test::ClassOf(box->handle()), "VisualCtrl");
    EXPECT_EQ(GetDlgCtrlID(box->handle()), 301);

    EXPECT_EQ(check(box), 0);
    SendMessageA(box->handle(), BM_SETCHECK, 1, 0);
    EXPECT_EQ(check(box), 1);
    SendMessageA(box->handle(), BM_SETCHECK, 0, 0);
    EXPECT_EQ(check(box), 0);

    // Held down by the mouse it answers 2; focused and set, BM_GETSTATE 0x0D.
    SendMessageA(box->handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 10));
    EXPECT_EQ(check(box), 2);
    SendMessageA(box->handle(), WM_LBUTTONUP, 0, at(5, 10));
    EXPECT_EQ(check(box), 1);
    SetFocus(box->handle());
    pump();
    EXPECT_EQ(SendMessageA(box->handle(), BM_GETSTATE, 0, 0), 0x0D);
}

TEST_F(ButtonFixture, AutoCheckBoxTogglesByMouseAndSpaceAndTellsItsParent)
{
    auto* box = make<zCheckBox3d>(3, "Auto", 302);
    sendClick(box->handle(), 5, 10);
    EXPECT_EQ(check(box), 1);
    sendClick(box->handle(), 5, 10);
    EXPECT_EQ(check(box), 0);
    ASSERT_EQ(commands(), 2u);
    EXPECT_EQ(frame->of(WM_COMMAND)[0].wParam, 302u);
    EXPECT_EQ(HWND(frame->of(WM_COMMAND)[0].lParam), box->handle());

    SendMessageA(box->handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(check(box), 3 - 1);  // held down while clear reads as 2
    SendMessageA(box->handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(check(box), 1);
    EXPECT_EQ(commands(), 3u);
    SendMessageA(box->handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(box->handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(check(box), 0);
    EXPECT_EQ(commands(), 4u);
}

TEST_F(ButtonFixture, PlainCheckBoxReturnsToItsStateOnRelease)
{
    auto* box = make<zCheckBox3d>(2, "Plain", 303);
    SendMessageA(box->handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 10));
    EXPECT_EQ(check(box), 2);
    SendMessageA(box->handle(), WM_LBUTTONUP, 0, at(5, 10));
    EXPECT_EQ(check(box), 0);
    EXPECT_EQ(commands(), 1u);  // the parent decides
}

TEST_F(ButtonFixture, ReleasedOutsideRestoresWithoutCommand)
{
    auto* box = make<zCheckBox3d>(3, "Auto", 304);
    SendMessageA(box->handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 10));
    SendMessageA(box->handle(), WM_MOUSEMOVE, MK_LBUTTON, at(400, 10));
    EXPECT_EQ(check(box), 0);  // the look of the state at button-down
    SendMessageA(box->handle(), WM_MOUSEMOVE, MK_LBUTTON, at(5, 10));
    EXPECT_EQ(check(box), 2);  // pressed again once back inside
    SendMessageA(box->handle(), WM_MOUSEMOVE, MK_LBUTTON, at(400, 10));
    SendMessageA(box->handle(), WM_LBUTTONUP, 0, at(400, 10));
    EXPECT_EQ(check(box), 0);
    EXPECT_EQ(commands(), 0u);
}

TEST_F(ButtonFixture, RightButtonDoesNothing)
{
    auto* box = make<zCheckBox3d>(3, "Auto", 305);
    SendMessageA(box->handle(), WM_RBUTTONDOWN, MK_RBUTTON, at(5, 10));
    SendMessageA(box->handle(), WM_RBUTTONUP, 0, at(5, 10));
    EXPECT_EQ(check(box), 0);
    EXPECT_EQ(commands(), 0u);
}

TEST_F(ButtonFixture, KeyHeldOnlyForSpaceAndClearedOnFocusLoss)
{
    auto* a = make<zCheckBox3d>(3, "A", 306, 10);
    auto* b = make<zCheckBox3d>(3, "B", 307, 40);
    // Another key does not hold: the space key still presses the face.
    SendMessageA(a->handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(ziVCBCtrlButton::keyHeld(), 0);
    SendMessageA(b->handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(check(b), 2);
    // Losing the focus while held clears the flag and lets the face go:
    // the box is not left half pressed, and a space key-up that did not
    // press it (nor Alt+Space) does not click it.
    SendMessageA(b->handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(ziVCBCtrlButton::keyHeld(), 0);
    EXPECT_EQ(check(b), 0);
    SendMessageA(b->handle(), WM_KEYUP, VK_SPACE, 0);
    SendMessageA(b->handle(), WM_SYSKEYUP, VK_SPACE, 0);
    EXPECT_EQ(check(b), 0);
    EXPECT_EQ(commands(), 0u);
    // A repeated key-down while held does not press twice.
    SendMessageA(a->handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(a->handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(a->handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(check(a), 1);
    EXPECT_EQ(commands(), 1u);
}

TEST_F(ButtonFixture, MnemonicKeyUpClicksWithoutRegardToCase)
{
    auto* box = make<zCheckBox3d>(3, "&Prüfen", 308);
    SendMessageA(box->handle(), WM_KEYUP, 'P', 0);
    EXPECT_EQ(commands(), 1u);
    SendMessageA(box->handle(), WM_SYSKEYUP, 'P', 0);
    EXPECT_EQ(commands(), 2u);
    SendMessageA(box->handle(), WM_KEYUP, 'X', 0);
    SendMessageA(box->handle(), WM_SYSKEYUP, 'X', 0);
    // F1 has the code of a lower-case 'p': it asks for help, it does not click.
    SendMessageA(box->handle(), WM_KEYUP, VK_F1, 0);
    EXPECT_EQ(commands(), 2u);
    auto* lower = make<zCheckBox3d>(3, "&datei", 320, 40);
    SendMessageA(lower->handle(), WM_KEYUP, 'D', 0);
    EXPECT_EQ(commands(), 3u);
}

TEST_F(ButtonFixture, WindowTextMessages)
{
    auto* box = make<zCheckBox3d>(3, "Langer Text", 309);
    char buf[8];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(SendMessageA(box->handle(), WM_GETTEXT, 5, LPARAM(buf)), 4);
    EXPECT_STREQ(buf, "Lang");
    EXPECT_EQ(SendMessageA(box->handle(), WM_GETTEXT, 0, LPARAM(buf)), 0);
    EXPECT_EQ(buf[0], 'L');  // nothing written
    EXPECT_EQ(SendMessageA(box->handle(), WM_GETTEXTLENGTH, 0, 0), 11);
    SetWindowTextA(box->handle(), "Neu");
    EXPECT_EQ(SendMessageA(box->handle(), WM_GETTEXTLENGTH, 0, 0), 3);
    EXPECT_STREQ(box->caption()->stripMnemonic().c_str(), "Neu");
}

TEST_F(ButtonFixture, CheckBoxBinding)
{
    auto* box = make<zCheckBox3d>(3, "Bound", 310);
    int32_t value = 1;
    box->bound = &value;
    box->bindMode = 1;
    box->transferIn();
    EXPECT_EQ(check(box), 1);
    SendMessageA(box->handle(), BM_SETCHECK, 0, 0);
    box->validate();
    EXPECT_EQ(value, 0);
}

TEST_F(ButtonFixture, RadioButtons)
{
    auto* autoRadio = make<zRadioButton3d>(9, "Auto", 401, 10);
    auto* plain = make<zRadioButton3d>(4, "Plain", 402, 40);
    sendClick(autoRadio->handle(), 5, 10);
    EXPECT_EQ(check(autoRadio), 1);
    sendClick(autoRadio->handle(), 5, 10);
    EXPECT_EQ(check(autoRadio), 1);  // stays set
    sendClick(plain->handle(), 5, 10);
    EXPECT_EQ(check(plain), 0);  // never changes by itself
    const size_t afterClicks = commands();
    EXPECT_EQ(afterClicks, 3u);

    // Reached by keyboard while clear, it tells the parent; by mouse not.
    SetFocus(frame->handle());
    pump();
    SetFocus(plain->handle());
    pump();
    ASSERT_EQ(commands(), afterClicks + 1);
    EXPECT_EQ(frame->of(WM_COMMAND).back().wParam, 402u);
    EXPECT_EQ(HWND(frame->of(WM_COMMAND).back().lParam), plain->handle());
    SetFocus(frame->handle());
    pump();
    const size_t before = commands();
    SendMessageA(plain->handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 10));
    pump();
    SendMessageA(plain->handle(), WM_LBUTTONUP, 0, at(5, 10));
    EXPECT_EQ(commands(), before + 1);  // only the click itself

    // Binding: the integer holds the second button's id.
    int32_t chosen = 402;
    for (zRadioButton3d* r : {autoRadio, plain}) {
        r->bound = &chosen;
        r->bindMode = 1;
        r->transferIn();
    }
    EXPECT_EQ(check(autoRadio), 0);
    EXPECT_EQ(check(plain), 1);
    chosen = 0;
    plain->validate();
    autoRadio->validate();
    EXPECT_EQ(chosen, 402);
}

TEST_F(ButtonFixture, StaticTextHandsTheFocusOn)
{
    auto* first = make<zCheckBox3d>(3, "Erster", 501, 10);
    auto* text = make<zStaticText3d>(1, "Mitte", 502, 40);
    (void)first;
    SendMessageA(text->handle(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(frame->of(WM_NEXTDLGCTL).size(), 1u);
    EXPECT_EQ(SendMessageA(text->handle(), BM_GETCHECK, 0, 0), 0);
    EXPECT_EQ(text->buttonFace(), nullptr);
}

TEST_F(ButtonFixture, SetStateHoldsAndReleasesTheFace)
{
    auto* box = make<zCheckBox3d>(3, "Zustand", 311);
    SendMessageA(box->handle(), BM_SETSTATE, 1, 0);
    EXPECT_EQ(check(box), 2);
    SendMessageA(box->handle(), BM_SETSTATE, 0, 0);
    EXPECT_EQ(check(box), 0);  // held while clear: back to clear
    SendMessageA(box->handle(), BM_SETCHECK, 1, 0);
    SendMessageA(box->handle(), BM_SETSTATE, 1, 0);
    EXPECT_EQ(check(box), 2);
    // A repaint while held keeps the held state.
    repaint(box->handle());
    EXPECT_EQ(check(box), 2);
    SendMessageA(box->handle(), BM_SETSTATE, 0, 0);
    EXPECT_EQ(check(box), 1);
    EXPECT_EQ(commands(), 0u);
}

TEST_F(ButtonFixture, EmptyCaptionDrawsNoFocusFrame)
{
    auto* box = make<zCheckBox3d>(3, "", 312);
    SetFocus(box->handle());
    pump();
    repaint(box->handle());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int x = 14; x < 150; x += 2)
        for (int y = 0; y < 20; y += 2)
            ASSERT_EQ(pixel(box->handle(), x, y), face) << x << "," << y;
    // With a caption, the focus shows as a dotted grey frame around it.
    auto* named = make<zCheckBox3d>(3, "Fokus", 313, 40);
    SetFocus(named->handle());
    pump();
    repaint(named->handle());
    ziVisText3d* c = named->caption();
    EXPECT_EQ(c->focused(), 1);
    const int fx = c->textX() - 1 + ((c->textX() - 1) % 2 != 0);  // even x on the top row
    EXPECT_EQ(pixel(named->handle(), fx, c->textY() - 1), RGB(128, 128, 128));
}

TEST_F(ButtonFixture, TextOnTheLeftPutsTheBoxAtTheRightEnd)
{
    auto* box = make<zCheckBox3d>(3 | 0x20, "Links", 314);
    auto* radio = make<zRadioButton3d>(9 | 0x20, "Links", 315, 40);
    repaint(box->handle());
    repaint(radio->handle());
    EXPECT_EQ(box->caption()->textX(), 1);
    auto* face = dynamic_cast<ziVisCheckBoxInternal*>(box->buttonFace());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->box().left, 150 - 14);
    EXPECT_EQ(face->box().right, 150 - 1);
    auto* round = dynamic_cast<ziVisRadioBtnInternal*>(radio->buttonFace());
    ASSERT_NE(round, nullptr);
    EXPECT_EQ(round->box().left, 150 - 13);
}

TEST_F(ButtonFixture, FontMessages)
{
    auto* box = make<zCheckBox3d>(3, "Schrift", 316);
    HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    SendMessageA(box->handle(), WM_SETFONT, WPARAM(font), 1);
    EXPECT_EQ(HFONT(SendMessageA(box->handle(), WM_GETFONT, 0, 0)), font);
    // The caption measures with a copy of the font on the control's display.
    zDisplay* d = box->display();
    d->acquire();
    TEXTMETRICA tm{};
    GetTextMetricsA(d->hdc(), &tm);
    d->release();
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA want{};
    GetTextMetricsA(screen, &want);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(tm.tmHeight, want.tmHeight);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    delete box;
    made.pop_back();
    DeleteObject(font);
}
