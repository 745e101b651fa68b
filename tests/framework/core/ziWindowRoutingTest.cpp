// One routing for every window kind: which kinds ask the handler nodes for
// a message, and what the procedure answers when a node handled it.
#include "tests/support/WindowTest.h"

#include <string>

#include "framework/core/zChildWin.h"
#include "framework/core/zDialogFrame.h"
#include "framework/core/zMenu.h"
#include "framework/core/zPane.h"
#include "framework/core/zResId.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zStaticText.h"

namespace {

struct Node : zEvH {
    int calls = 0;
    int on(zEvent*)
    {
        ++calls;
        return 1;
    }
};

struct ScrollingPane : zPane {
    int scrolls = 0;
    ScrollingPane(zWindow* parent, zSizer* sizer) : zPane(parent, sizer, 0, 5, 1) {}
    int scroll(zEvent*) override { return ++scrolls; }
};

struct ScrollingDialog : zDialogFrame {
    int scrolls = 0;
    // No template of that number: an empty dialog.
    explicit ScrollingDialog(zWindow* parent) : zDialogFrame(parent, zResId(9999)) {}
    int scroll(zEvent*) override { return ++scrolls; }
};

class Routing : public kel::test::FrameTest {
protected:
    void SetUp() override
    {
        kel::test::FrameTest::SetUp();
        child = new zChildWin(frame, new zSizer(0, 0, 40, 40, frame->sizer()), WS_VISIBLE, 1);
        child->create();
        pane = new ScrollingPane(frame, new zSizer(50, 0, 40, 40, frame->sizer()));
        label = new zStaticText(frame, new zSizer(100, 0, 40, 20, frame->sizer()), 0, "Name", 3);
        dialog = new ScrollingDialog(frame);
    }
    void TearDown() override
    {
        delete dialog;
        kel::test::FrameTest::TearDown();
    }

    zChildWin* child = nullptr;
    ScrollingPane* pane = nullptr;
    zStaticText* label = nullptr;
    ScrollingDialog* dialog = nullptr;
};

// Per kind: whether the node is asked, and the answer (-1: not checked).
struct Outcome {
    bool asked;
    LRESULT answer;
};

TEST_F(Routing, EachKindAsksTheNodesWhereItsTableSays)
{
    struct Row {
        const char* what;
        UINT message;
        WPARAM wParam;
        Outcome plain, pane, control, dialog;
    };
    // No interest flags are set: "nodes first" rows go to the slots.
    const Row rows[] = {
        // A handled message answers 0 at a plain window, its result elsewhere.
        {"other message", WM_USER + 7, 0, {true, 0}, {true, 1}, {true, 1}, {true, 1}},
        // Panes take characters in their slot only; controls ask the nodes
        // when the slot declines.
        {"character", WM_CHAR, 'a', {true, 0}, {false, 0}, {true, 1}, {true, 1}},
        // Panes and controls leave menu messages to the tracked pop-up menu.
        {"menu select", WM_MENUSELECT, 0, {true, 0}, {false, 0}, {false, 0}, {true, 1}},
        // Controls always ask the nodes for hit tests and cursors; dialogs
        // for hit tests.
        {"hit test", WM_NCHITTEST, 0, {false, -1}, {false, -1}, {true, 1}, {true, 1}},
        {"cursor", WM_SETCURSOR, 0, {false, -1}, {false, -1}, {true, 1}, {false, -1}},
        // A dialog asks the nodes for a button release without the flag.
        {"button up", WM_LBUTTONUP, 0, {false, -1}, {false, -1}, {false, -1}, {true, 1}},
        // Timers drive the timer device; a control asks its nodes.
        {"timer", WM_TIMER, 77, {false, 0}, {false, 0}, {true, 1}, {false, 0}},
    };
    zWindow* windows[] = {child, pane, label, dialog};
    for (const Row& row : rows) {
        const Outcome outcomes[] = {row.plain, row.pane, row.control, row.dialog};
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(std::string(row.what) + ", kind " + std::to_string(k));
            Node node;
            windows[k]->addNotify(&node, zProc(&Node::on), row.message);
            const LRESULT answer = SendMessageA(windows[k]->handle(), row.message, row.wParam, 0);
            windows[k]->removeNotify(&node, zProc(&Node::on));
            EXPECT_EQ(node.calls > 0, outcomes[k].asked);
            if (outcomes[k].answer >= 0) {
                EXPECT_EQ(answer, outcomes[k].answer);
            }
        }
    }
}

TEST_F(Routing, ScrollMessagesMoveTheStateThenRunTheSlot)
{
    struct Case {
        zWindow* window;
        int* scrolls;
    };
    const Case cases[] = {{pane, &pane->scrolls}, {dialog, &dialog->scrolls}};
    for (const Case& c : cases) {
        c.window->horzScroll() = new zScrollInfoHoriz(c.window);
        c.window->horzScroll()->setRange(0, 50);
        SendMessageA(c.window->handle(), WM_HSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(c.window->horzScroll()->pos(), 1);
        EXPECT_EQ(*c.scrolls, 1);
        SendMessageA(c.window->handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
        EXPECT_EQ(c.window->horzScroll()->pos(), 40);
        // A window that is not a scroll-bar control: neither the state nor
        // the slot.
        SendMessageA(c.window->handle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(child->handle()));
        EXPECT_EQ(c.window->horzScroll()->pos(), 40);
        EXPECT_EQ(*c.scrolls, 2);
    }
}

TEST_F(Routing, AWindowOfAnotherKindCountsAsUnbound)
{
    // The dialog procedure given a plain window's handle treats it as a
    // window without object: DefWindowProcA answers.
    HWND hwnd = child->handle();
    Node node;
    child->addNotify(&node, zProc(&Node::on), WM_USER + 7);
    EXPECT_EQ(zDialogFrame::windowProc(hwnd, WM_USER + 7, 0, 0), 0);
    EXPECT_EQ(node.calls, 0);
    EXPECT_EQ(zDialogFrame::windowProc(hwnd, WM_GETTEXTLENGTH, 0, 0), DefWindowProcA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    child->removeNotify(&node, zProc(&Node::on));
}

TEST_F(Routing, ADialogForgetsTheMenuWindowsDestroysWithIt)
{
    dialog->setMenu(new zMenu());
    const HMENU menu = dialog->menu()->handle();
    ASSERT_TRUE(IsMenu(menu));
    DestroyWindow(dialog->handle());
    EXPECT_FALSE(IsMenu(menu));
    // The object keeps no handle it would destroy a second time.
    EXPECT_EQ(dialog->menu()->handle(), nullptr);
}

}  // namespace
