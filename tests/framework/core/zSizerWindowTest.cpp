#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/WindowTest.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zPane.h"
#include "framework/core/zSizer.h"

using kel::test::pump;
using kel::test::childRect;

// Found by argument lookup for the global RECT.
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace {

zPane* pane(zWindow* parent, zSizer* sizer) { return new zPane(parent, sizer, WS_VISIBLE, 0, 1); }

TEST(SizerWindows, ChildrenFollowAParentResize)
{
    kel::test::TestApplication app;
    zFrameWin* frame = new zFrameWin(new zSizer(20, 20, 400, 300), WS_OVERLAPPEDWINDOW, "Sizer");
    ASSERT_TRUE(frame->create());
    frame->show(SW_SHOWNORMAL);

    zSizer* fs = frame->sizer();
    auto* growSizer = new zGrowToFitSizer(zSizerTop, fs);
    growSizer->setMode(zGrowToFitSizer::HeightFixed);
    growSizer->setFixedHeight(20);
    zPane* grow = pane(frame, growSizer);
    zPane* growA = pane(grow, new zGravSizer(zSizerLeft, 40, grow->sizer()));
    zPane* growB = pane(grow, new zGravSizer(zSizerLeft, 60, grow->sizer()));
    zPane* left = pane(frame, new zGravSizer(zSizerLeft, 50, fs));
    zPane* pct = pane(frame, new zPercentSizer(zSizerBottom, 25.0f, 50.0f, fs));
    zPane* fill = pane(frame, new zGravSizer(zSizerFill, 0, fs));
    zPane* absolute = pane(frame, new zSizer(300, 100, 40, 40, fs));
    zPane* follow = new zPane(frame, new zSizeWithParent(), 0, 0, 1);
    // A child keeps the place it was given, in its parent's client
    // coordinates (not shifted by the frame's caption and border).
    EXPECT_EQ(absolute->sizer()->rect(), (zRect{300, 100, 340, 140}));

    for (SIZE size : {SIZE{600, 400}, SIZE{350, 500}}) {
        MoveWindow(frame->handle(), 20, 20, size.cx, size.cy, TRUE);
        pump();
        RECT c;
        GetClientRect(frame->handle(), &c);
        const LONG cw = c.right, ch = c.bottom;
        const LONG h = LONG(float(ch) * 25.0f * 0.01f), w = LONG(float(cw) * 50.0f * 0.01f);
        EXPECT_EQ(childRect(grow->handle()), (RECT{0, 0, 100, 20}));  // 40 + 60 wide
        EXPECT_EQ(childRect(growA->handle()), (RECT{0, 0, 40, 20}));
        EXPECT_EQ(childRect(growB->handle()), (RECT{40, 0, 100, 20}));
        EXPECT_EQ(childRect(left->handle()), (RECT{0, 20, 50, ch}));
        EXPECT_EQ(childRect(pct->handle()), (RECT{50, ch - h, 50 + w, ch}));
        EXPECT_EQ(childRect(fill->handle()), (RECT{50, 20, cw, ch - h}));
        EXPECT_EQ(childRect(absolute->handle()), (RECT{300, 100, 340, 140}));  // never moved
        EXPECT_EQ(absolute->sizer()->rect(), (zRect{300, 100, 340, 140}));
        EXPECT_EQ(childRect(follow->handle()), (RECT{0, 0, cw, ch}));
    }

    // A minimised frame lays out nothing.
    const RECT before = childRect(fill->handle());
    ShowWindow(frame->handle(), SW_MINIMIZE);
    pump();
    EXPECT_EQ(childRect(fill->handle()), before);
    ShowWindow(frame->handle(), SW_RESTORE);
    pump();

    delete frame;
    pump();
}

}  // namespace
