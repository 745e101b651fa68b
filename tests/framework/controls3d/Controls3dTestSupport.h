#pragma once
// Shared by the 3-D control tests: a frame that records what its controls
// tell it, a holder fixture, clicks and pixel reading. The application and
// the pump come from the window-test kit.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zChildWin.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zMenu.h"
#include "framework/core/zResId.h"
#include "framework/core/zSizer.h"
#include "tests/support/MessageInput.h"
#include "tests/support/WindowTest.h"

using kel::test::childRect;
using kel::test::pump;
using kel::test::sendClick;

// One WM_COMMAND or WM_MENUSELECT that reached the frame.
struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A frame that records the commands and menu selections it receives.
class RecordingFrame : public zFrameWin {
public:
    explicit RecordingFrame(const char* title = "Test", int32_t w = 420, int32_t h = 300)
        : zFrameWin(new zSizer(20, 20, w, h), WS_OVERLAPPEDWINDOW, title)
    {
        create();
        show(SW_SHOWNORMAL);
        pump();
    }
    int command(zEvent* ev) override
    {
        if (ev->message == WM_COMMAND)
            received.push_back({ev->message, ev->wParam, ev->lParam});
        return 1;
    }
    LRESULT defWindowProc(zEvent* ev) override
    {
        if (ev->message == WM_MENUSELECT || ev->message == WM_NEXTDLGCTL)
            received.push_back({ev->message, ev->wParam, ev->lParam});
        return zFrameWin::defWindowProc(ev);
    }
    std::vector<Received> of(UINT message) const
    {
        std::vector<Received> out;
        for (const Received& r : received)
            if (r.message == message)
                out.push_back(r);
        return out;
    }
    std::vector<Received> received;
};

// A frame with the test menu and a holder window filling it: what sits in
// the holder has the frame as its owner (the parent's parent).
struct HolderFixture : ::testing::Test {
    RecordingFrame* frame = nullptr;
    zChildWin* holder = nullptr;

    void makeFrame(const char* title, int32_t w, int32_t h)
    {
        frame = new RecordingFrame(title, w, h);
        frame->setMenu(new zMenu(zResId(1), frame));
        holder = new zChildWin(frame, new zGravSizer(zSizerFill, 0, frame->sizer()), WS_VISIBLE, 0);
        holder->create();
    }
    // Lays the frame's content out again at its present size.
    void relayout()
    {
        RECT rc;
        GetClientRect(frame->handle(), &rc);
        SendMessageA(frame->handle(), WM_SIZE, 0, MAKELPARAM(rc.right, rc.bottom));
        pump();
    }
    void TearDown() override
    {
        delete frame;
        pump();
    }
};

inline LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

// Repaints a window now and reads one pixel of its client area.
inline void repaint(HWND w)
{
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
inline COLORREF pixel(HWND w, int x, int y)
{
    HDC dc = GetDC(w);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return c;
}
