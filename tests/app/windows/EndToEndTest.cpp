// One teacher's work through the real program under Wine: choose a class,
// create its first team in the team dialog, type three athletes with their
// disciplines, check, print the entry form and the pupil list, write the
// entry file through the wizard, quit; the entry file and the data files
// then hold exactly these entries, and the next start finds them again.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/app/windows/ProgramRun.h"
#include "tests/app/windows/TeacherJob.h"
#include "tests/support/PrinterDevice.h"

namespace {

using kel::test::ProgramRun;
using kel::test::WindowText;
using namespace kel::test::job;

constexpr const char* kFrameClass = "VUZ50MDIframeCL";
constexpr const char* kTitle = "Zavrolin Leichtathletik 2011.2";

// Clicks the shown and enabled button of that caption.
bool ClickButton(HWND window, const std::string& caption)
{
    for (HWND b : kel::test::Descendants(window, "Button"))
        if (WindowText(b) == caption && IsWindowVisible(b) && IsWindowEnabled(b)) {
            PostMessageA(b, BM_CLICK, 0, 0);
            return true;
        }
    return false;
}

// Chooses a class in the class chooser.
void ChooseClass(ProgramRun& run, int32_t cls)
{
    HWND chooser = run.waitWindow("Meldung öffnen");
    ASSERT_NE(chooser, nullptr);
    std::vector<HWND> lists = kel::test::Descendants(chooser, "ListBox");
    ASSERT_EQ(lists.size(), 1u);
    SendMessageA(lists[0], LB_SETCURSEL, WPARAM(cls), 0);
    ASSERT_TRUE(ClickButton(chooser, "OK"));
}

// Answers the message box of that title with OK; its text.
std::string AnswerBox(ProgramRun& run, const char* title)
{
    HWND box = run.waitWindow(title, 15000, "#32770");
    if (!box)
        return "(kein Fenster \"" + std::string(title) + "\")";
    std::string text;
    for (const std::string& t : kel::test::StaticTexts(box))
        if (!t.empty())
            text = t;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

TEST(EndToEnd, ATeacherEntersATeamChecksPrintsWritesTheEntryFileAndFindsItAgain)
{
    // The printed pages go to the CUPS PDF queue, whose folder
    // end-to-end.sh names; the script reads their text afterwards.
    const char* pdfFolder = std::getenv("KEL_PDF_DIR");
    if (!pdfFolder)
        GTEST_SKIP() << "run by end-to-end.sh";
    const std::string pdfDir = pdfFolder;
    ProgramRun run({"A/treiber/KREIS2010.JTFO"});
    ASSERT_TRUE(run.start());
    ASSERT_NE(run.waitWindow("Meldung öffnen"), nullptr);
    // The blank files the start wrote: every byte not named below stays.
    auto sda = kel::test::ReadBytes(run.path("veranst\\KREIS2010.SDA"));
    auto mda = kel::test::ReadBytes(run.path("veranst\\KREIS2010.MDA"));
    ASSERT_EQ(sda.size(), 216108u);
    ASSERT_EQ(mda.size(), 418188u);
    ChooseClass(run, kClass);

    // An empty class asks for its first team.
    HWND dialog = run.waitWindow("Mannschaftsdatensatz erfassen/ändern");
    ASSERT_NE(dialog, nullptr);
    const std::vector<HWND> edits = kel::test::Descendants(dialog, "Edit");
    ASSERT_GE(edits.size(), std::size(kTeamFields));
    for (size_t i = 0; i < std::size(kTeamFields); ++i)
        SendMessageA(edits[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kTeamFields[i]));
    ASSERT_TRUE(ClickButton(dialog, "OK"));
    ASSERT_TRUE(ProgramRun::waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));

    // The entry window opens maximised: its title joins the frame's.
    const std::string merged = std::string(kTitle) + " - [II Jungen: Meldungen]";
    HWND frame = run.waitWindow(merged, 15000, kFrameClass);
    ASSERT_NE(frame, nullptr) << WindowText(run.findWindow(kTitle, kFrameClass));
    SetForegroundWindow(frame);
    ProgramRun::settle(frame);
    run.idle();
    for (int32_t m = 0; m < 3; ++m)
        TypeAthlete(run, m, kAthletes[m].name, kAthletes[m].jg, kAthletes[m].klasse, kAthletes[m].mask);

    // Check: the active entry window checks its class.
    PostMessageA(frame, WM_COMMAND, 10, 0);
    const std::string checked = AnswerBox(run, "Information");
    EXPECT_EQ(checked, "Es wurde kein Fehler in den Meldedaten gefunden!");

    // Print: the print choice lists the team's entry form and pupil list,
    // both ticked; the place typed there goes onto both pages.
    PostMessageA(frame, WM_COMMAND, 23, 0);
    HWND print = run.waitWindow("Drucken");
    ASSERT_NE(print, nullptr) << run.windows();
    const std::vector<HWND> printEdits = kel::test::Descendants(print, "Edit");
    ASSERT_EQ(printEdits.size(), 1u);
    SendMessageA(printEdits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Konstanz"));
    const std::vector<HWND> printLists = kel::test::Descendants(print, "ListBox");
    ASSERT_EQ(printLists.size(), 1u);
    // One entry form and one pupil list, both ticked.
    EXPECT_EQ(SendMessageA(printLists[0], LB_GETCOUNT, 0, 0), 2);
    ASSERT_TRUE(ClickButton(print, "OK"));
    // Both pages reach the PDF queue before the program ends.
    EXPECT_EQ(ProgramRun::waitFor([&] { return PrintedCount(pdfDir) >= 2; }, 60000), true);

    // The entry file: the wizard clicked through with its presets (saving
    // into "meldung" beside the program, named after the school).
    PostMessageA(frame, WM_COMMAND, 22, 0);
    HWND wizard = run.waitWindow("Meldedatei erstellen/verschicken");
    ASSERT_NE(wizard, nullptr) << run.windows();
    for (const char* caption : {"&Weiter >", "&Weiter >", "&Weiter >", "&Fertigstellen"}) {
        run.idle();
        ASSERT_TRUE(ProgramRun::waitFor([&] { return ClickButton(wizard, caption); })) << caption;
    }
    ASSERT_TRUE(ProgramRun::waitFor([&] { return !IsWindow(wizard) || !IsWindowVisible(wizard); }));
    // The file is written behind a wait window; on a loaded machine that
    // can take longer than the program's idle wait.
    const std::string entryPath = run.path("meldung\\GOETHE-GYMNASIUM.VOV");
    ASSERT_TRUE(ProgramRun::waitFor(
        [&] {
            return !run.findWindow("Bitte einen Augenblick Gelduld....") &&
                   GetFileAttributesA(entryPath.c_str()) != INVALID_FILE_ATTRIBUTES;
        },
        60000))
        << run.windows();
    run.idle();
    EXPECT_EQ(run.findWindow("Fehler"), nullptr);
    const auto entryFile = kel::test::ReadBytes(entryPath);
    EXPECT_EQ(std::string(entryFile.begin(), entryFile.end()), ExpectedEntryFile(run));

    PostMessageA(frame, WM_COMMAND, 4, 0);
    DWORD code = 99;
    ASSERT_TRUE(run.waitExit(&code));
    EXPECT_EQ(code, 0u);

    const auto written = kel::test::ReadBytes(run.path("veranst\\KREIS2010.SDA"));
    EXPECT_EQ(FirstDifference(written, ExpectedTeams(sda)), "");
    const auto writtenMda = kel::test::ReadBytes(run.path("veranst\\KREIS2010.MDA"));
    EXPECT_EQ(FirstDifference(writtenMda, ExpectedAthletes(mda)), "");

    // The next start finds the team: its window opens without the team
    // dialog, and quitting again changes nothing.
    ASSERT_TRUE(run.start());
    ChooseClass(run, kClass);
    frame = run.waitWindow(merged, 15000, kFrameClass);
    ASSERT_NE(frame, nullptr);
    ProgramRun::settle(frame);
    EXPECT_EQ(run.findWindow("Mannschaftsdatensatz erfassen/ändern"), nullptr);
    PostMessageA(frame, WM_COMMAND, 4, 0);
    ASSERT_TRUE(run.waitExit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(kel::test::ReadBytes(run.path("veranst\\KREIS2010.SDA")), written);
    EXPECT_EQ(kel::test::ReadBytes(run.path("veranst\\KREIS2010.MDA")), writtenMda);
}

// Pictures of the running program for tools/screenshot-program.sh: the
// frame with an entry window, then the error window of its check. At each
// picture the test leaves "<name>.ready" in KEL_SHOT_DIR and waits until the
// script has written "<name>.png" there.
bool WaitForShot(const std::string& folder, const std::string& name)
{
    const std::string ready = folder + "\\" + name + ".ready";
    const std::string png = folder + "\\" + name + ".png";
    HANDLE h = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    const bool taken = ProgramRun::waitFor(
        [&] { return GetFileAttributesA(png.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
    DeleteFileA(ready.c_str());
    return taken;
}

// A Wine prefix whose profile names no printer yet, because no program has
// used the spooler there: printing asks the spooler and finds its default
// printer, the CUPS PDF queue.
TEST(EndToEnd, APrinterTheProfileDoesNotNameYetIsFoundThroughTheSpooler)
{
    const char* pdfFolder = std::getenv("KEL_PDF_DIR");
    if (!pdfFolder)
        GTEST_SKIP() << "run by end-to-end.sh";
    const std::string pdfDir = pdfFolder;
    // The fixture team's pages; the queue numbers its jobs, so each page is
    // a new file.
    const char* pattern = "*_I_Jungen_Schiller*.pdf";
    const int before = PrintedCount(pdfDir, pattern);
    kel::test::PrinterDevice printer;  // puts the entry back at the end
    kel::test::PrinterDevice::set("");

    ProgramRun run({"A/treiber/KREIS2010.JTFO"});
    run.copyData("A/veranst", "KREIS2010");
    ASSERT_TRUE(run.start());
    ChooseClass(run, 0);
    HWND frame = run.waitWindow(std::string(kTitle) + " - [I Jungen: Meldungen]", 15000, kFrameClass);
    ASSERT_NE(frame, nullptr) << run.windows();
    PostMessageA(frame, WM_COMMAND, 23, 0);
    HWND print = run.waitWindow("Drucken");
    ASSERT_NE(print, nullptr) << run.windows();
    ASSERT_TRUE(ClickButton(print, "OK"));
    const bool printed = ProgramRun::waitFor(
        [&] { return PrintedCount(pdfDir, pattern) > before || run.findWindow("Fehler", "#32770") != nullptr; },
        60000);
    EXPECT_TRUE(printed);
    EXPECT_EQ(run.findWindow("Fehler", "#32770"), nullptr) << run.windows();
    EXPECT_GT(PrintedCount(pdfDir, pattern), before);
    if (HWND box = run.findWindow("Fehler", "#32770"))
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(frame, WM_COMMAND, 4, 0);
    DWORD code = 99;
    EXPECT_TRUE(run.waitExit(&code));
}

TEST(ProgramScreens, EntryWindowAndErrorWindow)
{
    const char* shotFolder = std::getenv("KEL_SHOT_DIR");
    if (!shotFolder)
        GTEST_SKIP() << "run by tools/screenshot-program.sh";
    ProgramRun run({"A/treiber/KREIS2010.JTFO"});
    run.copyData("A/veranst", "KREIS2010");
    ASSERT_TRUE(run.start());
    ChooseClass(run, 0);
    const std::string merged = std::string(kTitle) + " - [I Jungen: Meldungen]";
    HWND frame = run.waitWindow(merged, 15000, kFrameClass);
    ASSERT_NE(frame, nullptr) << run.windows();
    SetForegroundWindow(frame);
    ProgramRun::settle(frame);
    run.idle();
    // A fourth athlete entered in every discipline but the relay: more
    // than the class allows one athlete.
    TypeAthlete(run, 3, "Meier, Anna", "12", "7a", 0x7B);
    run.idle();
    ASSERT_TRUE(WaitForShot(shotFolder, "entry-window"));

    PostMessageA(frame, WM_COMMAND, 10, 0);
    EXPECT_EQ(AnswerBox(run, "Information"), "Ich habe einen Fehler in den Meldedaten gefunden!");
    ASSERT_TRUE(ProgramRun::waitFor([&] {
        for (HWND w : kel::test::Descendants(frame))
            if (WindowText(w) == "Meldefehler" && IsWindowVisible(w))
                return true;
        return false;
    })) << run.windows();
    ProgramRun::settle(frame);
    run.idle();
    ASSERT_TRUE(WaitForShot(shotFolder, "error-window"));
    PostMessageA(frame, WM_COMMAND, 4, 0);
    DWORD code = 99;
    EXPECT_TRUE(run.waitExit(&code));
}

}  // namespace
