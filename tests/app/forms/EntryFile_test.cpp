// The entry file written by the wait form: its exact bytes for a small store,
// the teams and classes left out, and the refusals (existing file, folder,
// a target that cannot be written).
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>

#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/EntrySelection.h"
#include "app/forms/TWaitOneMoment.h"
#include "classlib/Application.h"
#include "tests/support/WindowTest.h"

namespace {

using kel::test::FileBytes;

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Answers the next message box from inside its modal loop: records its
// caption and text and presses `button`.
struct BoxAnswer {
  std::string caption, text;
  int button = IDOK;
  bool seen = false;
};
BoxAnswer* gAnswer = nullptr;

// The message box of this thread (other programs may show their own).
HWND threadMessageBox() {
  HWND box = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM l) -> BOOL {
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (std::string(cls) == "#32770" && IsWindowVisible(h)) *reinterpret_cast<HWND*>(l) = h;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&box));
  return box;
}

void CALLBACK answerBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = threadMessageBox();
  if (!box || !gAnswer) return;
  KillTimer(nullptr, id);
  char buf[256] = {};
  GetWindowTextA(box, buf, sizeof buf);
  gAnswer->caption = buf;
  GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
  gAnswer->text = buf;
  gAnswer->seen = true;
  PostMessageA(box, WM_COMMAND, gAnswer->button, 0);
}

class EntryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    TApplication::Instance();
    folder_ = dir_.path();
    target_ = dir_ / "Meldung.VOV";
    gSettings.veranstDir = folder_;
    gSettings.VID = "{6F2A-11}";
    gDistrictPreset.clear();
    gEventName = "\\Probe.";

    gEventDef = std::make_unique<EventDefinition>();
    std::memset(gEventDef.get(), 0, sizeof(EventDefinition));
    gEventDef->classCount = 2;
    ClassRecord& c0 = gEventDef->classes[0];
    SetFieldText(c0.name, "III Mädchen");
    c0.Index = 3;
    c0.Modus = 1;
    c0.athletesPerTeam = 3;
    c0.disciplineCount = 2;
    SetFieldText(gEventDef->disciplines[0][0].name, "50 m");
    SetFieldText(gEventDef->disciplines[0][1].name, "Weitsprung & Wurf");
    ClassRecord& c1 = gEventDef->classes[1];
    SetFieldText(c1.name, "IV Jungen");
    c1.athletesPerTeam = 13;
    c1.disciplineCount = 1;

    ASSERT_EQ(CreateBlankDataFiles(), 1);
    gMemory = std::make_unique<Memory>();
    ASSERT_TRUE(gMemory->isReady());
    std::memset(EntrySelection, 0, sizeof EntrySelection);
  }

  void TearDown() override {
    gMemory.reset();
    gEventDef.reset();
    for (const char* ext : {"SDA", "MDA", "STF"}) DeleteFileA(DataFilePath(ext).c_str());
  }

  TeamRecord* team(int c, int t, const char* school) {
    TeamRecord* r = gMemory->loadTeamAthletes(c, t);
    SetFieldText(r->schoolName, school);
    return r;
  }
  AthleteRecord* athlete(int c, int t, int m, const char* name, uint8_t mask = 0) {
    AthleteRecord* a = gMemory->getAthlete(c, t, m);
    SetFieldText(a->name, name);
    a->mask = mask;
    return a;
  }

  // One ticked team of two athletes in class 0, slot 1.
  void fillStore() {
    TeamRecord* r = team(0, 1, "Grundschule Müßig & Söhne");
    SetFieldText(r->listName, "GS \"Süd\"");
    SetFieldText(r->tabName, "Süd");
    SetFieldText(r->town, "Überlingen");
    SetFieldText(r->Bez, "ÜB");
    SetFieldText(r->Kre, "K1");
    SetFieldText(r->supervisor, "Frau Weiß");
    SetFieldText(r->tel1, "07551 <1>");
    r->relayTimes[0] = 1234;
    r->relayTimes[1] = -5;
    AthleteRecord* a = athlete(0, 1, 0, "Jörg Groß", 0x09);
    SetFieldText(a->JG, "99");
    SetFieldText(a->schoolClass, "5a");
    a->Leistung[0] = 0;
    a->Leistung[3] = -7;
    athlete(0, 1, 2, "Ann-Kathrin");
    // Left out: an unticked team of the same class, a ticked team without a
    // named athlete, and a class whose team is not ticked.
    team(0, 0, "Realschule");
    athlete(0, 0, 0, "Max");
    team(0, 2, "Gymnasium");
    team(1, 0, "Hauptschule");
    athlete(1, 0, 0, "Tom", 1);
    EntrySelection[0][1] = 1;
    EntrySelection[0][2] = 1;
  }

  kel::test::TempDir dir_;
  std::string folder_, target_;
};

const char* const kExpected =
    "<?xml version=\"1.0\"?>\r\n"
    "<Meldebogen Sportart=\"LA\" Creator=\"Zavrolin\" ID=\"12654\" Version=\"1.0\">\r\n"
    "  <VeranstID LBK=\"\" Data=\"{6F2A-11}\"/>\r\n"
    "  <Definitionen>\r\n"
    "    <Wettkampfklasse Name=\"III M&#228;dchen\" Index=\"3\" Modus=\"1\">\r\n"
    "      <Disziplin Name=\"50 m\"/>\r\n"
    "      <Disziplin Name=\"Weitsprung &amp; Wurf\"/>\r\n"
    "    </Wettkampfklasse>\r\n"
    "  </Definitionen>\r\n"
    "  <Meldungen>\r\n"
    "    <Mannschaft Klasse=\"III M&#228;dchen\" Index=\"3\">\r\n"
    "      <Schuldaten>\r\n"
    "        <Schule Name=\"Grundschule M&#252;&#223;ig &amp; S&#246;hne\" "
    "Liste=\"GS &#34;S&#252;d&#34;\" Reiter=\"S&#252;d\"/>\r\n"
    "        <Strasse Name=\"\"/>\r\n"
    "        <Ort Name=\"&#220;berlingen\" Bez=\"&#220;B\" Kre=\"K1\" Bla=\"\"/>\r\n"
    "        <EMail Mail=\"\"/>\r\n"
    "        <Betreuer Name=\"Frau Wei&#223;\" Tel1=\"07551 &lt;1>\" Tel2=\"\"/>\r\n"
    "        <Staffelzeiten Staffel1=\"1234\" Staffel2=\"-5\"/>\r\n"
    "      </Schuldaten>\r\n"
    "      <Teilnehmer Name=\"J&#246;rg Gro&#223;\" JG=\"99\" Klasse=\"5a\">\r\n"
    "        <Meldung Disziplin=\"0\" Leistung=\"0\"/>\r\n"
    "        <Meldung Disziplin=\"3\" Leistung=\"-7\"/>\r\n"
    "      </Teilnehmer>\r\n"
    "      <Teilnehmer Name=\"Ann-Kathrin\" JG=\"\" Klasse=\"\"/>\r\n"
    "    </Mannschaft>\r\n"
    "  </Meldungen>\r\n"
    "</Meldebogen>";

TEST_F(EntryFile, HoldsTheTickedTeamsInTheirOrder) {
  fillStore();
  TTWaitOneMoment wait(nullptr);
  EXPECT_TRUE(wait.WriteEntryFile(target_));
  EXPECT_EQ(FileBytes(target_), kExpected);
}

TEST_F(EntryFile, ListsAthletesOnlyWithinTheClassSize) {
  // Only member 3 is named, beyond the class's three athletes: the team is
  // not written; the class still stands under the definitions.
  team(0, 4, "Schule");
  athlete(0, 4, 3, "Zu viel", 1);
  EntrySelection[0][4] = 1;
  TTWaitOneMoment wait(nullptr);
  EXPECT_TRUE(wait.WriteEntryFile(target_));
  std::string text = FileBytes(target_);
  EXPECT_EQ(text.find("Mannschaft"), std::string::npos);
  EXPECT_NE(text.find("<Wettkampfklasse Name=\"III M&#228;dchen\""), std::string::npos);
  EXPECT_NE(text.find("  <Meldungen/>"), std::string::npos);

  // In a class of 13 athletes per team, member 12 alone carries the team.
  team(1, 7, "Schule");
  athlete(1, 7, 12, "Letzte", 1);
  EntrySelection[1][7] = 1;
  EXPECT_TRUE(wait.WriteEntryFile(target_, false));
  text = FileBytes(target_);
  EXPECT_NE(text.find("<Mannschaft Klasse=\"IV Jungen\" Index=\"0\">"), std::string::npos);
  EXPECT_NE(text.find("<Teilnehmer Name=\"Letzte\" JG=\"\" Klasse=\"\">"), std::string::npos);
}

TEST_F(EntryFile, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
  fillStore();
  writeBytes(target_, "alt");
  TTWaitOneMoment wait(nullptr);
  BoxAnswer answer;
  gAnswer = &answer;
  answer.button = IDNO;
  SetTimer(nullptr, 0, 30, answerBox);
  EXPECT_FALSE(wait.WriteEntryFile(target_));
  EXPECT_TRUE(answer.seen);
  EXPECT_EQ(answer.caption, "Fehler");
  EXPECT_EQ(answer.text, "Es ist bereits eine Melde-Datei vorhanden! Darf ich sie \xFC" "berschreiben?");
  EXPECT_EQ(FileBytes(target_), "alt");

  answer = BoxAnswer{};
  answer.button = IDYES;
  SetTimer(nullptr, 0, 30, answerBox);
  EXPECT_TRUE(wait.WriteEntryFile(target_));
  EXPECT_TRUE(answer.seen);
  EXPECT_EQ(FileBytes(target_), kExpected);
  gAnswer = nullptr;
}

TEST_F(EntryFile, AFolderIsRefusedWithAMessage) {
  fillStore();
  CreateDirectoryA(target_.c_str(), nullptr);
  TTWaitOneMoment wait(nullptr);
  BoxAnswer answer;
  gAnswer = &answer;
  SetTimer(nullptr, 0, 30, answerBox);
  EXPECT_FALSE(wait.WriteEntryFile(target_));
  gAnswer = nullptr;
  EXPECT_TRUE(answer.seen);
  EXPECT_EQ(answer.caption, "Fehler");
  EXPECT_EQ(answer.text, "Die Meldedatei kann nicht als Ordner angelegt werden!");
}

TEST_F(EntryFile, ATargetThatCannotBeWrittenGivesFalseAndNoPartialFile) {
  fillStore();
  bool boxShown = false;
  Application->OnException = [&](const std::exception&) { boxShown = true; };
  TTWaitOneMoment wait(nullptr);
  // A folder that does not exist.
  std::string missing = folder_ + "\\fehlt\\Meldung.VOV";
  EXPECT_FALSE(wait.WriteEntryFile(missing));
  EXPECT_FALSE(exists(missing));
  // A file another program holds open without sharing: the old content
  // stays and no temporary file is left beside it.
  writeBytes(target_, "alt");
  HANDLE held = CreateFileA(target_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(wait.WriteEntryFile(target_, false));
  CloseHandle(held);
  EXPECT_EQ(FileBytes(target_), "alt");
  WIN32_FIND_DATAA fd;
  int files = 0;
  HANDLE h = FindFirstFileA((folder_ + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string n = fd.cFileName;
      if (n != "." && n != ".." && n.rfind("Probe.", 0) != 0) ++files;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  EXPECT_EQ(files, 1);
  EXPECT_FALSE(boxShown);
  Application->OnException = nullptr;
}

TEST_F(EntryFile, TheWaitFormShowsWhileTheFileIsWritten) {
  fillStore();
  writeBytes(target_, "alt");
  EXPECT_TRUE(WriteEntryFileWithPrompt(target_, true));
  EXPECT_EQ(FileBytes(target_), kExpected);
  TTWaitOneMoment wait(nullptr);
  char caption[64];
  GetWindowTextA(wait.Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Bitte einen Augenblick Gelduld....");
  EXPECT_EQ(wait.ClientWidth(), 301);
  EXPECT_EQ(wait.ClientHeight(), 86);
  EXPECT_EQ(wait.FindComponent("XML"), wait.XML);
  EXPECT_EQ(ControlNameOf(wait.Animate1->Handle()), "Animate1");
}

}  // namespace
