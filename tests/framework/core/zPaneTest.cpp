#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "tests/support/WindowTest.h"
#include "framework/core/zBitmapDisplay.h"
#include "framework/core/zCaret.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zLogMeasure.h"
#include "framework/core/zPane.h"
#include "framework/core/zPaneControl.h"
#include "framework/core/zScrollBarBase.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/core/zWinDisplay.h"
#include "framework/core/ziInfoDisplay.h"

using kel::test::pump;

namespace {

// A pane that fills its client area red with a blue diagonal and records
// what it saw while drawing.
class RedPane : public zPane {
public:
    RedPane(zWindow* parent, zSizer* sizer) : zPane(parent, sizer, WS_VISIBLE, 7, 1) {}
    int draw(zEvent*) override
    {
        ++draws;
        zDisplay* d = display();
        sawHeld = d->hdc() != nullptr;
        sawPaintMode = ownDisplay()->paintMode();
        paintRect = d->paintRect();
        RECT all{0, 0, 400, 400};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(d->hdc(), &all, red);
        DeleteObject(red);
        d->pushPen(new zPen(PS_SOLID, 1, zColor{0, 0, 255, 0}));
        MoveToEx(d->hdc(), 0, 0, nullptr);
        LineTo(d->hdc(), 50, 50);
        d->popPen();
        return 1;
    }
    void displayChanged() override { ++changes; }

    int draws = 0;
    int changes = 0;
    bool sawHeld = false;
    int32_t sawPaintMode = 0;
    zRect paintRect;
};

struct PaneFixture : ::testing::Test {
    kel::test::TestApplication app;
    zFrameWin* frame = nullptr;
    void SetUp() override
    {
        frame = new zFrameWin(new zSizer(40, 40, 420, 320), WS_OVERLAPPEDWINDOW, "Pane");
        ASSERT_TRUE(frame->create());
        frame->show(SW_SHOWNORMAL);
        pump();
    }
    void TearDown() override
    {
        delete frame;
        pump();
    }
};

TEST_F(PaneFixture, PaintsOnItsOwnWindowDisplay)
{
    RedPane* pane = new RedPane(frame, new zSizer(10, 10, 100, 80, frame->sizer()));
    ASSERT_NE(pane->handle(), nullptr);
    pane->show(SW_SHOW);
    EXPECT_EQ(pane->changes, 1);  // told once before the first show
    pump();
    InvalidateRect(pane->handle(), nullptr, TRUE);
    UpdateWindow(pane->handle());
    ASSERT_GE(pane->draws, 1);
    EXPECT_TRUE(pane->sawHeld);
    EXPECT_EQ(pane->sawPaintMode, 1);
    EXPECT_EQ(pane->paintRect, (zRect{0, 0, 100, 80}));
    EXPECT_EQ(pane->ownDisplay()->paintMode(), 0);  // switched off again
    EXPECT_EQ(pane->display()->hdc(), nullptr);     // and released

    HDC dc = GetDC(pane->handle());
    EXPECT_EQ(GetPixel(dc, 70, 20), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 20, 20), RGB(0, 0, 255));
    ReleaseDC(pane->handle(), dc);

    EXPECT_EQ(kel::test::ClassOf(pane->handle()), "PaneWindowCL");
    EXPECT_EQ(pane->display()->kind(), zDisplay::Window);
}

TEST_F(PaneFixture, ClassIsRegisteredOnce)
{
    zPane* a = new zPane(frame, new zSizer(0, 0, 10, 10, frame->sizer()), 0, 1, 1);
    zPane* b = new zPane(frame, new zSizer(0, 0, 10, 10, frame->sizer()), 0, 2, 1);
    ASSERT_NE(a->handle(), nullptr);
    ASSERT_NE(b->handle(), nullptr);
    EXPECT_EQ(GetClassLongPtrA(a->handle(), GCW_ATOM), GetClassLongPtrA(b->handle(), GCW_ATOM));
    int recorded = 0;
    theApplication->classNames->forEach([&](const RcCString& n) { recorded += n == "PaneWindowCL"; });
    EXPECT_EQ(recorded, 1);
    // A pane made without the create flag has no window until create.
    zPane* later = new zPane(frame, new zSizer(0, 0, 10, 10, frame->sizer()), 0, 3, 0);
    EXPECT_EQ(later->handle(), nullptr);
    EXPECT_TRUE(later->create());
}

TEST_F(PaneFixture, PaintSwapsAPushedDisplayOutAndBackIn)
{
    RedPane* pane = new RedPane(frame, new zSizer(10, 10, 60, 60, frame->sizer()));
    pane->show(SW_SHOW);
    pump();
    ziInfoDisplay other;
    pane->pushDisplay(&other);
    EXPECT_EQ(pane->display(), &other);
    const int before = pane->changes;
    const int draws = pane->draws;
    InvalidateRect(pane->handle(), nullptr, TRUE);
    UpdateWindow(pane->handle());
    EXPECT_GT(pane->draws, draws);
    EXPECT_TRUE(pane->sawPaintMode);  // drew on the own window display
    EXPECT_EQ(pane->display(), &other);  // the pushed display is current again
    EXPECT_EQ(pane->changes, before + 2);
    EXPECT_EQ(pane->popDisplay(), &other);
    EXPECT_EQ(pane->display(), pane->ownDisplay());
    EXPECT_EQ(pane->popDisplay(), nullptr);  // the own display stays
}

TEST_F(PaneFixture, BackgroundColourReachesTheDisplay)
{
    zPane* pane = new zPane(frame, new zSizer(0, 0, 10, 10, frame->sizer()), 0, 1, 1);
    const zColor teal{0, 128, 128, 0};
    pane->backgroundColor(teal);
    EXPECT_EQ(pane->background(), RGB(0, 128, 128));
    EXPECT_EQ(pane->display()->backColor(), teal);
    EXPECT_EQ(pane->display()->brush()->colour(), teal);
    EXPECT_EQ(pane->display()->brushCount(), 1);  // replaced, not stacked
}

TEST_F(PaneFixture, ScrollsItselfWithoutAScroller)
{
    zPane* pane = new zPane(frame, new zSizer(0, 0, 100, 100, frame->sizer()), WS_VISIBLE | WS_VSCROLL, 1, 1);
    pane->vertScroll() = new zScrollInfoVert(pane);
    pane->vertScroll()->setRange(0, 50);
    pump();
    SendMessageA(pane->handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(pane->vertScroll()->pos(), 10);
    EXPECT_EQ(pane->display()->windowOrg().y, 0);  // content moves at the end only
    SendMessageA(pane->handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(pane->display()->windowOrg().y, 10);
    EXPECT_EQ(GetScrollPos(pane->handle(), SB_VERT), 10);
    int lo = -1, hi = -1;
    GetScrollRange(pane->handle(), SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 50);
}

TEST_F(PaneFixture, ScrollBarControlsMoveTheirOwnState)
{
    zPane* pane = new zPane(frame, new zSizer(0, 0, 200, 100, frame->sizer()), WS_VISIBLE | WS_VSCROLL, 1, 1);
    pane->vertScroll() = new zScrollInfoVert(pane);
    auto* bar = new zScrollBarBase(pane, new zSizer(0, 80, 150, 16, pane->sizer()), SBS_HORZ, "", 9);
    bar->create();
    ASSERT_NE(bar->handle(), nullptr);
    SendMessageA(pane->handle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->handle()));
    EXPECT_EQ(bar->scrollInfo()->pos(), 10);
    EXPECT_EQ(pane->vertScroll()->pos(), 0);
    // A window that is not a scroll bar control moves nothing.
    zPane* notABar = new zPane(pane, new zSizer(0, 0, 5, 5, pane->sizer()), 0, 3, 1);
    SendMessageA(pane->handle(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(notABar->handle()));
    EXPECT_EQ(pane->vertScroll()->pos(), 0);
    SendMessageA(pane->handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(pane->vertScroll()->pos(), 10);

    // The control's range arrives by message, in unsigned 16-bit words.
    bar->scrollInfo()->setRange(0, 40000);
    pump();
    int lo = -1, hi = -1;
    GetScrollRange(bar->handle(), SB_CTL, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 40000);
}

// A pane control that records enable changes.
class Control : public zPaneControl {
public:
    using zPaneControl::zPaneControl;
    void enableChanged(int32_t state) override { seen.push_back(state); }
    std::vector<int32_t> seen;
};

struct CommandSink : zEvH {
    int onCommand(zEvent* ev)
    {
        ids.push_back(LOWORD(ev->wParam));
        codes.push_back(HIWORD(ev->wParam));
        from = reinterpret_cast<HWND>(ev->lParam);
        return 1;
    }
    std::vector<int> ids, codes;
    HWND from = nullptr;
};

struct Answer : zEvH {
    int onMessage(zEvent*) { return 7; }
};

TEST_F(PaneFixture, MessagesHandledByNodesAnswerNonZero)
{
    zPane* pane = new zPane(frame, new zSizer(0, 0, 30, 30, frame->sizer()), 0, 1, 1);
    const UINT msg = WM_USER + 5;
    EXPECT_EQ(SendMessageA(pane->handle(), msg, 0, 0), 0);  // nobody: the default procedure
    Answer answer;
    pane->addNotify(&answer, zProc(&Answer::onMessage), msg);
    EXPECT_EQ(SendMessageA(pane->handle(), msg, 0, 0), 1);  // handled
    pane->removeNotify(&answer, zProc(&Answer::onMessage));

    // Messages routed to the window's operations answer their result too.
    HDC dc = GetDC(pane->handle());
    EXPECT_EQ(SendMessageA(pane->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);  // erased
    ReleaseDC(pane->handle(), dc);
}

TEST_F(PaneFixture, PaneControlBehavesAsADialogControl)
{
    Control* c = new Control(frame, new zSizer(0, 0, 30, 30, frame->sizer()), WS_VISIBLE, "Titel", 42);
    ASSERT_NE(c->handle(), nullptr);
    for (WPARAM key : {WPARAM(VK_TAB), WPARAM('A'), WPARAM(VK_RETURN)})
        EXPECT_EQ(SendMessageA(c->handle(), WM_GETDLGCODE, key, 0), 129);
    EnableWindow(c->handle(), FALSE);
    EnableWindow(c->handle(), TRUE);
    EXPECT_EQ(c->seen, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(c->background(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(kel::test::WindowText(c->handle()), "Titel");

    CommandSink sink;
    frame->addNotify(&sink, zProc(&CommandSink::onCommand), WM_COMMAND);
    c->notifyParent(5);
    pump();
    EXPECT_EQ(sink.ids, std::vector<int>{42});
    EXPECT_EQ(sink.codes, std::vector<int>{5});
    EXPECT_EQ(sink.from, c->handle());
    frame->removeNotify(&sink, zProc(&CommandSink::onCommand));
}

TEST_F(PaneFixture, CaretFollowsTheFocus)
{
    zPane* pane = new zPane(frame, new zSizer(0, 0, 50, 50, frame->sizer()), WS_VISIBLE, 1, 1);
    zPane* other = new zPane(frame, new zSizer(60, 0, 50, 50, frame->sizer()), WS_VISIBLE, 2, 1);
    zCaret* caret = new zCaret(pane, 0, 2, 12);
    auto refocus = [&] {
        SetFocus(other->handle());
        pump();
        EXPECT_FALSE(caret->exists());
        SetFocus(pane->handle());
        pump();
        EXPECT_TRUE(caret->exists());
    };
    SetFocus(pane->handle());
    pump();
    EXPECT_TRUE(caret->exists());
    EXPECT_EQ(caret->showCount(), 0);  // hidden until shown
    // The caret comes back with the focus as it was left: shown or hidden.
    caret->show();
    refocus();
    EXPECT_EQ(caret->showCount(), 1);
    caret->hide();
    refocus();
    EXPECT_EQ(caret->showCount(), 0);
    delete caret;
}

TEST_F(PaneFixture, MeasuresConvertOnTheDisplay)
{
    zPane* pane = new zPane(frame, new zSizer(0, 0, 10, 10, frame->sizer()), 0, 1, 1);
    const zDisplay* d = pane->display();
    ASSERT_GT(d->logPixelsY(), 0);
    zPrPoint p(100, 100, d);
    EXPECT_EQ(p.deviceY(), ((100 * d->logPixelsY()) / 72 + 5) / 10);
    zLoEnglish lo(100, 100, d);
    EXPECT_EQ(lo.deviceX(), d->logPixelsX());  // one inch
    zHiEnglish screen(1000, 1000);             // no display: the screen's resolution
    EXPECT_EQ(screen.deviceX(), zScreenPixelsX);
}

TEST_F(PaneFixture, AWindowsDisplayHasItsContextsCapabilities)
{
    // The second pane is made after the frame heard of a display change,
    // when the capabilities are read again.
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            SendMessageA(frame->handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
        zPane* pane = new zPane(frame, new zSizer(0, 0, 10, 10, frame->sizer()), 0, 1, 1);
        const zDisplay* d = pane->display();
        HDC dc = GetDC(pane->handle());
        ASSERT_NE(dc, nullptr);
        const std::pair<int32_t, int> caps[] = {{d->horzRes(), HORZRES},     {d->vertRes(), VERTRES},
                                                {d->logPixelsX(), LOGPIXELSX}, {d->logPixelsY(), LOGPIXELSY},
                                                {d->horzSize(), HORZSIZE},   {d->vertSize(), VERTSIZE}};
        for (const auto& [read, index] : caps) {
            EXPECT_GT(read, 0) << pass << ":" << index;
            EXPECT_EQ(read, GetDeviceCaps(dc, index)) << pass << ":" << index;
        }
        ReleaseDC(pane->handle(), dc);
    }
}

}  // namespace
