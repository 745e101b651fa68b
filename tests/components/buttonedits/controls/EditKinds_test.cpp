// The inner editors of the edit kinds and their registration.
#include <gtest/gtest.h>

#include "classlib/Exception.h"
#include "components/buttonedits/controls/CheckEdit.h"
#include "components/buttonedits/controls/DCMaskEdit.h"
#include "components/buttonedits/controls/DtEdit.h"
#include "components/buttonedits/controls/EditClassRegistry.h"
#include "components/buttonedits/controls/EditKinds.h"
#include "components/buttonedits/controls/GraphicEdit.h"
#include "components/buttonedits/controls/PopupListBox.h"
#include "tests/components/buttonedits/controls/EditHost.h"

using namespace kel::test;

namespace {

std::string getText(HWND h) {
  char buf[64] = {};
  SendMessageA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
  return buf;
}

template <class Editor>
Editor* editorIn(HostForm& f) {
  auto* e = new Editor(f.Edit);
  e->SetParent(f.Edit);
  e->SetBounds(0, 0, 100, 19);
  pump();
  return e;
}

TEST(CheckEdit, TextsTurnItOnOrOffAndReadBackAsTrueOrFalse) {
  HostForm f;
  auto* e = editorIn<TCheckEdit>(f);
  HWND h = e->Handle();
  struct Case {
    const char* text;
    bool on;
  } cases[] = {{"yes", true}, {"", false}, {"True", true}, {"x", false}, {"t", true}, {"no", false}};
  for (const Case& c : cases) {
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
    EXPECT_EQ(e->Checked(), c.on) << c.text;
    EXPECT_EQ(getText(h), c.on ? "True" : "False");
    EXPECT_EQ(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0), c.on ? 4 : 5);
  }
}

TEST(CheckEdit, ClicksToggleInTheBoxAReadOnlyOwnerBlocksButTheClickFires) {
  HostForm f;
  auto* e = editorIn<TCheckEdit>(f);
  int clicks = 0;
  e->OnClick = [&](TObject*) { ++clicks; };
  HWND h = e->Handle();
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(e->Checked());
  EXPECT_TRUE(e->Modified());
  EXPECT_EQ(f.Edit->changes, 1);
  EXPECT_EQ(f.Edit->terms, 1) << "the owner commits";
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 5));
  EXPECT_TRUE(e->Checked()) << "a click beside the box does not toggle";
  SendMessageA(h, WM_CHAR, ' ', 0);
  EXPECT_FALSE(e->Checked());

  f.Edit->readOnly = true;
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(h, WM_CHAR, ' ', 0);
  EXPECT_FALSE(e->Checked());
  EXPECT_EQ(clicks, 3) << "every click fires";
  EXPECT_EQ(f.Edit->changes, 2);
}

TEST(CheckEdit, RadioEditsNeverUncheck) {
  HostForm f;
  auto* e = editorIn<TRadioEdit>(f);
  int clicks = 0;
  e->OnClick = [&](TObject*) { ++clicks; };
  HWND h = e->Handle();
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(e->Checked());
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(h, WM_CHAR, ' ', 0);
  EXPECT_TRUE(e->Checked());
  EXPECT_EQ(clicks, 2);
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("False"));
  EXPECT_FALSE(e->Checked()) << "the owner may still set it";
}

TEST(GraphicEdits, ColourNamesAndInvalidNamesRaiseBeforeAnythingIsStored) {
  HostForm f;
  auto* e = editorIn<TColorEdit>(f);
  HWND h = e->Handle();
  EXPECT_EQ(getText(h), "clBlack");
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("clBlue"));
  EXPECT_EQ(getText(h), "clBlue");
  EXPECT_EQ(f.Edit->changes, 1);
  EXPECT_THROW(e->SetValue("clBlau"), EConvertError);
  EXPECT_EQ(getText(h), "clBlue") << "nothing stored";
  EXPECT_EQ(getText(editorIn<TPenStyleEdit>(f)->Handle()), "psSolid");
  EXPECT_EQ(getText(editorIn<TBrushStyleEdit>(f)->Handle()), "bsSolid");
}

// A picture editor showing a red 2 x 2 picture.
struct RedGraphEdit : TGraphEdit {
  explicit RedGraphEdit(TComponent* owner) : TGraphEdit(owner) {
    picture.SetSize(2, 2);
    RECT all{0, 0, 2, 2};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(picture.Canvas().Handle(), &all, red);
    DeleteObject(red);
  }
  TBitmap* GetGraphic() override { return &picture; }
  TBitmap picture;
};

TEST(GraphEdit, StretchesItsPictureOnlyInsideAPropertyEditor) {
  HostForm f;
  auto* e = editorIn<RedGraphEdit>(f);
  auto centre = [&] {
    TBitmap target;
    target.SetSize(100, 19);
    RECT all{0, 0, 100, 19};
    FillRect(target.Canvas().Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    e->PaintToCanvas(target.Canvas().Handle(), 0, 0);
    return std::make_pair(GetPixel(target.Canvas().Handle(), 50, 9), GetPixel(target.Canvas().Handle(), 99, 18));
  };
  EXPECT_EQ(centre().first, GetSysColor(COLOR_WINDOW));
  f.Edit->propertyEditor = true;
  EXPECT_EQ(centre(), std::make_pair(RGB(255, 0, 0), RGB(255, 0, 0))) << "stretched over the whole client area";
}

TEST(DateEdit, EmptyTextReadsBackEmptyAndADateComesBack) {
  HostForm f;
  auto* e = editorIn<TDCDateEdit>(f);
  EXPECT_EQ(f.Edit->numButtons, 0) << "the picker brings its own drop-down";
  HWND h = e->Handle();
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  EXPECT_EQ(getText(h), "");
  SYSTEMTIME t{};
  t.wYear = 2026;
  t.wMonth = 12;
  t.wDay = 10;
  char expected[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, expected, sizeof expected);
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(expected));
  EXPECT_EQ(getText(h), expected);
  SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  EXPECT_EQ(getText(h), "");
}

TEST(MaskEditor, BorderlessAndSelectsAllOnKeyboardEntry) {
  HostForm f;
  auto* e = editorIn<TDCMaskEdit>(f);
  HWND h = e->Handle();
  EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & WS_BORDER, 0);
  EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  e->SetText("Kiel");
  SetFocus(h);
  pump();
  EXPECT_EQ(e->SelLength(), 4);
}

TEST(EditKinds, EditorsAndPopupsAreRegisteredPerPropertyType) {
  RegisterEditKinds();
  struct Case {
    const char* type;
    const char* editor;
    const char* popup;
  } cases[] = {
      {"AnsiString", "TDCSimpleEdit", "TPopupListBox"}, {"TColor", "TColorEdit", "TPopupColorBox"},
      {"TPenStyle", "TPenStyleEdit", "TPopupPenBox"},   {"TBrushStyle", "TBrushStyleEdit", "TPopupBrushBox"},
      {"Boolean", "TCheckEdit", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EditClassList().Find(c.type), c.editor) << c.type;
    EXPECT_EQ(PopupClassList().Find(c.type), c.popup) << c.type;
  }
  EXPECT_EQ(EditClassList().Find("AnsiString", " "), "TDCMaskEdit");
  auto make = FindRegisteredClass("TPopupColorBox");
  ASSERT_TRUE(static_cast<bool>(make));
  TComponent owner(nullptr);
  EXPECT_NE(dynamic_cast<TPopupColorBox*>(make(&owner)), nullptr);
  UnRegisterBooleanEditor();
  EXPECT_EQ(EditClassList().Find("Boolean"), "");
}

}  // namespace
