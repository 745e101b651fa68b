#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/core/zBitmapDisplay.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zResId.h"
#include "framework/core/ziDisplayScope.h"
#include "framework/core/ziInfoDisplay.h"

namespace {

constexpr zColor kRed{255, 0, 0, 0};
constexpr zColor kBlue{0, 0, 255, 0};
constexpr zColor kWhite{255, 255, 255, 0};

TEST(Display, AcquireAndReleaseNest)
{
    ziInfoDisplay d;
    EXPECT_EQ(d.hdc(), nullptr);
    d.acquire();
    HDC first = d.hdc();
    ASSERT_NE(first, nullptr);
    d.acquire();
    d.release();
    EXPECT_EQ(d.hdc(), first);  // still held
    d.release();
    EXPECT_EQ(d.hdc(), nullptr);
    EXPECT_EQ(d.nesting(), 0);
}

TEST(Display, UnmatchedReleaseOnlyCountsBack)
{
    ziInfoDisplay d;
    d.release();
    EXPECT_EQ(d.nesting(), -1);
    d.acquire();  // back to 0 without taking the context
    EXPECT_EQ(d.nesting(), 0);
    EXPECT_EQ(d.hdc(), nullptr);
    d.acquire();
    EXPECT_NE(d.hdc(), nullptr);
    d.release();
}

TEST(Display, StateIsReappliedOnEveryAcquire)
{
    ziInfoDisplay d;
    d.setWindowOrg(0, 5);  // only (0, 0) is skipped
    d.setMapMode(MM_ANISOTROPIC);
    d.setWindowExt(10, 0);  // an extent with a zero side is not applied
    d.textColor(kRed);
    d.rasterOp(R2_XORPEN);
    for (int round = 0; round < 2; ++round) {
        d.acquire();
        POINT org{};
        GetWindowOrgEx(d.hdc(), &org);
        EXPECT_EQ(org.x, 0);
        EXPECT_EQ(org.y, 5);
        SIZE ext{};
        GetWindowExtEx(d.hdc(), &ext);
        EXPECT_NE(ext.cx, 10);
        EXPECT_EQ(GetTextColor(d.hdc()), RGB(255, 0, 0));
        EXPECT_EQ(GetROP2(d.hdc()), R2_XORPEN);
        EXPECT_EQ(GetMapMode(d.hdc()), MM_ANISOTROPIC);
        d.release();
    }
    // Setters answer the previous value and apply at once while held.
    d.acquire();
    EXPECT_EQ(d.textColor(kBlue), kRed);
    EXPECT_EQ(GetTextColor(d.hdc()), RGB(0, 0, 255));
    EXPECT_EQ(d.rasterOp(R2_COPYPEN), R2_XORPEN);
    EXPECT_EQ(GetROP2(d.hdc()), R2_COPYPEN);
    d.release();
    // Not held: the origin comes back packed, x low, y high.
    EXPECT_EQ(d.setWindowOrg(3, 4), (4 << 16) | 3);
}

TEST(Display, FreshDisplayStacks)
{
    ziInfoDisplay d;
    EXPECT_EQ(d.brushCount(), 1);
    EXPECT_EQ(d.penCount(), 1);
    EXPECT_EQ(d.fontCount(), 1);
    EXPECT_EQ(d.font(), nullptr);  // no font selected until one is pushed
    ASSERT_NE(d.pen(), nullptr);
    EXPECT_EQ(d.pen()->handle(), GetStockObject(BLACK_PEN));
    // The information display works in the window colours.
    EXPECT_EQ(d.backColor().colorRef(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(d.textColor().colorRef(), GetSysColor(COLOR_WINDOWTEXT));
}

TEST(Display, PenStackSelectsWhileHeld)
{
    ziInfoDisplay d;
    zPen* red = new zPen(PS_SOLID, 1, kRed);
    zPen* blue = new zPen(PS_SOLID, 1, kBlue);
    d.pushPen(red);  // not held: only stored
    EXPECT_EQ(d.pen(), red);
    d.acquire();
    EXPECT_EQ(GetCurrentObject(d.hdc(), OBJ_PEN), red->handle());
    d.pushPen(blue);
    EXPECT_EQ(GetCurrentObject(d.hdc(), OBJ_PEN), blue->handle());
    EXPECT_EQ(d.popPen().get(), blue);  // the caller owns it now
    EXPECT_EQ(GetCurrentObject(d.hdc(), OBJ_PEN), red->handle());

    zPen* green = new zPen(PS_SOLID, 1, zColor{0, 255, 0, 0});
    std::unique_ptr<zPen> swapped = d.swapPen(green);
    EXPECT_EQ(swapped.get(), red);
    EXPECT_EQ(GetCurrentObject(d.hdc(), OBJ_PEN), green->handle());

    // Popping the last pen leaves none current, and the popped pen is no
    // longer selected, so it can be deleted.
    std::unique_ptr<zPen> popped = d.popPen();  // the stock pen is below
    EXPECT_EQ(popped.get(), green);
    std::unique_ptr<zPen> stock = d.popPen();
    EXPECT_EQ(d.pen(), nullptr);
    EXPECT_EQ(d.penCount(), 0);
    EXPECT_NE(GetCurrentObject(d.hdc(), OBJ_PEN), green->handle());
    EXPECT_EQ(d.popPen(), nullptr);  // an empty stack answers null
    d.release();
    d.acquire();  // nothing current: taking the context again is fine
    d.release();
}

TEST(Display, ScopeGuardsRestoreTheDrawingState)
{
    ziInfoDisplay d;
    ziAcquire hold(&d);
    const HGDIOBJ pen = GetCurrentObject(hold.dc(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(hold.dc(), OBJ_BRUSH);
    {
        ziPenScope red(&d, RGB(255, 0, 0));
        ziBrushScope grey(&d, LTGRAY_BRUSH, true);
        EXPECT_EQ(d.penCount(), 2);
        EXPECT_EQ(GetCurrentObject(hold.dc(), OBJ_BRUSH), GetStockObject(LTGRAY_BRUSH));
        LOGPEN lp{};
        GetObjectA(GetCurrentObject(hold.dc(), OBJ_PEN), sizeof lp, &lp);
        EXPECT_EQ(lp.lopnColor, RGB(255, 0, 0));
    }
    EXPECT_EQ(d.penCount(), 1);
    EXPECT_EQ(d.brushCount(), 1);
    EXPECT_EQ(GetCurrentObject(hold.dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(hold.dc(), OBJ_BRUSH), brush);
    // A guard on no display does nothing.
    ziPenScope none(nullptr, RGB(0, 0, 0));
}

TEST(Display, BrushAndFontStacks)
{
    ziInfoDisplay d;
    d.acquire();
    zFont* font = new zFont("Arial", zFontSpec(zPrPoint(0, 120, &d), FW_BOLD));
    d.pushFont(font);
    EXPECT_EQ(GetCurrentObject(d.hdc(), OBJ_FONT), font->handle());
    TEXTMETRICA tm{};
    d.textMetrics(tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    SIZE wide = d.textExtent("WWWW");
    SIZE two = d.textExtent("WWWW", 2);
    EXPECT_GT(wide.cx, two.cx);
    EXPECT_EQ(d.popFont().get(), font);
    // Back to the stock font, which is never deleted.
    EXPECT_NE(d.font(), nullptr);
    EXPECT_EQ(d.font()->handle(), GetStockObject(DEVICE_DEFAULT_FONT));

    zBrush* brush = new zBrush(kRed);
    d.pushBrush(brush);
    EXPECT_EQ(GetCurrentObject(d.hdc(), OBJ_BRUSH), brush->handle());
    d.release();
    // Left on the stack: deleted with the display.
}

TEST(Font, BuiltFromADescription)
{
    ziInfoDisplay d;
    zFontSpec fontSpec(zPrPoint(0, 100, &d), FW_NORMAL, VARIABLE_PITCH, FF_SWISS);
    fontSpec.style = zFontItalic | zFontStrikeOut;
    zFont f("Arial", fontSpec);
    EXPECT_EQ(f.logFont().lfHeight, -zPrPoint::toDevice(100, d.logPixelsY()));  // character height
    EXPECT_NE(f.logFont().lfItalic, 0);
    EXPECT_EQ(f.logFont().lfUnderline, 0);
    EXPECT_NE(f.logFont().lfStrikeOut, 0);
    EXPECT_EQ(f.logFont().lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    EXPECT_STREQ(f.logFont().lfFaceName, "Arial");
    EXPECT_NE(f.handle(), nullptr);

    zFont scaled(f.logFont(), 240, &d);  // 24 points on the display
    EXPECT_EQ(scaled.logFont().lfHeight, -zPrPoint::toDevice(240, d.logPixelsY()));
    EXPECT_EQ(scaled.logFont().lfWidth, 0);
    zFont copy(f.logFont(), 0, nullptr);  // no conversion
    EXPECT_EQ(copy.logFont().lfHeight, f.logFont().lfHeight);

    zFont borrowed(static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)));
    EXPECT_EQ(borrowed.stock(), 1);
}

// A 40 x 30 bitmap display, white.
struct Canvas {
    ziInfoDisplay screen;
    zBitmapDisplay display{&screen, new zBitmap(40, 30, &screen)};
    Canvas()
    {
        RECT all{0, 0, 40, 30};
        FillRect(display.hdc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    COLORREF at(int x, int y) { return GetPixel(display.hdc(), x, y); }
};

TEST(BitmapDisplay, DrawsIntoItsBitmap)
{
    Canvas c;
    EXPECT_EQ(c.display.kind(), zDisplay::BitmapKind);
    EXPECT_EQ(c.display.nesting(), 1);  // held for its whole life
    EXPECT_EQ(c.display.paintRect(), (zRect{0, 0, 40, 30}));
    EXPECT_EQ(c.display.extentRect(), (zRect{0, 0, 40, 30}));

    c.display.pushPen(new zPen(PS_SOLID, 1, kBlue));
    c.display.frameRect({2, 2, 20, 12});
    c.display.pushBrush(new zBrush(kRed));
    c.display.pushPen(new zPen(NULL_PEN));
    Rectangle(c.display.hdc(), 25, 20, 35, 28);

    EXPECT_EQ(c.at(2, 2), RGB(0, 0, 255));    // corners of the outline
    EXPECT_EQ(c.at(20, 12), RGB(0, 0, 255));
    EXPECT_EQ(c.at(2, 12), RGB(0, 0, 255));
    EXPECT_EQ(c.at(10, 7), RGB(255, 255, 255));  // inside stays white
    EXPECT_EQ(c.at(30, 24), RGB(255, 0, 0));
}

TEST(BitmapDisplay, CopiesAndDrawsBitmaps)
{
    Canvas source;
    source.display.pushBrush(new zBrush(kRed));
    RECT block{0, 0, 4, 4};
    FillRect(source.display.hdc(), &block, source.display.brush()->brush());

    Canvas target;
    source.display.copyTo(&target.display, 10, 10, 4, 4, 0, 0);
    EXPECT_EQ(target.at(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(target.at(13, 13), RGB(255, 0, 0));
    EXPECT_EQ(target.at(14, 14), RGB(255, 255, 255));

    // drawBitmap copies a whole bitmap at its size.
    zBitmap* taken = source.display.bitmap(nullptr);  // no longer owned by the display
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(source.display.bitmap(), nullptr);
    EXPECT_EQ(target.display.drawBitmap(taken, 0, 0), 1);
    EXPECT_EQ(target.at(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(target.at(39, 29), RGB(255, 255, 255));
    EXPECT_EQ(taken->size().cx, 40);
    delete taken;

    ziInfoDisplay unheld;
    zBitmap small(2, 2, &unheld);
    EXPECT_EQ(unheld.drawBitmap(&small, 0, 0), 0);  // no context: 0
}

TEST(BitmapDisplay, SwapsBitmaps)
{
    Canvas c;
    zBitmap* other = new zBitmap(8, 8, &c.screen);
    zBitmap* previous = c.display.bitmap(other);
    EXPECT_EQ(c.display.paintRect(), (zRect{0, 0, 8, 8}));
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->size().cx, 40);
    delete previous;  // the caller owns what it got back; `other` goes with the display
}

TEST(Bitmap, LoadsFromResources)
{
    zBitmap fromExe{zResId(200)};  // no application object: the program's own module
    ASSERT_NE(fromExe.handle(), nullptr);
    EXPECT_EQ(fromExe.size().cx, 4);
    EXPECT_EQ(fromExe.size().cy, 2);

    Canvas c;
    c.display.drawBitmap(&fromExe, 10, 10);
    EXPECT_EQ(c.at(10, 10), RGB(0, 255, 0));
    EXPECT_EQ(c.at(13, 11), RGB(255, 0, 0));
    EXPECT_EQ(c.at(14, 11), RGB(255, 255, 255));

    // A library that cannot be loaded falls back to the program's resources.
    zBitmap fallback{zResId(200, "kein-solches-modul.dll")};
    EXPECT_NE(fallback.handle(), nullptr);
    zBitmap missing{zResId(201)};
    EXPECT_EQ(missing.handle(), nullptr);
    EXPECT_EQ(missing.size().cx, 0);
}

}  // namespace
