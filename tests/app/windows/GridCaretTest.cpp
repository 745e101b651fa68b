// The caret the entry grid draws itself: on the screen where the editor
// puts it while the grid has the focus, blinking, and never left behind.
#include "tests/app/windows/GridTestSupport.h"

#include <functional>
#include <vector>

#include "app/windows/EditCell.h"
#include "app/windows/GridCaret.h"
#include "tests/support/VirtualClock.h"

namespace grid_test {
namespace {

// The grid's client area as it is on the screen, one value per pixel.
std::vector<uint32_t> Screen(HWND w)
{
    RECT r{};
    GetClientRect(w, &r);
    HDC dc = GetDC(w);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = r.right;
    info.bmiHeader.biHeight = -r.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(size_t(r.right) * size_t(r.bottom));
    GetDIBits(mem, bitmap, 0, UINT(r.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(w, dc);
    return pixels;
}

// Pixels that are the inverse of a fresh paint's: what a bar left behind
// looks like.
int InvertedPixels(const std::vector<uint32_t>& screen, const std::vector<uint32_t>& fresh)
{
    int n = 0;
    for (size_t i = 0; i < screen.size() && i < fresh.size(); ++i)
        if (screen[i] != fresh[i] && ((screen[i] ^ fresh[i]) & 0xFFFFFF) == 0xFFFFFF)
            ++n;
    return n;
}

bool DarkAt(HWND w, POINT p)
{
    HDC dc = GetDC(w);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(w, dc);
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 64;
}

class GridCaretTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        SetFocus(hwnd());
        pump();
    }
    const GridCaret& caret() const { return *grid->gridCaret(); }
    // The middle of the bar as it is on the screen.
    POINT barMiddle() const { return {caret().barPos().x, caret().barPos().y + (grid->rowHeight() - 6) / 2}; }
    void repaint()
    {
        InvalidateRect(hwnd(), nullptr, TRUE);
        UpdateWindow(hwnd());
    }
};

// Every way of typing, moving, painting and waiting leaves no bar behind
// once the focus has gone: no pixel is the inverse of a fresh paint's.
TEST_F(GridCaretTest, NoBarStaysBehindWhenTheFocusGoes)
{
    struct Case {
        const char* what;
        std::function<void()> steps;
    };
    const Case cases[] = {
        {"typing a name", [this]() { sendText(hwnd(), "Abc"); }},
        {"typing and rubbing out", [this]() { sendText(hwnd(), "Abcd\b\b"); }},
        {"a digit the name cell refuses", [this]() { sendText(hwnd(), "Ab1"); }},
        {"an edit closed by Enter", [this]() { sendText(hwnd(), "Abc\r"); }},
        {"an edit dropped by Escape", [this]() { sendText(hwnd(), "Abc\x1b"); }},
        {"a click into another cell while editing",
         [this]() {
             sendText(hwnd(), "Abc");
             const POINT p = cellCentre(0, 2);
             sendClick(hwnd(), p.x, p.y);
         }},
        {"a paint while editing, then more typing",
         [this]() {
             sendText(hwnd(), "Ab");
             repaint();
             sendText(hwnd(), "c");
         }},
        {"a ticked discipline cell and Home",
         [this]() {
             givePerformance(1, 0, 1234, true);
             grid->setCurrent(3, 1);
             sendText(hwnd(), "12");
             sendKey(hwnd(), VK_HOME);
         }},
        {"blinking between keystrokes",
         [this]() {
             kel::test::VirtualClock clock;
             sendText(hwnd(), "Ab");
             clock.tick(13);
             sendText(hwnd(), "c");
             clock.tick(7);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid->endEdit();
        grid->setCurrent(0, 0);
        SetFocus(hwnd());
        pump();
        c.steps();
        pump();
        SetFocus(frame->handle());
        pump();
        EXPECT_FALSE(caret().barOn());
        const std::vector<uint32_t> left = Screen(hwnd());
        repaint();
        EXPECT_EQ(InvertedPixels(left, Screen(hwnd())), 0);
    }
}

TEST_F(GridCaretTest, BarStandsWhereTheEditorPutsItWhileTheGridHasTheFocus)
{
    sendText(hwnd(), "Abc");
    ASSERT_NE(grid->activeEditor(), nullptr);
    ASSERT_TRUE(caret().barOn());
    const POINT typed = caret().barPos();
    EXPECT_TRUE(DarkAt(hwnd(), barMiddle()));
    // The bar follows the text and goes from its old place.
    sendChar(hwnd(), 'd');
    EXPECT_GT(caret().barPos().x, typed.x);
    EXPECT_TRUE(DarkAt(hwnd(), barMiddle()));
    EXPECT_FALSE(DarkAt(hwnd(), {typed.x, barMiddle().y}));
    // The system caret, never shown, stands on the bar for the tools that
    // follow it.
    POINT system{};
    ASSERT_TRUE(GetCaretPos(&system));
    EXPECT_EQ(system.x, caret().barPos().x);
    EXPECT_EQ(system.y, caret().barPos().y);
    // Without the focus there is no bar; with it, it comes back.
    SetFocus(frame->handle());
    pump();
    EXPECT_FALSE(DarkAt(hwnd(), barMiddle()));
    SetFocus(hwnd());
    pump();
    EXPECT_TRUE(caret().barOn());
    EXPECT_TRUE(DarkAt(hwnd(), barMiddle()));
}

TEST_F(GridCaretTest, BarBlinksWhileNothingIsTyped)
{
    sendText(hwnd(), "Abc");
    ASSERT_TRUE(caret().barOn());
    kel::test::VirtualClock clock;
    bool wentOff = false, cameBack = false;
    for (int tick = 0; tick < 25 && !cameBack; ++tick) {
        clock.tick();
        pump();
        if (!caret().barOn())
            wentOff = true;
        else if (wentOff)
            cameBack = true;
        // The screen shows the bar exactly while it is on.
        EXPECT_EQ(DarkAt(hwnd(), barMiddle()), caret().barOn());
    }
    EXPECT_TRUE(wentOff);
    EXPECT_TRUE(cameBack);
}

}  // namespace
}  // namespace grid_test
