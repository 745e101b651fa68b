// The enhanced edit and the lookup edit on real windows: the type filters
// while typing and pasting, the text setter, Prefix and Suffix, Enter as Tab,
// the move on a full value, the sign toggle, thousand separators,
// persistence through an ini file, and completion with its history.
#include <gtest/gtest.h>

#include <fstream>

#include "classlib/Edit.h"
#include "components/edits/AdvEdit.h"
#include "components/edits/AdvLUEdit.h"
#include "components/edits/PersistenceStore.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowQuery.h"

using namespace kel::test;

namespace {

// A shown form with the edit under test and an edit after it.
template <class Edit = TAdvEdit>
struct EditForm : TForm {
  EditForm() : TForm(nullptr) {
    SetCaption("Probe");
    SetBorderStyle(bsDialog);
    SetClientSize(300, 100);
    Field = new Edit(this);
    Field->SetName("Field");
    Field->SetParent(this);
    Field->SetBounds(8, 8, 200, 21);
    Next = new TEdit(this);
    Next->SetName("Next");
    Next->SetParent(this);
    Next->SetBounds(8, 40, 200, 21);
    Show();
    Field->SetFocus();
    releaseKeys();
    pump();
  }
  HWND h() { return Field->Handle(); }
  Edit* Field;
  TEdit* Next;
};

TEST(AdvEdit, TypedCharactersFollowTheType) {
  struct Case {
    TAdvEditType type;
    const char* valid;
    const char* typed;
    const char* shown;
  } cases[] = {
      {etUppercase, "", "müller", "MÜLLER"},
      {etLowerCase, "", "MÜLLER", "müller"},
      {etMixedCase, "", "hans müller", "Hans Müller"},
      {etNumeric, "", "1a2-3", "123"},
      {etHex, "", "1fgz", "1F"},
      {etAlphaNumeric, "", "a1-ä b", "a1b"},
      {etValidChars, "abc", "axbyc", "abc"},
      {etRange, "", "1-3;5x", "1-3;5"},
  };
  for (const Case& c : cases) {
    EditForm<> f;
    f.Field->SetEditType(c.type);
    f.Field->ValidChars = c.valid;
    f.Field->SetText("");
    f.Field->SetSelection(0, -1);  // numeric types show "0"
    postText(f.h(), c.typed);
    std::string shown = f.Field->Text();
    // Hex shows what was typed; only SetText upper-cases it.
    if (c.type == etHex) shown = AnsiUpperCase(shown);
    EXPECT_EQ(shown, c.shown) << c.typed;
  }
}

TEST(AdvEdit, SetTextFormatsByType) {
  struct Case {
    TAdvEditType type;
    int precision;
    TPrecisionDisplay display;
    bool allowNull;
    const char* value;
    const char* shown;
  } cases[] = {
      {etUppercase, 0, pdNormal, false, "müller", "müller"},
      {etNumeric, 0, pdNormal, false, "", "0"},
      {etNumeric, 0, pdNormal, true, "", ""},
      {etFloat, 2, pdNormal, false, "3", "3,00"},
      {etFloat, 2, pdShortest, false, "3", "3"},
      {etMoney, 2, pdNormal, false, "1234567,5", "1.234.567,50"},
      {etHex, 0, pdNormal, false, "ff", "FF"},
      {etFloat, 1, pdNormal, false, "kein", "0,0"},
  };
  for (const Case& c : cases) {
    EditForm<> f;
    f.Field->SetEditType(c.type);
    f.Field->SetPrecision(c.precision);
    f.Field->PrecisionDisplay = c.display;
    f.Field->AllowNumericNullValue = c.allowNull;
    f.Field->SetText(c.value);
    EXPECT_EQ(WindowText(f.h()), c.shown) << c.value;
  }
}

TEST(AdvEdit, PrefixAndSuffixAreShownButNotInText) {
  EditForm<> f;
  f.Field->SetPrefix("EUR ");
  f.Field->SetSuffix(" ,-");
  f.Field->SetText("12");
  EXPECT_EQ(WindowText(f.h()), "EUR 12 ,-");
  EXPECT_EQ(f.Field->Text(), "12");
  // Prefix and suffix are removed only where the control text has them.
  SetWindowTextA(f.h(), "12 abc");
  EXPECT_EQ(f.Field->Text(), "12 abc");
  SetWindowTextA(f.h(), "EUR 5");
  EXPECT_EQ(f.Field->Text(), "5");
  // Typing never goes into the prefix: Backspace at its end is swallowed.
  f.Field->SetText("7");
  f.Field->SetSelection(4, 0);
  postKey(f.h(), VK_BACK);
  EXPECT_EQ(f.Field->Text(), "7");
}

TEST(AdvEdit, EnterAsTabMovesTheFocusAndReachesTheKeyHandler) {
  EditForm<> f;
  f.Field->ReturnIsTab = true;
  std::vector<int> keys;
  f.Field->OnKeyPress = [&](TObject*, char& k) { keys.push_back(static_cast<unsigned char>(k)); };
  postKey(f.h(), VK_RETURN);
  pump();
  EXPECT_EQ(f.ActiveControl(), f.Next);
  EXPECT_EQ(keys, std::vector<int>{13});
}

TEST(AdvEdit, FullLengthMovesOnOnlyWithALengthLimit) {
  struct Case {
    int limit;
    int maxLength;
    bool moves;
  } cases[] = {{3, 0, true}, {0, 3, false}};
  for (const Case& c : cases) {
    EditForm<> f;
    f.Field->SetEditType(etNumeric);
    f.Field->SetText("");
    f.Field->SetSelection(0, -1);
    f.Field->TabOnFullLength = true;
    f.Field->LengthLimit = c.limit;
    f.Field->SetMaxLength(c.maxLength);
    postText(f.h(), "123");
    pump();
    EXPECT_EQ(f.ActiveControl() == f.Next, c.moves) << c.limit;
    EXPECT_EQ(f.Field->Text(), "123");
  }
}

TEST(AdvEdit, MinusTogglesTheSignOfSignedNumbers) {
  EditForm<> f;
  f.Field->SetEditType(etNumeric);
  f.Field->SetText("12");
  f.Field->SetSelection(2, 0);
  postText(f.h(), "-");
  EXPECT_EQ(f.Field->Text(), "12") << "unsigned: the minus is swallowed";
  f.Field->Signed = true;
  postText(f.h(), "-");
  EXPECT_EQ(f.Field->Text(), "-12");
  EXPECT_EQ(f.Field->SelStart(), 3) << "the caret stays on its character";
  postText(f.h(), "-");
  EXPECT_EQ(f.Field->Text(), "12");
  f.Field->SetSelection(0, -1);
  postText(f.h(), "-");
  EXPECT_EQ(f.Field->Text(), "-");
}

TEST(AdvEdit, MoneyValuesGetThousandSeparatorsWhileTyping) {
  EditForm<> f;
  f.Field->SetEditType(etMoney);
  f.Field->SetText("");
  f.Field->SetSelection(0, -1);
  postText(f.h(), "1234567");
  EXPECT_EQ(f.Field->Text(), "1.234.567");
}

TEST(AdvEdit, PastesThatBreakTypeOrLengthAreRefused) {
  struct Case {
    TAdvEditType type;
    int maxLength;
    bool isSigned;
    const char* clip;
    const char* result;
  } cases[] = {
      {etNumeric, 0, false, "12a", "5"},      {etNumeric, 0, false, "-3", "5"},
      {etNumeric, 0, true, "-3", "-35"},      {etNumeric, 0, false, "34", "345"},
      {etString, 3, false, "abcd", "5"},      {etString, 3, false, "ab", "ab5"},
      {etUppercase, 0, false, "groß", "GROß5"}, {etValidChars, 0, false, "x", "5"},
  };
  for (const Case& c : cases) {
    EditForm<> f;
    f.Field->SetEditType(c.type);
    f.Field->ValidChars = "0123456789";
    f.Field->Signed = c.isSigned;
    f.Field->SetMaxLength(c.maxLength);
    f.Field->SetText("5");
    f.Field->SetSelection(0, 0);
    setClipboard(c.clip);
    SendMessageA(f.h(), WM_PASTE, 0, 0);
    EXPECT_EQ(f.Field->Text(), c.result) << c.clip;
  }
}

TEST(AdvEdit, MixedCaseFollowsWordsAndNames) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"MÜLLER", "Müller"},     {"hans-peter o'neil", "Hans-Peter O'Neil"},
               {"mcdonald", "McDonald"}, {"macbeth", "MacBeth"},
               {"ludwig ii", "Ludwig II"}, {"karl i", "Karl I"}};
  for (const Case& c : cases) EXPECT_EQ(TAdvEdit::MixedCase(c.in), c.out) << c.in;
}

TEST(AdvEdit, ValueSurvivesARunInTheIniFile) {
  TempDir dir;
  const std::string ini = dir / "advedit.ini";
  {
    EditForm<> f;
    f.Field->SetEditType(etNumeric);
    f.Field->SetSuffix(" kg");
    f.Field->Persistence().Enable = true;
    f.Field->Persistence().Key = ini;
    f.Field->SetText("12");
  }
  char buf[64] = {};
  GetPrivateProfileStringA("Field", "Field", "", buf, sizeof buf, ini.c_str());
  EXPECT_STREQ(buf, "12");
  EditForm<> g;
  g.Field->SetEditType(etNumeric);
  g.Field->SetSuffix(" kg");
  g.Field->Persistence().Enable = true;
  g.Field->Persistence().Key = ini;
  g.Field->Loaded();
  EXPECT_EQ(g.Field->Text(), "12");
  EXPECT_EQ(WindowText(g.h()), "12 kg");
}

TEST(AdvEdit, LookupListShowsMatchesFromTheSecondCharacter) {
  EditForm<> f;
  TLookupSettings& l = f.Field->Lookup();
  l.Enabled = true;
  l.NumChars = 2;
  for (const char* s : {"Bernd", "Anton", "Berta", "Benno"}) l.DisplayList.Add(s);
  for (const char* s : {"B1", "A1", "B2", "B3"}) l.ValueList.Add(s);
  postText(f.h(), "b");
  EXPECT_EQ(f.Field->LookupWindow(), nullptr);
  postText(f.h(), "e");
  ASSERT_NE(f.Field->LookupWindow(), nullptr);
  EXPECT_EQ(f.Field->LookupEntries(), (std::vector<AnsiString>{"Benno", "Bernd", "Berta"}));
  int index = -1;
  f.Field->OnLookupIndexSelect = [&](TObject*, int i, AnsiString&) { index = i; };
  postKey(f.h(), VK_DOWN);
  postKey(f.h(), VK_RETURN);
  EXPECT_EQ(f.Field->LookupWindow(), nullptr);
  EXPECT_EQ(index, 0) << "the entry's place in DisplayList";
  EXPECT_EQ(f.Field->Text(), "B1") << "the value of the same place";
  EXPECT_EQ(f.ActiveControl(), f.Field) << "Enter took the entry, not the dialog";
  postText(f.h(), "xy");
  EXPECT_EQ(f.Field->LookupWindow(), nullptr) << "no match, no list";
}

TEST(AdvLUEdit, CompletesTypedTextAndBackspaceKeepsWhatWasTyped) {
  EditForm<TAdvLUEdit> f;
  f.Field->SetEditType(etUppercase);
  f.Field->SetMaxLength(40);
  f.Field->LookupItems().Add("GESAMTSCHULE");
  f.Field->LookupItems().Add("GYMNASIUM NORD");
  f.Field->LookupItems().Add("GYMNASIUM SÜD");
  postText(f.h(), "gym");
  EXPECT_EQ(WindowText(f.h()), "GYMNASIUM NORD");
  EXPECT_EQ(f.Field->SelStart(), 3);
  EXPECT_EQ(f.Field->SelLength(), 11);
  postKey(f.h(), VK_BACK);
  EXPECT_EQ(WindowText(f.h()), "GYM");
  // Typing on completes again; Enter on another case takes the stored spelling.
  f.Field->LookupItems().Add("Realschule");
  f.Field->SetEditType(etString);
  f.Field->SetText("");
  postText(f.h(), "REALSCHULE");
  postKey(f.h(), VK_RETURN);
  EXPECT_EQ(f.Field->Text(), "Realschule");
}

TEST(AdvLUEdit, CompletionKeepsToTheMaximumLength) {
  EditForm<TAdvLUEdit> f;
  f.Field->SetMaxLength(5);
  f.Field->LookupItems().Add("Gymnasium");
  postText(f.h(), "Gy");
  EXPECT_EQ(f.Field->Text(), "Gymna");
}

TEST(AdvLUEdit, HistoryKeepsCountItemsAndClearsStaleOnes) {
  TempDir dir;
  const std::string ini = dir / "history.ini";
  // A longer history of an earlier run.
  for (int i = 1; i <= 6; ++i)
    WritePrivateProfileStringA("Hist", ("Item" + std::to_string(i)).c_str(), "alt", ini.c_str());
  {
    EditForm<TAdvLUEdit> f;
    TLUPersist& p = f.Field->LookupPersist();
    p.Enable = true;
    p.Key = ini;
    p.Section = "Hist";
    p.Count = 3;
    p.MaxCount = true;
    f.Field->LookupItems().Clear();
    for (const char* s : {"a1", "a2", "a3", "a4", "a5"}) f.Field->LookupItems().Add(s);
  }
  auto item = [&](int i) {
    char buf[32] = {};
    GetPrivateProfileStringA("Hist", ("Item" + std::to_string(i)).c_str(), "-", buf, sizeof buf,
                             ini.c_str());
    return std::string(buf);
  };
  EXPECT_EQ(item(1), "a3");
  EXPECT_EQ(item(2), "a4");
  EXPECT_EQ(item(3), "a5");
  EXPECT_EQ(item(4), "-");
  EXPECT_EQ(item(6), "-");

  EditForm<TAdvLUEdit> g;
  g.Field->LookupPersist().Enable = true;
  g.Field->LookupPersist().Key = ini;
  g.Field->LookupPersist().Section = "Hist";
  g.Field->Loaded();
  EXPECT_EQ(g.Field->LookupItems().Count(), 3);
  g.Field->LookupPersist().Enable = false;
}

}  // namespace

namespace {

// The extras of the enhanced edit: label, look, hint text, error wave, URL
// display, alignment and width while focused, automatic focus, long texts
// in the hint.

TEST(AdvEditLook, LabelSitsBesideTheEditAndFollowsIt) {
  struct Case {
    TLabelPosition position;
    int dx, dy;  // from the edit's top left; w, h: the label's size
    bool minusW, minusH;
  } cases[] = {
      {lpLeftTop, -4, 0, true, false},
      {lpLeftBottom, -4, 21, true, true},
      {lpTopLeft, 0, -4, false, true},
      {lpBottomLeft, 0, 21 + 4, false, false},
      {lpRightTop, 200 + 4, 0, false, false},
  };
  for (const Case& c : cases) {
    EditForm<> f;
    f.Field->SetBounds(80, 40, 200, 21);
    f.Field->EditLabel.Margin = 4;
    f.Field->SetLabelPosition(c.position);
    f.Field->SetLabelCaption("&Name:");
    TLabel* l = f.Field->EditLabel.Label();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), &f);
    EXPECT_EQ(l->Left(), 80 + c.dx - (c.minusW ? l->Width() : 0)) << c.position;
    EXPECT_EQ(l->Top(), 40 + c.dy - (c.minusH ? l->Height() : 0)) << c.position;
  }
  // lpLeftCenter: the half rounded away from zero.
  RECT e{80, 40, 280, 61};
  EXPECT_EQ(EditLabelPlace(lpLeftCenter, 4, e, 30, 13).y, 40 + 4);
  EXPECT_EQ(EditLabelPlace(lpLeftCenter, 4, e, 30, 24).y, 40 - 2);

  EditForm<> f;
  f.Field->SetLabelCaption("Name:");
  TLabel* l = f.Field->EditLabel.Label();
  int clicks = 0;
  f.Field->EditLabel.OnLabelClick = [&](TObject*) { ++clicks; };
  f.Field->SetTop(50);
  EXPECT_EQ(l->Top(), 50) << "moved with the edit";
  f.Field->SetEnabled(false);
  EXPECT_FALSE(l->Enabled());
  f.Field->SetVisible(false);
  EXPECT_FALSE(l->Visible());
  l->MouseUp(1, 1);
  EXPECT_EQ(clicks, 1);
  // A double click on the label, through the form's window.
  int doubles = 0;
  f.Field->EditLabel.OnLabelDblClick = [&](TObject* sender) {
    EXPECT_EQ(sender, l);
    ++doubles;
  };
  f.Field->SetVisible(true);
  f.Field->SetEnabled(true);
  LPARAM at = MAKELPARAM(l->Left() + 1, l->Top() + 1);
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    SendMessageA(f.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  EXPECT_EQ(doubles, 1);
  f.Field->SetVisible(false);
  f.Field->FocusLabel = true;
  f.Field->SetVisible(true);
  f.Field->SetEnabled(true);
  f.Field->SetFocus();
  pump();
  EXPECT_TRUE(l->Font().Style() & fsBold);
  f.Next->SetFocus();
  pump();
  EXPECT_FALSE(l->Font().Style() & fsBold);
}

// The colour of the edit's window at a point of its window rectangle.
COLORREF framePixel(HWND h, int x, int y) {
  HDC dc = GetWindowDC(h);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return c;
}

TEST(AdvEditLook, FlatSoftAndFocusBorders) {
  EditForm<> f;
  f.Next->SetFocus();
  pump();
  f.Field->SetFlat(true);
  f.Field->Border.FlatLineColor = clBlue;
  RedrawWindow(f.h(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  pump();
  EXPECT_EQ(f.Field->Color(), f.Color()) << "flat takes the parent's colour";
  RECT r;
  GetWindowRect(f.h(), &r);
  int w = r.right - r.left, hgt = r.bottom - r.top;
  EXPECT_EQ(framePixel(f.h(), w / 2, hgt - 1), ColorToRGB(clBlue)) << "the line at the bottom";
  EXPECT_EQ(framePixel(f.h(), w / 2, 0), ColorToRGB(f.Color())) << "no 3-D frame";
  f.Field->Border.FocusBorderColor = clRed;
  f.Field->SetFocus();
  pump();
  EXPECT_EQ(framePixel(f.h(), w / 2, 0), ColorToRGB(clRed)) << "focus frame";
  f.Next->SetFocus();
  pump();
  f.Field->SetFlat(false);
  f.Field->Border.SoftBorder = true;
  TEditBorder::Refresh(f.h());
  pump();
  EXPECT_EQ(framePixel(f.h(), w / 2, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(framePixel(f.h(), w / 2, 1), ColorToRGB(f.Field->Color()));
}

// How many pixels of a colour the edit's client area shows.
int countPixels(HWND h, COLORREF colour) {
  RECT r;
  GetClientRect(h, &r);
  HDC dc = GetDC(h);
  int n = 0;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
  ReleaseDC(h, dc);
  return n;
}

TEST(AdvEditLook, EmptyTextAndErrorWave) {
  EditForm<> f;
  f.Field->EmptyText = "Name eingeben";
  f.Field->SetText("");
  f.Next->SetFocus();
  pump();
  UpdateWindow(f.h());
  COLORREF grey = ColorToRGB(clGrayText);
  EXPECT_GT(countPixels(f.h(), grey), 20) << "hint text while empty";
  f.Field->SetFocus();
  pump();
  UpdateWindow(f.h());
  EXPECT_EQ(countPixels(f.h(), grey), 0) << "no hint while focused";

  f.Field->SetText("Mueller Hans");
  f.Field->ErrorColor = clRed;
  f.Field->SetErrorMarker(0, 0);
  UpdateWindow(f.h());
  EXPECT_EQ(countPixels(f.h(), ColorToRGB(clRed)), 0);
  f.Field->SetErrorMarker(8, 4);  // under "Hans"
  UpdateWindow(f.h());
  HDC dc = GetDC(f.h());
  int from = static_cast<short>(LOWORD(SendMessageA(f.h(), EM_POSFROMCHAR, 8, 0)));
  RECT r;
  GetClientRect(f.h(), &r);
  int red = 0, outside = 0;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x)
      if (GetPixel(dc, x, y) == ColorToRGB(clRed)) (x >= from ? red : outside)++;
  ReleaseDC(f.h(), dc);
  EXPECT_GT(red, 10);
  EXPECT_EQ(outside, 0) << "the wave starts at the marked characters";
}

// A form whose background is red on the left half and blue on the right.
struct TwoColourForm : TForm {
  TwoColourForm() : TForm(nullptr) {
    SetBorderStyle(bsDialog);
    SetClientSize(300, 100);
    for (bool transparent : {true, false}) {
      auto* e = new TAdvEdit(this);
      e->SetParent(this);
      e->SetBounds(50, transparent ? 10 : 50, 200, 21);
      e->SetTransparent(transparent);
      (transparent ? Glass : Plain) = e;
    }
    Show();
    pump();
  }
  void PaintBackground(HDC dc, const RECT& r) override {
    RECT left = r, right = r;
    left.right = right.left = 150;
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &left, red);
    FillRect(dc, &right, blue);
    DeleteObject(red);
    DeleteObject(blue);
  }
  TAdvEdit* Glass;
  TAdvEdit* Plain;
};

TEST(AdvEditLook, TransparentEditShowsTheParentsBackground) {
  TwoColourForm f;
  auto pixelAt = [](TAdvEdit* e, int formX) {
    POINT p{formX, 0};
    MapWindowPoints(e->Parent()->Handle(), e->Handle(), &p, 1);
    RedrawWindow(e->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(e->Handle());
    COLORREF c = GetPixel(dc, p.x, 10);
    ReleaseDC(e->Handle(), dc);
    return c;
  };
  for (const char* text : {"", "Kelvora"}) {
    f.Glass->SetText(text);
    f.Plain->SetText(text);
    EXPECT_EQ(pixelAt(f.Glass, 140), RGB(255, 0, 0)) << "left of the parent's seam";
    EXPECT_EQ(pixelAt(f.Glass, 240), RGB(0, 0, 255)) << "right of it";
    EXPECT_EQ(pixelAt(f.Plain, 240), ColorToRGB(clWindow)) << "an opaque edit keeps its colour";
  }
  // Typing repaints the whole edit over the parent's background.
  f.Glass->SetFocus();
  postText(f.Glass->Handle(), "WWWWWWWW");
  pump();
  HideCaret(f.Glass->Handle());  // drawn over the text in its own colours
  UpdateWindow(f.Glass->Handle());
  EXPECT_EQ(pixelAt(f.Glass, 240), RGB(0, 0, 255));
  EXPECT_EQ(countPixels(f.Glass->Handle(), ColorToRGB(clWindow)), 0);
  f.Glass->SetTransparent(false);
  EXPECT_EQ(pixelAt(f.Glass, 240), ColorToRGB(clWindow));
}

TEST(AdvEditLook, LoadedMakesALowEditHighEnoughForItsFont) {
  EditForm<> f;
  f.Field->Loaded();
  EXPECT_EQ(f.Field->Height(), 21) << "a high enough edit keeps its height";
  f.Field->Font().SetSize(20);
  f.Field->SetHeight(12);
  f.Field->Loaded();
  HDC dc = GetDC(f.h());
  HGDIOBJ old = SelectObject(dc, f.Field->Font().Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(f.h(), dc);
  RECT c;
  GetClientRect(f.h(), &c);
  EXPECT_EQ(c.bottom, tm.tmHeight + 2) << "the text and a pixel above and below it";
}

TEST(AdvEditLook, URLValuesLookLikeLinksAndOpenOnClick) {
  struct Case {
    const char* value;
    bool url;
  } cases[] = {{"http://kelvora.de", true}, {"a@b.de", true}, {"@b", false},
               {"WWW.kelvora.de", true},    {"Kelvora", false}};
  std::vector<std::string> opened;
  TAdvEdit::OpenURL = [&](const AnsiString& u) { opened.push_back(u); };
  for (const Case& c : cases) {
    EditForm<> f;
    f.Field->ShowURL = true;
    f.Field->SetText(c.value);
    EXPECT_EQ(f.Field->TestURL(c.value), c.url) << c.value;
    EXPECT_EQ((f.Field->Font().Style() & fsUnderline) != 0, c.url) << c.value;
    EXPECT_EQ(f.Field->Font().Color() == clBlue, c.url) << c.value;
    bool allow = true;
    f.Field->OnURLClick = [&](TObject*, const AnsiString& u, bool& show) { show = allow; };
    SendMessageA(f.h(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(f.h(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    allow = false;
    SendMessageA(f.h(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(f.h(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  EXPECT_EQ(opened, (std::vector<std::string>{"http://kelvora.de", "a@b.de", "WWW.kelvora.de"}));
  TAdvEdit::OpenURL = nullptr;
}

TEST(AdvEditLook, FocusChangesAlignmentAndWidth) {
  EditForm<> f;
  f.Field->SetEditAlign(eaRight);
  f.Field->FocusAlign = eaCenter;
  f.Field->FocusWidthInc = 30;
  f.Field->SetText("abc");
  f.Next->SetFocus();
  pump();
  auto style = [&] { return GetWindowLongPtrA(f.Field->Handle(), GWL_STYLE) & (ES_CENTER | ES_RIGHT); };
  EXPECT_EQ(style(), ES_RIGHT);
  f.Field->SetFocus();
  pump();
  EXPECT_EQ(style(), ES_CENTER);
  EXPECT_EQ(f.Field->Width(), 230);
  EXPECT_EQ(GetFocus(), f.Field->Handle()) << "the edit keeps the focus while it is made again";
  EXPECT_EQ(f.Field->Text(), "abc");
  f.Next->SetFocus();
  pump();
  EXPECT_EQ(style(), ES_RIGHT);
  EXPECT_EQ(f.Field->Width(), 200);
}

TEST(AdvEditLook, AutoFocusAndLargeTextHint) {
  EditForm<> f;
  f.Next->SetFocus();
  pump();
  f.Field->AutoFocus = true;
  SendMessageA(f.h(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  pump();
  EXPECT_EQ(GetFocus(), f.h());

  f.Field->HintShowLargeText = true;
  f.Field->SetHint("Der Name");
  f.Field->SetText("kurz");
  EXPECT_EQ(f.Field->Hint(), "Der Name");
  std::string longText(80, 'W');
  f.Field->SetText(longText);
  EXPECT_EQ(f.Field->Hint(), longText);
  EXPECT_TRUE(f.Field->ShowHint());
  f.Field->SetText("kurz");
  EXPECT_EQ(f.Field->Hint(), "Der Name");
}

}  // namespace

TEST(PersistenceStore, RegistryKeepsStringsAndAnswersTheDefaultOtherwise) {
  const AnsiString key = "Software\\Kelvora Tests\\PersistenceStore";
  RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
  TPersistenceStore store(true, key, "", "Field");
  EXPECT_EQ(store.Read("Value", "@"), "@");  // nothing stored yet
  store.Write("Value", "Müller; 12");
  store.Write("Empty", "");
  EXPECT_EQ(store.Read("Value", "@"), "Müller; 12");
  EXPECT_EQ(store.Read("Empty", "@"), "");
  EXPECT_EQ(TPersistenceStore(true, key, "", "Other").Read("Value", "@"), "@");
  // A value of another type is not taken for a string.
  HKEY h;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key + "\\Field").c_str(), 0, KEY_WRITE, &h),
            ERROR_SUCCESS);
  DWORD number = 7;
  RegSetValueExA(h, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(h);
  EXPECT_EQ(store.Read("Number", "@"), "@");
  RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}
