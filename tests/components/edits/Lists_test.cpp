// The check list, the column list box, the pick-list dialog and the link
// label on real windows.
#include <gtest/gtest.h>

#include "classlib/Exception.h"
#include "classlib/Filer.h"
#include "classlib/ObjectText.h"
#include "components/edits/CheckList.h"
#include "components/edits/ColumnListBox.h"
#include "components/edits/PickDialog.h"
#include "components/edits/URLLabel.h"
#include "components/edits/WallPaper.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"
#include "tests/support/TestFiles.h"

using namespace kel::test;

namespace {

template <class List>
struct ListForm : TForm {
  ListForm() : TForm(nullptr) {
    SetCaption("Probe");
    SetBorderStyle(bsDialog);
    SetClientSize(320, 240);
    Box = new List(this);
    Box->SetName("Box");
    Box->SetParent(this);
    Box->SetBounds(8, 8, 300, 200);
    Show();
    Box->SetFocus();
    releaseKeys();
    pump();
  }
  List* Box;
};

TEST(CheckList, TabStopsReadBackAndBadOnesAreRefused) {
  struct Case {
    const char* tabs;
    const char* readBack;  // null: refused with `error`
    const char* error;
  } cases[] = {
      {"25;50", "25;50", nullptr},
      {"25;", "25", nullptr},
      {"", "", nullptr},
      {";25", nullptr, ";25: Fehlerhafter Tabulator"},
      {"25;;50", nullptr, ": Fehlerhafter Tabulator"},
      {"25;x", nullptr, "x: Fehlerhafter Tabulator"},
  };
  for (const Case& c : cases) {
    ListForm<TCheckList> f;
    if (c.readBack) {
      f.Box->SetTabsAt(c.tabs);
      f.Box->Loaded();
      EXPECT_EQ(f.Box->TabsAt(), c.readBack) << c.tabs;
    } else {
      try {
        f.Box->SetTabsAt(c.tabs);
        ADD_FAILURE() << c.tabs << " taken";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), c.error);
      }
    }
  }
}

TEST(CheckList, SpaceAndClicksInTheBoxToggleLines) {
  ListForm<TCheckList> f;
  for (const char* s : {"eins", "zwei", "drei"}) f.Box->Items().Add(s);
  EXPECT_FALSE(f.Box->IsChecked(0)) << "a fresh line is not ticked";
  f.Box->Check(1);
  EXPECT_TRUE(f.Box->IsChecked(1));

  // Space without a selected line does nothing.
  SendMessageA(f.Box->Handle(), WM_CHAR, ' ', 0);
  EXPECT_FALSE(f.Box->IsChecked(0));
  f.Box->SetItemIndex(1);
  SendMessageA(f.Box->Handle(), WM_CHAR, ' ', 0);
  EXPECT_FALSE(f.Box->IsChecked(1));
  SendMessageA(f.Box->Handle(), WM_CHAR, ' ', 0);
  EXPECT_TRUE(f.Box->IsChecked(1));

  RECT r = f.Box->ItemRect(2);
  int y = (r.top + r.bottom) / 2;
  auto click = [&](int x) {
    SendMessageA(f.Box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(f.Box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  };
  click(r.left + 60);
  EXPECT_FALSE(f.Box->IsChecked(2)) << "a click on the text only selects";
  EXPECT_EQ(f.Box->ItemIndex(), 2);
  click(r.left + 3);
  EXPECT_TRUE(f.Box->IsChecked(2));
}

TEST(CheckList, LinesAreHighEnoughForBoxAndFont) {
  ListForm<TCheckList> f;
  f.Box->Items().Add("eins");
  int boxHeight = 13;  // the system's check boxes
  int fontHeight = std::abs(f.Box->Font().Height()) + 4;
  int h = static_cast<int>(SendMessageA(f.Box->Handle(), LB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(h, std::max(boxHeight, fontHeight));
  f.Box->Font().SetHeight(-24);
  f.Box->Items().Add("groß");
  EXPECT_EQ(SendMessageA(f.Box->Handle(), LB_GETITEMHEIGHT, 1, 0), 28);
}

TEST(ColumnListBox, RowsBuiltOnceAfterTheOuterEndUpdate) {
  ListForm<TColumnListBox> f;
  f.Box->Columns().Add();
  f.Box->Columns().Add();
  int before = f.Box->BuildCount();
  f.Box->BeginUpdate();
  f.Box->BeginUpdate();
  for (int i = 0; i < 10; ++i) f.Box->ListBoxItems().Add()->Strings().Add(std::to_string(i));
  f.Box->EndUpdate();
  EXPECT_EQ(f.Box->BuildCount(), before);
  EXPECT_EQ(f.Box->Items().Count(), 0);
  f.Box->EndUpdate();
  f.Box->EndUpdate();  // never below 0
  EXPECT_EQ(f.Box->BuildCount(), before + 1);
  EXPECT_EQ(SendMessageA(f.Box->Handle(), LB_GETCOUNT, 0, 0), 10);
}

TEST(ColumnListBox, ColumnTextsStayWithTheirRow) {
  ListForm<TColumnListBox> f;
  f.Box->Columns().Add();
  f.Box->Columns().Add()->SetColumnType(ctImage);
  f.Box->Columns().Add();
  TListBoxItem* row = f.Box->ListBoxItems().Add();
  row->Strings().Add("A|B");
  row->Strings().Add("C");
  f.Box->ListBoxItems().Add()->Strings().Add("kurz");
  EXPECT_EQ(f.Box->GetColumnItems(0, 0), "A|B");
  EXPECT_EQ(f.Box->GetColumnItems(0, 1), "") << "an image column has no text";
  EXPECT_EQ(f.Box->GetColumnItems(0, 2), "C");
  EXPECT_EQ(f.Box->GetColumnItems(1, 2), "") << "fewer strings: empty cells";
  f.Box->SetColumnItems(1, 2, "neu");
  EXPECT_EQ(f.Box->ListBoxItems().Items(1)->Strings().Count(), 2);
  EXPECT_EQ(f.Box->GetColumnItems(1, 2), "neu");
  // The delimiter is shared; changing it changes no row's columns.
  TColumnListBox::SetDelimiter(';');
  EXPECT_EQ(TColumnListBox::Delimiter(), ';');
  EXPECT_EQ(f.Box->GetColumnItems(0, 0), "A|B");
  TColumnListBox::SetDelimiter('|');
  for (int bad : {2, -1}) {
    try {
      f.Box->GetColumnItems(bad, 0);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Item index out of range");
    }
  }
  EXPECT_THROW(f.Box->SetColumnItems(2, 0, "x"), Exception);
}

TEST(ColumnListBox, TypingSelectsRowsByTheirLookupColumn) {
  ListForm<TColumnListBox> f;
  f.Box->Columns().Add();
  f.Box->LookupIncr = true;
  for (const char* s : {"Anton", "Berta", "Bernd", "Cäsar"})
    f.Box->ListBoxItems().Add()->Strings().Add(s);
  f.Box->SetItemIndex(0);
  SendMessageA(f.Box->Handle(), WM_CHAR, 'b', 0);
  EXPECT_EQ(f.Box->GetItemIndexP(), 1);
  SendMessageA(f.Box->Handle(), WM_CHAR, 'e', 0);
  SendMessageA(f.Box->Handle(), WM_CHAR, 'r', 0);
  SendMessageA(f.Box->Handle(), WM_CHAR, 'n', 0);
  EXPECT_EQ(f.Box->GetItemIndexP(), 2);
  // No match for "bernx": the search starts again with "x", which finds nothing.
  SendMessageA(f.Box->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(f.Box->SearchText(), "");
  SendMessageA(f.Box->Handle(), WM_CHAR, 'c', 0);
  EXPECT_EQ(f.Box->GetItemIndexP(), 3);
}

TEST(ColumnListBox, SortsByAColumnAndKeepsRowsThroughAFile) {
  ListForm<TColumnListBox> f;
  f.Box->Columns().Add();
  f.Box->Columns().Add();
  const char* rows[][2] = {{"b", "Zeile, \"zwei\""}, {"c", "drei"}, {"a", ""}};
  for (auto& r : rows) {
    TListBoxItem* row = f.Box->ListBoxItems().Add();
    row->Strings().Add(r[0]);
    row->Strings().Add(r[1]);
    row->Tag = r[0][0];
  }
  f.Box->SortColumn = 1;
  f.Box->SetSorted(true);
  EXPECT_EQ(f.Box->GetColumnItems(0, 0), "a");
  EXPECT_EQ(f.Box->GetColumnItems(1, 1), "Zeile, \"zwei\"");
  EXPECT_EQ(f.Box->ListBoxItems().Items(2)->Tag, 'c') << "tags move with their rows";

  TempDir dir;
  const std::string file = dir / "columns.txt";
  f.Box->SaveToFile(file);
  ListForm<TColumnListBox> g;
  g.Box->Columns().Add();
  g.Box->Columns().Add();
  g.Box->LoadFromFile(file);
  ASSERT_EQ(g.Box->ListBoxItems().Count(), 3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 2; ++c) EXPECT_EQ(g.Box->GetColumnItems(r, c), f.Box->GetColumnItems(r, c));
}

TEST(PickDialog, ResultsIndexAndSelectedString) {
  struct Case {
    const char* button;  // null: double click on line 1
    int result;
    int index;
    const char* selected;
  } cases[] = {{"okbtn", 1, 1, "zwei"}, {"cancelbtn", 2, 1, "vorher"}, {nullptr, 1, 1, "zwei"}};
  for (const Case& c : cases) {
    TPickDialog d(nullptr);
    d.AcceptDblClick = true;
    d.CancelCaption = "Abbruch";
    for (const char* s : {"eins", "zwei", "drei"}) d.PickItems().Add(s);
    d.ItemIndex = 1;
    d.SelectedString = "vorher";
    const Step choose = [&] {
      TSelectForm* f = d.Form();
      ASSERT_NE(f, nullptr);
      EXPECT_EQ(f->SelectList->ItemIndex(), 1);
      if (c.button) {
        auto* b = dynamic_cast<TButton*>(f->FindComponent(c.button));
        PostMessageA(b->Handle(), BM_CLICK, 0, 0);
      } else {
        RECT r = f->SelectList->ItemRect(1);
        LPARAM at = MAKELPARAM(r.left + 5, r.top + 3);
        HWND list = f->SelectList->Handle();
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
      }
    };
    EXPECT_EQ(runForm([&] { return d.Execute(); }, {choose}), c.result);
    EXPECT_EQ(d.ItemIndex, c.index);
    EXPECT_EQ(d.SelectedString, c.selected);
    EXPECT_EQ(d.Form(), nullptr);
  }
}

TEST(PickDialog, EmptyListAndLayout) {
  TPickDialog d(nullptr);
  d.SetWidth(150);
  EXPECT_EQ(d.Width(), 280) << "values up to 180 are ignored";
  d.SelectedString = "vorher";
  const Step measure = [&] {
    TSelectForm* f = d.Form();
    ASSERT_NE(f, nullptr);
    RECT w;
    GetWindowRect(f->Handle(), &w);
    EXPECT_EQ(w.right - w.left, 280);
    EXPECT_EQ(w.bottom - w.top, 270);
    int cw = f->ClientWidth(), ch = f->ClientHeight();
    EXPECT_EQ(f->cancelbtn->Left(), cw - 75 - 8);
    EXPECT_EQ(f->cancelbtn->Top(), ch - 25 - 8);
    EXPECT_EQ(f->okbtn->Left(), cw - 2 * 75 - 16);
    EXPECT_EQ(f->okbtn->Top(), ch - 25 - 8);
    EXPECT_EQ(f->SelectList->Top(), 24 - f->title->Height() - 4) << "no title: the list moves up";
    EXPECT_EQ(f->SelectList->Width(), cw - 16);
    // The form does not shrink below its configured size.
    MINMAXINFO mm{};
    SendMessageA(f->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    EXPECT_EQ(mm.ptMinTrackSize.x, 280);
    PostMessageA(f->okbtn->Handle(), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(runForm([&] { return d.Execute(); }, {measure}), 1);
  EXPECT_EQ(d.ItemIndex, -1);
  EXPECT_EQ(d.SelectedString, "vorher");
}

TEST(URLLabel, OpensTheAddressThroughTheShell) {
  struct Case {
    THTTPorMAIL kind;
    const char* caption;
    const char* opened;
  } cases[] = {
      {hmMAIL, "info@kelvora.de", "mailto:info@kelvora.de"},
      {hmHTTP, "www.kelvora.de", "http://www.kelvora.de"},
      {hmHTTP, "https://kelvora.de", "https://kelvora.de"},
      {hmMAIL, "mailto:a@b.de", "mailto:a@b.de"},
      {hmHTTP, "", "http://"},
  };
  std::vector<std::string> opened;
  TURLLabel::OpenAddress = [&](const AnsiString& a) { opened.push_back(a); };
  for (const Case& c : cases) {
    TForm form(nullptr);
    auto* l = new TURLLabel(&form);
    l->SetParent(&form);
    l->SetHTTPorMail(c.kind);
    l->SetCaption(c.caption);
    EXPECT_EQ(l->Font().Color(), clBlue);
    EXPECT_TRUE(l->Font().Style() & fsUnderline);
    l->MouseDown(1, 1);
    EXPECT_EQ(l->Font().Color(), clRed);
    l->MouseUp(1, 1);
    EXPECT_EQ(l->Font().Color(), clBlue);
    ASSERT_FALSE(opened.empty());
    EXPECT_EQ(opened.back(), c.opened);
  }
  EXPECT_EQ(opened.size(), std::size(cases));
  TURLLabel::OpenAddress = nullptr;
}

TEST(URLLabel, HandCursorOverTheLabelOnly) {
  TForm form(nullptr);
  form.SetBorderStyle(bsDialog);
  form.SetBounds(0, 0, 300, 120);
  auto* l = new TURLLabel(&form);
  l->SetParent(&form);
  l->SetCaption("www.kelvora.de");
  l->SetBounds(10, 10, l->Width(), l->Height());
  form.Show();
  pump();
  HWND h = form.Handle();
  for (bool over : {true, false}) {
    POINT p{over ? 15 : 200, over ? 15 : 80};
    ClientToScreen(h, &p);
    SetCursorPos(p.x, p.y);
    SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor() == LoadCursorA(nullptr, IDC_HAND), over);
  }
}

}  // namespace

TEST(CheckList, CheckListAndWallPaperPublishTheControlMembers) {
  for (const TClassInfo* cls : {&TCheckList::Info, &TWallPaper::Info}) {
    for (const char* name : {"Align", "Anchors", "Constraints", "BorderWidth", "DragMode", "DragCursor", "PopupMenu",
                             "ParentColor", "ParentShowHint", "Ctl3D", "ParentCtl3D"})
      EXPECT_NE(GetPropInfo(*cls, name), nullptr) << cls->ClassName << " " << name;
    for (const char* name : {"OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize", "OnContextPopup", "OnDragDrop",
                             "OnDragOver", "OnStartDrag", "OnEndDrag", "OnKeyUp"})
      EXPECT_NE(GetEventInfo(*cls, name), nullptr) << cls->ClassName << " " << name;
  }

  // Written under their own class names, and read back as themselves.
  TComponent root(nullptr);
  auto* list = new TCheckList(&root);
  list->SetName("CheckList1");
  list->SetAlign(alClient);
  list->SetCtl3D(false);
  auto* paper = new TWallPaper(&root);
  paper->SetName("WallPaper1");
  paper->SetAnchors(1u << akRight);
  TMemoryStream binary;
  WriteComponentToStream(binary, root);
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  const AnsiString t(static_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size()));
  EXPECT_NE(t.find("object CheckList1: TCheckList"), AnsiString::npos) << t;
  EXPECT_NE(t.find("object WallPaper1: TWallPaper"), AnsiString::npos) << t;
  RegisterStreamClass(TCheckList::Info);
  RegisterStreamClass(TWallPaper::Info);
  TComponent back(nullptr);
  binary.SetPosition(0);
  ReadComponentFromStream(binary, &back);
  auto* readList = dynamic_cast<TCheckList*>(back.FindComponent("CheckList1"));
  auto* readPaper = dynamic_cast<TWallPaper*>(back.FindComponent("WallPaper1"));
  ASSERT_TRUE(readList && readPaper);
  EXPECT_EQ(readList->Align(), alClient);
  EXPECT_FALSE(readList->Ctl3D());
  EXPECT_EQ(readPaper->Anchors(), 1u << akRight);
}
