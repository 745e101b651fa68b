#include "app/forms/OpenDatei.h"

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"
#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"

namespace {

constexpr TColor kTeal = 0x808000;
constexpr TColor kOlive = 0x008080;  // transparent in the images

// A 16 x 16 state image: a filled disc of the colour, with a mark.
void addStateImage(TImageList& list, COLORREF disc, const char* mark) {
  TBitmap bm;
  bm.SetSize(16, 16);
  HDC dc = bm.Canvas().Handle();
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, TGdiHandle<HBRUSH>(CreateSolidBrush(ColorToRGB(kOlive))));
  {
    const TGdiHandle<HBRUSH> fill(CreateSolidBrush(disc));
    const TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(64, 64, 64)));
    TSelectedObject useFill(dc, fill), usePen(dc, pen);
    Ellipse(dc, 1, 1, 15, 15);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  {
    const TGdiHandle<HFONT> font(CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    TSelectedObject useFont(dc, font);
    DrawTextA(dc, mark, -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  list.AddMasked(bm, kOlive);
}

}  // namespace

TOpenDatei::TOpenDatei(TComponent* owner, const EventState& eventState) : TForm(owner), FState(eventState) {
  SetName("OpenDatei");
  SetCaption("Meldung öffnen");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientSize(274, 301);

  ImageList1 = new TImageList(this, 16, 16);
  ImageList1->SetName("ImageList1");
  addStateImage(*ImageList1, RGB(0, 150, 0), "");
  addStateImage(*ImageList1, RGB(200, 0, 0), "!");
  addStateImage(*ImageList1, RGB(230, 150, 0), "?");

  Label2 = new TLabel(this);
  Label2->SetName("Label2");
  Label2->SetParent(this);
  Label2->SetAutoSize(false);
  Label2->SetWordWrap(true);
  Label2->SetAlignment(taCenter);
  Label2->SetBounds(12, 10, 250, 30);
  Label2->SetCaption(
      "Wählen Sie die Wettkampfklasse aus, für die Sie eine Meldung erfassen möchten.");

  ColumnListBox1 = new TColumnListBox(this);
  ColumnListBox1->SetName("ColumnListBox1");
  ColumnListBox1->SetParent(this);
  ColumnListBox1->SetBounds(20, 50, 233, 196);
  ColumnListBox1->SetItemHeight(16);
  ColumnListBox1->LookupIncr = true;
  ColumnListBox1->LookupColumn = 0;
  ColumnListBox1->SetGridLines(false);
  ColumnListBox1->ShowItemHint = false;
  ColumnListBox1->SetSorted(false);
  ColumnListBox1->SetImages(ImageList1);
  TListBoxColumnItem* letter = ColumnListBox1->Columns().Add();
  letter->SetWidth(30);
  letter->Font().SetColor(kTeal);
  letter->Font().SetStyle(fsBold);
  letter->SetAlignment(taCenter);
  ColumnListBox1->Columns().Add()->SetWidth(125);
  TListBoxColumnItem* count = ColumnListBox1->Columns().Add();
  count->SetWidth(50);
  count->SetColor(clWhite);
  count->Font().SetStyle(fsBold);
  count->SetAlignment(taCenter);
  TListBoxColumnItem* state = ColumnListBox1->Columns().Add();
  state->SetWidth(25);
  state->SetColumnType(ctImage);
  ColumnListBox1->OnDblClick = [this](TObject* s) { ColumnListBox1DblClick(s); };

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(52, 263, 75, 25);
  Button1->SetCaption("OK");
  Button1->SetDefault(true);
  Button1->SetModalResult(mrOk);
  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(this);
  Button2->SetBounds(147, 263, 75, 25);
  Button2->SetCaption("Abbruch");
  Button2->SetCancel(true);
  Button2->SetModalResult(mrCancel);

  SetActiveControl(ColumnListBox1);
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCreate(this);
}

int TOpenDatei::ClassState(const EventState& state, int cls, int teams) {
  if (state.meldefehler && state.meldefehler->countFlagged(cls) > 0) return 1;
  if (state.meldefehler && state.meldefehler->countUnflagged(cls) > 0) return 2;
  return teams > 0 ? 0 : -1;
}

void TOpenDatei::FormCreate(TObject*) {
  FField = 0;
  ColumnListBox1->BeginUpdate();
  int classes = FState.eventDef ? static_cast<int>(FState.eventDef->classCount) : 0;
  classes = classes < 0 ? 0 : classes > kMaxClasses ? kMaxClasses : classes;
  for (int c = 0; c < classes; ++c) {
    int teams = 0;
    for (int t = 0; t < kMaxTeams; ++t)
      if (TeamRecord* r = FState.memory ? FState.memory->getTeam(c, t) : nullptr;
          r && FieldLength(r->schoolName) > 0)
        ++teams;
    TListBoxItem* row = ColumnListBox1->ListBoxItems().Add();
    row->Strings().Add(AnsiString(1, static_cast<char>('A' + c)));
    row->Strings().Add(FState.classDisplayNames[c] ? AnsiString(FState.classDisplayNames[c]) : AnsiString());
    row->Strings().Add(std::to_string(teams));
    // The state of the class shows beside it.
    row->SetImageIndex(ClassState(FState, c, teams));
  }
  ColumnListBox1->EndUpdate();
  if (ColumnListBox1->ListBoxItems().Count() > 0) ColumnListBox1->SetItemIndex(0);
}

void TOpenDatei::ColumnListBox1DblClick(TObject*) { SetModalResult(mrOk); }

void TOpenDatei::SpeedButton2Click(TObject*) {
  FField = 1;
  SetModalResult(mrOk);
}
