// The forms of the entry road on real windows with a small entry store: the
// team record dialog, the class chooser, the print choice and the about box.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <tuple>
#include <string>
#include <vector>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/AboutMe.h"
#include "app/forms/DlgMNEdit.h"
#include "app/forms/Meldefile.h"
#include "app/forms/MyVersionInfo.h"
#include "app/forms/OpenDatei.h"
#include "app/forms/PrintFrm.h"
#include "app/forms/PrintManager.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"
#include "tests/support/TestFiles.h"
#include "tests/support/GdiCount.h"

using namespace kel::test;

namespace {

std::string exeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.find_last_of("\\/") + 1);
}

// An event of `classes` classes in memory with blank data files and a store.
class EntryForms : public ::testing::Test {
 protected:
  void SetUp() override {
    TApplication::Instance();
    folder_ = dir_.path();
    state_.settings.veranstDir = folder_;
    state_.eventName = "\\Formen.";
    UseEvent(2);
    releaseKeys();
  }

  void UseEvent(int classes) {
    state_.memory.reset();
    for (const char* ext : {"SDA", "MDA", "STF"}) DeleteFileA(DataFilePath(state_, ext).c_str());
    state_.eventDef = std::make_unique<EventDefinition>();
    std::memset(state_.eventDef.get(), 0, sizeof(EventDefinition));
    state_.eventDef->classCount = static_cast<int16_t>(classes);
    for (int c = 0; c < classes; ++c) {
      ClassRecord& cr = state_.eventDef->classes[c];
      SetFieldText(cr.name, "WK " + std::to_string(c + 1));
      cr.athletesPerTeam = 13;
      cr.teamPlaces = 20;
      cr.disciplineCount = 2;
      SetFieldText(state_.eventDef->disciplines[c][0].name, "75 m");
      SetFieldText(state_.eventDef->disciplines[c][1].name, "4x50 m");
      SetFieldText(state_.eventDef->disciplines[c][1].mask, "99','99");
      state_.eventDef->disciplines[c][1].type = 4;
    }
    for (int l = 0; l < kLevelCount; ++l)
      SetFieldText(state_.eventDef->levelNames[l], l < 5 ? "Stufe " + std::to_string(l) : "");
    SetFieldText(state_.eventTitle, "Konstanz");
    state_.eventKind = 0;
    ASSERT_EQ(CreateBlankDataFiles(state_), 1);
    state_.memory = std::make_unique<Memory>(state_);
    ASSERT_TRUE(state_.memory->isReady());
  }

  void TearDown() override {
    state_.memory.reset();
    for (const char* ext : {"SDA", "MDA", "STF"}) DeleteFileA(DataFilePath(state_, ext).c_str());
  }

  TeamRecord* team(int c, int t, const char* school, const char* supervisor = "Frau Weiß") {
    TeamRecord* r = state_.memory->loadTeamAthletes(c, t);
    SetFieldText(r->schoolName, school);
    SetFieldText(r->listName, std::string(school).substr(0, 20));
    SetFieldText(r->tabName, "RS");
    SetFieldText(r->street, "Hauptstraße 1");
    SetFieldText(r->town, "78462 Konstanz");
    SetFieldText(r->Bez, "FR");
    SetFieldText(r->Kre, "KN");
    SetFieldText(r->mail, "rs@schule.de");
    SetFieldText(r->supervisor, supervisor);
    SetFieldText(r->tel1, "07531 1");
    SetFieldText(r->tel2, "07531 2");
    return r;
  }

  void athlete(int c, int t, int m, const char* name) {
    SetFieldText(state_.memory->getAthlete(c, t, m)->name, name);
  }

  // Fills every field of the dialog's first two pages.
  static void fill(TDlgMNEdit& d) {
    d.Schulname->SetText("REALSCHULE SÜD");
    d.Listenname->SetText("RS Süd");
    d.Reitername->SetText("RS Süd");
    d.LBK->SetText("FR");
    d.Strasse->SetText("Bahnhofstraße 3");
    d.Ort->SetText("78462 Konstanz");
    d.EMail->SetText("rs@sued.de");
    d.Betreuer->SetText("Herr Groß");
    d.Tel1->SetText("07531 3");
    d.Tel2->SetText("07531 4");
  }

  TempDir dir_;
  std::string folder_;
  EventState state_;
  PrintState print_;
};

TEST(TeamDialogNames, LongSchoolNamesAreShortenedForTheLists) {
  struct Case {
    const char* name;
    const char* list;
  } cases[] = {
      {"GYMNASIUM AM STADTPARK UND SCHLOSSWEG", "GYM. AM STADTPARK UND SCHLOSSWEG"},
      {"TEILHAUPTSCHULE AM ALTEN MARKTPLATZ NORD", "TEILHS AM ALTEN MARKTPLATZ NORD"},
      {"GRUND- UND REALSCHULE AM GYMNASIUM WEST", "GRUND- UND REALSCHULE AM GYM. WEST"},
      {"SCHULE AM SEE MIT DREISSIG ZEICH", "SCHULE AM SEE MIT DREISSIG ZEICH"},
      {"GYMNASIUM AM SEE MIT 30 ZEICHN", "GYMNASIUM AM SEE MIT 30 ZEICHN"},
      {"GYMNASIUM AM SEE MIT 31 ZEICHEN", "GYM. AM SEE MIT 31 ZEICHEN"},
      {"GYMNASIUM NORD", "GYMNASIUM NORD"},
  };
  for (const Case& c : cases) EXPECT_EQ(TDlgMNEdit::ListNameOf(c.name), c.list) << c.name;
  EXPECT_EQ(TDlgMNEdit::RelayMask("99','99"), "99,99;0;#");
}

TEST_F(EntryForms, LeavingANewSchoolNameDerivesTheListName) {
  TDlgMNEdit d(nullptr, state_);
  d.LoadTeam(0, 0, 0);
  d.Show();
  d.Schulname->SetFocus();
  pump();
  postText(d.Schulname->Handle(), "gymnasium am stadtpark und schlossweg");
  EXPECT_EQ(d.Schulname->Text(), "GYMNASIUM AM STADTPARK UND SCHLOSSWEG");
  postKey(d.Schulname->Handle(), VK_RETURN);  // Enter moves on like Tab
  pump();
  EXPECT_EQ(d.ActiveControl(), d.Listenname);
  EXPECT_EQ(d.Listenname->Text(), "GYM. AM STADTPARK UND SCHLOSSWEG");
}

TEST_F(EntryForms, AFurtherTeamOfASchoolCopiesItsDataAndIsNumbered) {
  struct Case {
    int existing;
    const char* suffix;
  } cases[] = {{1, " 2"}, {2, " 3"}};
  for (const Case& c : cases) {
    UseEvent(2);
    for (int t = 0; t < c.existing; ++t) team(0, t, "REALSCHULE NORD", "Frau Weiß");
    team(1, 0, "REALSCHULE NORD", "Herr Anders");  // other classes do not count
    TDlgMNEdit d(nullptr, state_);
    d.LoadTeam(0, c.existing, 0);
    EXPECT_FALSE(d.CheckBox1->Visible());
    EXPECT_TRUE(d.SpeedButton1->Visible());
    EXPECT_EQ(d.Schulname->LookupItems().Count(), 1);
    d.Schulname->SetText("REALSCHULE NORD");
    d.SchulnameExit(nullptr);
    EXPECT_EQ(d.Schulname->Text(), std::string("REALSCHULE NORD") + c.suffix);
    EXPECT_EQ(d.Listenname->Text(), std::string("REALSCHULE NORD") + c.suffix);
    EXPECT_EQ(d.Reitername->Text(), std::string("RS") + c.suffix);
    EXPECT_EQ(d.Strasse->Text(), "Hauptstraße 1");
    EXPECT_EQ(d.Betreuer->Text(), "Frau Weiß");
    EXPECT_EQ(d.Tel2->Text(), "07531 2");
  }
}

TEST_F(EntryForms, OkChecksTheFieldsInOrder) {
  struct Case {
    const char* emptyField;
    int page;
  } cases[] = {{"Schulname", 0}, {"Ort", 0}, {"LBK", 0}, {"Betreuer", 1}, {"Tel2", 1}};
  for (const Case& c : cases) {
    TDlgMNEdit d(nullptr, state_);
    d.LoadTeam(0, 0, 0);
    d.Show();
    fill(d);
    dynamic_cast<TWinControl*>(d.FindComponent(c.emptyField))->SetText("");
    d.PageControl1->SetActivePageIndex(3);
    d.Button1Click(nullptr);
    pump();
    EXPECT_EQ(d.ModalResult(), mrNone) << c.emptyField;
    EXPECT_EQ(d.PageControl1->ActivePageIndex(), c.page) << c.emptyField;
    EXPECT_EQ(d.ActiveControl()->Name(), c.emptyField);
  }
}

TEST_F(EntryForms, AnEmptyMailAddressIsAskedFor) {
  TDlgMNEdit d(nullptr, state_);
  d.LoadTeam(0, 0, 0);
  d.Show();
  fill(d);
  d.EMail->SetText("");
  d.PageControl1->SetActivePageIndex(1);
  int asked = 0;
  bool answer = true;
  d.AskForMail = [&] {
    ++asked;
    return answer;
  };
  d.Button1Click(nullptr);  // "Yes": back to the field
  pump();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(d.ModalResult(), mrNone);
  EXPECT_EQ(d.PageControl1->ActivePageIndex(), 0);
  EXPECT_EQ(d.ActiveControl(), d.EMail);
  answer = false;
  d.Button1Click(nullptr);  // asked again, "No": the dialog closes
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(d.ModalResult(), mrOk);
  d.SetModalResult(mrNone);
  d.Button1Click(nullptr);
  EXPECT_EQ(asked, 2) << "a No is remembered";
}

TEST_F(EntryForms, RelayRowsFollowTheClassAndStoreTheirTimes) {
  state_.eventDef->classes[1].Modus = 4;
  state_.eventDef->disciplines[1][0].type = 10;
  SetFieldText(state_.eventDef->disciplines[1][0].mask, "9999");
  state_.eventDef->disciplines[1][1].type = 0;
  state_.eventDef->classes[0].disciplineCount = 2;
  TeamRecord* r = team(0, 0, "RS");
  r->relayTimes[0] = 512;
  r->relayTimes[1] = 4711;
  {
    TDlgMNEdit d(nullptr, state_);
    d.LoadTeam(0, 0, 1);
    ASSERT_EQ(d.RelayCount(), 2);
    EXPECT_EQ(d.Staffel[0]->Caption(), "Staffel I:");
    EXPECT_EQ(d.Staffel[1]->Caption(), "Staffel II:");
    EXPECT_FALSE(d.Staffelzeit[2]->Visible());
    EXPECT_EQ(d.Staffelzeit[0]->EditText(), "05,12");
    EXPECT_EQ(d.Staffelzeit[1]->EditText(), "47,11");
    d.ShowRelayTimes();
    d.Show();
    pump();
    EXPECT_EQ(d.PageControl1->ActivePageIndex(), 2);
    EXPECT_EQ(d.ActiveControl(), d.Staffelzeit[0]);
    d.Staffelzeit[0]->SetSelection(0, 0);
    postText(d.Staffelzeit[0]->Handle(), "5123");
    EXPECT_EQ(d.Staffelzeit[0]->EditText(), "51,23");
    // A row with an unfilled place keeps the dialog open on it.
    d.Staffelzeit[1]->SetSelection(5, 0);
    postKey(d.Staffelzeit[1]->Handle(), VK_BACK);
    EXPECT_EQ(d.Staffelzeit[1]->EditText(), "47,1#");
    fill(d);
    d.Button1Click(nullptr);
    EXPECT_EQ(d.ModalResult(), mrNone);
    EXPECT_EQ(d.ActiveControl(), d.Staffelzeit[1]);
    EXPECT_EQ(d.StoreTeam(), 1);
  }
  int32_t stored;
  std::memcpy(&stored, reinterpret_cast<const char*>(r) + 368, 4);
  EXPECT_EQ(stored, 5123);
  EXPECT_EQ(r->relayTimes[1], 471);

  team(1, 0, "RS");
  TDlgMNEdit shuttle(nullptr, state_);
  shuttle.LoadTeam(1, 0, 1);
  ASSERT_EQ(shuttle.RelayCount(), 1);
  EXPECT_EQ(shuttle.Staffel[0]->Caption(), "Pendelstaffel:");
  EXPECT_FALSE(shuttle.Staffelzeit[1]->Visible());

  state_.eventDef->disciplines[0][1].type = 0;
  TDlgMNEdit none(nullptr, state_);
  none.LoadTeam(0, 0, 1);
  EXPECT_EQ(none.RelayCount(), 0);
  EXPECT_FALSE(none.Staffelzeit[0]->Visible());
}

TEST_F(EntryForms, OverlongTextsAreCutToTheirFields) {
  TeamRecord* r = team(0, 0, "RS");
  TDlgMNEdit d(nullptr, state_);
  d.LoadTeam(0, 0, 1);
  fill(d);
  d.Betreuer->SetText(std::string(100, 'b'));
  d.Tel1->SetText(std::string(45, '1'));
  d.Schulname->SetText(std::string(50, 'S'));
  d.EMail->SetText(std::string(80, 'm'));
  EXPECT_EQ(d.StoreTeam(), 1);
  EXPECT_EQ(FieldText(r->supervisor), std::string(59, 'b'));
  EXPECT_EQ(FieldText(r->tel1), std::string(29, '1'));
  EXPECT_EQ(FieldText(r->schoolName), std::string(41, 'S'));
  EXPECT_EQ(FieldText(r->mail), std::string(59, 'm'));
  EXPECT_EQ(r->mail[59], 0);
  EXPECT_EQ(r->tel2[sizeof r->tel2 - 1], 0);
}

TEST_F(EntryForms, SchoolCorrectionForAllClassesIsSavedForEveryTeam) {
  team(0, 0, "REALSCHULE NORD", "Frau A");
  team(1, 0, "REALSCHULE NORD", "Herr B");
  team(1, 3, "REALSCHULE NORD", "Frau C");
  team(1, 1, "GYMNASIUM", "Herr D");
  for (auto [c, t] : {std::pair{0, 0}, {1, 0}, {1, 3}, {1, 1}}) ASSERT_EQ(state_.memory->saveTeam(c, t), 1);
  {
    TDlgMNEdit d(nullptr, state_);
    d.LoadTeam(0, 0, 1);
    EXPECT_TRUE(d.CheckBox1->Visible());
    d.Strasse->SetText("Neue Straße 9");
    d.Schulname->SetText("REALSCHULE NORD KONSTANZ");
    d.CheckBox1->SetChecked(true);
    EXPECT_EQ(d.StoreTeam(), 1);
    ASSERT_EQ(state_.memory->saveTeam(0, 0), 1);  // the caller saves the edited team
  }
  // A new store reads the files again, as after a restart.
  state_.memory = std::make_unique<Memory>(state_);
  ASSERT_TRUE(state_.memory->isReady());
  for (auto [c, t, supervisor] : {std::tuple{0, 0, "Frau A"}, {1, 0, "Herr B"}, {1, 3, "Frau C"}}) {
    TeamRecord* r = state_.memory->getTeam(c, t);
    EXPECT_EQ(FieldText(r->street), "Neue Straße 9") << c << "/" << t;
    EXPECT_EQ(FieldText(r->schoolName), "REALSCHULE NORD KONSTANZ");
    EXPECT_EQ(FieldText(r->supervisor), supervisor) << "supervisors stay";
  }
  EXPECT_EQ(FieldText(state_.memory->getTeam(1, 1)->street), "Hauptstraße 1");
}

TEST_F(EntryForms, CaptionLettersFocusTheirFields) {
  TDlgMNEdit d(nullptr, state_);
  d.LoadTeam(0, 0, 0);
  d.Show();
  pump();
  // Alt + letter through the form's message handling.
  auto alt = [&](char letter) {
    holdKey(VK_MENU, true);
    PostMessageA(d.ActiveControl()->Handle(), WM_SYSKEYDOWN, letter, 1 << 29);
    pump();
    holdKey(VK_MENU, false);
  };
  alt('O');
  EXPECT_EQ(d.ActiveControl(), d.Ort);
  alt('Z');  // "Staffel&zeiten"
  EXPECT_EQ(d.PageControl1->ActivePageIndex(), 2);
  alt('B');
  EXPECT_EQ(d.PageControl1->ActivePageIndex(), 1);
  EXPECT_EQ(d.ActiveControl(), d.Betreuer);
  alt('P');  // "Telefon &privat:" on the shown page, not "R&P/Bezirk:"
  EXPECT_EQ(d.ActiveControl(), d.Tel2);
  EXPECT_EQ(FormAccelerators::MarkedLetter("A&&B &c"), 'C');
}

TEST_F(EntryForms, ClassChooserListsEveryClassWithItsTeams) {
  UseEvent(12);
  team(0, 0, "A");
  team(0, 5, "B");
  team(2, 19, "C");
  state_.memory->loadTeamAthletes(3, 0);  // a team without a school name does not count
  for (TModalResult expected : {mrOk, mrCancel}) {
    TOpenDatei f(nullptr, state_);
    TColumnListBox* list = f.ColumnListBox1;
    ASSERT_EQ(list->ListBoxItems().Count(), 12);
    for (int c = 0; c < 12; ++c)
      EXPECT_EQ(list->GetColumnItems(c, 0), std::string(1, static_cast<char>('A' + c)));
    EXPECT_EQ(list->GetColumnItems(0, 2), "2");
    EXPECT_EQ(list->GetColumnItems(1, 2), "0");
    EXPECT_EQ(list->GetColumnItems(2, 2), "1");
    EXPECT_EQ(list->GetColumnItems(3, 2), "0");
    EXPECT_EQ(list->GetColumnItems(4, 1), state_.classDisplayNames[4]);
    EXPECT_EQ(list->GetItemIndexP(), 0);
    const Step choose = [&] {
      if (expected == mrOk) {
        RECT r = list->ItemRect(4);
        LPARAM at = MAKELPARAM(r.left + 40, r.top + 4);
        SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
        SendMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
      } else {
        PostMessageA(f.Button2->Handle(), BM_CLICK, 0, 0);
      }
    };
    EXPECT_EQ(runForm([&] { return f.ShowModal(); }, {choose}), expected);
    if (expected == mrOk) {
      EXPECT_EQ(list->GetItemIndexP(), 4);
    }
  }
}

TEST_F(EntryForms, PrintChoiceOffersTwoTickedLinesPerTeamWithAthletes) {
  team(0, 0, "Realschule");
  athlete(0, 0, 3, "Max");
  team(0, 1, "Ohne Schüler");  // no named athlete: no line
  team(1, 2, "Gymnasium");
  athlete(1, 2, 12, "Eva");
  TPrintFrm f(nullptr, state_, print_);
  TControlStrings& items = f.CheckList1->Items();
  ASSERT_EQ(items.Count(), 4);
  EXPECT_EQ(items.Strings(0), "WK 1\tMeldebogen\tRealschule");
  EXPECT_EQ(items.Strings(1), "WK 1\tSchülerliste\tRealschule");
  EXPECT_EQ(items.Strings(3), "WK 2\tSchülerliste\tGymnasium");
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(f.CheckList1->IsChecked(i));
  EXPECT_EQ(f.Art->Items().Count(), 10);
  EXPECT_EQ(f.Art->ItemIndex(), 0);
  EXPECT_EQ(f.Ort->Text(), "Konstanz");
  EXPECT_EQ(print_.teamPrintCells[0][1][0], -1);

  int started = 0;
  print_.startPrintQueue = [&] {
    ++started;
    EXPECT_EQ(print_.printing, 0) << "the queue starts before printing is allowed again";
  };
  f.CheckList1->Uncheck(1);
  f.Art->SetItemIndex(3);
  f.Ort->SetText("Singen");
  f.PrintChecked();
  print_.startPrintQueue = nullptr;
  EXPECT_EQ(started, 1);
  EXPECT_EQ(print_.printing, 1);
  EXPECT_EQ(state_.eventKind, 3);
  EXPECT_STREQ(state_.eventTitle, "Singen");
  ASSERT_EQ(print_.printManager.count(), 3);
  struct Job {
    int number, type, cls, team;
  } expected[] = {{0, 0, 0, 0}, {1, 0, 1, 2}, {1, 1, 1, 2}};
  for (int i = 0; i < 3; ++i) {
    const PrintJob& j = print_.printManager.job(i);
    EXPECT_EQ(j.number, expected[i].number) << i;
    EXPECT_EQ(j.type, expected[i].type) << i;
    EXPECT_EQ(j.cls, expected[i].cls) << i;
    EXPECT_EQ(j.team, expected[i].team) << i;
  }
  EXPECT_EQ(print_.entryFormJobs[1].team, 2);
  EXPECT_EQ(print_.pupilListJobs[0].cls, 1);
  PrintJob last;
  ASSERT_TRUE(print_.printManager.takeLast(last));
  EXPECT_EQ(last.type, 1) << "the last queued prints first";
}

TEST_F(EntryForms, PrintChoiceKeepsEveryLineOfManyTeams) {
  UseEvent(12);
  for (int n = 0; n < 130; ++n) {
    team(n / 20, n % 20, "Schule");
    athlete(n / 20, n % 20, 0, "Kind");
  }
  TPrintFrm f(nullptr, state_, print_);
  ASSERT_EQ(f.CheckList1->Items().Count(), 260);
  f.PrintChecked();
  ASSERT_EQ(print_.printManager.count(), 260);
  const PrintJob& last = print_.printManager.job(259);
  EXPECT_EQ(last.cls, 129 / 20);
  EXPECT_EQ(last.team, 129 % 20);
  EXPECT_EQ(last.type, 1);
  EXPECT_EQ(last.number, 130);
}

// Each of the program's forms, opened with data, painted and closed many
// times, leaves no GDI object behind.
TEST_F(EntryForms, TheFormsLeaveNoGdiObjectsBehind) {
  team(0, 0, "Realschule");
  athlete(0, 0, 3, "Max");
  state_.memory->getAthlete(0, 0, 3)->mask = 1;
  const std::string keep = state_.settings.programDir;
  state_.settings.programDir = exeFolder() + "versions\\release\\";
  const struct Family {
    const char* name;
    std::function<std::unique_ptr<TForm>()> open;
  } families[] = {
      {"class chooser", [this] { return std::unique_ptr<TForm>(new TOpenDatei(nullptr, state_)); }},
      {"team dialog",
       [this] {
         auto d = std::make_unique<TDlgMNEdit>(nullptr, state_);
         d->LoadTeam(0, 0, 0);
         return std::unique_ptr<TForm>(std::move(d));
       }},
      {"print choice", [this] { return std::unique_ptr<TForm>(new TPrintFrm(nullptr, state_, print_)); }},
      {"about box", [this] { return std::unique_ptr<TForm>(new TAboutMe(nullptr, state_.settings)); }},
      {"entry-file wizard", [this] { return std::unique_ptr<TForm>(new TMeldefile(nullptr, state_)); }},
  };
  for (const Family& family : families) {
    SCOPED_TRACE(family.name);
    kel::test::expectNoGdiGrowth([&] {
      std::unique_ptr<TForm> form = family.open();
      form->Show();
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      pump();
    });
  }
  state_.settings.programDir = keep;
}

TEST(AboutBox, VersionLineFromTheFileVersion) {
  struct Case {
    const char* version;
    uint32_t flags;
    const char* line;
  } cases[] = {
      {"6.0.1.923", 0, "Version 6.00a (Build 923) "},
      {"6.0.200.12", 0, "Version 6.02 (Build 12) "},
      {"6.0.1.923", VS_FF_DEBUG, "Vorabversion (Build 923)  - BETA"},
      {"6.0.1.923", VS_FF_PRERELEASE, "Vorabversion (Build 923)"},
      {"6.1.25", 0, "Version 60a (Build 25) "},
      {"6", 0, "Version 6 (Build ) "},
  };
  for (const Case& c : cases) EXPECT_EQ(TAboutMe::VersionLine(c.version, c.flags), c.line);
}

TEST(AboutBox, ShowsTheVersionOfTheProgramFile) {
  struct Case {
    const char* folder;
    const char* line;
  } cases[] = {
      {"versions\\release\\", "Version 6.00a (Build 923) "},
      {"versions\\plain\\", "Version 6.02 (Build 12) "},
      {"versions\\beta\\", "Vorabversion (Build 923)  - BETA"},
      {"versions\\pre\\", "Vorabversion (Build 923)"},
      {"versions\\none\\", "Version"},  // no program file there
  };
  Settings settings;
  for (const Case& c : cases) {
    settings.programDir = exeFolder() + c.folder;
    TAboutMe about(nullptr, settings);
    EXPECT_EQ(about.Version->Caption(), c.line) << c.folder;
    EXPECT_FALSE(about.Image1->Picture().Empty()) << "the picture is decoded";
  }
  settings.programDir = exeFolder() + "versions\\release\\";
  MyVersionInfo info(settings);
  const char* text = nullptr;
  ASSERT_TRUE(info.getProductName(&text));
  EXPECT_STREQ(text, "Zavrolin »Leichtathletik«");
  ASSERT_TRUE(info.getLegalCopyright(&text));
  EXPECT_STREQ(text, "© 2026 Kelvora");
}

TEST(AboutBox, LinksOpenMailAndWebAddresses) {
  std::vector<std::string> opened;
  TURLLabel::OpenAddress = [&](const AnsiString& a) { opened.push_back(a); };
  Settings settings;
  TAboutMe about(nullptr, settings);
  EXPECT_EQ(runForm([&] { return about.ShowModal(); },
                    {[&] {
                      about.URLLabel2->Click();
                      about.URLLabel3->Click();
                      PostMessageA(about.Button1->Handle(), BM_CLICK, 0, 0);
                    }}),
            mrOk);
  TURLLabel::OpenAddress = nullptr;
  EXPECT_EQ(opened, (std::vector<std::string>{"mailto:info@kelvora.de", "http://www.kelvora.de"}));
}

}  // namespace
