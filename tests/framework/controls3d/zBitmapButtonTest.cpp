#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "Controls3dTestSupport.h"
#include "framework/controls3d/zBitmapButton.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zResId.h"
#include "framework/controls3d/zGroupBox3d.h"
#include "framework/controls3d/zPanel3d.h"
#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisBmpButtonInternal.h"
#include "framework/controls3d/ziVisPanelInternal.h"
#include "framework/controls3d/ziVisText3dGroup.h"
#include "framework/core/zBitmap.h"

KEL_TEST_APPLICATION;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kBlack = RGB(0, 0, 0);

struct FaceFixture : ::testing::Test {
    static inline RecordingFrame* frame = nullptr;
    static void SetUpTestSuite() { frame = new RecordingFrame("Flächen"); }
    static void TearDownTestSuite()
    {
        delete frame;
        frame = nullptr;
        pump();
    }
    void SetUp() override { frame->received.clear(); }
    void TearDown() override
    {
        for (zWindow* c : made)
            delete c;
        pump();
    }
    template <class T>
    T* keep(T* c)
    {
        c->show(SW_SHOW);
        pump();
        made.push_back(c);
        return c;
    }
    zSizer* at(int x, int y, int w, int h) { return new zSizer(x, y, w, h, frame->sizer()); }
    std::vector<zWindow*> made;
};

}  // namespace

TEST_F(FaceFixture, RaisedAndSunkenBevels)
{
    // Bevel 2 (bits 3-5), raised outer bevel with a black shadow.
    auto* raised = keep(new zPanel3d(frame, at(10, 10, 60, 40), 0x200 | 0x400 | 0x10, "", 1, 999, 999));
    // Bevel 2, sunken with a grey shadow.
    auto* sunken = keep(new zPanel3d(frame, at(90, 10, 60, 40), 0x10, "", 2, 999, 999));
    EXPECT_EQ(raised->panelFace()->bevel(), 2);
    repaint(frame->handle());
    pump();
    HWND r = raised->handle(), s = sunken->handle();
    EXPECT_EQ(pixel(r, 5, 0), kWhite);
    EXPECT_EQ(pixel(r, 0, 5), kWhite);
    EXPECT_EQ(pixel(r, 5, 1), kWhite);  // second ring
    EXPECT_EQ(pixel(r, 59, 20), kBlack);
    EXPECT_EQ(pixel(r, 20, 39), kBlack);
    EXPECT_EQ(pixel(s, 5, 0), kGrey);
    EXPECT_EQ(pixel(s, 0, 5), kGrey);
    EXPECT_EQ(pixel(s, 59, 20), kWhite);
    EXPECT_EQ(pixel(s, 20, 39), kWhite);
}

TEST_F(FaceFixture, PanelDefaultsAndMouseTransparency)
{
    auto* p = keep(new zPanel3d(frame, at(10, 60, 60, 30), 0x0208, "Text", 3, 999, 999));
    EXPECT_EQ(p->panelFace()->bevel(), 1);
    EXPECT_EQ(p->panelFace()->border(), 0);
    EXPECT_EQ(p->panelFace()->innerBevel(), 1);
    auto* flat = keep(new zPanel3d(frame, at(80, 60, 60, 30), 0, "", 4, 0, 0));
    EXPECT_EQ(flat->panelFace()->bevel(), 0);
    EXPECT_EQ(SendMessageA(p->handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    // A new style recomputes bevel and border.
    SendMessageA(p->handle(), BM_SETSTYLE, 0x18 | 0x0800, 1);
    EXPECT_EQ(p->panelFace()->bevel(), 3);
    EXPECT_EQ(p->panelFace()->border(), 1);
}

TEST_F(FaceFixture, GroupBoxCaptionNeedsAnAlignment)
{
    auto* none = keep(new zGroupBox3d(frame, at(10, 100, 120, 60), 0, "Titel", 5));
    auto* left = keep(new zGroupBox3d(frame, at(140, 100, 120, 60), 0x0800, "Titel", 6));
    auto caption = [](zGroupBox3d* g) { return dynamic_cast<ziVisText3dGroup*>(g->caption()); };
    EXPECT_FALSE(caption(none)->shows());
    EXPECT_TRUE(caption(left)->shows());
    repaint(frame->handle());
    pump();
    // The etched frame runs 7 pixels below the top; the caption breaks it.
    EXPECT_EQ(pixel(none->handle(), 30, 7), kBlack);
    EXPECT_EQ(pixel(none->handle(), 30, 8), kWhite);
    EXPECT_EQ(caption(left)->textX(), 6);
    EXPECT_EQ(pixel(left->handle(), 5, 7), GetSysColor(COLOR_BTNFACE));  // the gap
    EXPECT_EQ(pixel(left->handle(), 2, 7), kBlack);
    EXPECT_EQ(SendMessageA(left->handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(FaceFixture, BitmapButtonImageStates)
{
    // A push button whose image stays still: image 0 up, 2 pressed, 1 disabled.
    auto* b = keep(new zBitmapButton(frame, at(10, 170, 25, 25), 0x4010, "", 12,
                                     new zBitmap(zResId(13))));
    ziVisBmpButtonInternal* f = b->bitmapFaceVisual();
    ASSERT_NE(f->bitmap(), nullptr);
    EXPECT_EQ(f->imageWidth(), 25);
    repaint(b->handle());
    EXPECT_EQ(f->lastImage(), 0);
    // The strip's transparent colour shows as the button face.
    EXPECT_EQ(f->transparentColour(), RGB(0, 128, 128));
    EXPECT_EQ(pixel(b->handle(), 3, 22), GetSysColor(COLOR_BTNFACE));

    SendMessageA(b->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    EXPECT_EQ(f->lastImage(), 2);
    SendMessageA(b->handle(), WM_LBUTTONUP, 0, MAKELPARAM(12, 12));
    EXPECT_EQ(f->lastImage(), 0);
    ASSERT_EQ(frame->of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(frame->of(WM_COMMAND)[0].wParam, 12u);

    EnableWindow(b->handle(), FALSE);
    EXPECT_EQ(f->lastImage(), 1);
    EnableWindow(b->handle(), TRUE);
    EXPECT_EQ(f->lastImage(), 0);
}

TEST_F(FaceFixture, ToggleButtonSetLook)
{
    // Kind 0x20 toggles: pressed from clear shows image 2, set shows 4,
    // pressed from set 3.
    auto* b = keep(new zBitmapButton(frame, at(40, 170, 25, 25), 0x4000 | 0x200 | 0x20, "", 3061,
                                     new zBitmap(zResId(7))));
    ziVisBmpButtonInternal* f = b->bitmapFaceVisual();
    SendMessageA(b->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    EXPECT_EQ(f->lastImage(), 2);
    SendMessageA(b->handle(), WM_LBUTTONUP, 0, MAKELPARAM(12, 12));
    EXPECT_EQ(f->lastImage(), 4);
    EXPECT_EQ(SendMessageA(b->handle(), BM_GETCHECK, 0, 0), 1);
    SendMessageA(b->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    EXPECT_EQ(f->lastImage(), 3);
    SendMessageA(b->handle(), WM_LBUTTONUP, 0, MAKELPARAM(12, 12));
    EXPECT_EQ(f->lastImage(), 0);
    EXPECT_EQ(SendMessageA(b->handle(), BM_GETCHECK, 0, 0), 0);
    b->setCheck(1);
    EXPECT_EQ(f->lastImage(), 4);
}

TEST_F(FaceFixture, BitmapAlreadyInButtonFaceIsUsedUnchanged)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 12, 2);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int x = 0; x < 12; ++x) {
        SetPixel(mem, x, 0, face);
        SetPixel(mem, x, 1, RGB(10, 20, 30));
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    auto* b = keep(new zBitmapButton(frame, at(70, 170, 25, 25), 0x4010, "", 14, new zBitmap(bmp)));
    ziVisBmpButtonInternal* f = b->bitmapFaceVisual();
    EXPECT_EQ(f->transparentColour(), face);
    EXPECT_EQ(f->imageWidth(), 2);
    repaint(b->handle());
    EXPECT_EQ(pixel(b->handle(), 11, 12), RGB(10, 20, 30));  // image at ((25-2)/2, (25-2)/2)
}

TEST_F(FaceFixture, OnlyTheExactCornerColourBecomesTheFace)
{
    // A strip of six 2x3 images; the first image's pixels, painted at
    // ((25-2)/2, (25-3)/2): the corner colour wherever it is turns into the
    // face, its channels swapped or one step off stay as they are.
    const COLORREF corner = RGB(0, 128, 128), face = GetSysColor(COLOR_BTNFACE);
    struct Case {
        int x, y;
        COLORREF drawn, shown;
    };
    const Case cases[] = {{0, 0, corner, face},           {1, 0, RGB(128, 128, 0), RGB(128, 128, 0)},
                          {0, 1, RGB(0, 128, 129), RGB(0, 128, 129)}, {1, 1, corner, face},
                          {0, 2, RGB(10, 20, 30), RGB(10, 20, 30)},   {1, 2, corner, face}};
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 12, 3);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (const Case& c : cases)
        SetPixel(mem, c.x, c.y, c.drawn);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    auto* b = keep(new zBitmapButton(frame, at(100, 170, 25, 25), 0x4010, "", 15, new zBitmap(bmp)));
    EXPECT_EQ(b->bitmapFaceVisual()->transparentColour(), corner);
    repaint(b->handle());
    for (const Case& c : cases)
        EXPECT_EQ(pixel(b->handle(), 11 + c.x, 11 + c.y), c.shown) << c.x << "," << c.y;
}

TEST_F(FaceFixture, BitmapButtonWithoutBitmapDrawsFrameAndCaption)
{
    auto* b = keep(new zBitmapButton(frame, at(100, 170, 60, 25), 0x1000, "OK", 15, nullptr));
    repaint(b->handle());
    ziVisBmpButtonInternal* f = b->bitmapFaceVisual();
    EXPECT_EQ(f->lastImage(), -1);
    EXPECT_EQ(pixel(b->handle(), 10, 2), kWhite);   // raised frame, inset 2
    EXPECT_EQ(pixel(b->handle(), 10, 22), kGrey);
    SetFocus(b->handle());
    pump();
    EXPECT_EQ(f->hasFocus(), 1);
}
