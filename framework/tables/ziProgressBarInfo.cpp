#include "framework/tables/ziProgressBarInfo.h"

#include <algorithm>
#include <cstring>

#include "framework/core/zDisplay.h"

ziProgressBarInfo::ziProgressBarInfo(zDisplay** d, const zRect& r, uint32_t s)
    : display(d), rect(r), style(s), barBrush(std::make_unique<zBrush>(zColor{255, 0, 0, 0}))
{
}

int32_t ziProgressBarInfo::fillLength(int32_t extent) const
{
    const float p = std::clamp(percentage, 0.0f, 100.0f);
    return int32_t(float(extent) * p * 0.01f);
}

void ziProgressBarInfo::draw()
{
    zDisplay* d = *display;
    d->acquire();
    const HDC dc = d->hdc();
    const zRect r{rect.left + 1, rect.top + 1, rect.right, rect.bottom};
    if (!(style & NoFrame)) {
        d->pushPen(new zPen(PS_SOLID, 0, (style & Frame3d) ? zColor{192, 192, 192, 0} : frameColour));
        MoveToEx(dc, rect.left, rect.bottom, nullptr);
        LineTo(dc, rect.left, rect.top);
        LineTo(dc, rect.right - 1, rect.top);
        if (style & Frame3d) {
            d->popPen();
            d->pushPen(new zPen(PS_SOLID, 0, zColor{255, 255, 255, 0}));
        }
        LineTo(dc, rect.right - 1, rect.bottom - 1);
        LineTo(dc, rect.left - 1, rect.bottom - 1);
        d->popPen();
    }
    const bool horizontal = (style & (FromLeft | FromRight)) != 0;
    const int32_t f = fillLength(horizontal ? r.width() : r.height());
    zRect rest{}, bar{};
    bool direction = true;
    if (style & FromLeft) {
        rest = {r.left + f, r.top, r.right, r.bottom};
        bar = {r.left, r.top, r.left + f, r.bottom};
    } else if (style & FromRight) {
        rest = {r.left, r.top, r.right - f, r.bottom};
        bar = {r.right - f, r.top, r.right, r.bottom};
    } else if (style & FromTop) {
        rest = {r.left, r.top + f, r.right, r.bottom};
        bar = {r.left, r.top, r.right, r.top + f};
    } else if (style & FromBottom) {
        rest = {r.left, r.top, r.right, r.bottom - f};
        bar = {r.left, r.bottom - f, r.right, r.bottom};
    } else {
        direction = false;
    }
    if (direction) {
        d->pushPen(new zPen(NULL_PEN));
        if (rest.width() > 0 && rest.height() > 0) {
            d->pushBrush(new zBrush(backColour));
            Rectangle(dc, rest.left, rest.top, rest.right, rest.bottom);
            d->popBrush();
        }
        if (f != 0) {
            d->pushBrush(barBrush.get());
            Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);
            d->popBrush().release();
        }
        d->popPen();
    }
    if (font)
        d->pushFont(font);
    d->textColor(captionColour);
    d->setBackMode(TRANSPARENT);
    const int32_t length = int32_t(std::strlen(caption.c_str()));
    const SIZE ext = length ? d->textExtent(caption.c_str(), length) : SIZE{0, 0};
    const int32_t y = r.top + r.height() / 2 - ext.cy / 2;
    int32_t x = r.left + r.width() / 2 - ext.cx / 2;
    if (alignment == AlignLeft)
        x = r.left + 1;
    else if (alignment == AlignRight)
        x = r.right - ext.cx - 1;
    if (length)
        TextOutA(dc, x, y, caption.c_str(), length);
    if (font)
        d->popFont().release();
    d->release();
}
