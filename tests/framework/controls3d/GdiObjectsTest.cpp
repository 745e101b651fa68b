// The framework's windows leave no GDI object behind: each family is opened
// in a frame of its own, painted and closed 100 times while the process's
// GDI objects are counted.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "Controls3dTestSupport.h"
#include "framework/controls3d/zBitmapButton.h"
#include "framework/controls3d/zGroupBox3d.h"
#include "framework/controls3d/zPanel3d.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zChildWin.h"
#include "framework/core/zResId.h"
#include "tests/support/GdiCount.h"

KEL_TEST_APPLICATION;

namespace {

zSizer* at(zFrameWin* frame, int x, int y, int w, int h) { return new zSizer(x, y, w, h, frame->sizer()); }

void faces(zFrameWin* frame)
{
    new zPanel3d(frame, at(frame, 10, 10, 60, 40), 0x200 | 0x400 | 0x10, "", 1, 999, 999);
    new zPanel3d(frame, at(frame, 80, 10, 60, 30), 0x0208, "Text", 3, 999, 999);
    new zGroupBox3d(frame, at(frame, 10, 60, 120, 60), 0, "Titel", 5);
}

void bitmapButtons(zFrameWin* frame)
{
    new zBitmapButton(frame, at(frame, 10, 10, 25, 25), 0x4010, "", 12, new zBitmap(zResId(13)));
    new zBitmapButton(frame, at(frame, 40, 10, 25, 25), 0x4000 | 0x200 | 0x20, "", 3061, new zBitmap(zResId(7)));
    new zBitmapButton(frame, at(frame, 70, 10, 60, 25), 0x1000, "OK", 15, nullptr);
}

void statusLine(zFrameWin* frame)
{
    auto* holder = new zChildWin(frame, new zGravSizer(zSizerFill, 0, frame->sizer()), WS_VISIBLE, 0);
    holder->create();
    new zStatusLineEZ(holder, new zGravSizer(zSizerBottom, 0, holder->sizer()), 0xD900, 0, nullptr);
}

TEST(GdiObjects, FrameworkWindowsLeaveNoneBehind)
{
    const struct Family {
        const char* name;
        void (*fill)(zFrameWin*);
    } families[] = {{"faces and group box", faces}, {"bitmap buttons", bitmapButtons}, {"status line", statusLine}};
    for (const Family& family : families) {
        SCOPED_TRACE(family.name);
        kel::test::expectNoGdiGrowth([&] {
            // The frame deletes its children with it.
            auto frame = std::make_unique<RecordingFrame>("Zeichnen", 360, 240);
            family.fill(frame.get());
            for (HWND child = GetWindow(frame->handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                ShowWindow(child, SW_SHOW);
            RedrawWindow(frame->handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            pump();
        });
    }
}

}  // namespace
