// The edit with buttons, the folder and file-name edits and their shared
// helpers on real windows: layout, hints, the click rule, keys, text
// changes, the folder question, dropped files, mail addresses and window
// positions in the registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/Button.h"
#include "classlib/Edit.h"
#include "classlib/Exception.h"
#include "classlib/Filer.h"
#include "components/buttonedits/DCColorEdit.h"
#include "components/buttonedits/DCEdit.h"
#include "components/buttonedits/DCPropEditor.h"
#include "components/buttonedits/controls/CheckEdit.h"
#include "components/buttonedits/controls/DropDownHook.h"
#include "components/buttonedits/controls/EditKinds.h"
#include "components/buttonedits/controls/GraphicEdit.h"
#include "components/buttonedits/controls/PopupListBox.h"
#include "components/buttonedits/DCHelpers.h"
#include "components/buttonedits/FileDirEdit.h"
#include "components/buttonedits/runtime/PathDialog.h"
#include "components/buttonedits/runtime/RegistryPersistence.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"
#include "tests/support/RealInput.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowQuery.h"

using namespace kel::test;

namespace {

// A popup that holds a text, as a list would hold its chosen line.
struct TextPopup : TWinControl {
  explicit TextPopup(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 80); }
};

// A shown form: an edit before, the edit under test, an edit after.
template <class Edit = TDCEdit>
struct EditForm : TForm {
  EditForm() : TForm(nullptr) {
    SetCaption("Probe");
    SetBorderStyle(bsDialog);
    SetClientSize(340, 120);
    Before = new TEdit(this);
    Before->SetParent(this);
    Before->SetBounds(8, 8, 200, 21);
    Field = new Edit(this);
    Field->SetName("Field");
    Field->SetParent(this);
    Field->SetBounds(8, 40, 240, 21);
    Field->OnChange = [this](TObject*) { ++changes; };
    After = new TEdit(this);
    After->SetParent(this);
    After->SetBounds(8, 72, 200, 21);
    Show();
    Field->SetFocus();
    releaseKeys();
    pump();
  }
  HWND editor() { return Field->Edit()->Handle(); }
  // A left click in the middle of a button.
  void click(TEditButton* b) {
    LPARAM at = MAKELPARAM(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
    SendMessageA(Field->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(Field->Handle(), WM_LBUTTONUP, 0, at);
    pump();
  }
  TEdit* Before;
  Edit* Field;
  TEdit* After;
  int changes = 0;
};

// A child window's rectangle in its parent's client area.
RECT rectInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HBITMAP solidBitmap(int w, int h) {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(nullptr, screen);
  return bmp;
}

TEST(DCEdit, ButtonsSitFlushRightAndTheEditorEndsAtTheFirstButton) {
  EditForm<> f;
  TDCEdit* e = f.Field;
  TEditButton* b1 = e->Button1().Button();
  TEditButton* b2 = e->Button2().Button();
  const int thumb = GetSystemMetrics(SM_CXHTHUMB);
  struct Case {
    int buttons;
    HBITMAP glyph2;  // a custom glyph for the second button, or none
    int width2;
  } cases[] = {{1, nullptr, 0}, {2, nullptr, thumb}, {2, solidBitmap(16, 14), 20}, {0, nullptr, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buttons);
    if (c.glyph2) e->Button2().SetGlyph(c.glyph2);
    e->SetNumButtons(c.buttons);
    RECT client;
    GetClientRect(e->Handle(), &client);
    int first = client.right;  // left edge of the first button
    if (c.buttons == 2) {
      EXPECT_EQ(b2->Width(), c.width2);
      EXPECT_EQ(b2->Left() + b2->Width(), client.right);
      EXPECT_EQ(b2->Top(), 0);
      EXPECT_EQ(b2->Height(), client.bottom);
      first = b2->Left();
    }
    if (c.buttons >= 1) {
      EXPECT_EQ(b1->Width(), thumb);
      EXPECT_EQ(b1->Left() + b1->Width(), first);
      EXPECT_EQ(b1->Height(), client.bottom);
      first = b1->Left();
    }
    RECT inner = rectInParent(f.editor());
    EXPECT_EQ(inner.right, first);
    EXPECT_EQ(inner.bottom, client.bottom);
  }
  e->SetNumButtons(2);
  e->SetNumButtons(3);  // ignored
  EXPECT_EQ(e->NumButtons(), 2);
  // Hiding a button counts the buttons again.
  e->Button2().SetVisible(false);
  EXPECT_EQ(e->NumButtons(), 1);
}

// A new font makes the edit as high as its text needs plus eight border
// widths; a font of the size it was made for keeps the usual 21 pixels.
TEST(DCEdit, ANewFontGivesTheHeightItsTextNeeds) {
  EditForm<> f;
  TDCEdit* e = f.Field;
  auto textHeight = [&] { return static_cast<int>(e->Font().Metrics().tmHeight); };
  const int border = GetSystemMetrics(SM_CYBORDER);
  e->Font().SetSize(20);
  EXPECT_EQ(e->Height(), textHeight() + 8 * border);
  EXPECT_GT(e->Height(), 30);
  e->Font().SetSize(8);
  EXPECT_EQ(e->Height(), textHeight() + 8 * border);
  EXPECT_LT(e->Height(), 30);
  // The inner editor follows the new height.
  RECT client;
  GetClientRect(e->Handle(), &client);
  const RECT inner = rectInParent(f.editor());
  EXPECT_EQ(inner.bottom - inner.top, client.bottom - 1);
}

// Alt+ the accelerator of the edit's window caption clicks the edit; other
// keys and "&&" are not taken.
TEST(DCEdit, ItsCaptionsAcceleratorClicksIt) {
  EditForm<> f;
  TDCEdit* e = f.Field;
  int clicks = 0;
  e->OnClick = [&](TObject*) { ++clicks; };
  SetWindowTextA(e->Handle(), "&Ort && Zeit");
  struct Case {
    char key;
    int clicks;
  } cases[] = {{'o', 1}, {'O', 2}, {'z', 2}, {'&', 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    PostMessageA(f.Before->Handle(), WM_SYSCHAR, static_cast<WPARAM>(c.key), 1u << 29);
    pump();
    EXPECT_EQ(clicks, c.clicks);
  }
  EXPECT_FALSE(IsAccel('a', "&&a"));
  EXPECT_TRUE(IsAccel('a', "&&b&A"));
}

TEST(DCEdit, AButtonShowsItsHintWhenTheMouseRestsOnIt) {
  EditForm<> f;
  f.Field->SetNumButtons(2);
  f.Field->Button1().SetHint("Verzeichnis auswählen");
  f.Field->Button1().SetShowHint(true);
  f.Field->Button2().SetHint("Pfad (Verzeichnis) erstellen");
  f.Field->Button2().SetShowHint(true);
  pump();
  HWND tips = FindWindowA(TOOLTIPS_CLASSA, nullptr);
  ASSERT_TRUE(tips);
  for (TButtonParams* p : {&f.Field->Button1(), &f.Field->Button2()}) {
    TEditButton* b = p->Button();
    TTHITTESTINFOA hit{};
    hit.hwnd = f.Field->Handle();
    hit.pt = POINT{b->Left() + b->Width() / 2, b->Top() + 3};
    hit.ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ASSERT_TRUE(SendMessageA(tips, TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)));
    char text[128] = {};
    hit.ti.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&hit.ti));
    // The tip ends in a blank that keeps its last letter from being cut.
    EXPECT_EQ(std::string(text), p->Hint() + " ");
  }
}

TEST(DCEdit, AButtonWithAHandlerNeverDropsOneWithoutTogglesTheDropDown) {
  EditForm<> f;
  int handled = 0;
  TEditButton* b1 = f.Field->Button1().Button();
  // With the stand-in popup nothing opens.
  f.Field->SetPopup(nullptr);
  f.click(b1);
  EXPECT_FALSE(f.Field->DroppedDown());

  f.Field->SetPopup(new TextPopup(f.Field));
  f.click(b1);
  EXPECT_TRUE(f.Field->DroppedDown());
  HWND popup = f.Field->PopupWindow()->Handle();
  EXPECT_TRUE(IsWindowVisible(popup));
  RECT pr, er;
  GetWindowRect(popup, &pr);
  GetWindowRect(f.Field->Handle(), &er);
  EXPECT_EQ(pr.top, er.bottom - 2);  // below the edit's client area
  EXPECT_EQ(pr.right - pr.left, f.Field->Width());
  f.click(b1);
  EXPECT_FALSE(f.Field->DroppedDown());
  EXPECT_FALSE(IsWindowVisible(popup));

  f.Field->SetOnButton1Click([&](TObject*) { ++handled; });
  f.After->SetFocus();
  pump();
  f.click(b1);
  EXPECT_EQ(handled, 1);
  EXPECT_FALSE(f.Field->DroppedDown());
  EXPECT_EQ(GetFocus(), f.editor());
}

TEST(DCEdit, UpAndDownMoveTheFocusEnterAndEscapeAreSwallowed) {
  EditForm<> f;
  std::vector<WORD> reached;
  f.Field->Edit()->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { reached.push_back(key); };
  for (WORD key : {WORD(VK_RETURN), WORD(VK_ESCAPE), WORD(VK_LEFT)})
    SendMessageA(f.editor(), WM_KEYDOWN, key, 1);
  EXPECT_EQ(reached, std::vector<WORD>({VK_ESCAPE, VK_LEFT}));

  SetWindowTextA(f.editor(), "abc");
  for (char c : {'\r', '\x1b'}) SendMessageA(f.editor(), WM_CHAR, static_cast<unsigned char>(c), 1);
  EXPECT_EQ(WindowText(f.editor()), "abc");

  postKey(f.editor(), VK_DOWN);
  EXPECT_EQ(GetFocus(), f.After->Handle());
  f.Field->SetFocus();
  pump();
  postKey(f.editor(), VK_UP);
  EXPECT_EQ(GetFocus(), f.Before->Handle());

  // Alt+Down drops, Alt+Up closes and takes the popup's text.
  f.Field->SetPopup(new TextPopup(f.Field));
  f.Field->SetFocus();
  pump();
  SendMessageA(f.editor(), WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
  ASSERT_TRUE(f.Field->DroppedDown());
  EXPECT_EQ(WindowText(f.Field->PopupWindow()->Handle()), "abc");
  SetWindowTextA(f.Field->PopupWindow()->Handle(), "gewählt");
  const int before = f.changes;
  SendMessageA(f.editor(), WM_SYSKEYDOWN, VK_UP, 1 << 29);
  EXPECT_FALSE(f.Field->DroppedDown());
  EXPECT_EQ(f.Field->GetText(), "gewählt");
  EXPECT_EQ(f.changes, before + 1);
}

TEST(DCEdit, TextChangesFireOnChangeOnceAndTheTextWaitsForItsEditor) {
  EditForm<> f;
  f.Field->SetText("abc");
  EXPECT_EQ(f.changes, 1);
  f.Field->SetText("abc");
  EXPECT_EQ(f.changes, 1);
  SendMessageA(f.editor(), EM_SETSEL, 3, 3);
  postText(f.editor(), "d");
  EXPECT_EQ(f.Field->GetText(), "abcd");
  EXPECT_EQ(f.changes, 2);

  TDCEdit loose(nullptr);
  loose.SetText("c:\\");
  EXPECT_EQ(loose.GetText(), "");
  loose.SetParent(&f);
  EXPECT_EQ(loose.GetText(), "c:\\");
  loose.SetParent(nullptr);
}

// The colour of a pixel of a window as it shows on the screen.
COLORREF pixelOf(HWND h, int x, int y) {
  HDC dc = GetDC(h);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return c;
}

TEST(DCEdit, DrawnBordersAndTheFlatLook) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                 light = GetSysColor(COLOR_BTNHIGHLIGHT), red = RGB(255, 0, 0);
  struct Case {
    TTarnelBorderStyle style;
    COLORREF top, secondLast, last;  // at x = 5: the top row, the last two rows
  };
  const Case cases[] = {
      {tbsSunkenBorder, shadow, face, light}, {tbsRaisedBorder, light, face, shadow},
      {tbsSunkenLine, face, shadow, light},   {tbsRaisedLine, face, light, shadow},
      {tbsLine, face, face, red},             {tbsLineBorder, red, face, red},
      {tbsNone, face, face, face},
  };
  EditForm<> f;
  f.Field->SetText("Text");
  f.Field->SetLineColor(clRed);
  f.Field->SetUseTarnelBorder(true);
  for (const Case& c : cases) {
    f.Field->SetTarnelBorderStyle(c.style);
    pump();
    HWND h = f.Field->Handle();
    RECT r;
    GetClientRect(h, &r);

    EXPECT_EQ(pixelOf(h, 5, 0), c.top) << c.style;
    EXPECT_EQ(pixelOf(h, 5, r.bottom - 2), c.secondLast) << c.style;
    EXPECT_EQ(pixelOf(h, 5, r.bottom - 1), c.last) << c.style;
  }
  EXPECT_EQ(f.Field->GetText(), "Text") << "the text outlives the window's re-creation";

  // Flat: plain while neither hovered nor focused, sunken when focused.
  f.Field->SetUseTarnelBorder(false);
  f.Field->SetFlat(true);
  f.After->SetFocus();
  pump();
  EXPECT_EQ(pixelOf(f.Field->Handle(), 5, 0), face);
  f.Field->SetFocus();
  pump();
  EXPECT_EQ(pixelOf(f.Field->Handle(), 5, 0), shadow);
}

void altKey(HWND editor, WORD vk) {
  SendMessageA(editor, WM_SYSKEYDOWN, vk, 1 << 29);
  pump();
}

TEST(DCEdit, ItsListTakesAValueByAltUpOrEnterAndAClickOutsideClosesWithoutOne) {
  EditForm<> f;
  auto* list = dynamic_cast<TPopupListBox*>(f.Field->PopupWindow());
  ASSERT_NE(list, nullptr) << "the default drop-down is a list";
  const std::string longName(300, 'x');
  for (const char* s : {"Aachen", "Bonn", "Celle"}) list->Items().Add(s);
  list->Items().Add(longName);
  f.Field->SetText("Bonn");

  altKey(f.editor(), VK_DOWN);
  ASSERT_TRUE(f.Field->DroppedDown());
  EXPECT_EQ(DroppedPopup(), list->Handle());
  EXPECT_EQ(list->ItemIndex(), 1) << "the edit's text is selected";
  EXPECT_EQ(GetFocus(), f.editor());
  postKey(f.editor(), VK_DOWN);
  EXPECT_EQ(list->ItemIndex(), 2) << "keys of the editor go to the list";

  // A click on the form, away from edit and list.
  POINT outside{330, 110};
  ClientToScreen(f.Handle(), &outside);
  ClickScreen(outside);
  EXPECT_TRUE(pumpUntil([&] { return !f.Field->DroppedDown(); }));
  pump();
  EXPECT_EQ(DroppedPopup(), nullptr);
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(f.Field->GetText(), "Bonn");

  altKey(f.editor(), VK_DOWN);
  postKey(f.editor(), VK_DOWN);
  altKey(f.editor(), VK_UP);
  EXPECT_FALSE(f.Field->DroppedDown());
  EXPECT_EQ(f.Field->GetText(), "Celle");

  altKey(f.editor(), VK_DOWN);
  postKey(f.editor(), VK_DOWN);
  postKey(f.editor(), VK_RETURN);
  EXPECT_FALSE(f.Field->DroppedDown());
  EXPECT_EQ(f.Field->GetText(), longName) << "a long value is taken whole";
  EXPECT_EQ(f.Field->GetText().size(), 300u);
}

TEST(DCEdit, HoverTrackingDoesNotStopTheDropDownsMouseTracking) {
  EditForm<> f;
  auto* list = static_cast<TPopupListBox*>(f.Field->PopupWindow());
  for (const char* s : {"Aachen", "Bonn", "Celle", "Dessau"}) list->Items().Add(s);
  // The pointer rests where the list's third line will be.
  RECT er;
  GetWindowRect(f.Field->Handle(), &er);
  SetCursorPos(er.left + 20, er.bottom + list->ItemHeight() * 2 + list->ItemHeight() / 2);
  pump();
  altKey(f.editor(), VK_DOWN);
  ASSERT_TRUE(f.Field->DroppedDown());
  ASSERT_EQ(list->ItemIndex(), -1);
  // A press inside the list gives it the capture; the mouse then leaves
  // the edit, which starts the hover timer.
  SetCapture(list->Handle());
  SendMessageA(f.Field->Handle(), WM_MOUSELEAVE, 0, 0);
  for (int i = 0; i < 10; ++i) pump();
  EXPECT_EQ(list->ItemIndex(), 2) << "the drop-down timer still follows the pointer";
  EXPECT_TRUE(f.Field->DroppedDown());
  ReleaseCapture();
  f.Field->CloseDropped(false);
}

TEST(ValueEdits, ShowTheValuesNameAndRefuseAColourThatIsNone) {
  EditForm<TDCColorEdit> f;
  ASSERT_NE(dynamic_cast<TColorEdit*>(f.Field->Edit()), nullptr);
  ASSERT_NE(dynamic_cast<TPopupColorBox*>(f.Field->PopupWindow()), nullptr);
  f.Field->SetSelectedColor(clBlue);
  EXPECT_EQ(f.Field->GetText(), "clBlue");
  EXPECT_EQ(WindowText(f.editor()), "clBlue");
  EXPECT_EQ(f.Field->SelectedColor(), clBlue);
  const int changes = f.changes;
  EXPECT_THROW(f.Field->SetText("clBlau"), EConvertError);
  EXPECT_EQ(f.Field->GetText(), "clBlue") << "nothing stored";
  EXPECT_EQ(f.changes, changes);
  // The raw message is refused, not raised through the window procedure.
  EXPECT_EQ(SendMessageA(f.editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("clBlau")), FALSE);
  EXPECT_EQ(f.Field->GetText(), "clBlue");

  // A click into the sample opens the colours with the value selected; Enter
  // takes the one below it and never reaches the form's default button.
  auto* ok = new TButton(&f);
  ok->SetParent(&f);
  ok->SetBounds(260, 8, 70, 24);
  ok->SetDefault(true);
  int okClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  SendMessageA(f.editor(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(f.editor(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  pump();
  ASSERT_TRUE(f.Field->DroppedDown());
  auto* box = static_cast<TPopupColorBox*>(f.Field->PopupWindow());
  EXPECT_EQ(box->Items().Strings(box->ItemIndex()), "clBlue");
  postKey(f.editor(), VK_DOWN);
  postKey(f.editor(), VK_RETURN);
  EXPECT_FALSE(f.Field->DroppedDown());
  EXPECT_EQ(f.Field->GetText(), "clFuchsia");
  EXPECT_EQ(okClicks, 0);

  EditForm<TDCPenStyleEdit> pen;
  EXPECT_EQ(pen.Field->GetText(), "psSolid");
  pen.Field->SetPenStyle(1);
  EXPECT_EQ(pen.Field->GetText(), "psDash");
  EXPECT_EQ(pen.Field->PenStyle(), 1);
  EXPECT_NE(dynamic_cast<TPopupPenBox*>(pen.Field->PopupWindow()), nullptr);
  EditForm<TDCBrushStyleEdit> brush;
  brush.Field->SetBrushStyle(6);
  EXPECT_EQ(WindowText(brush.editor()), "bsCross");
  EXPECT_EQ(brush.Field->BrushStyle(), 6);
  EXPECT_NE(dynamic_cast<TPopupBrushBox*>(brush.Field->PopupWindow()), nullptr);
}

TEST(DCEdit, TheEditorIsExchangedByTheClassRegisteredForAPropertyType) {
  RegisterEditKinds();
  EditForm<> f;
  f.Field->SetEditClass(EditClassList().Find("Boolean"));
  auto* check = dynamic_cast<TCheckEdit*>(f.Field->Edit());
  ASSERT_NE(check, nullptr);
  f.Field->SetText("yes");
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(f.Field->GetText(), "True");
  // Space toggles through the edit: read-only blocks it.
  f.Field->SetReadOnly(true);
  check->Toggle();
  EXPECT_EQ(f.Field->GetText(), "True");
  f.Field->SetReadOnly(false);
  check->Toggle();
  EXPECT_EQ(f.Field->GetText(), "False");

  f.Field->SetPopupClassName(PopupClassList().Find("TColor"));
  EXPECT_NE(dynamic_cast<TPopupColorBox*>(f.Field->PopupWindow()), nullptr);
  // An unknown name gives the simple editor and the stand-in popup.
  f.Field->SetEditClass("TNichts");
  EXPECT_NE(dynamic_cast<TDCSimpleEdit*>(f.Field->Edit()), nullptr);
  EXPECT_EQ(f.Field->GetText(), "False") << "the text stays";
  f.Field->SetPopupClassName("TNichts");
  EXPECT_NE(dynamic_cast<TDummyPopup*>(f.Field->PopupWindow()), nullptr);
}

TEST(DCEdit, ItsVersionIsPublishedButNeverStored) {
  TDCEdit edit(nullptr);
  const TPropInfo* prop = GetPropInfo(edit, "Version");
  ASSERT_NE(prop, nullptr);
  EXPECT_EQ(GetStrProp(edit, *prop), "4.01");
  SetStrProp(edit, *prop, "9.9");
  EXPECT_EQ(edit.Version(), "4.01");
  TMemoryStream stream;
  WriteComponentToStream(stream, edit);
  const std::string bytes(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
  EXPECT_NE(bytes.find("TDCEdit"), std::string::npos);
  EXPECT_EQ(bytes.find("Version"), std::string::npos);
}

TEST(DCEdit, OnlyACustomButtonGlyphHoldsSeveralImagesAndEachStateShowsItsOwn) {
  EditForm<> f;
  TButtonParams& b = f.Field->Button1();
  ASSERT_EQ(b.Kind(), bkDropDown);
  b.SetNumGlyphs(2);
  EXPECT_EQ(b.NumGlyphs(), 1) << "a kind with its own glyph has one image";

  // Two images of 16 pixels: red for up, blue for disabled.
  b.SetGlyph(MakeButtonGlyph(32, 16, [](HDC dc) {
    RECT up{0, 0, 16, 16}, disabled{16, 0, 32, 16};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &up, red);
    FillRect(dc, &disabled, blue);
    DeleteObject(red);
    DeleteObject(blue);
  }));
  EXPECT_EQ(b.Kind(), bkCustom);
  EXPECT_EQ(b.Button()->Width(), 36);
  const struct {
    int asked, kept, width;
  } counts[] = {{2, 2, 20}, {0, 1, 36}, {9, 4, 12}, {2, 2, 20}};
  for (const auto& c : counts) {
    b.SetNumGlyphs(c.asked);
    EXPECT_EQ(b.NumGlyphs(), c.kept) << c.asked;
    EXPECT_EQ(b.Button()->Width(), c.width) << "one image and a margin";
  }

  const auto centre = [&] {
    TEditButton* button = b.Button();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, button->Width(), button->Height());
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    button->PaintOn(dc);
    const COLORREF c = GetPixel(dc, button->Width() / 2, button->Height() / 2);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return c;
  };
  EXPECT_EQ(centre(), RGB(255, 0, 0));
  b.Button()->SetEnabled(false);
  EXPECT_EQ(centre(), RGB(0, 0, 255));
  b.Button()->SetEnabled(true);

  b.SetKind(bkDots);
  EXPECT_EQ(b.NumGlyphs(), 1);
}

namespace {

// A component with published properties of the kinds the editors know.
struct TSettingsNote : TComponent {
  using TComponent::TComponent;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
  int32_t Shade() const { return shade; }
  void SetShade(int32_t v) { shade = v; }
  bool Active() const { return active; }
  void SetActive(bool v) { active = v; }
  AnsiString Caption() const { return caption; }
  void SetCaption(const AnsiString& v) { caption = v; }
  int32_t shade = clBlue;
  bool active = false;
  AnsiString caption = "alt";
};

const TTypeInfo kColorType{tkInteger, "TColor", otSLong, INT32_MIN, INT32_MAX};
const TPropInfo kSettingsNoteProps[] = {
    OrdProp<&TSettingsNote::Shade, &TSettingsNote::SetShade>("Shade", kColorType),
    OrdProp<&TSettingsNote::Active, &TSettingsNote::SetActive>("Active", TypeInfoBoolean()),
    StrProp<&TSettingsNote::Caption, &TSettingsNote::SetCaption>("Caption"),
};
const TClassInfo TSettingsNote::Info =
    PublishClass<TSettingsNote>("TSettingsNote", "Test", TComponent::Info, kSettingsNoteProps);

}  // namespace

TEST(DCPropEditor, EditsAPropertyWithTheEditorOfItsTypeAndWritesTheTextBackOnCommit) {
  RegisterEditKinds();
  auto* note = new TSettingsNote(nullptr);
  EditForm<TCustomDCPropEditor> f;
  EXPECT_TRUE(f.Field->IsPropertyEditor());
  const struct {
    const char* prop;
    bool (*editorFits)(TWinControl*);
    const char* shown;
    const char* typed;
  } cases[] = {
      {"Shade", [](TWinControl* e) { return dynamic_cast<TColorEdit*>(e) != nullptr; }, "clBlue", "clRed"},
      {"Active", [](TWinControl* e) { return dynamic_cast<TCheckEdit*>(e) != nullptr; }, "False", "True"},
      {"Caption", [](TWinControl* e) { return dynamic_cast<TDCSimpleEdit*>(e) != nullptr; }, "alt", "neu"},
  };
  for (const auto& c : cases) {
    f.Field->SetEditedProperty(note, c.prop);
    ASSERT_EQ(f.Field->EditedProperty(), GetPropInfo(*note, c.prop));
    EXPECT_TRUE(c.editorFits(f.Field->Edit())) << c.prop;
    EXPECT_EQ(f.Field->GetText(), c.shown) << c.prop;
    f.Field->SetText(c.typed);
    f.Field->Term();
  }
  EXPECT_EQ(note->shade, clRed);
  EXPECT_TRUE(note->active);
  EXPECT_EQ(note->caption, "neu");

  // A text that is no value of the property changes nothing.
  f.Field->SetEditedProperty(note, "Shade");
  f.Field->SetEditClass("TDCSimpleEdit");
  f.Field->SetText("Rotbraun");
  EXPECT_THROW(f.Field->Term(), EConvertError);
  EXPECT_EQ(note->shade, clRed);

  // A component edited is forgotten when it is freed.
  delete note;
  EXPECT_EQ(f.Field->EditedInstance(), nullptr);
  f.Field->Term();  // nothing to write
  f.Field->SetEditedProperty(f.Field, "Nichts");
  EXPECT_EQ(f.Field->EditedProperty(), nullptr);
}

namespace {

// Answers the colour dialog of this thread: types the colour into its red,
// green and blue fields (unless it cancels) and closes it.
struct ColorDialogAnswer {
  COLORREF color = 0;
  bool ok = true;
  int seen = 0;
};
ColorDialogAnswer* gColorAnswer = nullptr;

void CALLBACK answerColorDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM l) -> BOOL {
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (std::string(cls) == "#32770" && IsWindowVisible(h)) *reinterpret_cast<HWND*>(l) = h;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&box));
  if (!box || !gColorAnswer || !GetDlgItem(box, 706)) return;
  ++gColorAnswer->seen;
  if (gColorAnswer->ok) {
    SetDlgItemInt(box, 706, GetRValue(gColorAnswer->color), FALSE);
    SetDlgItemInt(box, 707, GetGValue(gColorAnswer->color), FALSE);
    SetDlgItemInt(box, 708, GetBValue(gColorAnswer->color), FALSE);
  }
  PostMessageA(box, WM_COMMAND, gColorAnswer->ok ? IDOK : IDCANCEL, 0);
}

}  // namespace

TEST(ValueEdits, CtrlClickAndDoubleClickOpenTheColourDialogForTheSelectedColour) {
  EditForm<TDCColorEdit> f;
  f.Field->SetSelectedColor(clBlue);
  const struct {
    const char* gesture;
    std::vector<UINT> messages;
    WPARAM keys;
    bool ok;
    int dialogs;
    const char* text;
  } cases[] = {
      {"Ctrl+click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, MK_CONTROL, true, 1, "clRed"},
      {"double click, cancelled", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, 0, false, 1,
       "clRed"},
      {"double click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, 0, true, 1, "clLime"},
      {"click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, 0, true, 0, "clLime"},
  };
  COLORREF next = RGB(255, 0, 0);
  for (const auto& c : cases) {
    ColorDialogAnswer answer{next, c.ok};
    gColorAnswer = &answer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, answerColorDialog);
    const int changes = f.changes;
    for (UINT m : c.messages)
      SendMessageA(f.editor(), m, (m == WM_LBUTTONUP ? 0 : MK_LBUTTON) | c.keys, MAKELPARAM(5, 5));
    pump();
    KillTimer(nullptr, timer);
    gColorAnswer = nullptr;
    EXPECT_EQ(answer.seen, c.dialogs) << c.gesture;
    EXPECT_EQ(f.Field->GetText(), c.text) << c.gesture;
    EXPECT_EQ(f.changes > changes, c.ok && c.dialogs) << c.gesture;
    // Only a plain click opens the list.
    EXPECT_EQ(f.Field->DroppedDown(), c.dialogs == 0) << c.gesture;
    f.Field->CloseDropped(false);
    next = RGB(0, 255, 0);
  }
}

// The folder edit's question answered by the test.
struct FolderQuery {
  FolderQuery() {
    TDCDirectoryEdit::Query = [this](const AnsiString& caption, AnsiString& folder) {
      captions.push_back(caption);
      starts.push_back(folder);
      if (answer.empty()) return false;
      folder = answer;
      return true;
    };
  }
  ~FolderQuery() {
    TDCDirectoryEdit::Query = [](const AnsiString& c, AnsiString& f) { return QueryDirectory(c, f); };
  }
  std::string answer;
  std::vector<std::string> captions, starts;
};

TEST(DCDirectoryEdit, TheBrowserStartsAtTheLastFolderOfTheText) {
  EditForm<TDCDirectoryEdit> f;
  f.Field->SetInitialDir("C:\\meldung");
  struct Case {
    const char* text;
    const char* start;
  } cases[] = {{"c:\\", "c:\\"}, {"C:\\a;C:\\b", "C:\\b"}, {"", "C:\\meldung"}, {"C:\\a;", ""}};
  FolderQuery q;
  for (const Case& c : cases) {
    f.Field->SetText(c.text);
    f.click(f.Field->Button1().Button());
    ASSERT_FALSE(q.starts.empty());
    EXPECT_EQ(q.starts.back(), c.start) << c.text;
  }
  EXPECT_EQ(q.captions.back(), "Verzeichniss w\xE4hlen");
}

TEST(DCDirectoryEdit, AChosenFolderReplacesOrJoinsTheText) {
  EditForm<TDCDirectoryEdit> f;
  FolderQuery q;
  struct Case {
    bool multiple;
    const char* text;
    const char* chosen;  // empty: cancelled
    const char* result;
    int changes;
  } cases[] = {{false, "C:\\a;C:\\b", "C:\\c", "C:\\c", 1},
               {true, "C:\\a", "C:\\b", "C:\\a;C:\\b", 1},
               {true, "", "C:\\b", "C:\\b", 1},
               {false, "C:\\a", "C:\\a", "C:\\a", 0},
               {false, "C:\\a", "", "C:\\a", 0}};
  for (const Case& c : cases) {
    f.Field->SetMultipleDirs(c.multiple);
    f.Field->SetText(c.text);
    f.changes = 0;
    q.answer = c.chosen;
    f.click(f.Field->Button1().Button());
    EXPECT_EQ(f.Field->GetText(), c.result) << c.text << " + " << c.chosen;
    EXPECT_EQ(f.changes, c.changes) << c.text << " + " << c.chosen;
  }
}

// A drop of the given paths as the shell hands it over.
HDROP makeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const auto& p : paths) size += p.size() + 1;
  HGLOBAL g = GlobalAlloc(GHND, size);
  auto* df = static_cast<DROPFILES*>(GlobalLock(g));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = FALSE;
  char* out = reinterpret_cast<char*>(df) + sizeof(DROPFILES);
  for (const auto& p : paths) {
    std::memcpy(out, p.c_str(), p.size() + 1);
    out += p.size() + 1;
  }
  GlobalUnlock(g);
  return static_cast<HDROP>(g);
}

TEST(FileDirEdit, DroppedFilesGiveTheirFolderOrTheFirstFile) {
  TempDir temp;
  const std::string dir = temp.path();
  const std::string file1 = dir + "\\a.txt", file2 = dir + "\\b.txt";
  for (const auto& p : {file1, file2}) CloseHandle(CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  EditForm<TDCDirectoryEdit> folders;
  int drops = 0;
  folders.Field->OnDropFiles = [&](TObject*) { ++drops; };
  folders.Field->SetText("C:\\alt");
  SendMessageA(folders.Field->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({file1})), 0);
  EXPECT_EQ(folders.Field->GetText(), dir + "\\");
  EXPECT_EQ(drops, 1);
  folders.Field->SetMultipleDirs(true);
  SendMessageA(folders.Field->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({dir, file2})), 0);
  EXPECT_EQ(folders.Field->GetText(), dir + ";" + dir + "\\");

  EditForm<TDCFileNameEdit> files;
  SendMessageA(files.Field->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({file2, file1})), 0);
  EXPECT_EQ(files.Field->FileName(), file2);
}

TEST(DCHelpers, MailAddresses) {
  struct Case {
    const char* text;
    bool mail;
  } cases[] = {{"max@schule.de", true},  {"max@schule", false}, {"a@b@c.de", false}, {"max@", false},
               {"max@.de", false},       {"max@-x.de", false},  {"max@_x.de", true}, {"MAILTO:x", true},
               {"mailto:", true},        {"", false},           {"max.schule.de", false}};
  for (const Case& c : cases) EXPECT_EQ(IsEmailString(c.text), c.mail) << c.text;
  EXPECT_TRUE(IsStringHot("www.schule.de"));
  EXPECT_TRUE(IsStringHot("FTP://x"));
  EXPECT_FALSE(IsStringHot("schule.de"));
}

TEST(DCHelpers, AWindowPositionComesBackFromTheRegistry) {
  const AnsiString savedKey = RegistryKey;
  RegistryKey = "Software\\Kelvora Tests\\WinPos";
  {
    TForm form(nullptr);
    form.SetBounds(40, 50, 300, 200);
    form.Show();
    pump();
    WriteWinPosToReg(&form, "Probe");
    form.SetBounds(0, 0, 100, 100);
    ReadWinPosFromReg(&form, "Probe");
    EXPECT_EQ(form.Left(), 40);
    EXPECT_EQ(form.Top(), 50);
    EXPECT_EQ(form.Width(), 300);
    EXPECT_EQ(form.Height(), 200);

    ShowWindow(form.Handle(), SW_MAXIMIZE);
    pump();
    WriteWinPosToReg(&form, "Probe");
    ShowWindow(form.Handle(), SW_RESTORE);
    pump();
    ReadWinPosFromReg(&form, "Probe");
    pump();
    EXPECT_TRUE(IsZoomed(form.Handle()));
    ShowWindow(form.Handle(), SW_RESTORE);

    // Nothing stored: nothing changes.
    form.SetBounds(5, 6, 120, 110);
    ReadWinPosFromReg(&form, "Andere");
    EXPECT_EQ(form.Left(), 5);
    EXPECT_EQ(form.Width(), 120);
  }
  DCDeleteRegKey("Software", "Kelvora Tests");
  RegistryKey = savedKey;
}

TEST(DCHelpers, FileExtensions) {
  struct Case {
    const char* file;
    const char* ext;
    bool same;
  } cases[] = {{"C:\\a\\pkg.BPL", "bpl", true}, {"pkg.dpl", "DPL", true}, {"pkg.bpl.txt", "bpl", false},
               {"C:\\a.b\\pkg", "b", false},    {"pkg", "", true},         {"pkg.bp", "bpl", false}};
  for (const Case& c : cases) EXPECT_EQ(CheckFileExt(c.file, c.ext), c.same) << c.file << " " << c.ext;
}

TEST(DCHelpers, DrawingHelpers) {
  TBitmap pattern;
  CreateBrushPatternEx(pattern, RGB(255, 255, 255), RGB(0, 0, 0));
  ASSERT_EQ(pattern.Width(), 8);
  HDC p = pattern.Canvas().Handle();
  EXPECT_EQ(GetPixel(p, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(p, 1, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(p, 1, 1), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(p, 7, 6), RGB(255, 255, 255));

  // Green is transparent: the blue target shows through there.
  TBitmap source, target;
  source.SetSize(2, 1);
  SetPixel(source.Canvas().Handle(), 0, 0, RGB(255, 0, 0));
  SetPixel(source.Canvas().Handle(), 1, 0, RGB(0, 255, 0));
  target.SetSize(4, 2);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT all{0, 0, 4, 2};
  FillRect(target.Canvas().Handle(), &all, blue);
  DeleteObject(blue);
  StretchBltTransparent(target.Canvas().Handle(), 0, 0, 4, 2, source.Canvas().Handle(), 0, 0, 2, 1,
                        RGB(0, 255, 0));
  HDC t = target.Canvas().Handle();
  EXPECT_EQ(GetPixel(t, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(t, 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(t, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(t, 3, 1), RGB(0, 0, 255));
}

TEST(DCHelpers, EditorWindowsMaximiseBelowTheirForm) {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 100);
  MINMAXINFO info{};
  CalcEditorMinMaxInfo(info, &form, false);
  EXPECT_EQ(info.ptMinTrackSize.x, 320);
  EXPECT_EQ(info.ptMinTrackSize.y, 240);
  EXPECT_EQ(info.ptMaxPosition.y, 100);
  EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top - 100 + GetSystemMetrics(SM_CYFRAME));
  CalcEditorMinMaxInfo(info, &form, true);
  EXPECT_EQ(info.ptMaxPosition.y, work.top - GetSystemMetrics(SM_CYFRAME));
}

}  // namespace
