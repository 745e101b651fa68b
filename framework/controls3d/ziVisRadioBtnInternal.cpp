#include "framework/controls3d/ziVisRadioBtnInternal.h"

#include "framework/controls3d/ziVisualDrawing.h"

namespace {

// The round button in its 12 x 12 box: 'g' grey, 'k' black, 'w' white,
// 'f' button face, 'i' the inside; blanks stay as cleared.
const char* const kRing[12] = {
    "    gggg    ",
    "  ggkkkkgg  ",
    " gkkiiiikkw ",
    " gkiiiiiifw ",
    "gkiiiiiiiifw",
    "gkiiiiiiiifw",
    "gkiiiiiiiifw",
    "gkiiiiiiiifw",
    " gkiiiiiifw ",
    " gfiiiiiifw ",
    "  wwffffww  ",
    "    wwww    ",
};

// The flat variant: one black ring.
const char* const kFlatRing[12] = {
    "    kkkk    ",
    "  kkiiiikk  ",
    " kiiiiiiiik ",
    " kiiiiiiiik ",
    "kiiiiiiiiiik",
    "kiiiiiiiiiik",
    "kiiiiiiiiiik",
    "kiiiiiiiiiik",
    " kiiiiiiiik ",
    " kiiiiiiiik ",
    "  kkiiiikk  ",
    "    kkkk    ",
};

}  // namespace

ziVisRadioBtnInternal::ziVisRadioBtnInternal(ziCompound* parent, zSizer* sizer, uint32_t style,
                                             int32_t id)
    : ziVisButton(parent, sizer, id, style, isAuto(style), false)
{
}

void ziVisRadioBtnInternal::drawRound(bool pressedLook)
{
    box_ = markBox(13);
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    {
        ziPenScope pen(d, ziBtnFace());
        ziBrushScope brush(d, LTGRAY_BRUSH, true);
        Rectangle(dc, box_.left, box_.top, box_.right + 1, box_.bottom + 1);
    }
    const bool flat = (style_ & 0x200) != 0;
    const char* const* ring = flat ? kFlatRing : kRing;
    // Held down, the inside turns grey inside a ring of 1 (2 when flat).
    const int ringWidth = flat ? 2 : 1;
    for (int py = 0; py < 12; ++py) {
        for (int px = 0; px < 12; ++px) {
            COLORREF c;
            switch (ring[py][px]) {
            case 'g': c = RGB(128, 128, 128); break;
            case 'k': c = RGB(0, 0, 0); break;
            case 'w': c = RGB(255, 255, 255); break;
            case 'f': c = ziBtnFace(); break;
            case 'i': {
                bool edge = false;
                for (int k = 1; k < ringWidth + 1 && !edge; ++k) {
                    auto outside = [&](int x, int y) {
                        return x < 0 || y < 0 || x > 11 || y > 11 || ring[y][x] != 'i';
                    };
                    edge = outside(px - k, py) || outside(px + k, py) || outside(px, py - k) ||
                           outside(px, py + k);
                }
                c = pressedLook && !edge ? RGB(128, 128, 128) : RGB(255, 255, 255);
                if (pressedLook && edge && flat)
                    c = RGB(0, 0, 0);
                break;
            }
            default: continue;
            }
            SetPixel(dc, box_.left + px, box_.top + py, c);
        }
    }
}

void ziVisRadioBtnInternal::drawDot()
{
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const int32_t cx = box_.left + 5, cy = box_.top + 5;
    if (style_ & 0x200) {
        // Smaller: three strokes and two pixels.
        ziPenScope pen(d, BLACK_PEN, true);
        ziLine(dc, cx, cy - 1, cx + 2, cy - 1);
        ziLine(dc, cx - 1, cy, cx + 3, cy);
        ziLine(dc, cx, cy + 1, cx + 2, cy + 1);
        SetPixel(dc, cx, cy + 2, RGB(0, 0, 0));
        SetPixel(dc, cx + 1, cy + 2, RGB(0, 0, 0));
        return;
    }
    ziPenScope pen(d, BLACK_PEN, true);
    ziLine(dc, cx, cy - 2, cx + 2, cy - 2);
    ziLine(dc, cx - 1, cy - 1, cx + 3, cy - 1);
    ziLine(dc, cx - 1, cy, cx + 3, cy);
    ziLine(dc, cx - 1, cy + 1, cx + 3, cy + 1);
    ziLine(dc, cx - 1, cy + 2, cx + 3, cy + 2);
    ziLine(dc, cx, cy + 3, cx + 2, cy + 3);
}

void ziVisRadioBtnInternal::showClear()
{
    state_ = 1;
    drawRound(false);
}

void ziVisRadioBtnInternal::showSet()
{
    state_ = 0;
    drawRound(false);
    drawDot();
}

void ziVisRadioBtnInternal::press()
{
    state_ = state_ == 0 || state_ == 2 ? 2 : 3;
    drawRound(true);
    if (state_ == 2)
        drawDot();
}

void ziVisRadioBtnInternal::showPressedClear()
{
    state_ = 3;
    drawRound(true);
}

void ziVisRadioBtnInternal::clickAction()
{
    if (state_ == 2)
        showSet();
    else if (state_ == 3) {
        if (style_ & 9)
            showSet();
        else
            showClear();
    }
}
