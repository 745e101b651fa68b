// The optimised program as its user meets it: kelvora.exe under Wine, driven
// by real keyboard and mouse input (tests/support/RealInput.h), one scenario
// at a time on the shared desktop. Each scenario waits on what the user
// would see: the window in front, the focus, a page, a text, a file.
//
// Most scenarios share one program start on the sample event's data (class
// "I Jungen" open in its entry window, nothing else shown) and leave it so;
// one that cannot gets a fresh start before the next. The whole job by
// keyboard runs in a folder of its own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/windows/ProgramRun.h"
#include "tests/app/windows/TeacherJob.h"
#include "tests/support/RealInput.h"

namespace {

using namespace kel::test;
using kel::test::job::TypeAthlete;

constexpr const char* kFrameClass = "VUZ50MDIframeCL";
constexpr const char* kTitle = "Zavrolin Leichtathletik 2011.2";
constexpr const char* kTeamDialog = "Mannschaftsdatensatz erfassen/ändern";
constexpr const char* kWizard = "Meldedatei erstellen/verschicken";

// The program under test: the optimised build (KEL_RELEASE_PROGRAM), else
// this tree's own.
std::string ProgramUnderTest()
{
    const char* release = std::getenv("KEL_RELEASE_PROGRAM");
    if (!release || !*release)
        return BuildPath("app/kelvora.exe");
    std::string path = release;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Pictures for the eye: with KEL_SHOT_DIR set, the desktop at this moment
// goes into "<name>.png" there (taken by the script that runs this test,
// which sees the ".ready" mark).
void Picture(const std::string& name)
{
    const char* folder = std::getenv("KEL_SHOT_DIR");
    if (!folder)
        return;
    const std::string ready = std::string(folder) + "\\" + name + ".ready";
    const std::string png = std::string(folder) + "\\" + name + ".png";
    HANDLE h = CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(h);
    WaitUntil([&] { return GetFileAttributesA(png.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
    DeleteFileA(ready.c_str());
}

// A visible, enabled descendant of `parent` of that class whose text is
// `text` (any text when null).
HWND Child(HWND parent, const char* cls, const char* text = nullptr)
{
    for (HWND w : Descendants(parent, cls))
        if (IsWindowVisible(w) && (!text || ControlText(w) == text))
            return w;
    return nullptr;
}

// The rectangle of a tab of a tab control in another process, in the
// control's client coordinates: the control writes it into memory of its
// own process, which is read back.
RECT TabRect(HWND tabs, int index)
{
    RECT r{};
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return r;
    void* remote = VirtualAllocEx(process, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        DWORD_PTR ok = 0;
        SendMessageTimeoutA(tabs, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(remote), SMTO_BLOCK,
                            5000, &ok);
        if (ok)
            ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return r;
}

// The tabs a tab control marks pressed, as "0101".
std::string PressedTabs(HWND tabs)
{
    std::string out;
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return out;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(TCITEMA), MEM_COMMIT, PAGE_READWRITE);
    DWORD_PTR count = 0;
    SendMessageTimeoutA(tabs, TCM_GETITEMCOUNT, 0, 0, SMTO_BLOCK, 5000, &count);
    for (DWORD_PTR i = 0; remote && i < count; ++i) {
        TCITEMA item{};
        item.mask = TCIF_STATE;
        item.dwStateMask = TCIS_BUTTONPRESSED;
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        DWORD_PTR ok = 0;
        SendMessageTimeoutA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 5000, &ok);
        ReadProcessMemory(process, remote, &item, sizeof item, nullptr);
        out += (item.dwState & TCIS_BUTTONPRESSED) ? '1' : '0';
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return out;
}

int SelectedTab(HWND tabs)
{
    DWORD_PTR index = DWORD_PTR(-1);
    SendMessageTimeoutA(tabs, TCM_GETCURSEL, 0, 0, SMTO_BLOCK, 5000, &index);
    return int(index);
}

bool IsWithin(HWND outer, HWND w)
{
    return w && (w == outer || IsChild(outer, w));
}

// A menu command by its letters, as a user types it: a lone Alt puts the
// menu bar in menu mode, the menu's letter opens its popup, the item's
// letter chooses. Each key goes only once the program shows what the one
// before did, and the late focus events of the windows closed before are
// taken in first (they would end the menu), so that no letter is typed into
// the window beneath.
void Menu(char popup, char item)
{
    for (int i = 0; i < 3 && InMenuMode(); ++i) {
        Press(VK_ESCAPE);
        WaitUntil([] { return !InMenuMode(); }, 2000);
    }
    TakeLateFocusEvents();
    for (int i = 0; i < 3 && !InMenuMode(); ++i) {
        Press(VK_MENU);
        WaitUntil([] { return InMenuMode(); }, 8000);
    }
    Press(WORD(popup));
    WaitUntil([] {
        HWND popupMenu = FindWindowA("#32768", nullptr);
        return InMenuMode() && popupMenu && IsWindowVisible(popupMenu);
    });
    Press(WORD(item));
}

// A menu command that opens a window, by its letters. On a busy machine the
// command now and then does not arrive (its cause is not found yet): a user
// would simply choose again, and so does this, once, and says so.
HWND MenuWindow(const ProgramRun& run, char popup, char item, const std::string& title)
{
    Menu(popup, item);
    if (HWND w = run.waitWindow(title, 8000))
        return w;
    std::printf("menu %c/%c: \"%s\" did not open, chosen again\n", popup, item, title.c_str());
    for (int i = 0; i < 3 && InMenuMode(); ++i)
        Press(VK_ESCAPE);
    Menu(popup, item);
    return run.waitWindow(title);
}

// One program start shared by the scenarios: the sample event, class
// "I Jungen" open and maximised in the frame.
class Desk {
public:
    // The program in its resting state, started (again) when it is not.
    static Desk& ready()
    {
        static std::unique_ptr<Desk> desk;
        if (desk && !desk->resting())
            desk->reopen();
        if (!desk || !desk->resting()) {
            desk.reset();
            desk = std::make_unique<Desk>();
            desk->open();
        }
        return *desk;
    }

    Desk() : run({"A/treiber/KREIS2010.JTFO"})
    {
        run.useProgram(ProgramUnderTest());
        run.copyData("A/veranst", "KREIS2010");
    }

    void open()
    {
        ASSERT_TRUE(run.start());
        HWND chooser = run.waitWindow("Meldung öffnen");
        ASSERT_NE(chooser, nullptr) << run.windows();
        ASSERT_TRUE(WaitUntil([&] { return Foreground() == chooser; })) << run.windows();
        Press(VK_RETURN);  // the first class is chosen
        frame = run.waitWindow(std::string(kTitle) + " - [I Jungen: Meldungen]", 15000, kFrameClass);
        ASSERT_NE(frame, nullptr) << run.windows();
        ASSERT_TRUE(WaitUntil([&] { return Foreground() == frame; })) << run.windows();
        run.idle();
    }

    // Printing and the entry file close the entry windows (they store
    // what they show first): the class is opened again by "Datei >
    // Meldungen öffnen...".
    void reopen()
    {
        if (!run.running() || !frame || Foreground() != frame || entryWindowShown() || others())
            return;
        menu('D', 'F');
        HWND chooser = run.waitWindow("Meldung öffnen");
        if (!chooser || !WaitUntil([&] { return Foreground() == chooser; }))
            return;
        Press(VK_RETURN);
        WaitUntil([&] { return entryWindowShown() && Foreground() == frame; });
    }

    // Running, the frame in front and enabled with the entry window, no
    // other window of the program shown.
    bool resting() const
    {
        return run.running() && frame && Foreground() == frame && IsWindowEnabled(frame) && entryWindowShown() &&
               !others();
    }

    // A window of the program other than the frame is shown.
    bool others() const
    {
        struct Search {
            DWORD pid;
            HWND frame;
            bool other;
        } s{run.pid(), frame, false};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* search = reinterpret_cast<Search*>(p);
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == search->pid && w != search->frame && IsWindowVisible(w) && !IsIconic(w)) {
                    RECT r{};
                    GetWindowRect(w, &r);
                    if (r.right - r.left > 1 && r.bottom - r.top > 1)
                        search->other = true;
                }
                return !search->other;
            },
            reinterpret_cast<LPARAM>(&s));
        return s.other;
    }

    bool entryWindowShown() const
    {
        for (HWND w : Descendants(frame))
            if (ClassOf(w).rfind("MDIchildCL", 0) == 0 && IsWindowVisible(w))
                return true;
        return false;
    }

    // The team dialog of the shown team, through the grid's context menu
    // opened by Alt+F10 ("Mannschaftsdaten..." is its second line).
    HWND teamDialog()
    {
        Chord({VK_MENU, VK_F10});
        if (!WaitUntil([] { return InMenuMode(); }))
            return nullptr;
        Press(VK_DOWN);
        Press(VK_DOWN);
        Press(VK_RETURN);
        HWND dialog = run.waitWindow(kTeamDialog);
        if (dialog && !WaitUntil([&] { return Foreground() == dialog; }))
            return nullptr;
        return dialog;
    }

    // A frame menu's command by its letters: Alt+D then the item's letter.
    void menu(char popup, char item) { Menu(popup, item); }

    ProgramRun run;
    HWND frame = nullptr;
};

struct Scenario {
    const char* name;
    std::function<void(Desk&)> play;
};
void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }

// --- the team dialog -------------------------------------------------------

// Alt + a letter as a user types it: Alt held, the letter pressed, and the
// two let go in either order (Alt first is common).
void AltLetter(char letter, bool altLetGoFirst)
{
    HoldKeys({VK_MENU});
    SendKey(WORD(letter));
    if (altLetGoFirst) {
        SendKey(VK_MENU, true);
        SendKey(WORD(letter), true);
    } else {
        SendKey(WORD(letter), true);
        SendKey(VK_MENU, true);
    }
}

// Alt + a page's letter shows the page and puts the focus in its first field;
// typed text lands there, no menu opens, a blank and "s" close nothing. The
// same for a field's letter on the shown page.
void AltLetterLeavesNoMenuMode(Desk& desk)
{
    for (bool altFirst : {true, false}) {
        SCOPED_TRACE(altFirst ? "Alt zuerst losgelassen" : "Buchstabe zuerst losgelassen");
        HWND dialog = desk.teamDialog();
        ASSERT_NE(dialog, nullptr) << desk.run.windows();
        HWND tabs = Child(dialog, "SysTabControl32");
        ASSERT_NE(tabs, nullptr);
        if (altFirst)
            Picture("team-dialog");
        AltLetter('B', altFirst);
        ASSERT_TRUE(WaitUntil([&] { return SelectedTab(tabs) == 1; }));
        HWND betreuer = Child(dialog, "Edit", "Frau Müller");
        ASSERT_NE(betreuer, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return FocusWindow() == betreuer; }));
        Press(VK_END);
        TypeText(" und Herr Roth s");
        EXPECT_TRUE(WaitUntil([&] { return ControlText(betreuer) == "Frau Müller und Herr Roth s"; }))
            << ControlText(betreuer);
        EXPECT_FALSE(InMenuMode());
        ASSERT_TRUE(IsWindowVisible(dialog));
        AltLetter('D', altFirst);
        HWND tel1 = Child(dialog, "Edit", "0711 1234");
        ASSERT_NE(tel1, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return FocusWindow() == tel1; }));
        Press(VK_END);
        TypeText(" 0");
        EXPECT_TRUE(WaitUntil([&] { return ControlText(tel1) == "0711 1234 0"; })) << ControlText(tel1);
        EXPECT_FALSE(InMenuMode());
        if (InMenuMode())
            Press(VK_ESCAPE);
        Press(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
        ASSERT_TRUE(WaitUntil([&] { return Foreground() == desk.frame; })) << desk.run.windows();
    }
}

// Ctrl+Tab and Ctrl+Shift+Tab step through the pages, round; the focus
// goes along.
void CtrlTabSwitchesPages(Desk& desk)
{
    HWND dialog = desk.teamDialog();
    ASSERT_NE(dialog, nullptr) << desk.run.windows();
    HWND tabs = Child(dialog, "SysTabControl32");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(SelectedTab(tabs), 0);
    const int forward[] = {1, 2, 3, 0};
    for (int page : forward) {
        Chord({VK_CONTROL, VK_TAB});
        EXPECT_TRUE(WaitUntil([&] { return SelectedTab(tabs) == page; })) << "Strg+Tab nach Seite " << page;
        EXPECT_TRUE(WaitUntil([&] { return IsWithin(dialog, FocusWindow()); }));
    }
    for (int page : {3, 2}) {
        Chord({VK_CONTROL, VK_SHIFT, VK_TAB});
        EXPECT_TRUE(WaitUntil([&] { return SelectedTab(tabs) == page; })) << "Strg+Umschalt+Tab nach Seite " << page;
    }
    // Typed text lands in the first field of the page now shown.
    Chord({VK_CONTROL, VK_SHIFT, VK_TAB});
    ASSERT_TRUE(WaitUntil([&] { return SelectedTab(tabs) == 1; }));
    HWND betreuer = Child(dialog, "Edit", "Frau Müller");
    EXPECT_TRUE(WaitUntil([&] { return FocusWindow() == betreuer; }));
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
}

// A click on a page's tab shows that page, also after the arrow keys
// changed pages on the focused tabs.
void ClicksOnTabsAlwaysSwitch(Desk& desk)
{
    HWND dialog = desk.teamDialog();
    ASSERT_NE(dialog, nullptr) << desk.run.windows();
    HWND tabs = Child(dialog, "SysTabControl32");
    ASSERT_NE(tabs, nullptr);
    auto clickTab = [&](int page) {
        RECT r = TabRect(tabs, page);
        ASSERT_LT(r.left, r.right) << "Reiter " << page;
        Click(tabs, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        // Now and then (about once in ten runs of the table on a loaded
        // machine) a click shows no effect although the tabs' state is
        // sound; its cause is not found. The stale pressed mark ignores
        // every click, so a second click still finds that fault.
        if (!WaitUntil([&] { return SelectedTab(tabs) == page; }, 2000)) {
            std::fprintf(stderr, "Klick auf Reiter %d ohne Wirkung, wiederholt\n", page);
            Click(tabs, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        }
        EXPECT_TRUE(WaitUntil([&] { return SelectedTab(tabs) == page; }))
            << "Klick auf Reiter " << page << ", gezeigt " << SelectedTab(tabs) << ", gedrückt " << PressedTabs(tabs);
    };
    auto arrow = [&](WORD key, int page) {
        Press(key);
        EXPECT_TRUE(WaitUntil([&] { return SelectedTab(tabs) == page; })) << "Pfeiltaste nach Seite " << page;
    };
    clickTab(0);
    ASSERT_TRUE(WaitUntil([&] { return FocusWindow() == tabs; }));
    arrow(VK_RIGHT, 1);
    arrow(VK_RIGHT, 2);
    clickTab(1);
    arrow(VK_LEFT, 0);
    clickTab(3);
    arrow(VK_LEFT, 2);
    arrow(VK_LEFT, 1);
    clickTab(2);
    clickTab(0);
    arrow(VK_RIGHT, 1);
    clickTab(1);  // the tab shown already
    clickTab(3);
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
}

// --- the entry-file wizard ------------------------------------------------

// The wizard's page, seen by its fields: 1 the team list, 2 the folder.
int WizardPage(HWND wizard)
{
    if (Child(wizard, "ListBox"))
        return 1;
    for (HWND e : Descendants(wizard, "Edit"))
        if (IsWindowVisible(e) && ControlText(e).find(".VOV") != std::string::npos)
            return 2;
    return 0;
}

// A hint (tool tip) shown on the desktop, or null.
HWND VisibleTip()
{
    for (HWND tip = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); tip;
         tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr))
        if (IsWindowVisible(tip))
            return tip;
    return nullptr;
}

HWND OpenWizard(Desk& desk)
{
    HWND wizard = MenuWindow(desk.run, 'D', 'E', kWizard);
    if (wizard)
        WaitUntil([&] { return Foreground() == wizard; });
    return wizard;
}

// Alt+W, Alt+Z and Alt+A act as the buttons "&Weiter >", "< &Zurück" and
// "&Abbruch" do.
void WizardCaptionLetters(Desk& desk)
{
    HWND wizard = OpenWizard(desk);
    ASSERT_NE(wizard, nullptr) << desk.run.windows();
    ASSERT_EQ(WizardPage(wizard), 0);
    Chord({VK_MENU, 'W'});
    EXPECT_TRUE(WaitUntil([&] { return WizardPage(wizard) == 1; }));
    Picture("wizard-teams");
    Chord({VK_MENU, 'W'});
    EXPECT_TRUE(WaitUntil([&] { return WizardPage(wizard) == 2; }));
    Chord({VK_MENU, 'Z'});
    EXPECT_TRUE(WaitUntil([&] { return WizardPage(wizard) == 1; }));
    EXPECT_FALSE(InMenuMode());
    Chord({VK_MENU, 'A'});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(wizard) || !IsWindowVisible(wizard); }));
    EXPECT_TRUE(WaitUntil([&] { return Foreground() == desk.frame; }));
}

// The folder browser opens over the wizard; its hint does not stay; after
// it is cancelled the wizard is active, in front and takes keys again.
void FolderBrowserReturnsToTheWizard(Desk& desk)
{
    HWND wizard = OpenWizard(desk);
    ASSERT_NE(wizard, nullptr) << desk.run.windows();
    for (int page : {1, 2}) {
        HWND next = Child(wizard, "Button", "&Weiter >");
        ASSERT_NE(next, nullptr);
        ClickCenter(next);
        ASSERT_TRUE(WaitUntil([&] { return WizardPage(wizard) == page; }));
    }
    // The folder field and its first button, left of the create-folder one.
    HWND path = nullptr;
    for (HWND w : Descendants(wizard))
        if (IsWindowVisible(w) && ClassOf(w) != "Edit" && Descendants(w, "Edit").size() == 1 &&
            ControlText(Descendants(w, "Edit")[0]).find('\\') != std::string::npos)
            path = w;
    ASSERT_NE(path, nullptr);
    RECT client{};
    GetClientRect(path, &client);
    const int buttonWidth = GetSystemMetrics(SM_CXHTHUMB);
    POINT button{client.right - 2 - 18 - buttonWidth / 2, client.bottom / 2};
    // The mouse rests on the button until its hint shows, then clicks.
    ClientToScreen(path, &button);
    MoveMouse(button);
    EXPECT_TRUE(WaitUntil([] { return VisibleTip() != nullptr; }, 5000)) << "kein Hinweis am Knopf";
    Picture("folder-button-hint");
    ClickScreen(button);
    const std::vector<std::string> browserTitles = {"Ordner suchen", "Nach Ordner suchen", "Browse for Folder"};
    HWND browser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        HWND f = Foreground();
        DWORD pid = 0;
        GetWindowThreadProcessId(f, &pid);
        if (f && f != wizard && pid == desk.run.pid() && ClassOf(f) == "#32770")
            browser = f;
        return browser != nullptr;
    })) << desk.run.windows();
    // Over its owner: the browser's middle lies on the wizard.
    RECT b{}, w{};
    GetWindowRect(browser, &b);
    GetWindowRect(wizard, &w);
    const POINT middle{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
    EXPECT_TRUE(PtInRect(&w, middle)) << "Ordnerauswahl bei " << b.left << "," << b.top;
    // No hint of the button stays shown over the open browser.
    // No hint shows over the open browser, also while the mouse rests where
    // the button is.
    EXPECT_TRUE(WaitUntil([] { return VisibleTip() == nullptr; }, 3000)) << "der Hinweis bleibt stehen";
    EXPECT_FALSE(WaitUntil([] { return VisibleTip() != nullptr; }, 1500)) << "der Hinweis erscheint über der Ordnerauswahl";
    Picture("folder-browser");
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
    EXPECT_TRUE(WaitUntil([&] { return Foreground() == wizard; })) << "im Vordergrund: " << WindowText(Foreground());
    EXPECT_TRUE(IsWindowEnabled(wizard));
    // Above the frame.
    bool wizardFirst = false;
    for (HWND z = GetTopWindow(nullptr); z; z = GetWindow(z, GW_HWNDNEXT)) {
        if (z == wizard) {
            wizardFirst = true;
            break;
        }
        if (z == desk.frame)
            break;
    }
    EXPECT_TRUE(wizardFirst) << "der Assistent liegt hinter dem Rahmen";
    Picture("wizard-after-browser");
    // It takes keys again: Escape is its "Abbruch".
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(wizard) || !IsWindowVisible(wizard); }));
    EXPECT_TRUE(WaitUntil([&] { return Foreground() == desk.frame; }));
}

// --- help -------------------------------------------------------------------

// F1 and "Hilfe > Inhalt" without a help file: a German message says so,
// and the frame is in front again after it.
void HelpWithoutHelpFile(Desk& desk)
{
    const std::string text = "Die Hilfedatei wurde nicht gefunden:\n" + desk.run.path("kelvora.chm");
    for (int way = 0; way < 2; ++way) {
        HWND box = nullptr;
        if (way == 0) {
            Press(VK_F1);
            box = desk.run.waitWindow("Information", 15000, "#32770");
        } else {
            box = MenuWindow(desk.run, 'H', 'I', "Information");
        }
        ASSERT_NE(box, nullptr) << (way ? "Hilfe > Inhalt" : "F1") << ": " << desk.run.windows();
        bool said = false;
        for (const std::string& t : StaticTexts(box))
            said = said || t == text;
        EXPECT_TRUE(said);
        ASSERT_TRUE(WaitUntil([&] { return Foreground() == box; }));
        Press(VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        EXPECT_TRUE(WaitUntil([&] { return Foreground() == desk.frame; }));
    }
}

// --- the error window ------------------------------------------------------

// The pixels of a window's place on the screen, as the user sees them.
std::vector<COLORREF> ScreenPixels(HWND w)
{
    RECT r{};
    GetWindowRect(w, &r);
    std::vector<COLORREF> out;
    HDC screen = GetDC(nullptr);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            out.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return out;
}

// A tool-bar button of the frame, by its row (0 the frame's tool bar, 1 the
// entry window's) and its place from the left among the buttons.
HWND ToolButton(HWND frame, int row, size_t index)
{
    std::vector<std::pair<RECT, HWND>> buttons;
    for (HWND w : Descendants(frame)) {
        RECT r{};
        GetWindowRect(w, &r);
        if (IsWindowVisible(w) && r.right - r.left == 25 && r.bottom - r.top == 25)
            buttons.push_back({r, w});
    }
    std::vector<LONG> tops;
    for (const auto& b : buttons)
        if (std::find(tops.begin(), tops.end(), b.first.top) == tops.end())
            tops.push_back(b.first.top);
    std::sort(tops.begin(), tops.end());
    if (size_t(row) >= tops.size())
        return nullptr;
    std::vector<std::pair<LONG, HWND>> inRow;
    for (const auto& b : buttons)
        if (b.first.top == tops[size_t(row)])
            inRow.push_back({b.first.left, b.second});
    std::sort(inRow.begin(), inRow.end());
    return index < inRow.size() ? inRow[index].second : nullptr;
}

// After the error window of a check is closed by Ctrl+F4, the entry
// window's tool bar looks as before: no part of a button keeps what the
// error window showed there (the entry window moved back behind it).
void ErrorWindowClosedByCtrlF4(Desk& desk)
{
    HWND button = ToolButton(desk.frame, 1, 0);
    ASSERT_NE(button, nullptr);
    HWND check = ToolButton(desk.frame, 0, 1);  // "Meldefehler prüfen"
    ASSERT_NE(check, nullptr);
    const std::vector<COLORREF> before = ScreenPixels(button);
    // A fourth athlete in every discipline but the relay: more than the
    // class allows one athlete.
    TypeAthlete(desk.run, 3, "Meier, Anna", "12", "7a", 0x7B);
    // A click on the check button; the mouse stays there.
    ClickCenter(check);
    HWND box = desk.run.waitWindow("Information", 15000, "#32770");
    ASSERT_NE(box, nullptr) << desk.run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == box; }));
    Press(VK_RETURN);
    HWND errors = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w : Descendants(desk.frame))
            if (WindowText(w) == "Meldefehler" && IsWindowVisible(w))
                errors = w;
        return errors != nullptr;
    })) << desk.run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == desk.frame; }));
    Picture("error-window");
    // The teacher reads the list a moment; only after such a while did the
    // entry window come back with the error window's pixels on it.
    UserPause(2000);
    Chord({VK_CONTROL, VK_F4});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(errors) || !IsWindowVisible(errors); }));
    desk.run.idle();
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(button) == before; }, 3000))
        << "der Knopf \"Mannschaft speichern\" sieht anders aus als vorher";
    Picture("entry-window-after-error-window");
}

// --- the grid --------------------------------------------------------------

// "Teilnehmer löschen" from the grid's context menu (Alt+F10) asks about the
// athlete of the selected row, here the third, chosen by the arrow keys on
// the first team tab; "Nein" keeps him.
void DeleteAsksAboutTheSelectedAthlete(Desk& desk)
{
    auto key = [&](WORD vk) {
        Press(vk);
        desk.run.idle();
    };
    key(VK_HOME);
    key(VK_DOWN);
    key(VK_DOWN);
    Chord({VK_MENU, VK_F10});
    ASSERT_TRUE(WaitUntil([] { return InMenuMode(); }));
    for (int i = 0; i < 6; ++i)  // the sixth line, past the separators
        Press(VK_DOWN);
    Press(VK_RETURN);
    HWND box = desk.run.waitWindow("Achtung", 15000, "#32770");
    ASSERT_NE(box, nullptr) << desk.run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == box; }));
    const std::vector<std::string> texts = StaticTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Möchten Sie den Teilnehmer »Jonas Weiß« wirklich löschen?"),
              texts.end())
        << ::testing::PrintToString(texts);
    Press('N');
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == desk.frame; })) << desk.run.windows();
    key(VK_UP);
    key(VK_UP);
}

const Scenario kScenarios[] = {
    {"AltLetterInTheTeamDialogLeavesNoMenuMode", AltLetterLeavesNoMenuMode},
    {"CtrlTabSwitchesTheTeamDialogsPages", CtrlTabSwitchesPages},
    {"ClicksOnPageTabsAlwaysSwitch", ClicksOnTabsAlwaysSwitch},
    {"WizardCaptionLettersActAsItsButtons", WizardCaptionLetters},
    {"FolderBrowserOpensOverTheWizardAndReturnsToIt", FolderBrowserReturnsToTheWizard},
    {"HelpWithoutHelpFileSaysSo", HelpWithoutHelpFile},
    {"ErrorWindowClosedByCtrlF4LeavesTheToolBarWhole", ErrorWindowClosedByCtrlF4},
    {"DeleteAsksAboutTheSelectedAthlete", DeleteAsksAboutTheSelectedAthlete},
};

class UserScenario : public ::testing::TestWithParam<Scenario> {};

TEST_P(UserScenario, Plays)
{
    Desk& desk = Desk::ready();
    ASSERT_TRUE(desk.resting()) << desk.run.windows();
    GetParam().play(desk);
}

INSTANTIATE_TEST_SUITE_P(Real, UserScenario, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& row) { return std::string(row.param.name); });

// --- the whole job by keyboard ------------------------------------------

// Puts text into a field that takes the focus by Alt + its letter: the old
// text selected and typed over.
void FillByLetter(HWND dialog, char letter, HWND field, const std::string& text)
{
    Chord({VK_MENU, WORD(letter)});
    ASSERT_TRUE(WaitUntil([&] { return FocusWindow() == field; }))
        << "Alt+" << letter << ": Fokus bei \"" << ControlText(FocusWindow()) << "\"";
    Press(VK_HOME);
    Chord({VK_SHIFT, VK_END});
    TypeText(text);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(field) == text; })) << ControlText(field);
    ASSERT_FALSE(InMenuMode()) << "Alt+" << letter;
    ASSERT_TRUE(IsWindowVisible(dialog));
}

// Tab until the focus is on that control.
bool TabTo(HWND control)
{
    for (int i = 0; i < 12; ++i) {
        if (WaitUntil([&] { return FocusWindow() == control; }, 300))
            return true;
        Press(VK_TAB);
    }
    return FocusWindow() == control;
}

// Chooses a class of the class chooser by the arrow keys and Enter; the
// frame with its entry window then is in front.
HWND ChooseClassByKeys(ProgramRun& run, int downs, const std::string& className)
{
    HWND chooser = run.waitWindow("Meldung öffnen");
    if (!chooser || !WaitUntil([&] { return Foreground() == chooser; }))
        return nullptr;
    for (int i = 0; i < downs; ++i)
        Press(VK_DOWN);
    Press(VK_RETURN);
    return run.waitWindow(std::string(kTitle) + " - [" + className + ": Meldungen]", 15000, kFrameClass);
}

// Choose the class, make its first team in the team dialog by Alt + the
// fields' letters, type three athletes, check, print both forms, write the
// entry file through the wizard by Alt+W, quit; the files hold exactly
// that, and the next start finds it all again. Nothing but keys.
TEST(UserJob, TheWholeJobByKeyboard)
{
    using namespace kel::test::job;
    const char* pdfFolder = std::getenv("KEL_PDF_DIR");
    if (!pdfFolder)
        GTEST_SKIP() << "run by user-scenarios.sh, which reads the printed pages";
    ProgramRun run({"A/treiber/KREIS2010.JTFO"});
    run.useProgram(ProgramUnderTest());
    ASSERT_TRUE(run.start());
    ASSERT_NE(run.waitWindow("Meldung öffnen"), nullptr) << run.windows();
    const auto sda = ReadBytes(run.path("veranst\\KREIS2010.SDA"));
    const auto mda = ReadBytes(run.path("veranst\\KREIS2010.MDA"));
    ASSERT_EQ(sda.size(), 216108u);
    ASSERT_EQ(mda.size(), 418188u);

    // "II Jungen", the second class; being empty, it asks for its first team.
    HWND chooser = run.waitWindow("Meldung öffnen");
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == chooser; }));
    Press(VK_DOWN);
    Press(VK_RETURN);
    HWND dialog = run.waitWindow(kTeamDialog);
    ASSERT_NE(dialog, nullptr) << run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == dialog; }));
    const std::vector<HWND> edits = Descendants(dialog, "Edit");
    ASSERT_GE(edits.size(), std::size(kTeamFields));
    const char letters[] = {'N', 'W', 'R', 'P', 'K', 'S', 'O', 'E', 'B', 'D', 'P'};
    for (size_t i = 0; i < std::size(kTeamFields); ++i) {
        FillByLetter(dialog, letters[i], edits[i], kTeamFields[i]);
        if (HasFailure())
            return;
    }
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) << run.windows();

    const std::string merged = std::string(kTitle) + " - [" + kClassName + ": Meldungen]";
    HWND frame = run.waitWindow(merged, 15000, kFrameClass);
    ASSERT_NE(frame, nullptr) << run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == frame; }));
    run.idle();
    for (int32_t m = 0; m < 3; ++m)
        TypeAthlete(run, m, kAthletes[m]);

    // Check: "Datei > Meldefehler?".
    Menu('D', 'M');
    HWND box = run.waitWindow("Information", 15000, "#32770");
    ASSERT_NE(box, nullptr) << run.windows();
    std::vector<std::string> texts = StaticTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Es wurde kein Fehler in den Meldedaten gefunden!"), texts.end());
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == box; }));
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == frame; })) << run.windows();

    // Print both forms, with the place typed in.
    HWND print = MenuWindow(run, 'D', 'D', "Drucken");
    ASSERT_NE(print, nullptr) << run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == print; }));
    HWND place = Child(print, "Edit");
    ASSERT_NE(place, nullptr);
    ASSERT_TRUE(TabTo(place));
    Press(VK_HOME);
    Chord({VK_SHIFT, VK_END});
    TypeText("Konstanz");
    ASSERT_TRUE(WaitUntil([&] { return ControlText(place) == "Konstanz"; }));
    Picture("print-choice");
    Press(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return PrintedCount(pdfFolder) >= 2; }, 60000));
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == frame; })) << run.windows();

    // The entry file through the wizard, with its presets.
    HWND wizard = MenuWindow(run, 'D', 'E', kWizard);
    ASSERT_NE(wizard, nullptr) << run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == wizard; }));
    Chord({VK_MENU, 'W'});
    ASSERT_TRUE(WaitUntil([&] { return WizardPage(wizard) == 1; }));
    Chord({VK_MENU, 'W'});
    ASSERT_TRUE(WaitUntil([&] { return WizardPage(wizard) == 2; }));
    Chord({VK_MENU, 'W'});
    ASSERT_TRUE(WaitUntil([&] { return Child(wizard, "Button", "&Fertigstellen") != nullptr; }));
    Chord({VK_MENU, 'F'});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(wizard) || !IsWindowVisible(wizard); })) << run.windows();
    const std::string entryPath = run.path("meldung\\GOETHE-GYMNASIUM.VOV");
    ASSERT_TRUE(WaitUntil(
        [&] {
            return !run.findWindow("Bitte einen Augenblick Gelduld....") &&
                   GetFileAttributesA(entryPath.c_str()) != INVALID_FILE_ATTRIBUTES;
        },
        60000))
        << run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == frame; })) << run.windows();
    EXPECT_EQ(run.findWindow("Fehler"), nullptr);
    const auto entryFile = ReadBytes(entryPath);
    EXPECT_EQ(std::string(entryFile.begin(), entryFile.end()), ExpectedEntryFile(run));

    // Quit: "Datei > Programm beenden".
    Menu('D', 'B');
    DWORD code = 99;
    ASSERT_TRUE(run.waitExit(&code)) << run.windows();
    EXPECT_EQ(code, 0u);
    const auto written = ReadBytes(run.path("veranst\\KREIS2010.SDA"));
    const auto writtenMda = ReadBytes(run.path("veranst\\KREIS2010.MDA"));
    EXPECT_EQ(FirstDifference(written, ExpectedTeams(sda)), "");
    EXPECT_EQ(FirstDifference(writtenMda, ExpectedAthletes(mda)), "");

    // The next start finds the team: its window opens without the team
    // dialog, and quitting again changes nothing.
    ASSERT_TRUE(run.start());
    frame = ChooseClassByKeys(run, 1, kClassName);
    ASSERT_NE(frame, nullptr) << run.windows();
    ASSERT_TRUE(WaitUntil([&] { return Foreground() == frame; })) << run.windows();
    EXPECT_EQ(run.findWindow(kTeamDialog), nullptr);
    Menu('D', 'B');
    ASSERT_TRUE(run.waitExit(&code)) << run.windows();
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FirstDifference(ReadBytes(run.path("veranst\\KREIS2010.SDA")), written), "");
    EXPECT_EQ(FirstDifference(ReadBytes(run.path("veranst\\KREIS2010.MDA")), writtenMda), "");
}

}  // namespace
