#include "app/forms/DlgMNEdit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "classlib/Application.h"
#include "classlib/MessageDlg.h"

namespace {

// School types shortened in a list name, tested in this order.
const struct {
  const char* longForm;
  const char* shortForm;
} kSchoolTypes[] = {
    {"GYMNASIUM", "GYM."}, {"REALSCHULE", "RS"},     {"HAUPTSCHULE", "HS"},
    {"FACHOBERSCHULE", "FOS"}, {"VOLKSSCHULE", "VS"}, {"TEILHAUPTSCHULE", "THS"},
};

constexpr int kLabelLeft = 10;
constexpr int kEditLeft = 112;
constexpr int kRowHeight = 28;

int teamSlots(const EventState& state, int c) {
  int n = state.eventDef ? static_cast<int>(state.eventDef->classes[c].teamPlaces) : 0;
  return n < 0 ? 0 : n > kMaxTeams ? kMaxTeams : n;
}

int classCount(const EventState& state) {
  int n = state.eventDef ? static_cast<int>(state.eventDef->classCount) : 0;
  return n < 0 ? 0 : n > kMaxClasses ? kMaxClasses : n;
}

// A team that exists and has a school name.
TeamRecord* namedTeam(const EventState& state, int c, int t) {
  TeamRecord* r = state.memory ? state.memory->getTeam(c, t) : nullptr;
  return r && FieldLength(r->schoolName) > 0 ? r : nullptr;
}

}  // namespace

AnsiString TDlgMNEdit::ListNameOf(const AnsiString& name) {
  if (name.size() < 31) return name;
  for (const auto& type : kSchoolTypes) {
    size_t p = name.find(type.longForm);
    if (p == AnsiString::npos) continue;
    AnsiString s = name;
    s.replace(p, std::strlen(type.longForm), type.shortForm);
    return s;
  }
  return name;
}

AnsiString TDlgMNEdit::RelayMask(const AnsiString& tmpl) {
  AnsiString m;
  for (char c : tmpl)
    if (c != '\'') m += c;
  return m + ";0;#";
}

TLabel* TDlgMNEdit::MakeLabel(TWinControl* parent, const char* name, const char* caption,
                              int left, int top) {
  auto* l = new TLabel(this);
  l->SetName(name);
  l->SetParent(parent);
  l->SetBounds(left, top, 0, 0);
  l->SetCaption(caption);
  return l;
}

TAdvLUEdit* TDlgMNEdit::MakeLookupEdit(TTabSheet* page, const char* name, const char* caption,
                                       int top, int left, int width, int maxLength, bool upper) {
  auto* e = new TAdvLUEdit(this);
  e->SetName(name);
  e->SetParent(page);
  e->SetBounds(left, top, width, 21);
  e->SetEditType(upper ? etUppercase : etString);
  e->SetMaxLength(maxLength);
  e->Lookup().Enabled = false;
  e->Lookup().History = false;
  e->AutoHistory = false;
  e->FileLookup = false;
  e->LookupPersist().Enable = false;
  e->MatchCase = false;
  TLabel* l = MakeLabel(page, (AnsiString("Label") + name).c_str(), caption,
                        left == kEditLeft ? kLabelLeft : left - 50, top + 3);
  FAccelerators->Bind(l, e);
  return e;
}

TEdit* TDlgMNEdit::MakeEdit(TTabSheet* page, const char* name, const char* caption, int top) {
  auto* e = new TEdit(this);
  e->SetName(name);
  e->SetParent(page);
  e->SetBounds(kEditLeft, top, 271, 21);
  FAccelerators->Bind(MakeLabel(page, (AnsiString("Label") + name).c_str(), caption, kLabelLeft,
                                top + 3),
                      e);
  return e;
}

TDlgMNEdit::TDlgMNEdit(TComponent* owner, EventState& state) : TForm(owner), FState(state) {
  SetName("DlgMNEdit");
  SetCaption("Mannschaftsdatensatz erfassen/ändern");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientSize(401, 315);
  FAccelerators = std::make_unique<FormAccelerators>();
  for (int32_t& d : FRelayDisciplines) d = -1;

  PageControl1 = new TPageControl(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetParent(this);
  PageControl1->SetBounds(0, 0, 401, 273);
  FAccelerators->BindPages(PageControl1);
  TTabSheet** sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4};
  const char* captions[] = {"Sch&ule", "&Betreuer", "Staffel&zeiten", "Wer&tung"};
  for (int i = 0; i < 4; ++i) {
    TTabSheet* s = new TTabSheet(this);
    s->SetName(("TabSheet" + std::to_string(i + 1)).c_str());
    s->SetCaption(captions[i]);
    s->SetPageControl(PageControl1);
    *sheets[i] = s;
  }

  // Page 0: the school.
  int y = 10;
  Schulname = MakeLookupEdit(TabSheet1, "Schulname", "&Name der Schule:", y, kEditLeft, 271, 40, true);
  Schulname->ReturnIsTab = true;
  Schulname->TabOnFullLength = true;
  Schulname->OnExit = [this](TObject* s) { SchulnameExit(s); };
  Listenname = MakeLookupEdit(TabSheet1, "Listenname", "Auf &WK-Listen:", y += kRowHeight,
                              kEditLeft, 271, 30, false);
  Reitername = MakeLookupEdit(TabSheet1, "Reitername", "Auf &Reiter::", y += kRowHeight,
                              kEditLeft, 130, 15, false);
  LBK = MakeLookupEdit(TabSheet1, "LBK", "R&P/Bezirk:", y += kRowHeight, kEditLeft, 45, 3, true);
  Kreis = MakeLookupEdit(TabSheet1, "Kreis", "&Kreis:", y, 245, 45, 3, true);
  Strasse = MakeLookupEdit(TabSheet1, "Strasse", "&Straße:", y += kRowHeight, kEditLeft, 271,
                           34, false);
  Ort = MakeLookupEdit(TabSheet1, "Ort", "PLZ und &Ort:", y += kRowHeight, kEditLeft, 271, 33,
                       false);
  EMail = MakeLookupEdit(TabSheet1, "EMail", "&E-Mail:", y += kRowHeight, kEditLeft, 271, 60,
                         false);

  CheckBox1 = new TCheckBox(this);
  CheckBox1->SetName("CheckBox1");
  CheckBox1->SetParent(TabSheet1);
  CheckBox1->SetBounds(kLabelLeft, 213, 280, 17);
  CheckBox1->SetCaption("Schuldaten in allen Wettkampfklassen korrigieren");

  SpeedButton1 = new TSpeedButton(this);
  SpeedButton1->SetName("SpeedButton1");
  SpeedButton1->SetParent(TabSheet1);
  SpeedButton1->SetBounds(298, 208, 85, 25);
  SpeedButton1->SetCaption("Datensätze");
  SpeedButton1->SetHint("Schuldatensatz aus Datenbank bereits erfaßter Schulen auswählen");
  SpeedButton1->SetShowHint(true);
  SpeedButton1->SetFlat(true);
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };

  Label8 = MakeLabel(TabSheet1, "Label8", "Mannschaftsnummer:", kLabelLeft, 240);
  Label8->Hide();
  MNR = MakeLabel(TabSheet1, "MNR", "0", kEditLeft, 240);
  MNR->Hide();

  // Page 1: the supervisor.
  Betreuer = MakeEdit(TabSheet2, "Betreuer", "&Betreuer:", 10);
  Tel1 = MakeEdit(TabSheet2, "Tel1", "Telefon &dienstlich:", 10 + kRowHeight);
  Tel2 = MakeEdit(TabSheet2, "Tel2", "Telefon &privat:", 10 + 2 * kRowHeight);

  // Page 2: the relay times, captions and masks set by LoadTeam.
  for (int i = 0; i < 6; ++i) {
    int top = 10 + i * kRowHeight;
    Staffel[i] = MakeLabel(TabSheet3, ("Staffel" + std::to_string(i + 1)).c_str(), "",
                           kLabelLeft, top + 3);
    Staffelzeit[i] = new TMaskEdit(this);
    Staffelzeit[i]->SetName(("Staffelzeit" + std::to_string(i + 1)).c_str());
    Staffelzeit[i]->SetParent(TabSheet3);
    Staffelzeit[i]->SetBounds(kEditLeft, top, 60, 21);
  }

  // Page 3: the rating (not part of the team record).
  RadioGroup1 = new TRadioGroup(this);
  RadioGroup1->SetName("RadioGroup1");
  RadioGroup1->SetParent(TabSheet4);
  RadioGroup1->SetBounds(kLabelLeft, 10, 373, 105);
  RadioGroup1->SetCaption(" Diese Mannschaft  ");
  RadioGroup1->Items().Add("wird normal gewertet");
  RadioGroup1->Items().Add("startet außer Konkurrenz (ohne Platzierung in Ergebnislisten)");
  RadioGroup1->Items().Add("wurde disqualifiziert");
  RadioGroup1->SetItemIndex(0);

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(228, 283, 75, 25);
  Button1->SetCaption("OK");
  Button1->SetDefault(true);
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };

  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(this);
  Button2->SetBounds(316, 283, 75, 25);
  Button2->SetCaption("Abbruch");
  Button2->SetCancel(true);
  Button2->SetModalResult(mrCancel);

  PickDialog1 = new TPickDialog(this);
  PickDialog1->SetName("PickDialog1");
  PickDialog1->MultiSel = false;
  PickDialog1->Sort = false;
  PickDialog1->ShowTitle = false;
  PickDialog1->Sizeable = false;
  PickDialog1->ToolWindow = true;
  PickDialog1->AcceptDblClick = true;
  PickDialog1->ButtonPosition = bpBottom;
  PickDialog1->OkCaption = "OK";
  PickDialog1->CancelCaption = "Abbruch";
  PickDialog1->SetWidth(280);
  PickDialog1->SetHeight(270);
  PickDialog1->DialogPosition = fposCenter;
  PickDialog1->Caption = "Schule auswählen";

  AskForMail = [] {
    return MessageDlg("Haben Sie eine E-Mail-Adresse?", mtConfirmation, mbYes | mbNo, 0) == mrYes;
  };

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCreate(this);
}

TDlgMNEdit::~TDlgMNEdit() {
  if (Schulname) Schulname->OnExit = nullptr;
}

bool TDlgMNEdit::DialogChar(char key) {
  return FAccelerators->Handle(key) || TForm::DialogChar(key);
}

void TDlgMNEdit::FormCreate(TObject*) {
  PageControl1->SetActivePageIndex(0);
  SetActiveControl(Schulname);
  FMailAsked = 0;
}

void TDlgMNEdit::LoadTeam(int32_t cls, int32_t team, int32_t edit) {
  FEdit = edit;
  FRecord = FState.memory ? FState.memory->loadTeamAthletes(cls, team) : nullptr;
  if (!FRecord && FState.memory) FRecord = FState.memory->getTeam(cls, team);
  FClass = cls;
  FTeam = team;
  if (FRecord) {
    TeamRecord& r = *FRecord;
    Schulname->SetText(FieldText(r.schoolName));
    Listenname->SetText(FieldText(r.listName));
    Reitername->SetText(FieldText(r.tabName));
    Strasse->SetText(FieldText(r.street));
    Ort->SetText(FieldText(r.town));
    EMail->SetText(FieldText(r.mail));
    AnsiString bez = FieldText(r.Bez), kre = FieldText(r.Kre);
    LBK->SetText(bez.empty() ? FState.districtPreset : bez);
    Kreis->SetText(kre.empty() ? FState.districtPreset : kre);
    if (r.MNR <= 0) r.MNR = 0;
    MNR->SetCaption(std::to_string(static_cast<int32_t>(r.MNR)));
    Betreuer->SetText(FieldText(r.supervisor));
    Tel1->SetText(FieldText(r.tel1));
    Tel2->SetText(FieldText(r.tel2));
  }

  // Relay rows: one shuttle relay in a class of mode 4, else the two teams'
  // times of the class's first relay.
  FRelayCount = 0;
  for (int32_t& d : FRelayDisciplines) d = -1;
  if (FState.eventDef && cls >= 0 && cls < kMaxClasses) {
    const ClassRecord& cr = FState.eventDef->classes[cls];
    int n = cr.disciplineCount;
    n = n < 0 ? 0 : n > kMaxDisciplines ? kMaxDisciplines : n;
    auto fill = [&](int row, int k, const char* caption, int32_t time) {
      Staffel[row]->SetCaption(caption);
      Staffelzeit[row]->SetEditMask(RelayMask(FieldText(FState.eventDef->disciplines[cls][k].mask)));
      char digits[16];
      std::snprintf(digits, sizeof digits, "%04d", time);
      Staffelzeit[row]->SetText(digits);
      Staffelzeit[row]->SetSelection(0, 0);
    };
    const int32_t time0 = FRecord ? static_cast<int32_t>(FRecord->relayTimes[0]) : 0;
    const int32_t time1 = FRecord ? static_cast<int32_t>(FRecord->relayTimes[1]) : 0;
    if (cr.Modus == 4) {
      for (int k = 0; k < n; ++k) {
        if (FState.eventDef->disciplines[cls][k].type != 10) continue;
        FRelayDisciplines[0] = k;
        fill(0, k, "Pendelstaffel:", time0);
        FRelayCount = 1;
      }
    } else {
      for (int k = 0; k < n; ++k) {
        if (FState.eventDef->disciplines[cls][k].type != 4) continue;
        FRelayDisciplines[0] = FRelayDisciplines[1] = k;
        fill(0, k, "Staffel I:", time0);
        fill(1, k, "Staffel II:", time1);
        FRelayCount = 2;
        break;
      }
    }
  }
  for (int i = 0; i < 6; ++i) {
    Staffel[i]->SetVisible(i < FRelayCount);
    Staffelzeit[i]->SetVisible(i < FRelayCount);
  }

  if (edit == 0) {
    for (int c = 0; c < classCount(FState); ++c)
      for (int t = 0; t < teamSlots(FState, c); ++t)
        if (TeamRecord* r = namedTeam(FState, c, t)) {
          AnsiString name = FieldText(r->schoolName);
          bool known = false;
          for (int i = 0; i < Schulname->LookupItems().Count() && !known; ++i)
            known = Schulname->LookupItems().Strings(i) == name;
          if (known) continue;
          Schulname->LookupItems().Add(name);
          PickDialog1->PickItems().Add(name);
        }
    CheckBox1->Hide();
  }
  SpeedButton1->SetVisible(PickDialog1->PickItems().Count() > 0);
  FLoadedName = Schulname->Text();
}

void TDlgMNEdit::ShowRelayTimes() {
  PageControl1->SetActivePageIndex(2);
  SetActiveControl(Staffelzeit[0]);
}

void TDlgMNEdit::CopySchool(const TeamRecord& r) {
  Listenname->SetText(FieldText(r.listName));
  Reitername->SetText(FieldText(r.tabName));
  LBK->SetText(FieldText(r.Bez));
  Kreis->SetText(FieldText(r.Kre));
  Strasse->SetText(FieldText(r.street));
  Ort->SetText(FieldText(r.town));
  EMail->SetText(FieldText(r.mail));
  Betreuer->SetText(FieldText(r.supervisor));
  Tel1->SetText(FieldText(r.tel1));
  Tel2->SetText(FieldText(r.tel2));
}

// A school's n-th team in the class gets " n" after its names; the names are
// shortened where the number would not fit the field.
void TDlgMNEdit::NumberTeam() {
  AnsiString name = Schulname->Text();
  int n = 0;
  for (int t = 0; t < kMaxTeams; ++t)
    if (TeamRecord* r = namedTeam(FState, FClass, t); r && FieldText(r->schoolName) == name) ++n;
  if (n < 1) return;
  AnsiString suffix = " " + std::to_string(n + 1);
  for (TAdvLUEdit* e : {Schulname, Listenname, Reitername}) {
    AnsiString v = e->Text();
    size_t room = e->MaxLength() > 0 ? static_cast<size_t>(e->MaxLength()) : v.size() + suffix.size();
    if (v.size() + suffix.size() > room) v.resize(room > suffix.size() ? room - suffix.size() : 0);
    e->SetText(v + suffix);
  }
}

void TDlgMNEdit::SchulnameExit(TObject*) {
  if (!Listenname->Text().empty()) return;
  AnsiString name = Schulname->Text();
  for (int c = 0; c < classCount(FState); ++c)
    for (int t = 0; t < teamSlots(FState, c); ++t)
      if (TeamRecord* r = namedTeam(FState, c, t); r && FieldText(r->schoolName) == name) {
        CopySchool(*r);
        NumberTeam();
        return;
      }
  Listenname->SetText(ListNameOf(name));
}

void TDlgMNEdit::SpeedButton1Click(TObject*) {
  if (PickDialog1->Execute() != mrOk || PickDialog1->ItemIndex < 0) return;
  AnsiString picked = PickDialog1->SelectedString;
  for (int c = 0; c < classCount(FState); ++c)
    for (int t = 0; t < kMaxTeams; ++t)
      if (TeamRecord* r = namedTeam(FState, c, t); r && FieldText(r->schoolName) == picked) {
        Schulname->SetText(FieldText(r->schoolName));
        CopySchool(*r);
        NumberTeam();
        return;
      }
}

bool TDlgMNEdit::Require(bool filled, TTabSheet* page, TWinControl* field) {
  if (filled) return true;
  PageControl1->SetActivePage(page);
  SetActiveControl(field);
  field->SetFocus();
  MessageBeep(MB_OK);
  return false;
}

void TDlgMNEdit::Button1Click(TObject*) {
  if (!Require(!Schulname->Text().empty(), TabSheet1, Schulname)) return;
  if (!Require(!Listenname->Text().empty(), TabSheet1, Listenname)) return;
  if (!Require(!Reitername->Text().empty(), TabSheet1, Reitername)) return;
  if (!Require(!LBK->Text().empty(), TabSheet1, LBK)) return;
  if (!Require(!Strasse->Text().empty(), TabSheet1, Strasse)) return;
  if (!Require(!Ort->Text().empty(), TabSheet1, Ort)) return;
  if (FMailAsked == 0 && EMail->Text().empty()) {
    if (AskForMail()) {
      Require(false, TabSheet1, EMail);
      return;
    }
    FMailAsked = 1;
  }
  if (!Require(!Betreuer->Text().empty(), TabSheet2, Betreuer)) return;
  if (!Require(!Tel1->Text().empty(), TabSheet2, Tel1)) return;
  if (!Require(!Tel2->Text().empty(), TabSheet2, Tel2)) return;
  for (int i = 0; i < FRelayCount && i < 2; ++i)
    if (!Require(Staffelzeit[i]->EditText().find('#') == AnsiString::npos, TabSheet3,
                 Staffelzeit[i]))
      return;
  SetModalResult(mrOk);
}

namespace {
// The number in the leading digits of a text, 0 when there are none.
int32_t leadingNumber(const AnsiString& s) {
  int64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') break;
    v = v * 10 + (c - '0');
    if (v > INT32_MAX) return INT32_MAX;
  }
  return static_cast<int32_t>(v);
}
}  // namespace

int32_t TDlgMNEdit::StoreTeam() {
  if (!FRecord) return 1;
  TeamRecord& r = *FRecord;
  SetFieldText(r.schoolName, Schulname->Text());
  SetFieldText(r.listName, Listenname->Text());
  SetFieldText(r.tabName, Reitername->Text());
  SetFieldText(r.street, Strasse->Text());
  SetFieldText(r.town, Ort->Text());
  SetFieldText(r.Bez, LBK->Text());
  SetFieldText(r.Kre, Kreis->Text());
  SetFieldText(r.mail, EMail->Text());
  SetFieldText(r.supervisor, Betreuer->Text());
  SetFieldText(r.tel1, Tel1->Text());
  SetFieldText(r.tel2, Tel2->Text());
  if (FRelayCount != 0) {
    r.relayTimes[0] = leadingNumber(Staffelzeit[0]->Text());
    if (FState.eventDef && FState.eventDef->classes[FClass].Modus != 4)
      r.relayTimes[1] = leadingNumber(Staffelzeit[1]->Text());
  }
  if (FEdit == 1 && CheckBox1->Checked() && !FLoadedName.empty()) {
    bool saved = true;
    for (int c = 0; c < classCount(FState); ++c)
      for (int t = 0; t < kMaxTeams; ++t) {
        if (c == FClass && t == FTeam) continue;
        TeamRecord* o = namedTeam(FState, c, t);
        if (!o || FieldText(o->schoolName) != FLoadedName) continue;
        std::memcpy(o->schoolName, r.schoolName, sizeof r.schoolName);
        std::memcpy(o->listName, r.listName, sizeof r.listName);
        std::memcpy(o->tabName, r.tabName, sizeof r.tabName);
        std::memcpy(o->street, r.street, sizeof r.street);
        std::memcpy(o->town, r.town, sizeof r.town);
        std::memcpy(o->Bez, r.Bez, sizeof r.Bez);
        std::memcpy(o->Kre, r.Kre, sizeof r.Kre);
        std::memcpy(o->mail, r.mail, sizeof r.mail);
        // The changed teams are written at once: the correction is not lost
        // when their classes are not opened again.
        if (!FState.memory->writeTeam(c, t)) saved = false;
      }
    if (!saved)
      Application->MessageBox("Die Meldedaten konnten nicht gespeichert werden!", "Fehler",
                              MB_OK | MB_ICONSTOP);
  }
  return 1;
}
