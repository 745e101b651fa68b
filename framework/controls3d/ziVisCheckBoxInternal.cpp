#include "framework/controls3d/ziVisCheckBoxInternal.h"

#include "framework/controls3d/ziVisualDrawing.h"

ziVisCheckBoxInternal::ziVisCheckBoxInternal(ziCompound* parent, zSizer* sizer, uint32_t style,
                                             int32_t id)
    : ziVisButton(parent, sizer, id, style, isAuto(style), true)
{
}

void ziVisCheckBoxInternal::drawBox()
{
    box_ = markBox(14);
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const int32_t l = box_.left, t = box_.top, r = box_.right, b = box_.bottom;
    {
        ziPenScope pen(d, ziBtnFace());
        ziBrushScope brush(d, LTGRAY_BRUSH, true);
        Rectangle(dc, l + 1, t + 1, r, b);
    }
    {
        ziPenScope grey(d, RGB(128, 128, 128));
        ziLine(dc, r, t + 1, r, b);
        LineTo(dc, l, b);
    }
    {
        ziPenScope white(d, RGB(255, 255, 255));
        ziLine(dc, l, b - 1, l, t);
        LineTo(dc, r, t);
    }
    {
        ziPenScope grey(d, RGB(128, 128, 128));
        ziLine(dc, r - 1, t, l, t);
        ziLine(dc, l, t + 1, l, b);
    }
    {
        ziPenScope white(d, WHITE_PEN, true);
        ziLine(dc, l + 1, b, r, b);
        ziLine(dc, r, b - 1, r, t);
        ziBrushScope field(d, WHITE_BRUSH, true);
        Rectangle(dc, l + 2, t + 2, r - 1, b - 1);
    }
    {
        ziPenScope black(d, BLACK_PEN, true);
        ziLine(dc, r - 1, t + 1, l + 1, t + 1);
        LineTo(dc, l + 1, b);
    }
    {
        ziPenScope face(d, ziBtnFace());
        ziLine(dc, l + 2, b - 1, r - 1, b - 1);
        LineTo(dc, r - 1, t + 1);
    }
}

void ziVisCheckBoxInternal::drawMark(bool white)
{
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const COLORREF c = white ? RGB(255, 255, 255) : RGB(0, 0, 0);
    int32_t L = box_.left + 3, T = box_.top + 3, R = box_.right - 3, B = box_.bottom - 3;
    const int32_t l = box_.left, b = box_.bottom;
    if (style_ & 0x400) {
        ziPenScope pen(d, white ? WHITE_PEN : BLACK_PEN, true);
        ziLine(dc, L, B, L, b - 8);
        ziLine(dc, l + 4, B, l + 4, b - 9);
        for (int32_t i = 0; i <= B - T; ++i) {
            SetPixel(dc, L + i, B - i, c);
            SetPixel(dc, L + i + 1, B - i, c);
        }
        return;
    }
    auto dot = [&](int32_t px, int32_t py) {
        SetPixel(dc, px, py, c);
        SetPixel(dc, px + 1, py, c);
        SetPixel(dc, px, py + 1, c);
        SetPixel(dc, px + 1, py + 1, c);
    };
    for (int round = 0; round < 3; ++round) {
        dot(L, T);
        dot(R - 1, T);
        B -= 1;
        dot(L, B);
        dot(R - 1, B);
        ++L;
        ++T;
        --R;
    }
}

void ziVisCheckBoxInternal::drawPressed()
{
    drawBox();
    zDisplay* d = display();
    if (!d)
        return;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const int32_t l = box_.left, t = box_.top, r = box_.right, b = box_.bottom;
    const bool flat = (style_ & 0x200) != 0;
    if (flat) {
        ziPenScope pen(d, BLACK_PEN, true);
        ziBrushScope brush(d, LTGRAY_BRUSH, true);
        Rectangle(dc, l, t, r + 1, b + 1);
        Rectangle(dc, l + 1, t + 1, r, b);
    } else {
        ziPenScope pen(d, NULL_PEN, true);
        ziBrushScope brush(d, GRAY_BRUSH, true);
        Rectangle(dc, l + 2, t + 2, r, b);
    }
    if (state_ == 2)
        drawMark(!flat);
}

void ziVisCheckBoxInternal::showClear()
{
    state_ = 1;
    drawBox();
}

void ziVisCheckBoxInternal::showSet()
{
    state_ = 0;
    drawBox();
    drawMark(false);
}

void ziVisCheckBoxInternal::press()
{
    // A repaint while held down keeps the held state it had.
    state_ = state_ == 0 || state_ == 2 ? 2 : 3;
    drawPressed();
}

void ziVisCheckBoxInternal::showPressedClear()
{
    state_ = 3;
    drawPressed();
}

void ziVisCheckBoxInternal::clickAction()
{
    const bool autoBox = isAuto(style_);
    if (state_ == 2) {
        if (autoBox)
            showClear();
        else
            showSet();
    } else if (state_ == 3) {
        if (autoBox)
            showSet();
        else
            showClear();
    }
}
