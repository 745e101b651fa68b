// An MDI frame with two child windows, each filled by a pane that draws
// text and lines. The test reads the drawn pixels back. With KEL_HOLD_MS set
// it keeps the windows on screen that long after writing KEL_READY_FILE, so
// tools/screenshot-mdi.sh can take a picture of the display.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/WindowTest.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zMDIAppFrame.h"
#include "framework/core/zMDIChildFrame.h"
#include "framework/core/zPane.h"
#include "framework/core/zSizer.h"

using kel::test::pump;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class DrawingPane : public zPane {
public:
    DrawingPane(zWindow* parent, const char* caption)
        : zPane(parent, new zGravSizer(zSizerFill, 0, parent->sizer()), WS_VISIBLE, 1, 1), caption_(caption)
    {
    }
    int draw(zEvent*) override
    {
        zDisplay* d = display();
        HDC dc = d->hdc();
        RECT all{0, 0, 2000, 2000};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        d->pushFont(new zFont("Arial", zFontSpec(zPrPoint(0, 140, d), FW_BOLD)));
        d->textColor(zColor{0, 0, 0, 0});
        d->backColor(zColor{255, 255, 255, 0});
        TextOutA(dc, 10, 10, caption_.c_str(), static_cast<int>(caption_.size()));
        d->popFont();
        d->pushPen(new zPen(PS_SOLID, 3, zColor{255, 0, 0, 0}));
        MoveToEx(dc, 10, 60, nullptr);
        LineTo(dc, 230, 60);
        MoveToEx(dc, 10, 70, nullptr);
        LineTo(dc, 230, 140);
        d->popPen();
        d->pushPen(new zPen(PS_SOLID, 2, zColor{0, 0, 255, 0}));
        d->frameRect({5, 50, 240, 150});
        d->popPen();
        return 1;
    }

private:
    std::string caption_;
};

struct Shot {
    int red = 0, blue = 0, dark = 0;
};

Shot readBack(HWND pane)
{
    Shot s;
    HDC dc = GetDC(pane);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 250; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            s.red += c == kRed;
            s.blue += c == kBlue;
            s.dark += y < 40 && GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
        }
    ReleaseDC(pane, dc);
    return s;
}

TEST(MdiPanes, TwoChildPanesDrawTextAndLines)
{
    kel::test::TestApplication app;
    auto* frame = new zMDIAppFrame(nullptr, new zSizer(0, 0, 720, 480), 0, "Kelvora MDI", nullptr, 100);
    ASSERT_TRUE(frame->create());
    frame->show(SW_SHOWNORMAL);
    pump();

    DrawingPane* panes[2];
    const char* titles[2] = {"Schule Eins", "Schule Zwei"};
    for (int i = 0; i < 2; ++i) {
        auto* child = new zMDIChildFrame(frame, new zSizer(10 + 340 * i, 10, 330, 260), WS_OVERLAPPEDWINDOW | WS_VISIBLE, titles[i]);
        ASSERT_TRUE(child->create());
        panes[i] = new DrawingPane(child, titles[i]);
        child->show(SW_SHOWNORMAL);
        child->sizer()->setRect(nullptr);  // lay the pane out in the child's client area
    }
    pump();

    for (DrawingPane* p : panes) {
        RECT r;
        GetClientRect(p->handle(), &r);
        EXPECT_GE(r.right, 250);
        EXPECT_GE(r.bottom, 160);
        InvalidateRect(p->handle(), nullptr, TRUE);
        UpdateWindow(p->handle());
        Shot s = readBack(p->handle());
        EXPECT_GT(s.red, 600) << "lines";
        EXPECT_GT(s.blue, 600) << "frame";
        EXPECT_GT(s.dark, 50) << "text";
        HDC dc = GetDC(p->handle());
        EXPECT_EQ(GetPixel(dc, 120, 60), kRed);
        EXPECT_EQ(GetPixel(dc, 5, 100), kBlue);
        ReleaseDC(p->handle(), dc);
    }

    if (const char* hold = std::getenv("KEL_HOLD_MS")) {
        if (const char* ready = std::getenv("KEL_READY_FILE")) {
            if (FILE* f = std::fopen(ready, "w"))
                std::fclose(f);
        }
        const DWORD until = GetTickCount() + static_cast<DWORD>(std::atoi(hold));
        while (static_cast<int32_t>(until - GetTickCount()) > 0)
            pump();
    }

    delete frame;
    pump();
}

}  // namespace
