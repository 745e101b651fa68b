// Forms and standard controls on real windows: modal runs ended by clicks
// and dialog keys, the tab order, message dialogs, names on the windows.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/Animate.h"
#include "classlib/Application.h"
#include "classlib/Button.h"
#include "classlib/CheckBox.h"
#include "classlib/ComboBox.h"
#include "classlib/Edit.h"
#include "classlib/Exception.h"
#include "classlib/Form.h"
#include "classlib/Image.h"
#include "classlib/Label.h"
#include "classlib/Memo.h"
#include "classlib/MessageDlg.h"
#include "classlib/PageControl.h"
#include "classlib/RadioGroup.h"
#include "classlib/Screen.h"
#include "classlib/SpeedButton.h"
#include <commctrl.h>

#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"

namespace {

// The window that takes keys: the form's focused control. Other programs on
// the same display may take the activation away, so the form's own record
// is used rather than the system's focus.
HWND keyTarget(TCustomForm* form) {
  return form && form->ActiveControl() ? form->ActiveControl()->Handle() : nullptr;
}

using namespace kel::test;

// A form with each standard control, built in code like the program's forms.
class SampleForm : public TForm {
 public:
  SampleForm() : TForm(nullptr) {
    TApplication::Instance();
    SetName("SampleForm");
    SetCaption("Probe");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientSize(420, 330);
    Caption1 = make<TLabel>("Label1");
    Caption1->SetBounds(8, 8, 0, 0);
    Caption1->SetText("Name:");
    Edit1 = make<TEdit>("Edit1");
    Edit1->SetBounds(8, 24, 150, 21);
    Memo1 = make<TMemo>("Memo1");
    Memo1->SetBounds(8, 52, 150, 60);
    Check1 = make<TCheckBox>("CheckBox1");
    Check1->SetBounds(8, 120, 150, 17);
    Check1->SetText("Prüfen");
    Radio1 = make<TRadioGroup>("RadioGroup1");
    Radio1->SetBounds(170, 8, 200, 70);
    Radio1->SetText(" Auswahl ");
    Radio1->Items().Add("eins");
    Radio1->Items().Add("zwei");
    Radio1->SetItemIndex(0);
    Combo1 = make<TComboBox>("ComboBox1");
    Combo1->SetBounds(170, 84, 150, 21);
    Combo1->SetStyle(csDropDownList);
    Combo1->Items().Add("a");
    Combo1->Items().Add("b");
    Pages = make<TPageControl>("PageControl1");
    Pages->SetBounds(8, 145, 250, 120);
    Sheet1 = new TTabSheet(this);
    Sheet1->SetName("TabSheet1");
    Sheet1->SetText("Erste");
    Sheet1->SetPageControl(Pages);
    Sheet2 = new TTabSheet(this);
    Sheet2->SetName("TabSheet2");
    Sheet2->SetText("Zweite");
    Sheet2->SetPageControl(Pages);
    Inner = new TEdit(this);
    Inner->SetName("InnerEdit");
    Inner->SetParent(Sheet1);
    Inner->SetBounds(8, 8, 100, 21);
    Speed1 = make<TSpeedButton>("SpeedButton1");
    Speed1->SetBounds(270, 150, 23, 22);
    Image1 = make<TImage>("Image1");
    Image1->SetBounds(300, 150, 32, 32);
    Animate1 = make<TAnimate>("Animate1");
    Animate1->SetBounds(270, 190, 100, 60);
    Ok = make<TButton>("Button1");
    Ok->SetText("OK");
    Ok->SetBounds(250, 295, 75, 25);
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    Abort = make<TButton>("Button2");
    Abort->SetText("Abbruch");
    Abort->SetBounds(335, 295, 75, 25);
    Abort->SetCancel(true);
    Abort->SetModalResult(mrCancel);
  }

  template <class T>
  T* make(const char* name) {
    T* c = new T(this);
    c->SetName(name);
    c->SetParent(this);
    return c;
  }

  TLabel* Caption1;
  TEdit* Edit1;
  TMemo* Memo1;
  TCheckBox* Check1;
  TRadioGroup* Radio1;
  TComboBox* Combo1;
  TPageControl* Pages;
  TTabSheet *Sheet1, *Sheet2;
  TEdit* Inner;
  TSpeedButton* Speed1;
  TImage* Image1;
  TAnimate* Animate1;
  TButton *Ok, *Abort;
};

TEST(Forms, ModalRunEndsWithTheClickedButtonsResult) {
  struct Case {
    const char* button;
    TModalResult expected;
  } cases[] = {{"Button1", mrOk}, {"Button2", mrCancel}};
  for (const Case& c : cases) {
    SampleForm form;
    int clicks = 0;
    form.Ok->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(runForm([&] { return form.ShowModal(); },
                       {[&] {
                         auto* b = dynamic_cast<TButton*>(form.FindComponent(c.button));
                         ASSERT_NE(b, nullptr);
                         PostMessageA(b->Handle(), BM_CLICK, 0, 0);
                       }}),
              c.expected)
        << c.button;
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(clicks, c.expected == mrOk ? 1 : 0);
  }
}

TEST(Forms, EnterPressesDefaultAndEscapeCancelButton) {
  struct Case {
    WORD key;
    TModalResult expected;
  } cases[] = {{VK_RETURN, mrOk}, {VK_ESCAPE, mrCancel}};
  for (const Case& c : cases) {
    SampleForm form;
    form.SetActiveControl(form.Edit1);
    EXPECT_EQ(runForm([&] { return form.ShowModal(); },
                       {[&] {
                         EXPECT_EQ(form.ActiveControl(), form.Edit1);
                         postKey(keyTarget(&form), c.key);
                       }}),
              c.expected);
  }
}

TEST(Forms, KeyPreviewSeesKeysBeforeTheDialogKeys) {
  SampleForm form;
  form.SetKeyPreview(true);
  std::vector<WORD> previewed;
  form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    previewed.push_back(key);
    if (key == VK_ESCAPE) key = 0;  // taken: Escape no longer cancels
  };
  form.SetActiveControl(form.Edit1);
  EXPECT_EQ(runForm([&] { return form.ShowModal(); },
                     {[&] {
                       postKey(keyTarget(&form), VK_ESCAPE);
                       postKey(keyTarget(&form), VK_RETURN);
                     }}),
            mrOk);
  EXPECT_EQ(previewed, (std::vector<WORD>{VK_ESCAPE, VK_RETURN}));
}

TEST(Forms, EnterInAMemoIsLeftToTheMemo) {
  SampleForm form;
  form.SetActiveControl(form.Memo1);
  EXPECT_EQ(runForm([&] { return form.ShowModal(); },
                     {[&] {
                        HWND memo = form.Memo1->Handle();
                        PostMessageA(memo, WM_CHAR, 'a', 1);
                        PostMessageA(memo, WM_CHAR, '\r', 1);
                        PostMessageA(memo, WM_CHAR, 'b', 1);
                        postKey(memo, VK_RETURN);  // the memo wants it: the form stays open
                      },
                      [&] { PostMessageA(form.Abort->Handle(), BM_CLICK, 0, 0); }}),
            mrCancel);
  ASSERT_GE(form.Memo1->Lines().Count(), 2);
  EXPECT_EQ(form.Memo1->Lines().Strings(0), "a");
  EXPECT_EQ(form.Memo1->Lines().Strings(1).substr(0, 1), "b");
}

TEST(Forms, TabMovesThroughTheTabOrder) {
  SampleForm form;
  form.Show();
  form.SetActiveControl(form.Edit1);
  pump();
  // The radio group's checked button stands for the group; the page control
  // is followed by the controls on its active page; the windowless speed
  // button and the animation take no focus; the last control wraps round.
  std::vector<TWinControl*> expected = {form.Memo1,  form.Check1, form.Radio1->Buttons(0),
                                        form.Combo1, form.Pages,  form.Inner,
                                        form.Ok,     form.Abort,  form.Edit1};
  std::vector<TWinControl*> seen;
  for (size_t i = 0; i < expected.size(); ++i) {
    postKey(keyTarget(&form), VK_TAB);
    pump();
    seen.push_back(form.ActiveControl());
  }
  EXPECT_EQ(seen, expected);
  holdKey(VK_SHIFT, true);
  postKey(keyTarget(&form), VK_TAB);
  pump();
  holdKey(VK_SHIFT, false);
  EXPECT_EQ(form.ActiveControl(), form.Abort);
  form.Hide();
}

TEST(Forms, ControlsCarryTheirNamesAndFireEnterAndExit) {
  SampleForm form;
  EXPECT_EQ(ControlNameOf(form.Handle()), "SampleForm");
  EXPECT_EQ(ControlNameOf(form.Edit1->Handle()), "Edit1");
  EXPECT_EQ(FindControl(form.Combo1->Handle()), form.Combo1);
  form.Edit1->SetName("Renamed");
  EXPECT_EQ(ControlNameOf(form.Edit1->Handle()), "Renamed");

  std::vector<AnsiString> events;
  form.Edit1->OnEnter = [&](TObject*) { events.push_back("enter edit"); };
  form.Edit1->OnExit = [&](TObject*) { events.push_back("exit edit"); };
  form.Memo1->OnEnter = [&](TObject*) { events.push_back("enter memo"); };
  form.Show();
  form.SetActiveControl(form.Edit1);
  pump();
  form.Memo1->SetFocus();
  pump();
  EXPECT_EQ(events, (std::vector<AnsiString>{"enter edit", "exit edit", "enter memo"}));
  form.Hide();
}

TEST(Forms, ControlsKeepTheirValues) {
  SampleForm form;
  form.Edit1->SetText("Müller");
  EXPECT_EQ(form.Edit1->Text(), "M\xFCller");
  char buf[32];
  GetWindowTextA(form.Edit1->Handle(), buf, sizeof buf);
  EXPECT_STREQ(buf, "M\xFCller");

  form.Memo1->Lines().Add("eins");
  form.Memo1->Lines().Add("");
  form.Memo1->Lines().Add("drei");
  GetWindowTextA(form.Memo1->Handle(), buf, sizeof buf);
  EXPECT_STREQ(buf, "eins\r\n\r\ndrei");
  EXPECT_EQ(form.Memo1->Text(), "eins\r\n\r\ndrei\r\n");

  form.Check1->SetChecked(true);
  EXPECT_EQ(SendMessageA(form.Check1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  int clicks = 0;
  form.Radio1->OnClick = [&](TObject*) { ++clicks; };
  SendMessageA(form.Radio1->Buttons(1)->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Radio1->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageA(form.Radio1->Buttons(0)->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  form.Combo1->SetItemIndex(1);
  EXPECT_EQ(form.Combo1->Text(), "b");

  EXPECT_EQ(form.Pages->ActivePage(), form.Sheet1);
  EXPECT_TRUE(IsWindowVisible(form.Sheet1->Handle()) || !form.Visible());
  form.Pages->SetActivePageIndex(1);
  EXPECT_EQ(form.Pages->ActivePage(), form.Sheet2);
  EXPECT_FALSE(form.Sheet1->Visible());
  EXPECT_EQ(SendMessageA(form.Pages->Handle(), TCM_GETCURSEL, 0, 0), 1);

  int speedClicks = 0;
  form.Speed1->OnClick = [&](TObject*) { ++speedClicks; };
  LPARAM at = MAKELPARAM(form.Speed1->Left() + 5, form.Speed1->Top() + 5);
  SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(speedClicks, 1);
}

TEST(Forms, MouseEnterAndLeaveForWindowedAndWindowlessControls) {
  SampleForm form;
  std::vector<AnsiString> events;
  form.Edit1->OnMouseEnter = [&](TObject*) { events.push_back("enter edit"); };
  form.Edit1->OnMouseLeave = [&](TObject*) { events.push_back("leave edit"); };
  form.Speed1->OnMouseEnter = [&](TObject*) { events.push_back("enter speed"); };
  form.Speed1->OnMouseLeave = [&](TObject*) { events.push_back("leave speed"); };
  SendMessageA(form.Edit1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  SendMessageA(form.Edit1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
  SendMessageA(form.Edit1->Handle(), WM_MOUSELEAVE, 0, 0);
  LPARAM onSpeed = MAKELPARAM(form.Speed1->Left() + 2, form.Speed1->Top() + 2);
  SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, onSpeed);
  SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(400, 5));
  SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, onSpeed);
  SendMessageA(form.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events, (std::vector<AnsiString>{"enter edit", "leave edit", "enter speed",
                                             "leave speed", "enter speed", "leave speed"}));
}

TEST(Forms, ClosingAModalFormIsCancel) {
  SampleForm form;
  EXPECT_EQ(runForm([&] { return form.ShowModal(); },
                     {[&] { PostMessageA(form.Handle(), WM_CLOSE, 0, 0); }}),
            mrCancel);
  EXPECT_THROW(
      {
        form.Show();
        form.ShowModal();
      },
      Exception);
  form.Hide();
}

TEST(MessageDialogs, TextCaptionAndButtons) {
  struct Case {
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    const char* caption;
    std::vector<AnsiString> names;
    std::vector<AnsiString> captions;
  } cases[] = {
      {mtConfirmation, mbYes | mbNo, "Best\xE4tigen", {"Yes", "No"}, {"&Ja", "&Nein"}},
      {mtError, mbOK, "Fehler", {"OK"}, {"OK"}},
      {mtWarning, mbOKCancel, "Warnung", {"OK", "Cancel"}, {"OK", "Abbrechen"}},
      {mtInformation, mbAbortRetryIgnore, "Information", {"Abort", "Retry", "Ignore"},
       {"&Abbrechen", "&Wiederholen", "&Ignorieren"}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TForm> dlg(CreateMessageDialog("Pfad wurde erzeugt", c.type, c.buttons));
    char buf[64];
    GetWindowTextA(dlg->Handle(), buf, sizeof buf);
    EXPECT_STREQ(buf, c.caption);
    auto* label = dynamic_cast<TLabel*>(dlg->FindComponent("Message"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), "Pfad wurde erzeugt");
    std::vector<AnsiString> names, captions;
    for (int i = 0; i < dlg->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TButton*>(dlg->Controls(i))) {
        names.push_back(ControlNameOf(b->Handle()));
        GetWindowTextA(b->Handle(), buf, sizeof buf);
        captions.push_back(buf);
      }
    EXPECT_EQ(names, c.names) << c.caption;
    EXPECT_EQ(captions, c.captions) << c.caption;
  }
}

TEST(MessageDialogs, RunModallyAndAnswered) {
  auto ask = [] { return MessageDlg("Weiter?", mtConfirmation, mbYes | mbNo, 0); };
  EXPECT_EQ(runForm(ask, {[] {
                       TCustomForm* dlg = visibleForm();
                       ASSERT_NE(dlg, nullptr);
                       auto* no = dynamic_cast<TButton*>(dlg->FindComponent("No"));
                       ASSERT_NE(no, nullptr);
                       PostMessageA(no->Handle(), BM_CLICK, 0, 0);
                     }}),
            mrNo);
  // Escape gives the cancel button (here "No"), Enter the default ("Yes").
  EXPECT_EQ(runForm(ask, {[] { postKey(keyTarget(visibleForm()), VK_ESCAPE); }}), mrNo);
  EXPECT_EQ(runForm(ask, {[] { postKey(keyTarget(visibleForm()), VK_RETURN); }}), mrYes);
}

TEST(Graphics, BitmapCanvasDrawsWhatIsReadBack) {
  TBitmap bmp;
  bmp.SetSize(20, 10);
  TCanvas& c = bmp.Canvas();
  EXPECT_EQ(c.Pixel(3, 3), RGB(255, 255, 255));
  c.Brush.SetColor(clRed);
  RECT r{0, 0, 10, 10};
  c.FillRect(r);
  c.Pen.SetColor(clBlue);
  c.MoveTo(15, 0);
  c.LineTo(15, 10);
  EXPECT_EQ(c.Pixel(3, 3), RGB(255, 0, 0));
  EXPECT_EQ(c.Pixel(15, 5), RGB(0, 0, 255));
  EXPECT_EQ(c.Pixel(12, 5), RGB(255, 255, 255));
  c.Font.SetSize(10);
  EXPECT_GT(c.TextWidth("WWW"), c.TextWidth("W"));
}

}  // namespace
