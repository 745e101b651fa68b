// An exception thrown by a handler stops at the window procedure: it is
// reported, and the window handles its next message.
#include "tests/support/WindowTest.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/zChildWin.h"
#include "framework/core/zDialogFrame.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zGuardedWndProc.h"
#include "framework/core/zPane.h"
#include "framework/core/zResId.h"
#include "framework/core/zStaticText.h"

namespace {

std::vector<std::string> reports;

void record(const char* text) { reports.push_back(text); }

// Throws on its first call, answers on the later ones.
struct FailingOnce : zEvH {
    int calls = 0;
    bool standard = true;
    int on(zEvent*)
    {
        if (calls++ == 0) {
            if (standard)
                throw std::runtime_error("Probefehler");
            throw 7;
        }
        return 1;
    }
};

struct FailingPane : zPane {
    int draws = 0;
    FailingPane(zWindow* parent, zSizer* sizer) : zPane(parent, sizer, 0, 5, 1) {}
    int draw(zEvent*) override
    {
        if (draws++ == 0)
            throw std::runtime_error("Zeichnen misslungen");
        return 1;
    }
};

class Guard : public kel::test::FrameTest {
protected:
    void SetUp() override
    {
        kel::test::FrameTest::SetUp();
        reports.clear();
        zExceptionReport = record;
    }
    void TearDown() override
    {
        zExceptionReport = nullptr;
        kel::test::FrameTest::TearDown();
    }

    bool needsPaint(HWND hwnd) { return GetUpdateRect(hwnd, nullptr, FALSE) != FALSE; }
};

TEST_F(Guard, EachKindOfWindowReportsAThrowingHandlerAndHandlesTheNextMessage)
{
    auto* child = new zChildWin(frame, new zSizer(0, 0, 40, 40, frame->sizer()), WS_VISIBLE, 1);
    child->create();
    auto* pane = new FailingPane(frame, new zSizer(50, 0, 40, 40, frame->sizer()));
    auto* label = new zStaticText(frame, new zSizer(100, 0, 40, 20, frame->sizer()), 0, "Name", 3);
    zDialogFrame dialog(frame, zResId(9999));
    struct Row {
        const char* what;
        zWindow* window;
        bool standard;
        const char* report;
    };
    const Row rows[] = {
        {"plain window", child, true, "Probefehler"},
        {"pane", pane, true, "Probefehler"},
        {"control", label, true, "Probefehler"},
        {"dialog", &dialog, true, "Probefehler"},
        {"no standard exception", child, false, "Unbekannter Fehler"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        reports.clear();
        FailingOnce node;
        node.standard = row.standard;
        row.window->addNotify(&node, zProc(&FailingOnce::on), WM_USER + 7);
        EXPECT_EQ(SendMessageA(row.window->handle(), WM_USER + 7, 0, 0), 0);
        EXPECT_EQ(reports, std::vector<std::string>{row.report});
        SendMessageA(row.window->handle(), WM_USER + 7, 0, 0);
        EXPECT_EQ(node.calls, 2) << "the next message reached the handler";
        EXPECT_EQ(reports.size(), 1u);
        row.window->removeNotify(&node, zProc(&FailingOnce::on));
    }
}

TEST_F(Guard, APaintThatThrowsLeavesThePaneValidAndTheNextPaintDraws)
{
    auto* pane = new FailingPane(frame, new zSizer(0, 0, 60, 60, frame->sizer()));
    pane->show(SW_SHOWNORMAL);
    kel::test::pump();
    pane->draws = 0;
    reports.clear();
    InvalidateRect(pane->handle(), nullptr, TRUE);
    UpdateWindow(pane->handle());
    EXPECT_EQ(pane->draws, 1);
    EXPECT_EQ(reports, std::vector<std::string>{"Zeichnen misslungen"});
    EXPECT_FALSE(needsPaint(pane->handle())) << "the failed paint does not come straight back";
    // The display was given back: the next paint begins and ends its own.
    InvalidateRect(pane->handle(), nullptr, TRUE);
    UpdateWindow(pane->handle());
    EXPECT_EQ(pane->draws, 2);
    EXPECT_FALSE(needsPaint(pane->handle()));
    EXPECT_EQ(pane->display()->hdc(), nullptr) << "the display holds no device context after the paint";
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(Guard, AnExceptionWhileOneIsReportedIsNotReportedAgain)
{
    auto* child = new zChildWin(frame, new zSizer(0, 0, 40, 40, frame->sizer()), WS_VISIBLE, 1);
    child->create();
    struct Failing : zEvH {
        int calls = 0;
        int on(zEvent*)
        {
            ++calls;
            throw std::runtime_error("immer");
        }
    } node;
    child->addNotify(&node, zProc(&Failing::on), WM_USER + 7);
    // A report that runs the failing handler again, as a message box's
    // loop would with a timer or a paint.
    static HWND again;
    again = child->handle();
    zExceptionReport = [](const char* text) {
        reports.push_back(text);
        SendMessageA(again, WM_USER + 7, 0, 0);
    };
    SendMessageA(child->handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(node.calls, 2);
    EXPECT_EQ(reports.size(), 1u);
    SendMessageA(child->handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(reports.size(), 2u) << "the next one is reported again";
    child->removeNotify(&node, zProc(&Failing::on));
}

}  // namespace
