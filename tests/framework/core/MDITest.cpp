#include <string>
#include <vector>

#include "tests/support/WindowTest.h"
#include "framework/core/zMDIAppFrame.h"
#include "framework/core/zMDIChildFrame.h"
#include "framework/core/zMenu.h"
#include "framework/core/zTaskDev.h"

KEL_TEST_APPLICATION;

namespace {

std::vector<std::string> g_log;

struct AppFrame : zMDIAppFrame {
    AppFrame() : zMDIAppFrame(nullptr, nullptr, 0, "Meldeprogramm", nullptr, 0xFF00)
    {
        create();
        new zMenu(zResId(1), this);
        show(SW_SHOWNORMAL);
    }
    int sizeSizer(zEvent* ev) override { g_log.push_back("sizeSizer"); return zMDIAppFrame::sizeSizer(ev); }
    int size(zEvent* ev) override { g_log.push_back("size"); return zMDIAppFrame::size(ev); }
};

struct Child : zMDIChildFrame {
    std::string name;
    bool* deleted = nullptr;
    int refuseClose = 0;
    Child(zWindow* frame, std::string n) : zMDIChildFrame(frame, nullptr, WS_OVERLAPPEDWINDOW, n.c_str()), name(std::move(n))
    {
        setMenu(new zMenu(zResId(200)));
        create();
    }
    ~Child() override
    {
        if (deleted)
            *deleted = true;
    }
    int command(zEvent* ev) override
    {
        g_log.push_back(name + " command " + std::to_string(LOWORD(ev->wParam)));
        return 1;
    }
    int close(zEvent*) override { return refuseClose; }
};

std::vector<std::string> menuBar(HMENU menu)
{
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[100] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        items.push_back(text);
    }
    return items;
}

// The frame's own items and the merged ones, without the items the MDI
// client adds for a maximised child (they have no text).
std::vector<std::string> textItems(HMENU menu)
{
    std::vector<std::string> items;
    for (const std::string& s : menuBar(menu))
        if (!s.empty())
            items.push_back(s);
    return items;
}

const std::vector<std::string> kFrameOnly{"&Datei", "&Fenster", "&Hilfe"};
const std::vector<std::string> kMerged{"&Datei", "&Fenster", "&Mannschaft", "&Prüfen", "&Hilfe"};

// Leaves no message of one test (a frame's WM_QUIT) to the next.
class MDI : public ::testing::Test {
protected:
    void TearDown() override
    {
        kel::test::pump();
        theApplication->taskDev->setEnabled(true);
    }
};

} // namespace

TEST_F(MDI, FixedClassNameForTheMainFrameOnly)
{
    zFrameClassOverride::set("VUZ50MDIframeCL");
    {
        AppFrame frame;
        char name[128];
        GetClassNameA(frame.handle(), name, sizeof name);
        EXPECT_STREQ(name, "VUZ50MDIframeCL");
        EXPECT_EQ(zFrameClassOverride::get(), nullptr);
        EXPECT_EQ(FindWindowA("VUZ50MDIframeCL", nullptr), frame.handle());
        ASSERT_TRUE(IsWindow(frame.client()));
        GetClassNameA(frame.client(), name, sizeof name);
        EXPECT_STREQ(name, "MDIClient");
        EXPECT_EQ(zMDIClientWindow, frame.client());

        Child a(&frame, "A");
        GetClassNameA(a.handle(), name, sizeof name);
        EXPECT_EQ(std::string(name).rfind("MDIchildCL", 0), 0u);
    }
    EXPECT_TRUE(kel::test::pump()); // the frame's destruction posted WM_QUIT
    EXPECT_FALSE(theApplication->taskDev->enabled());
    theApplication->taskDev->setEnabled(true);
}

TEST_F(MDI, ActivationMergesAndUnmergesTheChildMenu)
{
    AppFrame frame;
    HMENU bar = frame.menu()->handle();
    auto* a = new Child(&frame, "A");
    a->show(SW_SHOWNORMAL);
    kel::test::pump();
    EXPECT_EQ(frame.activeChild(), a);
    EXPECT_EQ(menuBar(bar), kMerged);

    auto* b = new Child(&frame, "B");
    b->show(SW_SHOWNORMAL);
    kel::test::pump();
    EXPECT_EQ(frame.activeChild(), b);
    EXPECT_EQ(menuBar(bar), kMerged); // A's items went, B's came

    a->activate();
    kel::test::pump();
    EXPECT_EQ(frame.activeChild(), a);
    EXPECT_EQ(frame.mergedChild(), a);
    EXPECT_EQ(menuBar(bar), kMerged);

    // Maximised: the client adds its items; the merged ones still stand
    // right before the last of the frame's own menus.
    SendMessageA(frame.client(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a->handle()), 0);
    b->activate();
    kel::test::pump();
    ASSERT_TRUE(IsZoomed(b->handle()));
    EXPECT_EQ(textItems(bar), kMerged);
    SendMessageA(frame.client(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(b->handle()), 0);
    kel::test::pump();
    EXPECT_EQ(menuBar(bar), kMerged);

    delete a;
    delete b;
    kel::test::pump();
    EXPECT_EQ(menuBar(bar), kFrameOnly);
    DestroyWindow(frame.handle());
    kel::test::pump();
    theApplication->taskDev->setEnabled(true);
}

TEST_F(MDI, UnhandledCommandsReachTheActiveChild)
{
    AppFrame frame;
    struct Quit : zEvH {
        int on(zEvent*) { g_log.push_back("frame node 4"); return 1; }
    } quit;
    frame.addCommand(4, &quit, zProc(&Quit::on));
    Child a(&frame, "A"), b(&frame, "B");
    a.show(SW_SHOWNORMAL);
    b.show(SW_SHOWNORMAL);
    kel::test::pump();

    g_log.clear();
    SendMessageA(frame.handle(), WM_COMMAND, MAKEWPARAM(13, 0), 0);
    SendMessageA(frame.handle(), WM_COMMAND, MAKEWPARAM(4, 0), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"B command 13", "frame node 4"}));
}

TEST_F(MDI, ClosingTheFrameThatAChildRefusesLeavesEverythingOpen)
{
    auto* frame = new AppFrame;
    auto* a = new Child(frame, "A");
    auto* b = new Child(frame, "B");
    a->show(SW_SHOWNORMAL);
    b->show(SW_SHOWNORMAL);
    b->refuseClose = 1;
    SendMessageA(frame->handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(kel::test::pump());
    EXPECT_TRUE(IsWindow(frame->handle()));
    EXPECT_TRUE(IsWindow(a->handle()));
    EXPECT_TRUE(IsWindow(b->handle()));

    // Accepted: the frame's window goes; WM_QUIT is posted and idle tasks
    // stop.
    b->refuseClose = 0;
    frame->deleteOnDestroy();
    bool aDeleted = false;
    a->deleted = &aDeleted;
    SendMessageA(frame->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(kel::test::pump());
    EXPECT_TRUE(aDeleted); // with the frame object
    EXPECT_FALSE(theApplication->taskDev->enabled());
    EXPECT_EQ(theApplication->mainFrame, nullptr);
    theApplication->taskDev->setEnabled(true);
}

TEST_F(MDI, AClosedChildIsDeletedThroughTheMainFrame)
{
    AppFrame frame;
    HMENU bar = frame.menu()->handle();
    bool aDeleted = false, bDeleted = false;
    auto* a = new Child(&frame, "A");
    auto* b = new Child(&frame, "B");
    a->deleted = &aDeleted;
    b->deleted = &bDeleted;
    a->deleteOnDestroy();
    b->deleteOnDestroy();
    a->show(SW_SHOWNORMAL);
    b->show(SW_SHOWNORMAL);
    kel::test::pump();
    ASSERT_EQ(frame.activeChild(), b);

    HWND bHwnd = b->handle();
    SendMessageA(bHwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(bHwnd));
    EXPECT_FALSE(bDeleted); // deferred to the main frame
    kel::test::pump();
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(frame.activeChild(), a);
    EXPECT_EQ(menuBar(bar), kMerged); // exactly one child's items

    SendMessageA(a->handle(), WM_CLOSE, 0, 0);
    kel::test::pump();
    EXPECT_TRUE(aDeleted);
    EXPECT_EQ(menuBar(bar), kFrameOnly);
    EXPECT_EQ(frame.mergedChild(), nullptr);
    DestroyWindow(frame.handle());
    kel::test::pump();
    theApplication->taskDev->setEnabled(true);
}

TEST_F(MDI, MinimisedFrameSizesItsSizerOnly)
{
    AppFrame frame;
    g_log.clear();
    SendMessageA(frame.handle(), WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    EXPECT_EQ(g_log, (std::vector<std::string>{"sizeSizer"}));
    g_log.clear();
    SendMessageA(frame.handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    EXPECT_EQ(g_log, (std::vector<std::string>{"sizeSizer", "size"}));
    // The client fills the frame's client area.
    RECT rc;
    GetWindowRect(frame.client(), &rc);
    EXPECT_EQ(rc.right - rc.left, 400);
    EXPECT_EQ(rc.bottom - rc.top, 300);
    DestroyWindow(frame.handle());
    kel::test::pump();
    theApplication->taskDev->setEnabled(true);
}

namespace {

// The frame's menu bar as it is on the screen, one value per pixel.
std::vector<COLORREF> menuBarPixels(HWND frame)
{
    MENUBARINFO info{};
    info.cbSize = sizeof info;
    std::vector<COLORREF> pixels;
    if (!GetMenuBarInfo(frame, OBJID_MENU, 0, &info))
        return pixels;
    RECT window;
    GetWindowRect(frame, &window);
    HDC dc = GetWindowDC(frame);
    for (LONG y = info.rcBar.top; y < info.rcBar.bottom; ++y)
        for (LONG x = info.rcBar.left; x < info.rcBar.right; ++x)
            pixels.push_back(GetPixel(dc, x - window.left, y - window.top));
    ReleaseDC(frame, dc);
    return pixels;
}

} // namespace

// A child without menus shown maximised leaves the menu bar drawn as a
// redraw would draw it, with the child's icon and buttons.
TEST_F(MDI, AChildShownMaximisedLeavesTheMenuBarDrawn)
{
    struct BareChild : zMDIChildFrame {
        explicit BareChild(zWindow* frame) : zMDIChildFrame(frame, nullptr, WS_OVERLAPPEDWINDOW, "A") { create(); }
    };
    AppFrame frame;
    frame.show(SW_SHOWMAXIMIZED);
    kel::test::pump();
    const std::vector<COLORREF> before = menuBarPixels(frame.handle());
    auto* a = new BareChild(&frame);
    a->show(SW_SHOWMAXIMIZED);
    kel::test::pump();
    ASSERT_TRUE(IsZoomed(a->handle()));
    const std::vector<COLORREF> shown = menuBarPixels(frame.handle());
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown, before);
    DrawMenuBar(frame.handle());
    kel::test::pump();
    EXPECT_EQ(shown, menuBarPixels(frame.handle()));
    delete a;
    kel::test::pump();
    DestroyWindow(frame.handle());
    kel::test::pump();
    theApplication->taskDev->setEnabled(true);
}
