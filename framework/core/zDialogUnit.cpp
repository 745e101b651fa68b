#include "framework/core/zDialogUnit.h"

#include "framework/core/zDisplay.h"

#include <windows.h>

namespace {

const char kLetters[] = "ABCDEFGHIJLKMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

} // namespace

zDialogUnit::zDialogUnit(int32_t x, int32_t y, const zDisplay* display) : zLogMeasure(x, y)
{
    setX(x, display);
    setY(y, display);
}

int32_t zDialogUnit::fromLetterExtent(int32_t extent52, int32_t units)
{
    int32_t average = extent52 / 52 + (extent52 % 52 >= 26 ? 1 : 0);
    int32_t product = average * units;
    return product / 4 + (product % 4 >= 2 ? 1 : 0);
}

int32_t zDialogUnit::fromLineHeight(int32_t height, int32_t units)
{
    int32_t product = height * units;
    return product / 8 + (product % 8 >= 4 ? 1 : 0);
}

void zDialogUnit::setX(int32_t value, const zDisplay* display)
{
    ownX_ = value;
    HDC dc = display ? display->hdc() : nullptr;
    if (dc) {
        SIZE size{};
        GetTextExtentPoint32A(dc, kLetters, 52, &size);
        devX_ = fromLetterExtent(size.cx, value);
    } else {
        devX_ = static_cast<int32_t>(LOWORD(GetDialogBaseUnits())) * value / 4;
    }
}

void zDialogUnit::setY(int32_t value, const zDisplay* display)
{
    ownY_ = value;
    HDC dc = display ? display->hdc() : nullptr;
    if (dc) {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        devY_ = fromLineHeight(tm.tmHeight + tm.tmExternalLeading, value);
    } else {
        devY_ = static_cast<int32_t>(HIWORD(GetDialogBaseUnits())) * value / 8;
    }
}
