// The components leave no GDI object behind: each family is put on a form,
// shown, painted and closed 100 times while the process's GDI objects are
// counted.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "components/buttonedits/FileDirEdit.h"
#include "components/buttonedits/controls/CheckEdit.h"
#include "components/buttonedits/controls/GraphicEdit.h"
#include "components/buttonedits/controls/PopupListBox.h"
#include "components/edits/AdvEdit.h"
#include "components/edits/CheckList.h"
#include "components/edits/ColumnListBox.h"
#include "components/edits/WallPaper.h"
#include "tests/support/GdiCount.h"
#include "tests/support/WindowTest.h"

namespace {

template <class Control>
Control* place(TForm& form, int left, int top, int width, int height) {
  auto* c = new Control(&form);
  c->SetParent(&form);
  c->SetBounds(left, top, width, height);
  return c;
}

void columnList(TForm& f) {
  auto* list = place<TColumnListBox>(f, 8, 8, 300, 120);
  list->Columns().Add()->SetWidth(120);
  list->Columns().Add()->SetAlignment(taRightJustify);
  list->SetGridLines(true);
  for (const char* name : {"Anna", "Bernd", "Clara"}) {
    TListBoxItem* row = list->ListBoxItems().Add();
    row->Strings().Add(name);
    row->Strings().Add("12,5");
  }
  list->SetItemIndex(1);
}

void checkList(TForm& f) {
  auto* list = place<TCheckList>(f, 8, 8, 200, 100);
  for (const char* s : {"eins", "zwei", "drei"}) list->Items().Add(s);
  list->Check(1);
  list->SetItemIndex(2);
}

void wallPaper(TForm& f) { place<TWallPaper>(f, 8, 8, 200, 100); }

void flatEdits(TForm& f) {
  auto* flat = place<TAdvEdit>(f, 8, 8, 120, 21);
  flat->SetFlat(true);
  flat->SetText("flach");
  place<TAdvEdit>(f, 8, 40, 120, 21)->SetText("Rahmen");
}

void editKinds(TForm& f) {
  auto* check = place<TCheckEdit>(f, 8, 8, 100, 19);
  check->SetScaled(true);
  SendMessageA(check->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("True"));
  SendMessageA(place<TColorEdit>(f, 8, 32, 140, 19)->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("clBlue"));
  SendMessageA(place<TPenStyleEdit>(f, 8, 56, 140, 19)->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("psDot"));
  SendMessageA(place<TBrushStyleEdit>(f, 8, 80, 140, 19)->Handle(), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>("bsCross"));
}

void popupLists(TForm& f) {
  place<TPopupColorBox>(f, 8, 8, 150, 120)->Show();
  place<TPopupPenBox>(f, 160, 8, 150, 120)->Show();
  place<TPopupBrushBox>(f, 8, 130, 150, 100)->Show();
}

void editsWithButtons(TForm& f) {
  place<TDCFileNameEdit>(f, 8, 8, 200, 21);
  place<TDCDirectoryEdit>(f, 8, 40, 200, 21);
}

TEST(GdiObjects, ComponentsLeaveNoneBehind) {
  TApplication::Instance();
  const struct Family {
    const char* name;
    void (*fill)(TForm&);
  } families[] = {
      {"column list box", columnList}, {"check list", checkList},   {"wall paper", wallPaper},
      {"flat and framed edits", flatEdits}, {"edit kinds", editKinds}, {"popup lists", popupLists},
      {"edits with buttons", editsWithButtons},
  };
  for (const Family& family : families) {
    SCOPED_TRACE(family.name);
    kel::test::expectNoGdiGrowth([&] {
      auto form = std::make_unique<TForm>(nullptr);
      form->SetCaption("Zeichnen");
      form->SetBounds(40, 40, 340, 260);
      family.fill(*form);
      form->Show();
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      kel::test::pump();
    });
  }
}

}  // namespace
