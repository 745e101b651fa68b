// A measure in dialog units: 4 horizontal units are the average letter
// width, 8 vertical units the line height of the font on a display.
#pragma once

#include "framework/core/zLogMeasure.h"

class zDialogUnit : public zLogMeasure {
public:
    zDialogUnit(int32_t x, int32_t y, const zDisplay* display = nullptr);

    void setX(int32_t value, const zDisplay* display) override;
    void setY(int32_t value, const zDisplay* display) override;

    // The conversions on given font measures.
    static int32_t fromLetterExtent(int32_t extent52, int32_t units);
    static int32_t fromLineHeight(int32_t height, int32_t units);
};
