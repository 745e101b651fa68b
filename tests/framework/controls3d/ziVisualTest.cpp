#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Controls3dTestSupport.h"
#include "framework/controls3d/zStaticText3d.h"
#include "framework/controls3d/ziCompound.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/ziVisText3d.h"
#include "framework/controls3d/ziVisualPane.h"
#include "framework/core/zDisplay.h"

KEL_TEST_APPLICATION;

namespace {

// A visual that records the events it gets and accepts button-downs.
class Probe : public ziVisual {
public:
    Probe(ziCompound* parent, zSizer* sizer, std::vector<std::string>* log, const char* name)
        : ziVisual(parent, sizer), log_(log), name_(name)
    {
        setActive(ActiveBit);
    }
    int mouseButtonDown(zEvent*) override { return note("down"), 1; }
    int mouseButtonUp(zEvent*) override { return note("up"), 1; }
    int mouseMove(zEvent*) override { return note("move"), 1; }
    int charInput(zEvent*) override { return note("char"), 1; }
    void draw(const zRect*) override { note("draw"); }

private:
    void note(const char* what) { log_->push_back(name_ + ":" + what); }
    std::vector<std::string>* log_;
    std::string name_;
};

struct VisualFixture : ::testing::Test {
    static inline RecordingFrame* frame = nullptr;
    static void SetUpTestSuite() { frame = new RecordingFrame("Visuals"); }
    static void TearDownTestSuite()
    {
        delete frame;
        frame = nullptr;
        pump();
    }
    void SetUp() override
    {
        pane = new ziVisualPane(frame, new zSizer(0, 0, 200, 100, frame->sizer()), WS_VISIBLE);
        pane->show(SW_SHOW);
        root = pane->root();
        a = new Probe(root, new zSizer(10, 10, 20, 20), &log, "a");
        b = new Probe(root, new zSizer(50, 10, 20, 20), &log, "b");
        root->add(a);
        root->add(b);
        pump();
        log.clear();
    }
    void TearDown() override
    {
        delete pane;
        pump();
    }
    void send(UINT msg, int x, int y, WPARAM keys = 0)
    {
        SendMessageA(pane->handle(), msg, keys, MAKELPARAM(x, y));
    }
    ziVisualPane* pane = nullptr;
    ziShellCompound* root = nullptr;
    Probe* a = nullptr;
    Probe* b = nullptr;
    std::vector<std::string> log;
};

}  // namespace

TEST_F(VisualFixture, MouseEventsFollowTheCaptureChild)
{
    send(WM_MOUSEMOVE, 55, 15);
    send(WM_LBUTTONDOWN, 15, 15, MK_LBUTTON);
    EXPECT_EQ(root->captureChild(), a);
    send(WM_MOUSEMOVE, 150, 80, MK_LBUTTON);  // outside a: still a
    send(WM_LBUTTONUP, 150, 80);
    EXPECT_EQ(root->captureChild(), nullptr);
    send(WM_MOUSEMOVE, 150, 80);              // outside every child
    send(WM_LBUTTONDOWN, 150, 80, MK_LBUTTON);
    const std::vector<std::string> want = {"b:move", "a:down", "a:move", "a:up"};
    EXPECT_EQ(log, want);
    // Edges belong to the child: [x, x + width] on both axes.
    log.clear();
    send(WM_LBUTTONDOWN, 70, 30, MK_LBUTTON);
    send(WM_LBUTTONUP, 70, 30);
    EXPECT_EQ(log, (std::vector<std::string>{"b:down", "b:up"}));
}

TEST_F(VisualFixture, InactiveAndHiddenChildrenGetNothing)
{
    b->clearActive(ziVisual::ActiveBit);
    EXPECT_EQ(root->activeCount(), 1);
    send(WM_LBUTTONDOWN, 55, 15, MK_LBUTTON);
    a->show(0);
    send(WM_LBUTTONDOWN, 15, 15, MK_LBUTTON);
    EXPECT_TRUE(log.empty());
    // With no active child left the pane leaves the event alone.
    a->clearActive(ziVisual::ActiveBit);
    EXPECT_EQ(root->flags() & ziVisual::ActiveBit, 0u);
    b->setActive(ziVisual::ActiveBit);
    EXPECT_EQ(root->flags() & ziVisual::ActiveBit, 1u);
    // Deleting an active child takes it out of the active list.
    delete b;
    b = nullptr;
    EXPECT_EQ(root->activeCount(), 0);
    EXPECT_EQ(root->flags() & ziVisual::ActiveBit, 0u);
}

TEST_F(VisualFixture, DrawingOnlyWhatOverlaps)
{
    const zRect left{0, 0, 30, 30};
    root->draw(&left);
    EXPECT_EQ(log, (std::vector<std::string>{"a:draw"}));
    log.clear();
    const zRect touching{30, 0, 50, 30};  // touches both edges only
    root->draw(&touching);
    EXPECT_TRUE(log.empty());
    root->draw(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a:draw", "b:draw"}));
}

TEST_F(VisualFixture, CaptionLooks)
{
    struct Case {
        uint32_t look;
        bool firstNone, secondNone;
        COLORREF first, second;
        int32_t margin, offset;
    };
    const COLORREF w = RGB(255, 255, 255), g = RGB(128, 128, 128);
    const Case cases[] = {
        {0x000, true, true, 0, 0, 1, 0},   {0x080, true, false, 0, w, 2, 0},
        {0x0C0, false, false, g, w, 2, 1}, {0x100, false, true, w, 0, 1, 1},
        {0x140, false, false, w, g, 2, 1},
    };
    auto* text = new zStaticText3d(frame, new zSizer(0, 120, 200, 20, frame->sizer()), 0, "&Datei", 9);
    ziVisText3d* c = text->caption();
    for (const Case& k : cases) {
        c->setStyle(k.look);
        EXPECT_EQ(ziVisText3d::isNone(c->firstColour()), k.firstNone) << k.look;
        EXPECT_EQ(ziVisText3d::isNone(c->secondColour()), k.secondNone) << k.look;
        if (!k.firstNone) {
            EXPECT_EQ(c->firstColour().colorRef(), k.first) << k.look;
        }
        if (!k.secondNone) {
            EXPECT_EQ(c->secondColour().colorRef(), k.second) << k.look;
        }
        EXPECT_EQ(c->sizeMargin(), k.margin) << k.look;
        EXPECT_EQ(c->styleOffset(5), 5 + k.offset) << k.look;
    }
    // Other look values keep the colours.
    c->setStyle(0x1C0);
    EXPECT_EQ(c->firstColour().colorRef(), w);
    // The box is the text extent plus the margin.
    c->setStyle(0x0C0);
    zDisplay* d = text->display();
    d->acquire();
    SIZE s{};
    GetTextExtentPoint32A(d->hdc(), "Datei", 5, &s);
    EXPECT_EQ(c->textWidth(), s.cx + 2);
    EXPECT_EQ(c->textHeight(), s.cy + 2);
    d->release();
    EXPECT_EQ(c->hasMnemonic(), 1);
    EXPECT_EQ(c->mnemonicIndex(), 0);
    delete text;
}

TEST_F(VisualFixture, StaticTextAlignment)
{
    struct Case {
        uint32_t style;
        const char* name;
    };
    for (const Case& k : {Case{0, "links"}, Case{1, "mitte"}, Case{2, "rechts"}, Case{3, "drei"}}) {
        auto* t = new zStaticText3d(frame, new zSizer(0, 140, 200, 20, frame->sizer()), k.style, "Text", 9);
        t->show(SW_SHOW);
        repaint(t->handle());
        ziVisText3d* c = t->caption();
        zDisplay* d = t->display();
        d->acquire();
        const int32_t tw = c->textWidth();
        d->release();
        const int32_t w = 200 - 2;
        const int32_t want = k.style == 1 ? w / 2 - tw / 2 : k.style == 2 ? w - tw : 1;
        EXPECT_EQ(c->textX(), want) << k.name;
        delete t;
    }
}
