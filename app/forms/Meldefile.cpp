#include "app/forms/Meldefile.h"

#include <algorithm>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "classlib/Exception.h"
#include "classlib/GdiHandle.h"
#include "classlib/MessageDlg.h"
#include "classlib/SelectedObject.h"
#include "components/buttonedits/controls/PopupListBox.h"

namespace {

// The welcome page's picture strip: a blue gradient with a sheet of paper
// and an envelope as its symbol.
void DrawWelcomeStrip(TBitmap& bmp, int width, int height) {
  bmp.SetSize(width, height);
  HDC dc = bmp.Canvas().Handle();
  for (int y = 0; y < height; ++y) {
    const int t = y * 255 / std::max(1, height - 1);
    RECT row{0, y, width, y + 1};
    FillRect(dc, &row, TGdiHandle<HBRUSH>(CreateSolidBrush(RGB(0, 40 + t * 60 / 255, 128 + t * 100 / 255))));
  }
  const TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  const TGdiHandle<HBRUSH> yellow(CreateSolidBrush(RGB(255, 236, 140)));
  TSelectedObject usePen(dc, pen);
  {
    TSelectedObject useWhite(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, 92, 18, 136, 74);
    for (int y = 28; y < 64; y += 7) {
      MoveToEx(dc, 98, y, nullptr);
      LineTo(dc, 130, y);
    }
  }
  TSelectedObject useYellow(dc, yellow);
  Rectangle(dc, 112, 50, 148, 76);
  MoveToEx(dc, 112, 50, nullptr);
  LineTo(dc, 130, 64);
  LineTo(dc, 148, 50);
}

// The small picture at the top right of an interior page: a sheet of paper
// with an arrow.
void DrawPagePicture(TBitmap& bmp) {
  bmp.SetSize(48, 45);
  HDC dc = bmp.Canvas().Handle();
  RECT all{0, 0, 48, 45};
  FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
  const TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  const TGdiHandle<HBRUSH> paper(CreateSolidBrush(RGB(255, 255, 255)));
  const TGdiHandle<HBRUSH> arrow(CreateSolidBrush(RGB(0, 96, 192)));
  TSelectedObject usePen(dc, pen);
  {
    TSelectedObject usePaper(dc, paper);
    Rectangle(dc, 8, 3, 36, 42);
    for (int y = 11; y < 36; y += 6) {
      MoveToEx(dc, 13, y, nullptr);
      LineTo(dc, 31, y);
    }
  }
  TSelectedObject useArrow(dc, arrow);
  POINT p[] = {{26, 24}, {38, 24}, {38, 18}, {47, 29}, {38, 40}, {38, 34}, {26, 34}};
  Polygon(dc, p, 7);
}

// The create-folder glyph of the folder field's second button: a folder
// with a star.
HBITMAP MakeNewFolderGlyph() {
  return MakeButtonGlyph(14, 12, [](HDC dc) {
    HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
    RECT tab{1, 3, 5, 5}, body{0, 4, 11, 12}, inner{1, 5, 10, 11};
    FillRect(dc, &tab, ink);
    FillRect(dc, &body, ink);
    FillRect(dc, &inner, TGdiHandle<HBRUSH>(CreateSolidBrush(RGB(255, 255, 0))));
    const TGdiHandle<HBRUSH> star(CreateSolidBrush(RGB(255, 0, 0)));
    RECT v{11, 0, 12, 5}, hz{9, 2, 14, 3};
    FillRect(dc, &v, star);
    FillRect(dc, &hz, star);
  });
}

}  // namespace

bool TeamHasEntries(const EventState& state, int32_t cls, int32_t team) {
  if (!state.memory || !state.eventDef) return false;
  const TeamRecord* r = state.memory->getTeam(cls, team);
  if (!r || FieldLength(r->schoolName) == 0) return false;
  const int32_t athletes = std::clamp<int32_t>(state.eventDef->classes[cls].athletesPerTeam, 0, kMaxAthletes);
  for (int32_t m = 0; m < athletes; ++m) {
    const AthleteRecord* a = state.memory->getAthlete(cls, team, m);
    if (a && FieldLength(a->name) > 0 && a->mask != 0) return true;
  }
  return false;
}

TLabel* TMeldefile::AddLabel(TWinControl* parent, int left, int top, int width, int height, const char* text) {
  auto* l = new TLabel(this);
  l->SetParent(parent);
  l->SetTransparent(true);
  if (width > 0) {
    l->SetAutoSize(false);
    l->SetWordWrap(true);
  }
  l->SetBounds(left, top, width, height);
  l->SetCaption(text);
  return l;
}

TbsWizardPage* TMeldefile::AddPage(TbsWizardPageKind kind, const char* title, const char* subtitle) {
  TbsWizardPage* page = bsWizard1->AddPage(kind);
  page->SetName("bsWizardPage" + std::to_string(bsWizard1->PageCount()));
  TLabel* t = AddLabel(page, 20, 10, 0, 0, title);
  t->Font().SetStyle(fsBold);
  AddLabel(page, 36, 28, 400, 28, subtitle);
  auto* picture = new TImage(this);
  picture->SetParent(page);
  picture->SetBounds(443, 6, 48, 45);
  DrawPagePicture(picture->Picture());
  return page;
}

TMeldefile::TMeldefile(TComponent* owner, const EventState& state) : TForm(owner), FState(state) {
  SetName("Meldefile");
  SetCaption("Meldedatei erstellen/verschicken");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biMaximize);
  SetPosition(poScreenCenter);
  SetClientSize(497, 357);

  bsWizard1 = new TbsWizard(this);
  bsWizard1->SetName("bsWizard1");
  bsWizard1->SetParent(this);
  bsWizard1->SetBounds(0, 0, 497, 357);

  // Page 0: welcome and the choice.
  TbsWizardPage* welcome = bsWizard1->AddPage(wpkWelcome);
  welcome->SetName("bsWizardPage1");
  auto* strip = new TImage(this);
  strip->SetParent(welcome);
  strip->SetBounds(0, 0, 164, 310);
  DrawWelcomeStrip(strip->Picture(), 164, 310);
  TLabel* title = AddLabel(welcome, 176, 16, 297, 40, "Meldedatei erstellen");
  title->Font().SetSize(14);
  title->Font().SetStyle(fsBold);
  AddLabel(welcome, 176, 66, 297, 30, "Dieser Magier hilft Ihnen eine Meldedatei zu erstellen.");
  AddLabel(welcome, 176, 100, 297, 56,
           "Die Meldedatei kann in einem beliebigen Verzeichnis gespeichert oder direkt an Ihr "
           "E-Mail-Programm übergeben werden. Bitte wählen Sie aus:");
  RadioGroup1 = new TRadioGroup(this);
  RadioGroup1->SetName("RadioGroup1");
  RadioGroup1->SetParent(welcome);
  RadioGroup1->SetColor(clWindow);
  RadioGroup1->SetBounds(176, 158, 297, 66);
  RadioGroup1->SetCaption(" Ich möchte die Meldung ");
  RadioGroup1->Items().Add("auf Festplatte/Diskette ablegen");
  RadioGroup1->Items().Add("direkt an mein E-Mail-Programm übergeben.");
  RadioGroup1->SetItemIndex(0);
  AddLabel(welcome, 176, 236, 297, 60,
           "Eine gespeicherte Meldedatei können Sie jederzeit auch später als Anhang einer E-Mail "
           "verschicken, falls die Übergabe an Ihr E-Mail-Programm nicht klappen sollte.");

  // Page 1: the teams.
  TbsWizardPage* teams =
      AddPage(wpkInterior, "Meldedatei erstellen", "Mannschaften markieren, die in die Meldedatei geschrieben werden sollen");
  CheckList1 = new TCheckList(this);
  CheckList1->SetName("CheckList1");
  CheckList1->SetParent(teams);
  CheckList1->SetBounds(20, 72, 453, 227);
  CheckList1->SetTabsAt("25;50");
  CheckList1->Loaded();

  // Page 2: folder and file name.
  TbsWizardPage* folder =
      AddPage(wpkInterior, "Meldedatei erstellen", "Verzeichnis auswählen, in dem die Datei gespeichert werden soll");
  AddLabel(folder, 20, 80, 0, 0, "Schreibe die Meldedatei in dieses Verzeichnis:");
  Path = new TDCDirectoryEdit(this);
  Path->SetName("Path");
  // The folder field's drop-down: an empty list, opened by Alt+Down (both
  // buttons have handlers of their own).
  auto* pathList = new TPopupListBox(Path);
  pathList->SetBounds(0, 0, 121, 93);
  pathList->SetTabStop(false);
  pathList->SetItemHeight(13);
  Path->SetPopup(pathList);
  Path->SetParent(folder);
  Path->SetBounds(20, 98, 321, 21);
  Path->SetNumButtons(2);
  Path->Button1().SetKind(bkDropDown);
  Path->Button1().SetHint("Verzeichnis auswählen");
  Path->Button1().SetShowHint(true);
  Path->Button2().SetGlyph(MakeNewFolderGlyph());
  Path->Button2().SetHint("Pfad (Verzeichnis) erstellen");
  Path->Button2().SetShowHint(true);
  Path->SetOnButton2Click([this](TObject* s) { PathButton2Click(s); });
  Path->SetMultipleDirs(false);
  Path->SetAcceptFiles(false);
  Path->SetText("c:\\");
  AddLabel(folder, 20, 136, 0, 0, "Name der Meldedatei:");
  FileName = new TEdit(this);
  FileName->SetName("FileName");
  FileName->SetParent(folder);
  FileName->SetBounds(20, 154, 321, 21);
  FileName->SetText("Transfer");

  // Page 3: the organiser's address.
  TbsWizardPage* mail =
      AddPage(wpkInterior, "Meldedatei erstellen", "Mailadresse für den Versand an den Veranstalter erfassen");
  AddLabel(mail, 20, 80, 453, 30,
           "E-Mail-Adresse des Veranstalters, an den die Meldung geschickt werden soll:");
  MailAdress = new TEdit(this);
  MailAdress->SetName("MailAdress");
  MailAdress->SetParent(mail);
  MailAdress->SetBounds(20, 112, 321, 21);

  // Page 4: the end.
  TbsWizardPage* finish = AddPage(wpkInterior, "Meldediskette erstellen", "Fertigstellen");
  TLabel* congrats = AddLabel(finish, 20, 80, 0, 0, "Herzlichen Glückwunsch!");
  congrats->Font().SetStyle(fsBold);
  AddLabel(finish, 20, 104, 453, 60,
           "Mit einem Klick auf „Fertigstellen“ wird die Meldedatei im gewählten Verzeichnis "
           "erstellt und, wenn Sie das gewählt haben, an Ihr E-Mail-Programm übergeben.");

  bsWizard1->SetActivePageIndex(0);
  bsWizard1->OnNext = [this](TObject* s, bool& allow) { bsWizard1Next(s, allow); };
  bsWizard1->OnBack = [this](TObject* s, bool& allow) { bsWizard1Back(s, allow); };
  bsWizard1->OnChanging = [this](TObject* s, bool forward, bool& allow) { bsWizard1Changing(s, forward, allow); };
  bsWizard1->OnChange = [this](TObject* s, bool forward) { bsWizard1Change(s, forward); };

  Confirm = [](const AnsiString& text) { MessageDlg(text, mtConfirmation, mbOK, 0); };
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCreate(this);
}

void TMeldefile::FormCreate(TObject*) {
  FLineClass.clear();
  FLineTeam.clear();
  if (!FState.eventDef || !FState.memory) return;
  TControlStrings& items = CheckList1->Items();
  items.BeginUpdate();
  const int32_t classes = std::clamp<int32_t>(FState.eventDef->classCount, 0, kMaxClasses);
  for (int32_t c = 0; c < classes; ++c)
    for (int32_t t = 0; t < kMaxTeams; ++t) {
      if (!TeamHasEntries(FState, c, t)) continue;
      items.Add(FieldText(FState.eventDef->classes[c].name) + "\t" + FieldText(FState.memory->getTeam(c, t)->listName));
      FLineClass.push_back(c);
      FLineTeam.push_back(t);
    }
  items.EndUpdate();
  for (int i = 0; i < items.Count(); ++i) CheckList1->Check(i);
  if (items.Count() > 0) CheckList1->SetItemIndex(0);
}

void TMeldefile::bsWizard1Next(TObject*, bool&) {
  // Saving only: from the folder page straight to the last page.
  if (bsWizard1->GetActivePageIndex() == 2 && RadioGroup1->ItemIndex() == 0) bsWizard1->SetActivePageIndex(3);
}

void TMeldefile::bsWizard1Back(TObject*, bool&) {
  if (bsWizard1->GetActivePageIndex() == 4 && RadioGroup1->ItemIndex() == 0) bsWizard1->SetActivePageIndex(3);
}

void TMeldefile::bsWizard1Changing(TObject*, bool goForward, bool& allow) {
  if (bsWizard1->GetActivePageIndex() == 3 && RadioGroup1->ItemIndex() == 1 && goForward &&
      MailAdress->Text().empty()) {
    SetActiveControl(MailAdress);
    allow = false;
  }
}

void TMeldefile::bsWizard1Change(TObject*, bool) {
  if (bsWizard1->GetActivePageIndex() == 3 && RadioGroup1->ItemIndex() == 1) SetActiveControl(MailAdress);
}

void TMeldefile::PathButton2Click(TObject*) {
  const AnsiString folder = Path->GetText();
  if (folder.empty()) throw Exception("Verzeichnis kann nicht erstellt werden");
  if (!ForceFolder(folder))
    throw Exception("Das Verzeichnis " + folder + " kann nicht erstellt werden");
  if (Confirm) Confirm("Pfad (Verzeichnis) wurde erzeugt");
}
