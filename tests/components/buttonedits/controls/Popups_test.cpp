// The drop-down lists on real windows.
#include <gtest/gtest.h>

#include "components/buttonedits/controls/DCPopupListBox.h"
#include "components/buttonedits/controls/DropDownHook.h"
#include "components/buttonedits/controls/PopupListBox.h"
#include "tests/components/buttonedits/controls/EditHost.h"
#include "tests/support/RealInput.h"

using namespace kel::test;

namespace {

template <class Popup = TPopupListBox>
Popup* dropDown(HostForm& f, int items) {
  auto* p = new Popup(f.Edit);
  p->SetParent(f.Edit);
  for (int i = 0; i < items; ++i) p->Items().Add("Eintrag " + std::to_string(i));
  f.Edit->popup = p->Handle();
  return p;
}

std::string getText(HWND h) {
  char buf[300] = {};
  SendMessageA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
  return buf;
}

TEST(PopupListBox, RowsFollowTheItemsFromOneToSeven) {
  for (int items : {0, 3, 20}) {
    HostForm f;
    TPopupListBox* p = dropDown(f, items);
    SendMessageA(p->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    int rows = items == 0 ? 1 : items > 7 ? 7 : items;
    EXPECT_EQ(p->ClientSize().cy, rows * p->ItemHeight()) << items << " items";
  }
}

TEST(PopupListBox, TextSelectsTheFirstLineBeginningWithIt) {
  HostForm f;
  TPopupListBox* p = dropDown(f, 0);
  for (const char* s : {"Bremen", "Berlin", "Bern"}) p->Items().Add(s);
  HWND h = p->Handle();
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ber"));
  EXPECT_EQ(getText(h), "Berlin");
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Hamburg"));
  EXPECT_EQ(p->ItemIndex(), -1);
  EXPECT_EQ(getText(h), "") << "no match: no selection, empty text";
  EXPECT_EQ(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST(PopupListBox, EnterAndReleaseInsideAcceptEscapeAndReleaseOutsideDoNot) {
  HostForm f;
  TPopupListBox* p = dropDown(f, 5);
  HWND h = p->Handle();
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Eintrag 2"));
  SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(f.Edit->closes, 1);
  EXPECT_FALSE(f.Edit->lastAccept);
  EXPECT_EQ(f.Edit->text, "");
  SendMessageA(h, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(f.Edit->lastAccept);
  EXPECT_EQ(f.Edit->text, "Eintrag 2");

  // Press on line 4, release below the list: no value taken.
  RECT line = p->ItemRect(4);
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(line.left + 3, line.top + 2));
  EXPECT_EQ(p->ItemIndex(), 4);
  SIZE client = p->ClientSize();
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(3, client.cy + 20));
  EXPECT_FALSE(f.Edit->lastAccept);
  EXPECT_EQ(f.Edit->text, "Eintrag 2");
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(line.left + 3, line.top + 2));
  SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(line.left + 3, line.top + 2));
  EXPECT_TRUE(f.Edit->lastAccept);
  EXPECT_EQ(f.Edit->text, "Eintrag 4");
}

TEST(PopupListBox, LongItemTextsAreReadWhole) {
  HostForm f;
  TPopupListBox* p = dropDown(f, 0);
  std::string longText(400, 'x');
  p->Items().Add(longText);
  SendMessageA(p->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
  SendMessageA(p->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(f.Edit->text, longText);
}

TEST(PopupColorBox, FortyTwoColoursEndingWithNoneAndTheValueByName) {
  HostForm f;
  auto* p = dropDown<TPopupColorBox>(f, 0);
  HWND h = p->Handle();
  ASSERT_EQ(SendMessageA(h, LB_GETCOUNT, 0, 0), 42);
  EXPECT_EQ(p->Items().Strings(41), "clNone");
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("clBlue"));
  EXPECT_EQ(getText(h), "clBlue");
  EXPECT_EQ(p->Value(), clBlue);
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("clInfoBk"));
  EXPECT_EQ(p->Value(), clInfoBk);

  auto* brush = dropDown<TPopupBrushBox>(f, 0);
  SendMessageA(brush->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("bsCross"));
  EXPECT_EQ(getText(brush->Handle()), "bsCross");
  auto* pen = dropDown<TPopupPenBox>(f, 0);
  SendMessageA(pen->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("psDot"));
  EXPECT_EQ(getText(pen->Handle()), "psDot");
}

TEST(FreeStandingList, OpensAboveAndLeftNearTheCornerAndAClickOutsideClosesWithoutAValue) {
  HostForm f;
  f.SetBounds(GetSystemMetrics(SM_CXSCREEN) - 300, GetSystemMetrics(SM_CYSCREEN) - 200, 280, 180);
  pump();
  int chosen = -2;
  POINT corner{GetSystemMetrics(SM_CXSCREEN) - 10, GetSystemMetrics(SM_CYSCREEN) - 10};
  POINT local = corner;
  ScreenToClient(f.Edit->Handle(), &local);
  TDCPopupListBox* list = PopupListbox(
      f.Edit, {"Eins|1", "Zwei|2", "~Drei~|3"}, local.x, local.y, {lrLeftJustify, lrRightJustify}, nullptr,
      [&](TObject*, int index) { chosen = index; }, 0);
  pump();
  ASSERT_TRUE(list->IsOpen());
  EXPECT_EQ(DroppedPopup(), list->Handle());
  RECT r{};
  GetWindowRect(list->Handle(), &r);
  EXPECT_EQ(r.right, corner.x) << "to the left of the point";
  EXPECT_EQ(r.bottom, corner.y) << "above the point";
  EXPECT_EQ(list->ItemIndex(), 0) << "the first line is selected";
  EXPECT_EQ(list->MeasuredColumnCount(), 2);

  // Keys sent to the control go to the list.
  SendMessageA(f.Edit->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(list->ItemIndex(), 1);

  // A click on the form, outside list and control.
  POINT outside{20, 120};
  ClientToScreen(f.Handle(), &outside);
  ClickScreen(outside);
  EXPECT_TRUE(pumpUntil([&] { return !list->IsOpen(); }));
  pump();
  EXPECT_EQ(chosen, -1) << "closed without a choice";
  EXPECT_EQ(DroppedPopup(), nullptr);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));

  // Open again; Enter takes the line.
  list->Popup(corner.x, corner.y);
  SendMessageA(f.Edit->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(f.Edit->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(f.Edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(chosen, 2);
  EXPECT_FALSE(list->IsOpen());
}

}  // namespace
