#include "framework/core/ziImageStrip.h"

#include "framework/core/zDisplay.h"

ziImageStrip::~ziImageStrip() { delete display_; }

void ziImageStrip::drawAt(zDisplay* target, int32_t x, int32_t y, int32_t n)
{
    if (display_ && target)
        display_->copyTo(target, x, y, width_, height_, n * width_, 0);
}
