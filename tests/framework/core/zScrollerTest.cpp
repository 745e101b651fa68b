#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/WindowTest.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zPane.h"
#include "framework/core/zPaneScroller.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"

using kel::test::pump;

namespace {

// A pane that records every content scroll and reports a content size.
class ScrollPane : public zPane {
public:
    ScrollPane(zWindow* parent, int32_t w, int32_t h)
        : zPane(parent, new zSizer(0, 0, w, h, parent->sizer()), WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 1, 1)
    {
        vertScroll() = new zScrollInfoVert(this);
        horzScroll() = new zScrollInfoHoriz(this);
    }
    void scrollWindow(int32_t dx, int32_t dy, const zRect* rect) override
    {
        moves.push_back({dx, dy});
        zPane::scrollWindow(dx, dy, rect);
    }
    int preferredSize(int32_t& w, int32_t& h) override
    {
        if (!hasContent)
            return 0;
        w = contentW;
        h = contentH;
        return 1;
    }
    std::vector<std::pair<int32_t, int32_t>> takeMoves() { return std::exchange(moves, {}); }

    std::vector<std::pair<int32_t, int32_t>> moves;
    bool hasContent = false;
    int32_t contentW = 0, contentH = 0;
};

template <class Base>
class Counting : public Base {
public:
    using Base::Base;
    int beforeScroll() override
    {
        ++before;
        return 0;
    }
    int before = 0;
};

using Moves = std::vector<std::pair<int32_t, int32_t>>;

struct ScrollFixture : ::testing::Test {
    kel::test::TestApplication app;
    zFrameWin* frame = nullptr;
    void SetUp() override
    {
        frame = new zFrameWin(new zSizer(30, 30, 500, 400), WS_OVERLAPPEDWINDOW, "Scroll");
        ASSERT_TRUE(frame->create());
        frame->show(SW_SHOWNORMAL);
        pump();
    }
    void TearDown() override
    {
        delete frame;
        pump();
    }
    LRESULT vscroll(ScrollPane* p, int code, int pos = 0)
    {
        return SendMessageA(p->handle(), WM_VSCROLL, MAKEWPARAM(code, pos), 0);
    }
    LRESULT key(ScrollPane* p, WPARAM vk, bool ctrl = false)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        LRESULT r = SendMessageA(p->handle(), WM_KEYDOWN, vk, 0);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return r;
    }
};

TEST_F(ScrollFixture, ScrollBarEventsMoveTheContent)
{
    ScrollPane* pane = new ScrollPane(frame, 200, 150);
    auto* s = new Counting<zPaneScroller>(pane);
    pane->setScroller(s);
    zScrollInfo* v = pane->vertScroll();
    v->setRange(0, 100);
    pump();

    vscroll(pane, SB_LINEDOWN);  // defaults: step 1, page 10 pixels
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, -1}}));
    EXPECT_EQ(v->pos(), 1);
    EXPECT_EQ(v->prev(), 1);  // recorded as the previous position
    vscroll(pane, SB_PAGEDOWN);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, -10}}));
    vscroll(pane, SB_LINEUP);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, 1}}));
    EXPECT_EQ(v->pos(), 10);

    vscroll(pane, SB_THUMBTRACK, 50);  // the thumb moves, the content stays
    EXPECT_EQ(v->pos(), 50);
    EXPECT_TRUE(pane->takeMoves().empty());
    vscroll(pane, SB_THUMBPOSITION, 50);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, -40}}));

    vscroll(pane, SB_BOTTOM);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, -50}}));
    vscroll(pane, SB_LINEDOWN);  // clamped at the maximum: no change
    EXPECT_EQ(v->pos(), 100);
    EXPECT_TRUE(pane->takeMoves().empty());
    vscroll(pane, SB_PAGEUP);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, 10}}));
    vscroll(pane, SB_TOP);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, 90}}));
    EXPECT_EQ(GetScrollPos(pane->handle(), SB_VERT), 0);

    // A short page at the end goes to the bottom by the actual difference.
    s->setStepY(3);
    v->setPos(95);
    v->setLast(95);
    vscroll(pane, SB_PAGEDOWN);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, -15}}));
    EXPECT_GT(s->before, 0);
    const int before = s->before;
    vscroll(pane, SB_ENDSCROLL);
    EXPECT_EQ(s->before, before);  // not for the end of a scroll
    delete s;
}

TEST_F(ScrollFixture, KeyboardPaging)
{
    ScrollPane* pane = new ScrollPane(frame, 200, 150);
    auto* s = new Counting<zPaneScroller>(pane);
    pane->setScroller(s);
    zScrollInfo* v = pane->vertScroll();
    zScrollInfo* h = pane->horzScroll();
    v->setRange(0, 25);
    h->setRange(0, 30);

    EXPECT_EQ(key(pane, VK_PRIOR), 0);  // at the top: nothing, not even beforeScroll
    EXPECT_EQ(s->before, 0);
    key(pane, VK_NEXT);
    EXPECT_EQ(v->pos(), 10);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, -10}}));
    key(pane, VK_NEXT);
    key(pane, VK_NEXT);  // only 5 left: to the bottom
    EXPECT_EQ(v->pos(), 25);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, -10}, {0, -5}}));
    key(pane, VK_HOME, true);
    EXPECT_EQ(v->pos(), 0);
    EXPECT_EQ(pane->takeMoves(), (Moves{{0, 25}}));
    key(pane, VK_END, true);
    EXPECT_EQ(v->pos(), 25);
    pane->takeMoves();

    // Horizontal paging with Ctrl; at the left end beforeScroll still runs.
    const int before = s->before;
    key(pane, VK_PRIOR, true);
    EXPECT_EQ(s->before, before + 1);
    EXPECT_EQ(h->pos(), 0);
    key(pane, VK_NEXT, true);
    EXPECT_EQ(h->pos(), 10);
    EXPECT_EQ(pane->takeMoves(), (Moves{{-10, 0}}));
    EXPECT_EQ(key(pane, 'A'), 0);

    // A vertical range of one value ends the handling.
    v->setRange(5, 5);
    EXPECT_EQ(key(pane, VK_NEXT, true), 0);
    EXPECT_EQ(h->pos(), 10);

    // Without being the pane's scroller it does nothing.
    v->setRange(0, 25);
    pane->setScroller(nullptr);
    EXPECT_EQ(key(pane, VK_NEXT), 0);
    pane->setScroller(s);

    delete s;  // the key handler goes with it
    EXPECT_EQ(key(pane, VK_NEXT), 0);
    EXPECT_TRUE(pane->takeMoves().empty());
}

TEST_F(ScrollFixture, AutomaticRangesFromThePreferredSize)
{
    ScrollPane* pane = new ScrollPane(frame, 300, 200);
    pane->hasContent = true;
    pane->contentW = 1000;
    pane->contentH = 150;  // fits
    RECT client;
    GetClientRect(pane->handle(), &client);

    auto* s = new zPaneScrollerAuto(pane);
    pane->setScroller(s);
    pump();
    zScrollInfo* h = pane->horzScroll();
    zScrollInfo* v = pane->vertScroll();
    // (1000 - client width) at step 1; the vertical content fits: 0 ... 0.
    EXPECT_EQ(h->max(), 1000 - client.right);
    EXPECT_EQ(v->max(), 0);
    int lo = -1, hi = -1;
    GetScrollRange(pane->handle(), SB_HORZ, &lo, &hi);
    EXPECT_EQ(hi, 1000 - client.right);
    EXPECT_EQ(s->contentWidth(), 1000);
    // The hidden vertical bar widened the client area.
    GetClientRect(pane->handle(), &client);

    // Step 7 on 700 extra pixels: 100 positions.
    pane->contentW = client.right + 700;
    s->setStepX(7);
    s->reset();
    EXPECT_EQ(h->max(), 100);
    s->setStepX(6);
    s->reset();
    EXPECT_EQ(h->max(), 117);

    // The position follows the maximum: 50 of 100 stays half-way.
    s->setStepX(7);
    s->reset();
    h->setPos(50);
    h->setLast(50);
    pane->display()->setWindowOrg(350, 0);
    pane->contentW = client.right + 7 * 120;
    pane->takeMoves();
    s->reset();
    EXPECT_EQ(h->max(), 120);
    EXPECT_EQ(h->pos(), 60);
    EXPECT_EQ(pane->takeMoves(), (Moves{{-70, 0}}));
    EXPECT_EQ(pane->display()->windowOrg().x, 420);  // 60 positions of 7 pixels

    // Scrolling moves the display origin with the content.
    SendMessageA(pane->handle(), WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(pane->display()->windowOrg().x, 427);

    // Content that fits again: range 0 ... 0 and the origin back to 0.
    pane->contentW = 100;
    s->reset();
    EXPECT_EQ(h->max(), 0);
    EXPECT_EQ(h->pos(), 0);
    EXPECT_EQ(pane->display()->windowOrg().x, 0);

    // Destruction leaves the pane unscrolled.
    pane->contentW = 5000;
    s->reset();
    SendMessageA(pane->handle(), WM_HSCROLL, SB_PAGEDOWN, 0);
    EXPECT_NE(pane->display()->windowOrg().x, 0);
    pane->setScroller(nullptr);
    delete s;
    EXPECT_EQ(pane->display()->windowOrg().x, 0);
    EXPECT_EQ(h->pos(), 0);
    EXPECT_EQ(h->max(), 0);
}

TEST_F(ScrollFixture, MovingToAnotherPaneMovesTheKeyHandler)
{
    ScrollPane* a = new ScrollPane(frame, 100, 100);
    ScrollPane* b = new ScrollPane(frame, 100, 100);
    auto* s = new zPaneScroller(a);
    a->setScroller(s);
    b->setScroller(s);
    b->vertScroll()->setRange(0, 50);
    a->vertScroll()->setRange(0, 50);
    s->setPane(b);
    EXPECT_TRUE(s->attached());
    key(a, VK_NEXT);
    EXPECT_EQ(a->vertScroll()->pos(), 0);
    key(b, VK_NEXT);
    EXPECT_EQ(b->vertScroll()->pos(), 10);
    a->setScroller(nullptr);
    b->setScroller(nullptr);
    delete s;
}

TEST_F(ScrollFixture, ScrollerAndPaneMayGoInEitherOrder)
{
    ScrollPane* a = new ScrollPane(frame, 100, 100);
    auto* first = new zPaneScrollerAuto(a);
    a->setScroller(first);
    delete first;  // the pane forgets it
    EXPECT_EQ(a->scroller(), nullptr);

    auto* second = new zPaneScrollerAuto(a);
    a->setScroller(second);
    delete a;  // the scroller is left without a pane
    EXPECT_EQ(second->pane(), nullptr);
    EXPECT_FALSE(second->attached());
    delete second;
}

}  // namespace
