// The main frame, its entry windows, the check and the error window, driven
// by messages; modal forms, message boxes and help answer through the seams.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/FileSystem.h"
#include "app/core/IniFile.h"
#include "app/core/Meldefehler.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/DlgMNEdit.h"
#include "app/forms/EntrySelection.h"
#include "app/forms/Meldefile.h"
#include "app/forms/PrintManager.h"
#include "app/forms/Protokoll.h"
#include "app/windows/ProgramCommands.h"
#include "app/forms/OpenDatei.h"
#include "app/windows/AppToolbar.h"
#include "app/windows/CommandHost.h"
#include "app/windows/DisziFlagTable.h"
#include "app/windows/DlgSelVeranst.h"
#include "framework/core/zListBoxBase.h"
#include "framework/core/zResId.h"
#include "app/windows/EditSchueler.h"
#include "app/windows/FehlerWin.h"
#include "app/windows/MeldeToolbar.h"
#include "app/windows/MeldeWin.h"
#include "app/windows/NotebookPane.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"
#include "framework/controls3d/zBitmapButton.h"
#include "framework/controls3d/zStatusItem.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/core/zTextPane.h"
#include "tests/app/core/TestSupport.h"
#include "tests/support/MessageInput.h"
#include "tests/support/WindowTest.h"

namespace {

using kel::test::pump;

struct Box {
    std::string text, title;
};

class Program : public kel::test::CoreTest {
public:
    void SetUp() override
    {
        CoreTest::SetUp();
        UseEvent({kel::test::MakeClass("I Jungen", 2011, 2, 95, 2, 20),
                  kel::test::MakeClass("II Jungen", 2011, 2, 95, 2, 20)},
                 {{kel::test::MakeDiscipline("100 m Lauf", "99','99", 1, 4),
                   kel::test::MakeDiscipline("Weitsprung", "9','99", 2, 4)},
                  {kel::test::MakeDiscipline("100 m Lauf", "99','99", 1, 4),
                   kel::test::MakeDiscipline("Weitsprung", "9','99", 2, 4)}});
        for (int c = 0; c < 2; ++c) {
            SetFieldText(state_.eventDef->disciplines[c][0].shortName, "100m");
            SetFieldText(state_.eventDef->disciplines[c][1].shortName, "Weit");
        }
        gDisziFlags = DisziFlagTable{};
        state_.meldefehler = std::make_unique<Meldefehler>();
        state_.settings.bewegung = 1;
        state_.settings.protokoll = 1;
        gSeams.messageBox = [this](HWND, const char* text, const char* title, UINT) {
            boxes.push_back({text, title});
            return answer;
        };
        gSeams.runModal = [this](TForm* form) { return modal ? modal(form) : 2; };
        gSeams.htmlHelp = [this](HWND, const char* file, UINT command, DWORD_PTR data) {
            help.push_back(std::string(file) + "|" + std::to_string(command) + "|" + std::to_string(data));
            return HWND(nullptr);
        };
        frame = new QuanteloApp(nullptr, new zSizer(0, 0, 900, 650), WS_OVERLAPPEDWINDOW,
                                "Zavrolin Leichtathletik 2011.2", state_, print_);
        frame->show(SW_SHOWNORMAL);
        pump();
    }
    void TearDown() override
    {
        for (int32_t c = 0; c < 12; ++c)
            delete frame->entryWindow(c);  // the window leaves the frame's list
        pump();
        delete frame;
        pump();
        gSeams.reset();
        CoreTest::TearDown();
    }
    // The class chooser picks class c; a team dialog is filled with a school.
    void chooseClass(int32_t c)
    {
        modal = [this, c](TForm* form) {
            if (auto* chooser = dynamic_cast<TOpenDatei*>(form)) {
                hintDuringChoice = frame->statusLine()->message().c_str();
                chooser->ColumnListBox1->SetItemIndex(c);
                return 1;
            }
            return teamAnswer(form);
        };
    }
    int teamAnswer(TForm* form)
    {
        auto* d = dynamic_cast<TDlgMNEdit*>(form);
        if (!d)
            return 2;
        ++teamDialogs;
        if (!createTeam)
            return 2;
        d->Schulname->SetText(school.c_str());
        d->Listenname->SetText(school.c_str());
        d->Reitername->SetText(school.substr(0, 8).c_str());
        d->LBK->SetText("FR");
        d->Ort->SetText("78462 Konstanz");
        d->Betreuer->SetText("Herr Groß");
        d->Tel2->SetText("07531 4");
        return 1;
    }
    MeldeWin* open(int32_t c)
    {
        chooseClass(c);
        SendMessageA(frame->handle(), WM_COMMAND, 12, 0);
        pump();
        return frame->entryWindow(c);
    }
    void typeName(MeldeWin* w, int32_t row, const std::string& text)
    {
        w->grid()->setCurrent(0, row);
        kel::test::sendText(w->grid()->handle(), text);
    }
    std::string diskName(int32_t c, int32_t t, int32_t m)
    {
        const std::vector<uint8_t> mda = kel::test::ReadBytes(DataFilePath(state_, "MDA"));
        return std::string(reinterpret_cast<const char*>(&mda[size_t(AthleteOffset(c, t, m))]));
    }

    PrintState print_;
    QuanteloApp* frame = nullptr;
    std::vector<Box> boxes;
    std::vector<std::string> help;
    std::function<int(TForm*)> modal;
    int answer = IDYES;
    bool createTeam = true;
    int teamDialogs = 0;
    std::string hintDuringChoice;
    std::string school = "REALSCHULE SÜD";
};

TEST_F(Program, FrameMenuHasTheProgramsCommands)
{
    HMENU bar = GetMenu(frame->handle());
    ASSERT_NE(bar, nullptr);
    char text[80];
    const std::vector<std::string> tops{"&Datei", "&Hilfe"};
    for (int i = 0; i < 2; ++i) {
        GetMenuStringA(bar, UINT(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(text, tops[size_t(i)]);
    }
    const struct {
        UINT id;
        const char* text;
    } items[] = {{12, "Meldungen ö&ffnen..."}, {10, "&Meldefehler?"},    {23, "Meldungen &drucken..."},
                 {22, "Meldedatei &erstellen..."}, {30, "Protokoll..."}, {4, "Programm &beenden"},
                 {1, "&Inhalt\tF1"},               {2, "Info über das &Zavrolin..."}};
    for (const auto& item : items) {
        ASSERT_GT(GetMenuStringA(bar, item.id, text, sizeof text, MF_BYCOMMAND), 0) << item.id;
        EXPECT_EQ(text, std::string(item.text));
    }
}

TEST_F(Program, HelpOpensTheHelpFileAtContext114)
{
    // F1 is command 1 through accelerator table 200.
    HACCEL accel = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200));
    ASSERT_NE(accel, nullptr);
    ACCEL entries[8];
    const int n = CopyAcceleratorTableA(accel, entries, 8);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(entries[0].key, VK_F1);
    EXPECT_EQ(entries[0].cmd, 1);
    EXPECT_TRUE(entries[0].fVirt & FVIRTKEY);
    MSG f1{frame->handle(), WM_KEYDOWN, VK_F1, 1, 0, {}};
    EXPECT_TRUE(TranslateAcceleratorA(frame->handle(), accel, &f1));
    ASSERT_EQ(help.size(), 1u);
    help.clear();
    SendMessageA(frame->handle(), WM_COMMAND, 1, 0);
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0], state_.settings.helpFile + "|15|114");
}

TEST_F(Program, ProgramEndWithoutEntryWindowsOnlyQuits)
{
    pump();
    SendMessageA(frame->handle(), WM_COMMAND, 4, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(IsWindow(frame->handle()));
}

TEST_F(Program, TheAboutBoxShowsItsHintAndPutsTheStatusTextBack)
{
    std::string during;
    modal = [&](TForm*) {
        during = frame->statusLine()->message().c_str();
        return 1;
    };
    frame->statusLine()->setMessage("Bereit");
    SendMessageA(frame->handle(), WM_COMMAND, 2, 0);
    EXPECT_EQ(during, kDialogHint);
    EXPECT_STREQ(frame->statusLine()->message().c_str(), "Bereit");
}

TEST_F(Program, AnEmptyClassAsksForItsFirstTeamAndACancelWritesNothing)
{
    const auto sda = kel::test::ReadBytes(DataFilePath(state_, "SDA"));
    const auto mda = kel::test::ReadBytes(DataFilePath(state_, "MDA"));
    createTeam = false;
    open(0);
    pump();
    EXPECT_EQ(teamDialogs, 1);
    EXPECT_EQ(frame->entryWindow(0), nullptr);  // the window closed itself
    EXPECT_EQ(kel::test::ReadBytes(DataFilePath(state_, "SDA")), sda);
    EXPECT_EQ(kel::test::ReadBytes(DataFilePath(state_, "MDA")), mda);
}

TEST_F(Program, ANewTeamGetsATabAndTheClassTitle)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(hintDuringChoice,
              "Bitte wählen Sie die Klasse aus, in der Sie eine Mannschaft erfassen/bearbeiten möchten");
    EXPECT_EQ(kel::test::WindowText(w->handle()), "I Jungen: Meldungen");
    EXPECT_EQ(w->tabs()->tabCount(), 1);
    EXPECT_EQ(w->currentTeam(), 0);
    EXPECT_EQ(FieldText(state_.memory->getTeam(0, 0)->schoolName), school);
    // Choosing the class again brings the same window forward.
    open(0);
    EXPECT_EQ(frame->entryWindow(0), w);
    EXPECT_EQ(teamDialogs, 1);
}

// The commands reach the frame only through their host: on a fake host
// they ask it for what they need and leave the real frame's entry windows
// alone.
TEST_F(Program, CommandsAskTheirHostAndNothingElse)
{
    struct FakeHost : CommandHost {
        mutable std::vector<std::string> calls;
        HWND owner() const override
        {
            calls.push_back("owner");
            return reinterpret_cast<HWND>(uintptr_t{0x5150});
        }
        int runWithHint(const char* hint, const std::function<int()>& run) override
        {
            calls.push_back(std::string("hint ") + hint);
            return run();
        }
        void closeEntryWindows() override { calls.push_back("close"); }
        void openEntryWindow(int32_t cls) override { calls.push_back("open " + std::to_string(cls)); }
    };
    const std::string choice =
        "hint Bitte wählen Sie die Klasse aus, in der Sie eine Mannschaft erfassen/bearbeiten möchten";
    const std::string noTeams = "Bitte erfassen Sie zuerst die Mannschaften!";
    const auto openClass = [this](CommandHost& h) { return OpenClassCommand(h, state_); };
    const struct {
        const char* name;
        std::function<int(CommandHost&)> command;
        int32_t pick;  // the class the chooser picks; -1 cancels it
        std::vector<std::string> calls;
        std::vector<std::string> boxes;
    } cases[] = {
        {"class chosen", openClass, 1, {choice, "open 1"}, {}},
        {"choice cancelled", openClass, -1, {choice}, {}},
        {"printing without teams", [this](CommandHost& h) { return PrintCommand(h, state_, print_); }, -1,
         {"close", "owner"}, {noTeams}},
        {"entry file without teams", [this](CommandHost& h) { return CreateEntryFileCommand(h, state_); }, -1,
         {"close", "owner"}, {noTeams}},
    };
    for (const auto& c : cases) {
        FakeHost host;
        boxes.clear();
        std::vector<HWND> owners;
        gSeams.messageBox = [&](HWND owner, const char* text, const char* title, UINT) {
            owners.push_back(owner);
            boxes.push_back({text, title});
            return IDOK;
        };
        if (c.pick >= 0)
            chooseClass(c.pick);
        else
            modal = nullptr;
        c.command(host);
        pump();
        EXPECT_EQ(host.calls, c.calls) << c.name;
        std::vector<std::string> texts;
        for (const Box& b : boxes)
            texts.push_back(b.text);
        EXPECT_EQ(texts, c.boxes) << c.name;
        for (HWND owner : owners)
            EXPECT_EQ(owner, reinterpret_cast<HWND>(uintptr_t{0x5150})) << c.name;
        for (int32_t cls = 0; cls < 12; ++cls)
            EXPECT_EQ(frame->entryWindow(cls), nullptr) << c.name;
    }
}

TEST_F(Program, TypedEntriesReachTheDataFileOnEveryStoringEvent)
{
    const struct {
        const char* how;
        std::function<void(Program*, MeldeWin*)> act;
    } cases[] = {
        {"save command", [](Program*, MeldeWin* w) { SendMessageA(w->handle(), WM_COMMAND, 13, 0); }},
        {"close", [](Program*, MeldeWin* w) { SendMessageA(w->handle(), WM_CLOSE, 0, 0); }},
        {"deactivation", [](Program* t, MeldeWin*) { t->open(1); }},
        {"program end", [](Program* t, MeldeWin*) { SendMessageA(t->frame->handle(), WM_COMMAND, 4, 0); }},
    };
    int n = 0;
    for (const auto& c : cases) {
        MeldeWin* w = frame->entryWindow(0) ? frame->entryWindow(0) : open(0);
        ASSERT_NE(w, nullptr) << c.how;
        const std::string name = std::string("Meier, Ann") + char('a' + n++);
        typeName(w, 0, name);  // the editor is still open
        c.act(this, w);
        pump();
        EXPECT_EQ(diskName(0, 0, 0), name) << c.how;
        const std::string how = c.how;
        EXPECT_EQ(frame->entryWindow(0) != nullptr, how == "save command" || how == "deactivation") << c.how;
        if (frame->entryWindow(1)) {
            delete frame->entryWindow(1);
            pump();
        }
    }
}

// A disk that refuses the save: the teacher is told, the data file keeps
// its old bytes, and what was typed is still there to be saved once the
// disk takes it again.
TEST_F(Program, AFailedSaveIsReportedAndTheTypedEntryStays)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    const std::vector<uint8_t> before = kel::test::ReadBytes(DataFilePath(state_, "MDA"));
    typeName(w, 0, "Meier, Anna");
    kel::test::FailingFileSystem failing;
    failing.failAt = 0;
    failing.failAfter = true;
    kel::setFileSystem(&failing);
    SendMessageA(w->handle(), WM_COMMAND, 13, 0);
    pump();
    kel::setFileSystem(nullptr);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "Die Meldedaten konnten nicht gespeichert werden!");
    EXPECT_EQ(boxes.back().title, "Fehler");
    EXPECT_TRUE(kel::test::ReadBytes(DataFilePath(state_, "MDA")) == before);

    SendMessageA(w->handle(), WM_COMMAND, 13, 0);
    pump();
    EXPECT_EQ(diskName(0, 0, 0), "Meier, Anna");
}

TEST_F(Program, TabChangeStoresThePreviousTeam)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    school = "GYMNASIUM NORD";
    SendMessageA(w->handle(), WM_COMMAND, 3062, 0);
    pump();
    ASSERT_EQ(w->tabs()->tabCount(), 2);
    EXPECT_EQ(w->currentTeam(), 1);
    typeName(w, 2, "Kurz, Tim");
    w->tabs()->selectTab(0);
    pump();
    EXPECT_EQ(w->currentTeam(), 0);
    EXPECT_EQ(FieldText(state_.memory->getAthlete(0, 1, 2)->name), "Kurz, Tim");
}

TEST_F(Program, DeletingAnAthleteAnsweredNoChangesNothing)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    typeName(w, 0, "Meier, Anna");
    SendMessageA(w->handle(), WM_COMMAND, 13, 0);
    const auto mda = kel::test::ReadBytes(DataFilePath(state_, "MDA"));
    w->grid()->setCurrent(0, 0);
    answer = IDNO;
    SendMessageA(w->handle(), WM_COMMAND, 106, 0);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "Möchten Sie den Teilnehmer »Meier, Anna« wirklich löschen?");
    EXPECT_EQ(boxes.back().title, "Achtung");
    EXPECT_EQ(kel::test::ReadBytes(DataFilePath(state_, "MDA")), mda);
    answer = IDYES;
    SendMessageA(w->handle(), WM_COMMAND, 106, 0);
    EXPECT_EQ(diskName(0, 0, 0), "");
}

// Teams 0 .. teams-1 of a class written to the data files, each athlete
// named "T<t> M<m>" with showable values.
void WriteTeams(Memory& store, int32_t c, int32_t teams)
{
    for (int32_t t = 0; t < teams; ++t) {
        TeamRecord* r = store.loadTeamAthletes(c, t);
        const std::string school = "SCHULE " + std::to_string(t);
        SetFieldText(r->schoolName, school);
        SetFieldText(r->listName, school);
        SetFieldText(r->tabName, school);
        for (int32_t m = 0; m < kMaxAthletes; ++m) {
            AthleteRecord* a = store.getAthlete(c, t, m);
            SetFieldText(a->name, "T" + std::to_string(t) + " M" + std::to_string(m));
            SetFieldText(a->JG, "98");
            SetFieldText(a->schoolClass, "7a");
            a->athleteNumber = 100 * t + m;
            a->teamNumber = t;
            a->mask = 3;
            a->flag = 3;
            a->Leistung[0] = 1200 + m;
            a->Leistung[1] = 400 + m;
            a->reserved130 = 7;
        }
        ASSERT_EQ(store.writeTeam(c, t), 1);
        ASSERT_EQ(store.writeAthletes(c, t), 1);
    }
}

// The athlete of the selected row is the one asked about and deleted,
// whichever team tab is shown; every other record keeps its bytes.
TEST_F(Program, DeletingAnAthleteHitsTheSelectedRowOfTheShownTeam)
{
    WriteTeams(*state_.memory, 0, 3);
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->tabs()->tabCount(), 3);
    const struct {
        int32_t tab, row;
        int answer;
    } cases[] = {{0, 4, IDYES}, {1, 7, IDNO}, {1, 4, IDYES}, {2, 0, IDYES}, {2, 12, IDYES}, {0, 9, IDNO}};
    for (const auto& c : cases) {
        SCOPED_TRACE("tab " + std::to_string(c.tab) + " row " + std::to_string(c.row));
        if (w->tabs()->current() != c.tab)
            w->tabs()->selectTab(c.tab);
        pump();
        ASSERT_EQ(w->currentTeam(), c.tab);
        w->grid()->setCurrent(0, c.row);
        const std::vector<uint8_t> before = kel::test::ReadBytes(DataFilePath(state_, "MDA"));
        answer = c.answer;
        boxes.clear();
        SendMessageA(w->handle(), WM_COMMAND, 106, 0);
        pump();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes[0].text, "Möchten Sie den Teilnehmer »T" + std::to_string(c.tab) + " M" +
                                     std::to_string(c.row) + "« wirklich löschen?");

        std::vector<uint8_t> expected = before;
        if (c.answer == IDYES) {
            AthleteRecord cleared;
            const size_t at = size_t(AthleteOffset(0, c.tab, c.row));
            std::memcpy(&cleared, &before[at], sizeof cleared);
            std::memset(cleared.name, 0, sizeof cleared.name);
            std::memset(cleared.JG, 0, sizeof cleared.JG);
            std::memset(cleared.schoolClass, 0, sizeof cleared.schoolClass);
            cleared.athleteNumber = 0;
            cleared.teamNumber = 0;
            cleared.mask = 0;
            cleared.flag = 0;
            for (auto& p : cleared.Leistung)
                p = 0;
            std::memcpy(&expected[at], &cleared, sizeof cleared);
        }
        const std::vector<uint8_t> after = kel::test::ReadBytes(DataFilePath(state_, "MDA"));
        ASSERT_EQ(after.size(), expected.size());
        for (int32_t t = 0; t < 3; ++t)
            for (int32_t m = 0; m < kMaxAthletes; ++m) {
                const size_t at = size_t(AthleteOffset(0, t, m));
                EXPECT_EQ(std::memcmp(&after[at], &expected[at], sizeof(AthleteRecord)), 0)
                    << "record of team " << t << " athlete " << m;
            }
        EXPECT_TRUE(after == expected);
    }
}

// Values only a data file can hold, which the grid cannot show as they are,
// go back to the file exactly as they were read when nobody edits them,
// through a tab change, the save, the check, the print choice and the
// close; the check reports them as they are.
TEST_F(Program, StoringTheGridKeepsEveryValueNobodyEdited)
{
    ClassRecord& cls = state_.eventDef->classes[1];
    cls.disciplineCount = 3;
    state_.eventDef->disciplines[1][1] = kel::test::MakeDiscipline("4x50m Staffel", "9", 4, 8);
    state_.eventDef->disciplines[1][2] = kel::test::MakeDiscipline("Ballwurf", "", 2, 4);
    SetFieldText(state_.eventDef->disciplines[1][1].shortName, "Staffel");
    SetFieldText(state_.eventDef->disciplines[1][2].shortName, "Ball");
    const struct {
        const char* kind;
        int32_t team, member;
        std::function<void(AthleteRecord&)> set;
    } cases[] = {
        {"name without terminator", 0, 0, [](AthleteRecord& a) { std::memset(a.name, 'N', sizeof a.name); }},
        {"birth year without terminator", 0, 1, [](AthleteRecord& a) { std::memcpy(a.JG, "981", 3); }},
        {"class without terminator", 0, 2, [](AthleteRecord& a) { std::memcpy(a.schoolClass, "7abcdef", 7); }},
        {"performance wider than its mask", 0, 3, [](AthleteRecord& a) { a.Leistung[0] = 123456; }},
        {"negative performance", 0, 4, [](AthleteRecord& a) { a.Leistung[0] = -1; }},
        {"performance without a mask", 0, 5, [](AthleteRecord& a) { a.Leistung[2] = 77; }},
        {"discipline flags beyond the class", 1, 0, [](AthleteRecord& a) { a.mask = 0xF9; }},
        {"relay position 12", 1, 1, [](AthleteRecord& a) { a.Leistung[1] = 12; }},
        {"relay position 1005", 1, 2, [](AthleteRecord& a) { a.Leistung[1] = 1005; }},
        {"relay position -3", 1, 3, [](AthleteRecord& a) { a.Leistung[1] = -3; }},
        {"relay position 100", 1, 4, [](AthleteRecord& a) { a.Leistung[1] = 100; }},
        {"empty place with values", 1, 5, [](AthleteRecord& a) {
             a.name[0] = 0;
             a.Leistung[0] = 100;
         }},
    };
    WriteTeams(*state_.memory, 1, 2);
    for (int32_t t = 0; t < 2; ++t)
        for (int32_t m = 0; m < kMaxAthletes; ++m)
            state_.memory->getAthlete(1, t, m)->mask = 1;  // no relay runners but the cases'
    for (const auto& c : cases) {
        AthleteRecord* a = state_.memory->getAthlete(1, c.team, c.member);
        SetFieldText(a->name, std::string("Wert, ") + c.kind);
        a->mask = 0x07;
        a->Leistung[1] = c.member + 1;
        c.set(*a);
    }
    for (int32_t t = 0; t < 2; ++t)
        ASSERT_EQ(state_.memory->writeAthletes(1, t), 1);
    const std::vector<uint8_t> before = kel::test::ReadBytes(DataFilePath(state_, "MDA"));

    MeldeWin* w = open(1);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->tabs()->tabCount(), 2);
    w->tabs()->selectTab(1);
    pump();
    w->tabs()->selectTab(0);
    pump();
    SendMessageA(w->handle(), WM_COMMAND, 13, 0);
    SendMessageA(w->handle(), WM_COMMAND, 10, 0);
    pump();
    ASSERT_NE(gFehlerWin, nullptr);
    // Rows of the error window's text are its width long, not terminated.
    const zTextBuf& text = gFehlerWin->pane()->buffer();
    std::string lines;
    for (int32_t r = 0; r < text.rows(); ++r)
        lines += std::string(text.rowText(r), size_t(text.columns())) + "\n";
    for (const char* kind : {"relay position 12", "relay position 1005", "relay position -3", "relay position 100"})
        EXPECT_NE(lines.find(std::string("Wert, ") + kind + ": Keine Staffelbesetzung"), std::string::npos)
            << kind << "\n" << lines;
    SendMessageA(frame->handle(), WM_COMMAND, 23, 0);  // the print choice closes the entry windows
    pump();
    EXPECT_EQ(frame->entryWindow(1), nullptr);

    const std::vector<uint8_t> after = kel::test::ReadBytes(DataFilePath(state_, "MDA"));
    ASSERT_EQ(after.size(), before.size());
    for (const auto& c : cases) {
        const size_t at = size_t(AthleteOffset(1, c.team, c.member));
        EXPECT_EQ(std::memcmp(&after[at], &before[at], sizeof(AthleteRecord)), 0) << c.kind;
    }
    EXPECT_TRUE(after == before);
}

TEST_F(Program, TheToggleSwitchesEnterMovementAndWritesIt)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    auto* toggle = dynamic_cast<zBitmapButton*>(w->toolbar()->findButton(MeldeToolbar::ToggleId));
    ASSERT_NE(toggle, nullptr);
    const struct {
        int32_t mode;
        LRESULT checked;
    } steps[] = {{2, BST_CHECKED}, {1, BST_UNCHECKED}};
    for (const auto& s : steps) {
        SendMessageA(w->handle(), WM_COMMAND, MeldeToolbar::ToggleId, 0);
        EXPECT_EQ(state_.settings.bewegung, s.mode);
        EXPECT_EQ(w->grid()->enterMode(), s.mode);
        EXPECT_EQ(kel::IniFile(state_.settings.iniFile).getInt("Tabelle", "Bewegung", 0), s.mode);
        EXPECT_EQ(SendMessageA(toggle->handle(), BM_GETCHECK, 0, 0), s.checked);
    }
}

TEST_F(Program, CheckListsErrorsAndAClearCheckClosesTheErrorWindow)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    typeName(w, 0, "Meier, Anna");
    SendMessageA(w->handle(), WM_COMMAND, 13, 0);
    SetFieldText(state_.memory->getAthlete(0, 0, 0)->JG, "75");  // the editor refuses it
    state_.memory->getAthlete(0, 0, 0)->mask = 1;
    w->loadTable(0);
    SendMessageA(frame->handle(), WM_COMMAND, 10, 0);  // the active window checks its class
    pump();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "Ich habe einen Fehler in den Meldedaten gefunden!");
    ASSERT_NE(gFehlerWin, nullptr);
    const std::string first(gFehlerWin->pane()->buffer().rowText(0), size_t(gFehlerWin->pane()->buffer().columns()));
    EXPECT_NE(first.find("[I Jungen] Meier, Anna: Falscher Jahrgang: 75"), std::string::npos) << first;
    // Its scroll bars show only when the lines do not fit.
    HWND list = gFehlerWin->pane()->handle();
    auto bars = [list] {
        pump();
        const LONG style = GetWindowLongA(list, GWL_STYLE);
        return std::make_pair((style & WS_VSCROLL) != 0, (style & WS_HSCROLL) != 0);
    };
    EXPECT_EQ(bars(), std::make_pair(false, false));
    for (int i = 0; i < 150; ++i)
        gFehlerWin->addLine("Zeile");
    EXPECT_EQ(bars(), std::make_pair(true, false));
    gFehlerWin->addLine(std::string(99, 'x').c_str());
    MoveWindow(gFehlerWin->handle(), 0, 0, 300, 200, TRUE);
    EXPECT_EQ(bars(), std::make_pair(true, true));

    SetFieldText(state_.memory->getAthlete(0, 0, 0)->JG, "98");
    w->activate();
    pump();
    SendMessageA(w->handle(), WM_COMMAND, 10, 0);
    pump();
    EXPECT_EQ(boxes.back().text, "Es wurde kein Fehler in den Meldedaten gefunden!");
    EXPECT_EQ(gFehlerWin, nullptr);
}

}  // namespace

namespace {

TEST_F(Program, EventChooserListsEveryEventAndADoubleClickChooses)
{
    EventListEntry fixed;
    fixed.valid = 1;
    fixed.kind = 96;
    EventListEntry other;
    other.valid = 1;
    other.fromHeader = 1;
    other.kind = 2;
    other.levelName = "Kreisebene";
    other.title = "Kreisfinale 2011";
    state_.eventList = {fixed, other};
    auto* dialog = new DlgSelVeranst(frame, zResId(8), state_);
    char text[200];
    GetWindowTextA(dialog->handle(), text, sizeof text);
    EXPECT_STREQ(text, "Wettbewerb wählen");
    ASSERT_EQ(dialog->lineCount(), 2);
    RcCString line;
    dialog->list()->itemText(0, line);
    EXPECT_STREQ(line.c_str(), "A-Programm JTFO, Bodenseecup\tBeliebige Veranstaltung ab Stadt-, Kreisebene");
    dialog->list()->itemText(1, line);
    EXPECT_STREQ(line.c_str(), "B-Programm\tKreisebene\tKreisfinale 2011");
    EXPECT_EQ(dialog->selection(), 0);

    // Help without a topic says so; with one it opens the help file.
    SendMessageA(dialog->handle(), WM_COMMAND, DlgTemplate::HelpCommand, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Für diesen Dialog ist leider noch keine Hilfe vorhanden!");
    dialog->setHelpContext(77);
    SendMessageA(dialog->handle(), WM_COMMAND, DlgTemplate::HelpCommand, 0);
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0], state_.settings.helpFile + "|15|77");

    dialog->show(SW_SHOW);
    dialog->list()->setSelection(1);
    SendMessageA(dialog->handle(), WM_COMMAND, MAKEWPARAM(DlgSelVeranst::ListId, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(dialog->list()->handle()));
    pump();
    EXPECT_EQ(dialog->result(), 1);
    EXPECT_EQ(dialog->selection(), 1);
    delete dialog;
}

}  // namespace

namespace {

TEST_F(Program, DeletingTheFirstTeamMovesTheSecondIntoItsPlace)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    typeName(w, 0, "Meier, Anna");
    school = "GYMNASIUM NORD";
    SendMessageA(w->handle(), WM_COMMAND, 3062, 0);
    typeName(w, 0, "Kurz, Tim");
    SendMessageA(w->handle(), WM_COMMAND, 13, 0);
    w->tabs()->selectTab(0);
    pump();
    answer = IDYES;
    SendMessageA(w->handle(), WM_COMMAND, 105, 0);
    pump();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[boxes.size() - 2].text, "REALSCHULE SÜD wirklich löschen?");
    EXPECT_EQ(boxes[boxes.size() - 2].title, "Löschen bitte bestätigen!");
    EXPECT_EQ(boxes.back().text, "Schule wird gelöscht und das Fenster geschlossen!");
    EXPECT_EQ(frame->entryWindow(0), nullptr);
    EXPECT_EQ(FieldText(state_.memory->getTeam(0, 0)->schoolName), "GYMNASIUM NORD");
    EXPECT_EQ(diskName(0, 0, 0), "Kurz, Tim");
}

// A disk that refuses the removal: the teacher is told, and the window,
// its teams and the data files stay as they were.
TEST_F(Program, AFailedTeamDeleteIsReportedAndKeepsTheWindowAndItsData)
{
    WriteTeams(*state_.memory, 0, 2);
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    w->tabs()->selectTab(1);
    pump();
    const std::vector<uint8_t> sda = kel::test::ReadBytes(DataFilePath(state_, "SDA"));
    const std::vector<uint8_t> mda = kel::test::ReadBytes(DataFilePath(state_, "MDA"));
    kel::test::FailingFileSystem failing;
    failing.failAt = 0;
    failing.failAfter = true;
    kel::setFileSystem(&failing);
    answer = IDYES;
    boxes.clear();
    SendMessageA(w->handle(), WM_COMMAND, 105, 0);
    pump();
    kel::setFileSystem(nullptr);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "SCHULE 1 wirklich löschen?");
    EXPECT_EQ(boxes[1].text, "Die Meldedaten konnten nicht gespeichert werden!");
    EXPECT_EQ(boxes[1].title, "Fehler");
    ASSERT_EQ(frame->entryWindow(0), w);
    EXPECT_EQ(w->tabs()->tabCount(), 2);
    EXPECT_EQ(w->currentTeam(), 1);
    EXPECT_EQ(w->storeFlag(), 1);
    EXPECT_EQ(FieldText(state_.memory->getTeam(0, 1)->schoolName), "SCHULE 1");
    EXPECT_EQ(FieldText(state_.memory->getAthlete(0, 1, 2)->name), "T1 M2");
    EXPECT_TRUE(kel::test::ReadBytes(DataFilePath(state_, "SDA")) == sda);
    EXPECT_TRUE(kel::test::ReadBytes(DataFilePath(state_, "MDA")) == mda);

    // Once the disk takes it again, the delete goes through.
    SendMessageA(w->handle(), WM_COMMAND, 105, 0);
    pump();
    EXPECT_EQ(boxes.back().text, "Schule wird gelöscht und das Fenster geschlossen!");
    EXPECT_EQ(frame->entryWindow(0), nullptr);
    EXPECT_EQ(FieldText(state_.memory->getTeam(0, 1)->schoolName), "");
    EXPECT_EQ(diskName(0, 1, 2), "");
    EXPECT_EQ(diskName(0, 0, 2), "T0 M2");
}

TEST_F(Program, ANewTeamOfAModus4ClassIsPreset)
{
    state_.eventDef->classes[1].Modus = 4;
    MeldeWin* w = open(1);
    ASSERT_NE(w, nullptr);
    const struct {
        int32_t member;
        uint8_t mask;
        int32_t position;
    } rows[] = {{0, 15, 1}, {7, 15, 8}, {8, 13, 0}, {12, 13, 0}};
    for (const auto& r : rows) {
        const AthleteRecord* a = state_.memory->getAthlete(1, 0, r.member);
        EXPECT_EQ(a->mask, r.mask) << r.member;
        EXPECT_EQ(a->flag, r.mask) << r.member;
        EXPECT_EQ(int32_t(a->Leistung[1]), r.position) << r.member;
    }
}

TEST_F(Program, StatusItem11NamesTheErrorWindowOnlyWhileItIsActive)
{
    auto* errors = new FehlerWin(frame);
    errors->show(SW_SHOWNORMAL);
    errors->activate();
    pump();
    zStatusItem* item = frame->statusLine()->findItem(11);
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(item->text().c_str(), "Meldefehler");
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(item->text().c_str(), "");
    DestroyWindow(errors->handle());
    pump();
    EXPECT_EQ(gFehlerWin, nullptr);
}

}  // namespace

namespace {

TEST_F(Program, EntriesAreThereAgainAfterTheProgramEnds)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    typeName(w, 3, "Weiß, Tim");
    SendMessageA(frame->handle(), WM_COMMAND, 4, 0);
    pump();
    state_.memory = std::make_unique<Memory>(state_);  // the next start loads the files
    ASSERT_TRUE(state_.memory->isReady());
    EXPECT_EQ(FieldText(state_.memory->getTeam(0, 0)->schoolName), school);
    EXPECT_EQ(FieldText(state_.memory->getAthlete(0, 0, 3)->name), "Weiß, Tim");
    w = open(0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->tabs()->tabCount(), 1);
    EXPECT_EQ(teamDialogs, 1);  // no second team dialog: the class has its team
}

}  // namespace

namespace {

TEST_F(Program, ToolBarButtonsSitInTheirSlots)
{
    // Margins 4 and 1, 5-pixel gaps for slot numbers without a button, the
    // 25-pixel buttons centred in the 29-pixel bar.
    const struct {
        int32_t id, x, width;
    } buttons[] = {{12, 4, 25},   {3024, 34, 10},  {10, 49, 25},  {3025, 79, 10}, {23, 94, 25},
                   {3026, 124, 10}, {22, 139, 25}, {3027, 169, 10}, {4, 184, 25}, {1, 269, 25}};
    for (const auto& b : buttons) {
        zWindow* button = frame->toolbar()->findButton(b.id);
        ASSERT_NE(button, nullptr) << b.id;
        RECT rc;
        GetWindowRect(button->handle(), &rc);
        MapWindowPoints(nullptr, frame->toolbar()->handle(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, b.x) << b.id;
        EXPECT_EQ(rc.top, 2) << b.id;
        EXPECT_EQ(rc.right - rc.left, b.width) << b.id;
        EXPECT_EQ(rc.bottom - rc.top, 25) << b.id;
        EXPECT_EQ(IsWindowEnabled(button->handle()) != 0, b.width == 25) << b.id;
    }
}

TEST_F(Program, ModalCommandsShowTheirHintAndPutTheStatusTextBack)
{
    const struct {
        UINT command;
        const char* hint;
    } cases[] = {
        {2, kDialogHint},
        {12, "Bitte wählen Sie die Klasse aus, in der Sie eine Mannschaft erfassen/bearbeiten möchten"},
        {23, kDialogHint},
    };
    // Printing asks what to print only when there is a team to print.
    SetFieldText(state_.memory->getTeam(0, 0)->schoolName, "REALSCHULE SÜD");
    for (const auto& c : cases) {
        std::string during;
        int32_t areaDuring = 0;
        modal = [&](TForm*) {
            during = frame->statusLine()->message().c_str();
            areaDuring = frame->statusLine()->messageAreaOn();
            return 2;
        };
        frame->statusLine()->setMessage("Bereit");
        SendMessageA(frame->handle(), WM_COMMAND, c.command, 0);
        EXPECT_EQ(during, c.hint) << c.command;
        EXPECT_NE(areaDuring, 0) << c.command;
        EXPECT_STREQ(frame->statusLine()->message().c_str(), "Bereit") << c.command;
    }
}

TEST_F(Program, WithoutTheLogSwitchAFailedCheckShowsOnlyTheBox)
{
    state_.settings.protokoll = 0;
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    typeName(w, 0, "Meier, Anna");
    SendMessageA(w->handle(), WM_COMMAND, 13, 0);
    SetFieldText(state_.memory->getAthlete(0, 0, 0)->JG, "75");
    state_.memory->getAthlete(0, 0, 0)->mask = 1;
    w->loadTable(0);
    const struct {
        const char* how;
        HWND target;
        bool closeFirst;
    } cases[] = {{"entry window", w->handle(), false}, {"all classes", frame->handle(), true}};
    for (const auto& c : cases) {
        if (c.closeFirst) {
            SendMessageA(w->handle(), WM_CLOSE, 0, 0);
            pump();
            SetFieldText(state_.memory->getAthlete(0, 0, 0)->JG, "75");
        }
        boxes.clear();
        SendMessageA(c.target, WM_COMMAND, 10, 0);
        pump();
        ASSERT_EQ(boxes.size(), 1u) << c.how;
        EXPECT_EQ(boxes[0].text, "Ich habe einen Fehler in den Meldedaten gefunden!") << c.how;
        EXPECT_EQ(gFehlerWin, nullptr) << c.how;
    }
}

TEST_F(Program, AMaximisedEntryWindowMergesItsTitleIntoTheFrames)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(IsZoomed(w->handle()));
    char title[200];
    GetWindowTextA(frame->handle(), title, sizeof title);
    EXPECT_STREQ(title, "Zavrolin Leichtathletik 2011.2 - [I Jungen: Meldungen]");
    ShowWindow(w->handle(), SW_RESTORE);
    pump();
    GetWindowTextA(frame->handle(), title, sizeof title);
    EXPECT_STREQ(title, "Zavrolin Leichtathletik 2011.2");
}

TEST_F(Program, TheGridShowsNoScrollBarsItDoesNotNeed)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    pump();
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    for (LONG which : {OBJID_VSCROLL, OBJID_HSCROLL}) {
        ASSERT_TRUE(GetScrollBarInfo(w->grid()->handle(), which, &bar));
        EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << which;
    }
}

TEST_F(Program, TheResultWindowIsNeverShownOrActivated)
{
    ASSERT_NE(open(0), nullptr);
    ASSERT_NE(open(1), nullptr);
    HWND client = FindWindowExA(frame->handle(), nullptr, "MDIClient", nullptr);
    ASSERT_NE(client, nullptr);
    for (int i = 0; i < 6; ++i) {
        SendMessageA(client, WM_MDINEXT, 0, i % 2);
        pump();
        HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
        char title[80] = {};
        GetWindowTextA(active, title, sizeof title);
        EXPECT_STRNE(title, "Ergebnisse");
    }
    for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char title[80] = {};
        GetWindowTextA(c, title, sizeof title);
        if (std::string(title) == "Ergebnisse") {
            EXPECT_FALSE(IsWindowVisible(c));
        }
    }
}

}  // namespace
// The entry-file command (22): the wizard answers through the modal seam.
namespace {

class EntryFileCommand : public Program {
public:
    void SetUp() override
    {
        Program::SetUp();
        gProtokoll = new TProtokoll(nullptr, state_);
    }
    void TearDown() override
    {
        delete gProtokoll;
        gProtokoll = nullptr;
        SetEnvironmentVariableA("KEL_MAPI_LOG", nullptr);
        SetEnvironmentVariableA("KEL_MAPI_SEND_RC", nullptr);
        Program::TearDown();
    }
    // A team with one athlete in the first discipline; birth year "75" is
    // outside the class's years.
    void addTeam(int32_t c, int32_t t, const char* name, const char* jg = "98", uint8_t mask = 1)
    {
        TeamRecord* r = state_.memory->loadTeamAthletes(c, t);
        SetFieldText(r->schoolName, name);
        SetFieldText(r->listName, name);
        AthleteRecord* a = state_.memory->getAthlete(c, t, 0);
        SetFieldText(a->name, "Meier, Anna");
        SetFieldText(a->JG, jg);
        a->mask = mask;
    }
    // Runs the command; `fill` sets the wizard's fields, the wizard ends
    // with `result`.
    void run(const std::function<void(TMeldefile&)>& fill, int result = 1)
    {
        wizardShown = false;
        modal = [this, fill, result](TForm* form) {
            auto* m = dynamic_cast<TMeldefile*>(form);
            if (!m)
                return 2;
            wizardShown = true;
            presetPath = m->Path->GetText();
            presetInitialDir = m->Path->InitialDir();
            presetName = m->FileName->Text();
            presetMail = m->MailAdress->Text();
            presetPage = m->bsWizard1->GetActivePageIndex();
            if (fill)
                fill(*m);
            return result;
        };
        SendMessageA(frame->handle(), WM_COMMAND, 22, 0);
        pump();
    }
    std::string ini(const char* section) { return kel::IniFile(state_.settings.iniFile).getString(section, "TEST", ""); }
    std::vector<std::string> logLines()
    {
        std::vector<std::string> lines;
        for (int i = 0; i < gProtokoll->Memo->Lines().Count(); ++i)
            lines.push_back(gProtokoll->Memo->Lines().Strings(i));
        return lines;
    }
    static bool exists(const std::string& p) { return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

    bool wizardShown = false;
    std::string presetPath, presetInitialDir, presetName, presetMail;
    int presetPage = -1;
};

// "<d.M.yyyy>, <HH:mm>: " and then the text.
::testing::AssertionResult isLogLine(const std::string& line, const std::string& text)
{
    const auto colon = line.find(": ");
    if (colon == std::string::npos || line.substr(colon + 2) != text)
        return ::testing::AssertionFailure() << line;
    const std::string stamp = line.substr(0, colon);
    for (char ch : stamp)
        if (!std::isdigit(static_cast<unsigned char>(ch)) && !std::strchr(".,: ", ch))
            return ::testing::AssertionFailure() << "stamp " << stamp;
    return stamp.find(", ") != std::string::npos ? ::testing::AssertionSuccess()
                                                  : ::testing::AssertionFailure() << "stamp " << stamp;
}

TEST_F(EntryFileCommand, TeamsWithoutADisciplineAreNoEntries)
{
    addTeam(0, 0, "REALSCHULE SÜD", "98", 0);
    run(nullptr);
    EXPECT_FALSE(wizardShown);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Bitte erfassen Sie zuerst die Mannschaften!");
    EXPECT_EQ(boxes[0].title, "Fehler");
}

TEST_F(EntryFileCommand, FinishWritesTheFileAndKeepsTheTypedSettings)
{
    addTeam(0, 0, "REALSCHULE SÜD");
    addTeam(1, 4, "GYMNASIUM NORD");
    const std::string folder = dir_.path() + "\\out\\sub";
    run([&](TMeldefile& m) {
        m.Path->SetText(folder);
        m.FileName->SetText("a/b?.VOV");
    });
    ASSERT_TRUE(wizardShown);
    EXPECT_EQ(presetPath, state_.settings.programDir + "meldung");
    EXPECT_EQ(presetInitialDir, presetPath);
    EXPECT_EQ(presetName, "REALSCHULE SÜD.VOV");
    EXPECT_EQ(presetMail, "");
    EXPECT_EQ(presetPage, 0);
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;

    const std::string path = folder + "\\a b .VOV";
    const std::string bytes = kel::test::FileBytes(path);
    EXPECT_EQ(bytes.rfind("<?xml", 0), 0u);
    EXPECT_NE(bytes.find("REALSCHULE S&#220;D"), std::string::npos);
    EXPECT_NE(bytes.find("GYMNASIUM NORD"), std::string::npos);
    EXPECT_EQ(EntrySelection[0][0], 1);
    EXPECT_EQ(EntrySelection[1][4], 1);
    EXPECT_EQ(ini("MeldePath"), folder);
    EXPECT_EQ(ini("FileName"), "a/b?.VOV");
    const std::vector<std::string> log = logLines();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_TRUE(isLogLine(log[0], "Meldedatei " + path + " wurde erzeugt!"));
    EXPECT_EQ(log[1], "-----");
    EXPECT_NE(kel::test::FileBytes(gProtokoll->LogPath()).find("wurde erzeugt!"), std::string::npos);

    // The next run starts from the stored values and replaces the file
    // without a question.
    run([&](TMeldefile& m) { m.CheckList1->Uncheck(1); });
    EXPECT_EQ(presetPath, folder);
    EXPECT_EQ(presetName, "a/b?.VOV");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(kel::test::FileBytes(path).find("GYMNASIUM NORD"), std::string::npos);
    EXPECT_EQ(logLines().size(), 6u);
}

TEST_F(EntryFileCommand, CancelWritesNothingAndChangesNoSetting)
{
    addTeam(0, 0, "REALSCHULE SÜD");
    run(
        [&](TMeldefile& m) {
            m.Path->SetText(dir_.path() + "\\nie");
            m.MailAdress->SetText("a@b.de");
        },
        2);
    EXPECT_TRUE(wizardShown);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(exists(dir_.path() + "\\nie"));
    for (const char* section : {"MeldePath", "FileName", "Internet"})
        EXPECT_EQ(ini(section), "") << section;
    EXPECT_TRUE(logLines().empty());
}

TEST_F(EntryFileCommand, ErrorsOnlyBlockTheFileWhenTheirClassIsTicked)
{
    addTeam(0, 0, "REALSCHULE SÜD");
    addTeam(1, 0, "GYMNASIUM NORD", "75");
    const struct {
        const char* name;
        std::vector<int> untick;
        const char* box;  // null: written
        const char* title;
    } cases[] = {
        {"all ticked", {}, "Kann keine Meldedatei erstellen, da Meldefehler enthalten sind!", "Meldefehler!"},
        {"none ticked", {0, 1}, "Sie haben keine Schulen ausgewählt!", "Fehler!"},
        {"faulty class unticked", {1}, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        const std::string folder = dir_.path() + "\\" + c.name;
        run([&](TMeldefile& m) {
            m.Path->SetText(folder);
            m.FileName->SetText("M.VOV");
            for (int i : c.untick)
                m.CheckList1->Uncheck(i);
        });
        EXPECT_EQ(exists(folder + "\\M.VOV"), c.box == nullptr);
        if (c.box) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, c.box);
            EXPECT_EQ(boxes[0].title, c.title);
            EXPECT_EQ(ini("MeldePath"), "");
        } else {
            EXPECT_TRUE(boxes.empty());
        }
    }
}

TEST_F(EntryFileCommand, TheFileNameIsCleanedAndAnEmptyOneRefused)
{
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {{"a/b?.VOV", "a b .VOV"},        {"x:y*\"<>|\\z.VOV", "x y      z.VOV"},
                 {"tab\there.VOV", "tab here.VOV"}, {"Meldung. . ", "Meldung"},
                 {" ..", ""},                       {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CleanEntryFileName(c.typed), c.written) << c.typed;

    // Device names get a "_", over-long names are cut to what a folder
    // takes; names that were fine stay as they were.
    const std::string longName = std::string(300, 'A') + ".VOV";
    const std::string umlauts = std::string(200, '\xFC') + ".VOV";
    const struct {
        std::string typed;
        size_t limit;
        std::string written;
    } devices[] = {
        {"CON", 230, "CON_"},
        {"con.VOV", 230, "con_.VOV"},
        {"NUL.VOV", 230, "NUL_.VOV"},
        {"COM1", 230, "COM1_"},
        {"LPT1.txt", 230, "LPT1_.txt"},
        {"Aux .tar.gz", 230, "Aux_ .tar.gz"},
        {"NUL:", 230, "NUL_"},
        {"CONSOLE.VOV", 230, "CONSOLE.VOV"},
        {"COM10.VOV", 230, "COM10.VOV"},
        {"LPT.VOV", 230, "LPT.VOV"},
        {"X.CON", 230, "X.CON"},
        {longName, 230, std::string(226, 'A') + ".VOV"},
        {longName, 20, std::string(16, 'A') + ".VOV"},
        {std::string(300, 'B'), 230, std::string(230, 'B')},
        {umlauts, 230, std::string(113, '\xFC') + ".VOV"},
        {std::string(40, 'C') + "." + std::string(40, 'D'), 30, std::string(30, 'C')},
        {"NULLIFY.VOV", 3, "NUL_"},
        {"GYMNASIUM NORD.VOV", 230, "GYMNASIUM NORD.VOV"},
    };
    for (const auto& c : devices)
        EXPECT_EQ(CleanEntryFileName(c.typed, c.limit), c.written) << c.typed << " " << c.limit;

    addTeam(0, 0, "REALSCHULE SÜD");
    run([&](TMeldefile& m) {
        m.Path->SetText(dir_.path());
        m.FileName->SetText("?*.");
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Bitte geben Sie einen Dateinamen an!");
    EXPECT_EQ(boxes[0].title, "Fehler");
    EXPECT_EQ(ini("FileName"), "");
}

// A school named after a device and a name longer than a folder takes
// still give an entry file.
TEST_F(EntryFileCommand, DeviceNamesAndOverlongNamesStillGiveAFile)
{
    addTeam(0, 0, "CON");
    const std::string longName = std::string(300, 'N') + ".VOV";
    const struct {
        std::string typed;  // empty: the preset name
        std::string file;
    } cases[] = {{"", "CON_.VOV"}, {"lpt1.txt", "lpt1_.txt"}, {longName, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.substr(0, 20));
        boxes.clear();
        run([&](TMeldefile& m) {
            m.Path->SetText(dir_.path());
            if (!c.typed.empty())
                m.FileName->SetText(c.typed);
        });
        EXPECT_TRUE(boxes.empty()) << boxes[0].text;
        std::string line;
        for (const std::string& l : logLines())
            if (l.find("Meldedatei ") != std::string::npos)
                line = l;
        const std::string prefix = "Meldedatei " + dir_.path() + "\\";
        const size_t at = line.find(prefix);
        ASSERT_NE(at, std::string::npos) << line;
        const std::string written = line.substr(at + prefix.size(), line.rfind(" wurde erzeugt!") - at - prefix.size());
        if (!c.file.empty()) {
            EXPECT_EQ(written, c.file);
        } else {
            EXPECT_EQ(written.substr(written.size() - 4), ".VOV");
            EXPECT_EQ(written.find_first_not_of('N'), written.size() - 4);
            EXPECT_LE(written.size() + dir_.path().size() + 1 + kel::kTempSuffixLength, size_t(MAX_PATH - 1));
        }
        EXPECT_EQ(kel::test::FileBytes(dir_.path() + "\\" + written).rfind("<?xml", 0), 0u);
        EXPECT_EQ(ini("FileName"), c.typed.empty() ? "CON.VOV" : c.typed);
    }
}

TEST_F(EntryFileCommand, AFailedWriteIsShownAndLogged)
{
    addTeam(0, 0, "REALSCHULE SÜD");
    // A file where the folder should be: the folder cannot be made.
    const std::string blocker = dir_.path() + "\\block";
    std::ofstream(blocker) << "x";
    run([&](TMeldefile& m) {
        m.Path->SetText(blocker + "\\sub");
        m.FileName->SetText("M.VOV");
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Die Meldedatei konnte nicht erzeugt werden!");
    EXPECT_EQ(boxes[0].title, "Fehler");
    ASSERT_FALSE(logLines().empty());
    EXPECT_TRUE(isLogLine(logLines()[0], "FEHLER! Meldedatei " + blocker + "\\sub\\M.VOV konnte nicht erzeugt werden!"));
    EXPECT_EQ(ini("MeldePath"), "");
}

TEST_F(EntryFileCommand, MailHandsTheFileOverOrReportsTheFailure)
{
    addTeam(0, 0, "REALSCHULE SÜD");
    kel::IniFile settings(state_.settings.iniFile);
    settings.set("Internet", "TEST", "alt@veranstalter.de");
    ASSERT_TRUE(settings.save());
    const std::string record = dir_.path() + "\\mapi.log";
    SetEnvironmentVariableA("KEL_MAPI_LOG", record.c_str());
    const std::string path = dir_.path() + "\\M.VOV";
    auto fill = [&](TMeldefile& m) {
        m.RadioGroup1->SetItemIndex(1);
        m.Path->SetText(dir_.path());
        m.FileName->SetText("M.VOV");
        m.MailAdress->SetText("info@veranstalter.de");
    };

    SetEnvironmentVariableA("KEL_MAPI_SEND_RC", "2");  // the mail program refuses
    run(fill);
    EXPECT_EQ(presetMail, "alt@veranstalter.de");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Die Meldung konnte leider nicht an Ihr Mailprogramm übergeben werden!");
    EXPECT_EQ(boxes[0].title, "Fehler");
    EXPECT_TRUE(exists(path));  // the file stays
    EXPECT_EQ(ini("Internet"), "alt@veranstalter.de");
    std::vector<std::string> log = logLines();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_TRUE(isLogLine(log[3], "Fehler! Meldedatei konnte nicht übergeben werden!"));

    boxes.clear();
    SetEnvironmentVariableA("KEL_MAPI_SEND_RC", "0");
    run(fill);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Die Meldedatei wurde erfolgreich an Ihr Mailprogramm übergeben!");
    EXPECT_EQ(boxes[0].title, "Information");
    EXPECT_EQ(ini("Internet"), "info@veranstalter.de");
    log = logLines();
    ASSERT_EQ(log.size(), 12u);
    EXPECT_TRUE(isLogLine(log[9], "Meldedatei " + path + " an info@veranstalter.de wurde an das Mailprogramm übergeben"));
    const std::string sent = kel::test::FileBytes(record);
    EXPECT_NE(sent.find("subject=Online-Wettkampfmeldung"), std::string::npos) << sent;
    EXPECT_NE(sent.find("address=SMTP:info@veranstalter.de"), std::string::npos) << sent;
    EXPECT_NE(sent.find("path=" + path), std::string::npos) << sent;
}

} // namespace

namespace {

// The whole road: entries typed into the grid, then the wizard run modally
// and clicked through as the teacher does it, and the file it writes.
TEST_F(EntryFileCommand, TypedEntriesReachTheEntryFileThroughTheWizard)
{
    MeldeWin* w = open(0);
    ASSERT_NE(w, nullptr);
    typeName(w, 0, "Meier, Anna");
    kel::test::sendChar(w->grid()->handle(), '\r');
    w->grid()->setCurrent(1, 0);
    kel::test::sendText(w->grid()->handle(), "98\r");
    w->grid()->setCurrent(3, 0);
    kel::test::sendText(w->grid()->handle(), "+");
    pump();

    const std::string folder = dir_.path() + "\\meldung";
    std::vector<std::string> pagesSeen;
    modal = [&](TForm* form) {
        auto* m = dynamic_cast<TMeldefile*>(form);
        if (!m)
            return 2;
        m->Path->SetText(folder);
        // Each step notes the page it finds, then clicks Next (Finish).
        auto next = [m, &pagesSeen] {
            TbsWizardPage* page = m->bsWizard1->ActivePage();
            pagesSeen.push_back(std::to_string(m->bsWizard1->GetActivePageIndex()));
            for (int i = 0; i < page->ControlCount(); ++i)
                if (page->Controls(i)->Caption() == "Herzlichen Glückwunsch!")
                    pagesSeen.push_back("Glückwunsch");
            m->bsWizard1->NextButton->Click();
        };
        return kel::test::runModal([m] { return static_cast<int>(m->ShowModal()); }, {next, next, next, next});
    };
    SendMessageA(frame->handle(), WM_COMMAND, 22, 0);
    pump();
    EXPECT_EQ(frame->entryWindow(0), nullptr);  // closed (and saved) first
    EXPECT_TRUE(pagesSeen == std::vector<std::string>({"0", "1", "2", "4", "Glückwunsch"}))
        << ::testing::PrintToString(pagesSeen);
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    const std::string path = folder + "\\" + school + ".VOV";
    const std::string bytes = kel::test::FileBytes(path);
    EXPECT_NE(bytes.find("Meier, Anna"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\"98\""), std::string::npos) << bytes;
    ASSERT_FALSE(logLines().empty());
    EXPECT_TRUE(isLogLine(logLines()[0], "Meldedatei " + path + " wurde erzeugt!"));
}

} // namespace
