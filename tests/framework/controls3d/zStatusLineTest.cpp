#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>

#include "Controls3dTestSupport.h"
#include "framework/controls3d/zStatusClock.h"
#include "framework/controls3d/zStatusItem.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/controls3d/zStatusOnOffItem.h"
#include "framework/core/zChildWin.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zMenu.h"
#include "framework/core/zResId.h"
#include "framework/core/zTimer.h"
#include "tests/support/VirtualClock.h"

KEL_TEST_APPLICATION;

namespace {

// A frame with the test menu; the status line sits in a holder window, so
// that the frame is its owner (the parent's parent).
struct StatusFixture : HolderFixture {
    zStatusLineEZ* line = nullptr;

    void build(uint32_t style)
    {
        makeFrame("Status", 500, 200);
        line = new zStatusLineEZ(holder, new zGravSizer(zSizerBottom, 0, holder->sizer()), style, 0,
                                 nullptr);
        line->show(SW_SHOW);
        relayout();
    }
    void menuSelect(WPARAM id, WPARAM flags)
    {
        SendMessageA(frame->handle(), WM_MENUSELECT, MAKEWPARAM(id, flags),
                     LPARAM(GetMenu(frame->handle())));
    }
    void menuClosed() { SendMessageA(frame->handle(), WM_MENUSELECT, 0xFFFF0000u, 0); }
    bool invalidated()
    {
        RECT r;
        return GetUpdateRect(line->handle(), &r, FALSE) != 0;
    }
    std::string itemText(int32_t id) { return line->findItem(id)->text().c_str(); }
};

zStatusItem* nth(zStatusLine* line, int32_t i) { return line->items().at(i); }

}  // namespace

TEST_F(StatusFixture, LayoutOfThePresetItems)
{
    build(0xD900);
    TEXTMETRICA tm{};
    line->display()->textMetrics(tm);
    EXPECT_EQ(line->lineHeight(), tm.tmHeight + 8);
    RECT rc;
    GetClientRect(line->handle(), &rc);
    EXPECT_EQ(rc.bottom, tm.tmHeight + 8);

    // Creation order: clock, num lock, caps lock, the text item 0.
    zStatusItem* clock = nth(line, 0);
    zStatusItem* num = nth(line, 1);
    zStatusItem* caps = nth(line, 2);
    zStatusItem* text = nth(line, 3);
    ASSERT_NE(dynamic_cast<zStatusClock*>(clock), nullptr);
    ASSERT_NE(dynamic_cast<zStatusNumLock*>(num), nullptr);
    ASSERT_NE(dynamic_cast<zStatusCapsLock*>(caps), nullptr);
    EXPECT_EQ(text->id(), 0);
    EXPECT_EQ(clock->x() + clock->width(), rc.right - 5);
    EXPECT_EQ(num->x() + num->width(), clock->x() - 4);
    EXPECT_EQ(caps->x() + caps->width(), num->x() - 4);
    EXPECT_EQ(text->x(), 5);
    EXPECT_EQ(text->y(), 4);
    EXPECT_EQ(text->x() + text->width(), caps->x() - 4);
}

TEST_F(StatusFixture, MenuHelpInTheMessageArea)
{
    build(0x2000 | 0x0100);
    line->setItemText(0, "Bereit");
    EXPECT_EQ(line->messageMode(), 1);
    menuSelect(0, MF_POPUP);
    menuSelect(0, MF_SEPARATOR);
    menuSelect(0xF060, MF_SYSMENU);
    EXPECT_EQ(line->menuHelpActive(), 0);
    EXPECT_EQ(line->messageAreaOn(), 0);

    menuSelect(12, 0);
    EXPECT_EQ(line->messageAreaOn(), 1);
    EXPECT_STREQ(line->message().c_str(), "Öffnet die Meldungen einer Wettkampfklasse");
    menuSelect(99, 0);  // no help string: the empty text
    EXPECT_STREQ(line->message().c_str(), "");
    menuClosed();
    EXPECT_EQ(line->messageAreaOn(), 0);
    EXPECT_EQ(line->menuHelpActive(), 0);
    line->messageModeOn();
    menuClosed();  // a second close changes nothing
    EXPECT_EQ(line->messageAreaOn(), 1);
    EXPECT_EQ(itemText(0), "Bereit");
    // The handler is registered once however often help is switched on.
    line->showMenuHelp();
    line->showMenuHelp();
    EXPECT_EQ(frame->menu()->nodes()->count(), 1);
}

TEST_F(StatusFixture, MenuHelpIntoTheMessageItem)
{
    build(0xD900);
    EXPECT_EQ(line->messageMode(), 2);
    line->setItemText(0, "Bereit");
    menuSelect(10, 0);
    EXPECT_EQ(itemText(0), "Prüft alle Meldungen auf Fehler");
    EXPECT_EQ(line->messageAreaOn(), 0);
    // Set during menu help: shown now and restored when the menu closes.
    line->setItemText(0, "Gespeichert");
    EXPECT_EQ(itemText(0), "Gespeichert");
    menuClosed();
    EXPECT_EQ(itemText(0), "Gespeichert");

    static const zStatusMessage table[] = {{10, "Aus der Tabelle"}, {0, nullptr}};
    line->setMessageTable(table);
    menuSelect(10, 0);
    EXPECT_EQ(itemText(0), "Aus der Tabelle");
    menuSelect(12, 0);
    EXPECT_EQ(itemText(0), "");
    menuClosed();
    EXPECT_EQ(itemText(0), "Gespeichert");
}

TEST_F(StatusFixture, MessageAreaRepaintsOnlyForNewText)
{
    build(0x1000 | 0x0100);
    line->messageModeOn();
    line->setMessage("Drucke...");
    UpdateWindow(line->handle());
    EXPECT_FALSE(invalidated());
    line->setMessage("Drucke...");
    EXPECT_FALSE(invalidated());
    line->setMessage("Fertig");
    EXPECT_TRUE(invalidated());
    UpdateWindow(line->handle());

    // While the message area is on, the clock does not repaint.
    auto* clock = dynamic_cast<zStatusClock*>(nth(line, 0));
    ASSERT_NE(clock, nullptr);
    clock->setLastTime(int32_t(std::time(nullptr)) - 120);
    clock->tick();
    EXPECT_FALSE(invalidated());
    line->messageModeOff();
    UpdateWindow(line->handle());
    clock->setLastTime(int32_t(std::time(nullptr)) - 120);
    clock->tick();
    EXPECT_TRUE(invalidated());
    UpdateWindow(line->handle());
    const int32_t last = clock->lastTime();
    clock->tick();  // the same minute: nothing
    EXPECT_EQ(clock->lastTime(), last);
    EXPECT_FALSE(invalidated());
    // The clock's timer checks every 500 ms.
    clock->setLastTime(last - 120);
    kel::test::VirtualClock time;
    time.advance(600);
    EXPECT_GE(clock->lastTime(), last);
}

TEST_F(StatusFixture, ClockFollowsTheGermanLocale)
{
    build(0x1000);
    auto* clock = dynamic_cast<zStatusClock*>(nth(line, 0));
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->format().twentyFourHour, 1);
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_hour = 13;
    t.tm_min = 7;
    t.tm_isdst = -1;
    clock->setLastTime(int32_t(std::mktime(&t)));
    repaint(line->handle());
    EXPECT_STREQ(clock->text().c_str(), ("13" + clock->format().separator + "07").c_str());
}

TEST_F(StatusFixture, KeyIndicators)
{
    build(0x0800 | 0x4000);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_NUMLOCK] = 1;
    keys[VK_CAPITAL] = 0;
    SetKeyboardState(keys);
    repaint(line->handle());
    EXPECT_EQ(nth(line, 0)->text(), "NUM");
    EXPECT_EQ(nth(line, 1)->text(), "");
    keys[VK_NUMLOCK] = 0;
    keys[VK_CAPITAL] = 1;
    SetKeyboardState(keys);
    repaint(line->handle());
    EXPECT_EQ(nth(line, 0)->text(), "");
    EXPECT_EQ(nth(line, 1)->text(), "CAP");
    keys[VK_CAPITAL] = 0;
    SetKeyboardState(keys);
}

TEST_F(StatusFixture, CommandsGoToTheOwner)
{
    build(0x0100);
    SendMessageA(line->handle(), WM_COMMAND, 77, 0);
    ASSERT_EQ(frame->of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(frame->of(WM_COMMAND)[0].wParam, 77u);
}

TEST_F(StatusFixture, LongItemTextsAreCut)
{
    build(0x0100);
    const std::string longText(600, 'x');
    line->setItemText(0, longText.c_str());
    EXPECT_EQ(line->findItem(0)->text().length(), 499u);
    line->setItemText(0, nullptr);
    EXPECT_EQ(itemText(0), "");
    line->setItemText(42, "niemand");  // no such item: nothing happens
    EXPECT_EQ(line->findItem(42), nullptr);
}
