// The start of the real program under Wine, from a program folder of its
// own: the fatal box and a clean end, the event chooser, the class choice
// that opens at once, and the single running copy.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/windows/ProgramRun.h"

namespace {

using kel::test::ProgramRun;
using kel::test::StaticTexts;
using kel::test::WindowText;

constexpr const char* kFrameClass = "VUZ50MDIframeCL";
constexpr const char* kTitle = "Zavrolin Leichtathletik 2011.2";
constexpr const char* kChooser = "Meldung öffnen";
constexpr const char* kFatal = "Das Zavrolin kann nicht initialisiert werden! Bitte installieren Sie es nochmals!";

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    for (const std::string& t : texts)
        if (t == text)
            return true;
    return false;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Clicks the button of that caption inside a window.
bool ClickButton(HWND window, const std::string& caption)
{
    for (HWND b : kel::test::Descendants(window, "Button"))
        if (WindowText(b) == caption) {
            PostMessageA(b, BM_CLICK, 0, 0);
            return true;
        }
    return false;
}

// Cancels the class choice and ends the program through its menu command.
void CancelAndQuit(ProgramRun& run, HWND chooser)
{
    ASSERT_TRUE(ClickButton(chooser, "Abbruch"));
    HWND frame = run.waitWindow(kTitle, 10000, kFrameClass);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(ProgramRun::waitFor([&] { return IsWindowEnabled(frame); }));
    PostMessageA(frame, WM_COMMAND, 4, 0);
    DWORD code = 99;
    ASSERT_TRUE(run.waitExit(&code));
    EXPECT_EQ(code, 0u);
}

TEST(Start, AStartThatCannotGoOnShowsTheFatalBoxAndEndsCleanly)
{
    const struct {
        const char* what;
        std::vector<std::string> events;
        const char* data;  // a fixture data set, or none
        bool loaderBox;    // the event loader's own box comes first
        const char* title; // of the frame that owns the box
    } cases[] = {
        {"no event file", {}, nullptr, false, "Zavrolin Leichathletik 2011.2"},
        {"an event file that cannot be loaded", {"hostile/jtfo.jtfo"}, nullptr, true, "Zavrolin Leichathletik 2011.2"},
        {"data files of another kind", {"A/treiber/KREIS2010.JTFO"}, "bad", false, kTitle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramRun run(c.events);
        if (c.data) {
            // The store's files start with a header whose magic number is wrong.
            run.copyData("A/veranst", "KREIS2010");
            for (const char* ext : {".SDA", ".MDA", ".STF"}) {
                const std::string file = run.path(std::string("veranst\\KREIS2010") + ext);
                auto bytes = kel::test::ReadBytes(file);
                bytes[100] ^= 0xFF;
                kel::test::WriteBytes(file, bytes);
            }
        }
        const auto mda = c.data ? kel::test::ReadBytes(run.path("veranst\\KREIS2010.MDA")) : std::vector<uint8_t>{};
        ASSERT_TRUE(run.start());
        if (c.loaderBox) {
            HWND loader = run.waitWindow("Fataler Fehler!", 15000, "#32770");
            ASSERT_NE(loader, nullptr);
            PostMessageA(loader, WM_COMMAND, IDOK, 0);
        }
        HWND box = run.waitWindow("Schwerer Fehler!", 15000, "#32770");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(Contains(StaticTexts(box), kFatal));
        EXPECT_EQ(WindowText(GetWindow(box, GW_OWNER)), c.title);
        EXPECT_EQ(run.findWindow(kChooser), nullptr);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        DWORD code = 99;
        ASSERT_TRUE(run.waitExit(&code));
        EXPECT_EQ(code, 0u);
        if (c.data) {
            EXPECT_EQ(kel::test::ReadBytes(run.path("veranst\\KREIS2010.MDA")), mda);
        }
    }
}

TEST(Start, OneEventFileIsLoadedWithoutTheChooserAndTheClassChoiceOpens)
{
    ProgramRun run({"A/treiber/KREIS2010.JTFO"});
    ASSERT_TRUE(run.start());
    HWND chooser = run.waitWindow(kChooser);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(run.findWindow("Wettbewerb wählen"), nullptr);
    HWND frame = run.findWindow(kTitle, kFrameClass);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(IsZoomed(frame));
    // Blank data files were written for the event.
    for (const char* ext : {".SDA", ".MDA", ".STF"})
        EXPECT_TRUE(Exists(run.path(std::string("veranst\\KREIS2010") + ext))) << ext;
    CancelAndQuit(run, chooser);
}

TEST(Start, TwoEventFilesAreOfferedAndADoubleClickChooses)
{
    ProgramRun run({"A/treiber/KREIS2010.JTFO", "B/treiber/CUP2010.JTFO"});
    ASSERT_TRUE(run.start());
    HWND dialog = run.waitWindow("Wettbewerb wählen");
    ASSERT_NE(dialog, nullptr) << run.windows();
    HWND list = GetDlgItem(dialog, 101);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    int cup = -1;
    std::vector<std::string> lines;
    for (int i = 0; i < 2; ++i) {
        wchar_t wide[256] = {};
        SendMessageW(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(wide));
        char line[256] = {};
        WideCharToMultiByte(1252, 0, wide, -1, line, sizeof line, nullptr, nullptr);
        lines.push_back(line);
        if (lines.back().find("Bodenseecup 2010") != std::string::npos)
            cup = i;
    }
    ASSERT_GE(cup, 0) << lines[0] << " / " << lines[1];
    EXPECT_NE(lines[size_t(1 - cup)].find("Kreisentscheid Musterstadt 2010"), std::string::npos);
    SendMessageA(list, LB_SETCURSEL, WPARAM(cup), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(101, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    HWND chooser = run.waitWindow(kChooser);
    ASSERT_NE(chooser, nullptr);
    EXPECT_NE(run.findWindow(kTitle, kFrameClass), nullptr);
    // The chosen event's data files, not the other's.
    EXPECT_TRUE(Exists(run.path("veranst\\CUP2010.SDA")));
    EXPECT_FALSE(Exists(run.path("veranst\\KREIS2010.SDA")));
    CancelAndQuit(run, chooser);
}

TEST(Start, AClosedEventChooserEndsTheProgramQuietly)
{
    ProgramRun run({"A/treiber/KREIS2010.JTFO", "C/treiber/PENDEL.JTFO"});
    ASSERT_TRUE(run.start());
    HWND dialog = run.waitWindow("Wettbewerb wählen");
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(run.waitExit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(Exists(run.path("veranst\\KREIS2010.SDA")));
    EXPECT_FALSE(Exists(run.path("veranst\\PENDEL.SDA")));
}

TEST(Start, ASecondCopyBringsTheFirstForwardAndEnds)
{
    ProgramRun run({"A/treiber/KREIS2010.JTFO"});
    ASSERT_TRUE(run.start());
    HWND chooser = run.waitWindow(kChooser);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(ClickButton(chooser, "Abbruch"));
    HWND frame = run.waitWindow(kTitle, 10000, kFrameClass);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(ProgramRun::waitFor([&] { return IsWindowEnabled(frame); }));
    ShowWindow(frame, SW_MINIMIZE);
    ASSERT_TRUE(ProgramRun::waitFor([&] { return IsIconic(frame); }));

    EXPECT_EQ(run.runAgain(), 0);
    EXPECT_TRUE(ProgramRun::waitFor([&] { return !IsIconic(frame) && IsZoomed(frame); }));
    EXPECT_EQ(GetForegroundWindow(), frame);
    EXPECT_TRUE(run.running());

    PostMessageA(frame, WM_COMMAND, 4, 0);
    DWORD code = 99;
    ASSERT_TRUE(run.waitExit(&code));
    EXPECT_EQ(code, 0u);
}

}  // namespace

namespace {

// Run by tools/check-package.sh under a fresh Wine prefix, on the folder
// unpacked from the package (KEL_PACKAGE_DIR).
TEST(Package, TheUnpackedProgramStartsAndMakesItsFiles)
{
    const char* folder = std::getenv("KEL_PACKAGE_DIR");
    if (!folder)
        GTEST_SKIP() << "KEL_PACKAGE_DIR is not set";
    ProgramRun run;
    run.useFolder(folder);
    ASSERT_TRUE(run.start());
    HWND chooser = run.waitWindow(kChooser, 60000);
    ASSERT_NE(chooser, nullptr);
    EXPECT_NE(run.findWindow(kTitle, kFrameClass), nullptr);
    EXPECT_TRUE(Exists(run.path("veranst\\KREIS2010.SDA")));
    CancelAndQuit(run, chooser);
    // The installation identity was made and kept in the settings file.
    char vid[80] = {};
    GetPrivateProfileStringA("Veranstaltung", "VID", "", vid, sizeof vid, run.path("kelvora.ini").c_str());
    EXPECT_EQ(std::string(vid).size(), 38u) << vid;
}

}  // namespace
