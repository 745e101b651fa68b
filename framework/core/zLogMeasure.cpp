#include "framework/core/zLogMeasure.h"

namespace {
// The products are formed in 64 bits and cut back to 32 bits, so a huge
// length wraps like 32-bit arithmetic instead of being undefined.
int32_t cut(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }
}

zLogMeasure::zLogMeasure(int32_t x, int32_t y) : ownX_(x), ownY_(y) {}

void zLogMeasure::setX(int32_t value, const zDisplay*) { devX_ = value; }
void zLogMeasure::setY(int32_t value, const zDisplay*) { devY_ = value; }

int32_t zPrPoint::toDevice(int32_t value, int32_t ppi)
{
    int32_t perPoint = cut(int64_t{value} * ppi / 72);
    return cut((int64_t{perPoint} + 5) / 10);
}

int32_t zLoEnglish::toDevice(int32_t value, int32_t ppi)
{
    return cut((int64_t{value} * ppi + 50) / 100);
}

int32_t zHiEnglish::toDevice(int32_t value, int32_t ppi)
{
    return cut((int64_t{value} * ppi + 500) / 1000);
}

zPrPoint::zPrPoint(int32_t x, int32_t y, const zDisplay* display) : zLogMeasure(x, y)
{
    setX(x, display);
    setY(y, display);
}
void zPrPoint::setX(int32_t v, const zDisplay* d) { devX_ = toDevice(v, ppiX(d)); }
void zPrPoint::setY(int32_t v, const zDisplay* d) { devY_ = toDevice(v, ppiY(d)); }

zLoEnglish::zLoEnglish(int32_t x, int32_t y, const zDisplay* display) : zLogMeasure(x, y)
{
    setX(x, display);
    setY(y, display);
}
void zLoEnglish::setX(int32_t v, const zDisplay* d) { devX_ = toDevice(v, ppiX(d)); }
void zLoEnglish::setY(int32_t v, const zDisplay* d) { devY_ = toDevice(v, ppiY(d)); }

zHiEnglish::zHiEnglish(int32_t x, int32_t y, const zDisplay* display) : zLogMeasure(x, y)
{
    setX(x, display);
    setY(y, display);
}
void zHiEnglish::setX(int32_t v, const zDisplay* d) { devX_ = toDevice(v, ppiX(d)); }
void zHiEnglish::setY(int32_t v, const zDisplay* d) { devY_ = toDevice(v, ppiY(d)); }
