#include <string>
#include <vector>

#include "tests/support/WindowTest.h"
#include "framework/core/zChildWin.h"
#include "framework/core/zCaret.h"
#include "framework/core/zFont.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zMenu.h"
#include "framework/core/zSizer.h"

KEL_TEST_APPLICATION;

namespace {

std::vector<std::string> g_log;

struct Frame : zFrameWin {
    Frame() : zFrameWin(nullptr, nullptr, WS_OVERLAPPEDWINDOW, "Rahmen") { create(); }
    int mouseButtonDown(zEvent*) override { g_log.push_back("slot down"); return 0; }
    int command(zEvent* ev) override
    {
        g_log.push_back("slot command " + std::to_string(LOWORD(ev->wParam)));
        return 1;
    }
};

struct Child : zChildWin {
    bool* deleted = nullptr;
    Child(zWindow* parent, int32_t id) : zChildWin(parent, new zSizer(10, 10, 50, 20, parent->sizer()), 0, id) {}
    ~Child() override
    {
        if (deleted)
            *deleted = true;
    }
};

struct Handler : zEvH {
    int answer = 1;
    std::string name;
    zWindow* removeFrom = nullptr;
    explicit Handler(std::string n, int a = 1) : answer(a), name(std::move(n)) {}
    int on(zEvent* ev)
    {
        g_log.push_back(name);
        if (removeFrom)
            removeFrom->removeNotify(this, zProc(&Handler::on));
        return answer;
    }
};

} // namespace

TEST(Dispatch, NodesFirstOnlyWhenTheWindowAsksForThem)
{
    Frame frame;
    Handler node("node", 1);
    frame.addNotify(&node, zProc(&Handler::on), WM_LBUTTONDOWN);

    g_log.clear();
    SendMessageA(frame.handle(), WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"slot down"})); // flag 0x100 not set

    frame.addInterest(zWindow::WantButtonDown);
    g_log.clear();
    SendMessageA(frame.handle(), WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"node"}));

    node.answer = 0; // a node that declines lets the slot run
    g_log.clear();
    SendMessageA(frame.handle(), WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"node", "slot down"}));
}

TEST(Dispatch, CommandGoesToControlNodesThenMessageNodesThenTheSlot)
{
    Frame frame;
    Child a(&frame, 300), b(&frame, 300); // two controls sharing an id
    ASSERT_TRUE(a.create());
    ASSERT_TRUE(b.create());

    Handler ctlA("ctl a"), range("range 300-310", 0), id("id 300");
    frame.commandNodeList()->append(new zCtrlNotifyNode(300, a.handle(), BN_CLICKED, zProc(&Handler::on), &ctlA));
    auto* rangeNode = new zNotifyNode(zProc(&Handler::on), &range, WM_COMMAND);
    rangeNode->lowId = 300;
    rangeNode->highId = 310;
    frame.messageNodeList()->append(rangeNode);
    frame.addCommand(300, &id, zProc(&Handler::on));

    struct Case {
        WPARAM wParam;
        HWND control;
        std::vector<std::string> expected;
    } cases[] = {
        {MAKEWPARAM(300, BN_CLICKED), a.handle(), {"ctl a"}},
        {MAKEWPARAM(300, BN_CLICKED), b.handle(), {"range 300-310", "id 300"}},
        {MAKEWPARAM(300, 1), nullptr, {"range 300-310", "id 300"}}, // accelerator
        {MAKEWPARAM(305, 0), nullptr, {"range 300-310", "slot command 305"}},
        {MAKEWPARAM(311, 0), nullptr, {"slot command 311"}},
    };
    for (const Case& c : cases) {
        g_log.clear();
        SendMessageA(frame.handle(), WM_COMMAND, c.wParam, reinterpret_cast<LPARAM>(c.control));
        EXPECT_EQ(g_log, c.expected) << LOWORD(c.wParam);
    }
}

TEST(Dispatch, AHandlerMayRemoveItselfWhileTheListIsWalked)
{
    Frame frame;
    Handler first("first", 0), second("second", 1);
    first.removeFrom = &frame;
    frame.addNotify(&first, zProc(&Handler::on), WM_USER + 5);
    frame.addNotify(&second, zProc(&Handler::on), WM_USER + 5);
    g_log.clear();
    SendMessageA(frame.handle(), WM_USER + 5, 0, 0);
    SendMessageA(frame.handle(), WM_USER + 5, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"first", "second", "second"}));
}

TEST(Dispatch, MenuSelectHandlerAddedAndRemoved)
{
    Frame frame;
    auto* menu = new zMenu(zResId(1), &frame);
    ASSERT_EQ(frame.menu(), menu);
    EXPECT_EQ(GetMenu(frame.handle()), menu->handle());
    Handler help("help", 1), other("other", 0);
    menu->addSelectHandler(&other, zProc(&Handler::on));
    menu->addSelectHandler(&help, zProc(&Handler::on));
    EXPECT_TRUE(frame.interest() & zWindow::WantMenu);

    g_log.clear();
    SendMessageA(frame.handle(), WM_MENUSELECT, MAKEWPARAM(101, 0), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"other", "help"}));
    menu->removeSelectHandler(&help, zProc(&Handler::on));
    g_log.clear();
    SendMessageA(frame.handle(), WM_MENUSELECT, MAKEWPARAM(101, 0), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"other"}));

    EXPECT_TRUE(menu->enableItem(101, 1));
    EXPECT_TRUE(GetMenuState(menu->handle(), 101, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu->checkItem(101, 1));
    EXPECT_TRUE(GetMenuState(menu->handle(), 101, MF_BYCOMMAND) & MF_CHECKED);
}

TEST(Windows, FirstFrameBecomesTheMainFrame)
{
    ASSERT_EQ(theApplication->mainFrame, nullptr);
    Frame first;
    Frame second;
    EXPECT_EQ(theApplication->mainFrame, &first);
}

TEST(Windows, MoveWindowGrowsByTheEdge)
{
    Frame frame;
    Child child(&frame, 1);
    child.setExStyle(WS_EX_CLIENTEDGE);
    ASSERT_TRUE(child.create());
    child.moveWindow(5, 6, 100, 40);
    RECT rc;
    GetWindowRect(child.handle(), &rc);
    EXPECT_EQ(rc.right - rc.left, 106);
    EXPECT_EQ(rc.bottom - rc.top, 46);
}

TEST(Windows, ClassStyleGivesEachWindowAClassOfItsOwn)
{
    Frame frame;
    Child a(&frame, 1), b(&frame, 2);
    a.setClassStyle(CS_HREDRAW);
    b.setClassStyle(CS_HREDRAW);
    ASSERT_TRUE(a.create());
    ASSERT_TRUE(b.create());
    char ca[128], cb[128];
    GetClassNameA(a.handle(), ca, sizeof ca);
    GetClassNameA(b.handle(), cb, sizeof cb);
    EXPECT_STRNE(ca, cb);
    EXPECT_EQ(std::string(ca).rfind("WindowCL", 0), 0u);
    EXPECT_EQ(GetClassLongA(a.handle(), GCL_STYLE), CS_HREDRAW);
    EXPECT_EQ(frame.childById(2), &b);
    EXPECT_EQ(zWindow::find(a.handle()), &a);
}

TEST(Windows, DeletedByTheProcedureWhenMarked)
{
    Frame frame;
    bool deleted = false;
    auto* child = new Child(&frame, 7);
    child->deleted = &deleted;
    child->deleteOnDestroy();
    ASSERT_TRUE(child->create());
    HWND hwnd = child->handle();
    DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(zWindow::find(hwnd), nullptr);
    EXPECT_EQ(frame.childById(7), nullptr);

    // An unmarked child is deleted by its owner, which destroys the window.
    Child* owned = new Child(&frame, 8);
    ASSERT_TRUE(owned->create());
    HWND ownedHwnd = owned->handle();
    delete owned;
    EXPECT_FALSE(IsWindow(ownedHwnd));
}

TEST(Windows, AChildUsingItsParentsFontDoesNotOwnIt)
{
    Frame frame;
    LOGFONTA lf{};
    lf.lfHeight = -13;
    lstrcpyA(lf.lfFaceName, "Arial");
    auto* font = new zFont(lf, 0, nullptr);
    frame.setFont(font, 0);
    EXPECT_TRUE(frame.state() & zWindow::OwnsFont);

    auto* child = new Child(&frame, 3);
    ASSERT_TRUE(child->create());
    EXPECT_EQ(child->font(), font);
    EXPECT_FALSE(child->state() & zWindow::OwnsFont);
    delete child;
    LOGFONTA check{};
    EXPECT_GT(GetObjectA(font->font(), sizeof check, &check), 0); // still alive
    EXPECT_EQ(frame.font(), font);
}

TEST(Windows, ValidationStopsAtTheFirstInvalidEnabledChild)
{
    struct Field : Child {
        int valid = 1, validated = 0;
        using Child::Child;
        int isValid() override { return valid; }
        int validate() override { ++validated; return Child::validate(); }
    };
    Frame frame;
    Field a(&frame, 1), b(&frame, 2), c(&frame, 3);
    for (Field* f : {&a, &b, &c})
        ASSERT_TRUE(f->create());
    EXPECT_EQ(frame.validate(), 1);
    EXPECT_EQ(a.validated + b.validated + c.validated, 3);

    c.disable();
    c.valid = 0; // disabled children are not asked
    EXPECT_EQ(frame.isValid(), 1);
    b.valid = 0;
    EXPECT_EQ(frame.validate(), 0);
    EXPECT_EQ(a.validated, 1); // nothing validated after a refusal
}

TEST(Menus, TrackedPopupGetsItsCommandsFirst)
{
    Frame frame;
    ShowWindow(frame.handle(), SW_SHOW);
    Handler popupNode("popup 101"), frameNode("frame 101");
    frame.addCommand(101, &frameNode, zProc(&Handler::on));
    {
        zPopupMenu popup(POINT{10, 10}, &frame, zResId(1));
        ASSERT_NE(popup.handle(), nullptr);
        EXPECT_EQ(GetMenuItemID(popup.handle(), 0), 101u); // the first submenu
        popup.addCommandHandler(101, &popupNode, zProc(&Handler::on));
        // The menu's own loop ends on a timer.
        SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            EndMenu();
        });
        popup.track();
        EXPECT_EQ(zTrackedPopup, &popup);
        g_log.clear();
        SendMessageA(frame.handle(), WM_COMMAND, 101, 0);
        EXPECT_EQ(g_log, (std::vector<std::string>{"popup 101"}));
    }
    EXPECT_EQ(zTrackedPopup, nullptr);
    g_log.clear();
    SendMessageA(frame.handle(), WM_COMMAND, 101, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"frame 101"}));
}

TEST(Caret, ShownAndHiddenByCount)
{
    Frame frame;
    ShowWindow(frame.handle(), SW_SHOW);
    SetForegroundWindow(frame.handle());
    SetFocus(frame.handle());
    kel::test::pump();
    if (GetFocus() != frame.handle())
        GTEST_SKIP() << "no focus under this display";
    auto* caret = new zCaret(&frame, 0, 2, 14);
    EXPECT_EQ(frame.caret(), caret);
    ASSERT_TRUE(caret->exists());
    EXPECT_EQ(caret->showCount(), 1);
    caret->show();
    caret->hide();
    EXPECT_EQ(caret->showCount(), 1); // still shown
    caret->hide();
    EXPECT_EQ(caret->showCount(), 0);
    caret->setPos(POINT{7, 3});
    POINT p{};
    GetCaretPos(&p);
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 3);
    delete caret;
    EXPECT_EQ(frame.caret(), nullptr);
}

TEST(Windows, PlacementAndCaption)
{
    // A pop-up frame without a position gets 500 x 500.
    zFrameWin popup(nullptr, nullptr, WS_POPUP, "Hinweis");
    ASSERT_TRUE(popup.create());
    RECT rc;
    GetWindowRect(popup.handle(), &rc);
    EXPECT_EQ(rc.right - rc.left, 500);
    EXPECT_EQ(rc.bottom - rc.top, 500);
    EXPECT_EQ(popup.sizer()->width(), 500);

    // An overlapped frame's sizer takes its window's rectangle.
    zFrameWin frame(nullptr, new zSizer(20, 30, 320, 240), WS_OVERLAPPEDWINDOW, "Rahmen");
    ASSERT_TRUE(frame.create());
    EXPECT_EQ(frame.sizer()->x(), 20);
    EXPECT_EQ(frame.sizer()->width(), 320);

    // Moves report signed positions.
    SendMessageA(frame.handle(), WM_MOVE, 0, MAKELPARAM(-5, -7));
    EXPECT_EQ(frame.sizer()->x(), -5);
    EXPECT_EQ(frame.sizer()->y(), -7);

    frame.setCaption("Schülerliste");
    EXPECT_EQ(kel::test::WindowText(frame.handle()), "Schülerliste");
    EXPECT_TRUE(frame.caption() == "Schülerliste");
}

TEST(Windows, ParentAnswersItsChildrensColourMessages)
{
    struct Coloured : Child {
        HBRUSH brush = nullptr;
        using Child::Child;
        ~Coloured() override { if (brush) DeleteObject(brush); }
        zColor ctlTextColor() const override { return zColor{0, 0, 255, 0}; }
        HBRUSH ctlBrush() const override { return brush; }
        void backgroundColor(const zColor& c) override
        {
            Child::backgroundColor(c);
            if (brush)
                DeleteObject(brush);
            brush = CreateSolidBrush(background());
        }
    };
    Frame frame;
    Coloured child(&frame, 5);
    ASSERT_TRUE(child.create());
    HDC dc = CreateCompatibleDC(nullptr);
    auto send = [&](HWND control) {
        return reinterpret_cast<HBRUSH>(SendMessageA(frame.handle(), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    };

    child.backgroundColor(zColor{255, 0, 0, 0});
    EXPECT_EQ(send(child.handle()), child.brush);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 0, 0));

    // No background of its own and no brush: the context's background
    // becomes the child's.
    DeleteObject(child.brush);
    child.brush = nullptr;
    child.setBackground(zWindow::NoBackground);
    SetBkColor(dc, RGB(0, 128, 0));
    HBRUSH answered = send(child.handle());
    EXPECT_NE(answered, nullptr);
    EXPECT_EQ(answered, child.brush);
    EXPECT_EQ(child.background(), RGB(0, 128, 0));

    EXPECT_NE(send(frame.handle()), child.brush); // not a child: the default procedure answers
    DeleteDC(dc);
}
