#include "framework/core/zLogMeasure.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* kind;
    int32_t value;
    int32_t ppi;
    int32_t expected;
};

int32_t convert(const Case& c)
{
    std::string k = c.kind;
    if (k == "pt")
        return zPrPoint::toDevice(c.value, c.ppi);
    if (k == "lo")
        return zLoEnglish::toDevice(c.value, c.ppi);
    return zHiEnglish::toDevice(c.value, c.ppi);
}

TEST(LogMeasure, ConvertsToDevicePixels)
{
    const Case cases[] = {
        {"pt", 100, 96, 13},    // (9600 / 72 = 133, + 5) / 10
        {"pt", 120, 300, 50},   // 12 points on a 300 dpi printer
        {"pt", -100, 96, -12},  // truncation toward zero: (-133 + 5) / 10
        {"pt", 0, 96, 0},
        {"lo", 100, 96, 96},
        {"lo", -1, 96, 0},      // (-96 + 50) / 100
        {"lo", 1, 96, 1},       // (96 + 50) / 100
        {"hi", 1000, 96, 96},
        {"hi", 5, 96, 0},       // (480 + 500) / 1000
        {"hi", 6, 96, 1},
        {"hi", 1000, 300, 300},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convert(c), c.expected) << c.kind << " " << c.value << " at " << c.ppi;
}

TEST(LogMeasure, ConstructorConvertsBothAxesAndKeepsOwnValues)
{
    zPrPoint p(100, 200);  // the native build measures at 96 pixels per inch
    EXPECT_EQ(p.ownX(), 100);
    EXPECT_EQ(p.ownY(), 200);
    EXPECT_EQ(p.deviceX(), 13);
    EXPECT_EQ(p.deviceY(), 27);

    zLogMeasure plain(7, 8);  // logical units: nothing converted yet
    EXPECT_EQ(plain.deviceX(), 0);
    plain.setX(7, nullptr);
    EXPECT_EQ(plain.deviceX(), 7);
}

TEST(LogMeasure, HugeLengthsDoNotOverflow)
{
    // Products beyond 32 bits still convert exactly; only a result that
    // does not fit wraps like 32-bit arithmetic (and never traps).
    const Case cases[] = {
        {"pt", 10000000, 2400, 33333333},
        {"lo", 1000000, 2400, 24000000},
        {"hi", 1000000, 2400, 2400000},
        {"pt", INT32_MAX, 2400, -143165579},
        {"lo", INT32_MIN, 2400, 1},
        {"hi", INT32_MAX, 2400, 858993457},
    };
    for (const Case& c : cases)
        EXPECT_EQ(convert(c), c.expected) << c.kind << " " << c.value << " at " << c.ppi;
}

}  // namespace
