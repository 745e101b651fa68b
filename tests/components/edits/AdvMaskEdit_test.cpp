// The mask edit on real windows (completion with auto-tab, Enter as Tab,
// Escape back to the text of focus time) and the input dialog.
#include <gtest/gtest.h>

#include "classlib/Edit.h"
#include "components/edits/AdvInputQuery.h"
#include "components/edits/AdvMaskEdit.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"
#include "tests/support/WindowQuery.h"

using namespace kel::test;

namespace {

struct MaskForm : TForm {
  MaskForm() : TForm(nullptr) {
    SetCaption("Probe");
    SetBorderStyle(bsDialog);
    SetClientSize(300, 100);
    Field = new TAdvMaskEdit(this);
    Field->SetParent(this);
    Field->SetBounds(80, 8, 100, 21);
    Field->SetEditMask("99/99;1;_");
    Next = new TEdit(this);
    Next->SetParent(this);
    Next->SetBounds(80, 40, 100, 21);
    Field->Loaded();
    Show();
    Field->SetFocus();
    releaseKeys();
    pump();
  }
  HWND h() { return Field->Handle(); }
  TAdvMaskEdit* Field;
  TEdit* Next;
};

TEST(AdvMaskEdit, FilledMaskReportsAndMovesOn) {
  struct Case {
    bool autoTab;
    bool accept;
    bool movesOn;
  } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
  for (const Case& c : cases) {
    MaskForm f;
    f.Field->AutoTab = c.autoTab;
    std::vector<std::string> reported;
    f.Field->OnMaskComplete = [&](TObject*, const AnsiString& v, bool& accept) {
      reported.push_back(v);
      accept = c.accept;
    };
    f.Field->SetSelection(0, 0);
    postText(f.h(), "123");
    EXPECT_TRUE(reported.empty()) << "not yet complete";
    EXPECT_EQ(f.Field->EditText(), "12/3_");
    postText(f.h(), "4");
    pump();
    EXPECT_EQ(reported, std::vector<std::string>{"12/34"});
    EXPECT_EQ(f.Field->Text(), "12/34");
    EXPECT_EQ(f.ActiveControl() == f.Next, c.movesOn) << c.autoTab << c.accept;
  }
}

TEST(AdvMaskEdit, EnterAndEscape) {
  {
    MaskForm f;  // ReturnIsTab is on by default
    postKey(f.h(), VK_RETURN);
    pump();
    EXPECT_EQ(f.ActiveControl(), f.Next);
  }
  struct Case {
    bool canUndo;
    const char* after;
  } cases[] = {{true, "11/11"}, {false, "11/22"}};
  for (const Case& c : cases) {
    MaskForm f;
    f.Field->SetText("11/11");
    f.Next->SetFocus();
    pump();
    f.Field->SetFocus();  // the text of focus time is "11/11"
    pump();
    f.Field->CanUndo = c.canUndo;
    f.Field->SetSelection(3, 0);
    postText(f.h(), "22");
    EXPECT_EQ(f.Field->EditText(), "11/22");
    postKey(f.h(), VK_ESCAPE);
    pump();
    EXPECT_EQ(f.Field->EditText(), c.after);
  }
}

TEST(AdvMaskEdit, FocusColoursAndLabel) {
  MaskForm f;
  f.Next->SetFocus();
  pump();
  f.Field->FocusColor = clInfoBk;
  f.Field->SetLabelCaption("Datum:");
  TLabel* label = f.Field->EditLabel.Label();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Left(), 80 - label->Width() - 4);
  EXPECT_EQ(label->Top(), 8);
  f.Field->SetFocus();
  pump();
  EXPECT_EQ(f.Field->Color(), clInfoBk);
  f.Next->SetFocus();
  pump();
  EXPECT_EQ(f.Field->Color(), clWindow);
}

TEST(AdvInputQuery, OkGivesTheTypedValueCancelKeepsIt) {
  struct Case {
    WORD key;
    bool result;
    const char* value;
  } cases[] = {{VK_RETURN, true, "Neuer Wert"}, {VK_ESCAPE, false, "alt"}};
  for (const Case& c : cases) {
    AnsiString value = "alt";
    EXPECT_EQ(runForm([&] { return AdvInputQuery(etString, nullptr, "Titel", "Wert:", value); },
                      {[&] {
                        TCustomForm* form = visibleForm();
                        ASSERT_NE(form, nullptr);
                        EXPECT_EQ(form->Caption(), "Titel");
                        auto* edit = dynamic_cast<TAdvEdit*>(form->FindComponent("Edit"));
                        ASSERT_NE(edit, nullptr);
                        EXPECT_EQ(edit->Text(), "alt");
                        EXPECT_EQ(edit->SelLength(), 3) << "the value is selected";
                        EXPECT_EQ(edit->MaxLength(), 255);
                        postText(edit->Handle(), "Neuer Wert");
                        postKey(edit->Handle(), c.key);
                      }}),
              c.result);
    EXPECT_EQ(value, c.value);
  }
}

TEST(AdvInputQuery, ParamsShapeTheEdit) {
  AnsiString value = "3";
  TQueryParams params;
  params.Prefix = "EUR ";
  params.Precision = 2;
  std::string shown;
  EXPECT_TRUE(runForm([&] { return AdvInputQuery(etFloat, &params, "Betrag", "Betrag:", value); },
                      {[&] {
                        TCustomForm* form = visibleForm();
                        ASSERT_NE(form, nullptr);
                        auto* edit = dynamic_cast<TAdvEdit*>(form->FindComponent("Edit"));
                        ASSERT_NE(edit, nullptr);
                        shown = WindowText(edit->Handle());
                        postKey(edit->Handle(), VK_RETURN);
                      }}));
  EXPECT_EQ(shown, "EUR 3,00");
  EXPECT_EQ(value, "3,00");
}

}  // namespace
