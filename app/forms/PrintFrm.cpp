#include "app/forms/PrintFrm.h"

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/forms/PrintManager.h"

TPrintFrm::TPrintFrm(TComponent* owner, EventState& state, PrintState& print)
    : TForm(owner), FState(state), FPrint(print) {
  SetName("PrintFrm");
  SetCaption("Drucken");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientSize(488, 361);

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetBounds(10, 15, 0, 0);
  Label1->SetCaption("Art der Veranstaltung:");
  Art = new TComboBox(this);
  Art->SetName("Art");
  Art->SetParent(this);
  Art->SetStyle(csDropDownList);
  Art->SetBounds(140, 11, 338, 21);
  Art->SetDropDownCount(10);

  Label2 = new TLabel(this);
  Label2->SetName("Label2");
  Label2->SetParent(this);
  Label2->SetBounds(10, 45, 0, 0);
  Label2->SetCaption("in:");
  Ort = new TEdit(this);
  Ort->SetName("Ort");
  Ort->SetParent(this);
  Ort->SetBounds(140, 41, 338, 21);
  Ort->SetMaxLength(sizeof FState.eventTitle - 1);

  Label3 = new TLabel(this);
  Label3->SetName("Label3");
  Label3->SetParent(this);
  Label3->SetBounds(10, 74, 0, 0);
  Label3->SetCaption("zu druckende Listen:");
  CheckList1 = new TCheckList(this);
  CheckList1->SetName("CheckList1");
  CheckList1->SetParent(this);
  CheckList1->SetBounds(10, 91, 468, 228);
  CheckList1->SetTabsAt("25;50");
  CheckList1->Loaded();

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(316, 328, 75, 25);
  Button1->SetCaption("OK");
  Button1->SetDefault(true);
  Button1->SetModalResult(mrOk);
  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(this);
  Button2->SetBounds(403, 328, 75, 25);
  Button2->SetCaption("Abbruch");
  Button2->SetCancel(true);
  Button2->SetModalResult(mrCancel);

  SetActiveControl(CheckList1);
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCreate(this);
}

void TPrintFrm::FormCreate(TObject*) {
  if (!FState.eventDef) return;
  Art->Items().BeginUpdate();
  for (const auto& level : FState.eventDef->levelNames) Art->Items().Add(FieldText(level));
  Art->Items().EndUpdate();
  Art->SetItemIndex(0);
  Ort->SetText(FieldText(FState.eventTitle));

  FLines.clear();
  TControlStrings& items = CheckList1->Items();
  items.BeginUpdate();
  int classes = FState.eventDef->classCount;
  classes = classes < 0 ? 0 : classes > kMaxClasses ? kMaxClasses : classes;
  for (int c = 0; c < classes; ++c) {
    AnsiString className = FieldText(FState.eventDef->classes[c].name);
    for (int t = 0; t < kMaxTeams; ++t) {
      FPrint.teamPrintCells[c][t][0] = FPrint.teamPrintCells[c][t][1] = -1;
      TeamRecord* r = FState.memory ? FState.memory->getTeam(c, t) : nullptr;
      if (!r || FieldLength(r->schoolName) == 0) continue;
      bool athletes = false;
      for (int m = 0; m < kMaxAthletes && !athletes; ++m)
        if (AthleteRecord* a = FState.memory->getAthlete(c, t, m)) athletes = FieldLength(a->name) > 0;
      if (!athletes) continue;
      AnsiString listName = FieldText(r->listName);
      items.Add(className + "\tMeldebogen\t" + listName);
      FLines.push_back({c, t, kPrintEntryForm});
      items.Add(className + "\tSchülerliste\t" + listName);
      FLines.push_back({c, t, kPrintPupilList});
    }
  }
  items.EndUpdate();
  for (int i = 0; i < items.Count(); ++i) CheckList1->Check(i);
  if (items.Count() > 0) CheckList1->SetItemIndex(0);
}

void TPrintFrm::PrintChecked() {
  if (Art->ItemIndex() >= 0) FState.eventKind = static_cast<int16_t>(Art->ItemIndex());
  SetFieldText(FState.eventTitle, Ort->Text());
  FPrint.printing = 0;
  int32_t entryForms = 0, pupilLists = 0;
  for (int i = 0; i < CheckList1->Items().Count() && i < static_cast<int>(FLines.size()); ++i) {
    if (!CheckList1->IsChecked(i)) continue;
    const Line& l = FLines[static_cast<size_t>(i)];
    if (l.type == kPrintPupilList) {
      if (pupilLists < PrintManager::kCapacity) FPrint.pupilListJobs[pupilLists] = {l.cls, l.team, 1};
      ++pupilLists;
      FPrint.printManager.add(pupilLists, kPrintPupilList, l.cls, l.team);
    } else {
      if (entryForms < PrintManager::kCapacity) FPrint.entryFormJobs[entryForms] = {l.cls, l.team, 0};
      FPrint.printManager.add(entryForms, kPrintEntryForm, l.cls, l.team);
      ++entryForms;
    }
  }
  if (FPrint.startPrintQueue) FPrint.startPrintQueue();
  FPrint.printing = 1;
}
