#include "framework/core/zPrinterSpec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string s(const char* p) { return p ? p : "<null>"; }

TEST(PrinterSpec, SplitsDeviceDriverAndOutput)
{
    struct Case {
        const char* text;
        const char* device;
        const char* driver;
        const char* output;
    } cases[] = {
        {"PDF,wineps.drv,CUPS:PDF", "PDF", "wineps.drv", "CUPS:PDF"},
        {"PDF,  wineps.drv,   Z:\\out.ps", "PDF", "wineps.drv", "Z:\\out.ps"},
        {"PDF,wineps.drv", "PDF", "wineps.drv", "<null>"},
        {"PDF", "PDF", "<null>", "<null>"},
        {"a,b,c,d", "a", "b", "c"},
        {"", "<null>", "<null>", "<null>"},
        {nullptr, "<null>", "<null>", "<null>"},
    };
    for (const Case& c : cases) {
        zPrinterSpec spec(c.text);
        EXPECT_EQ(s(spec.deviceName()), c.device) << s(c.text);
        EXPECT_EQ(s(spec.driverName()), c.driver) << s(c.text);
        EXPECT_EQ(s(spec.outputName()), c.output) << s(c.text);
    }
}

TEST(PrinterSpec, CutsOverlongTexts)
{
    std::string text = "dev,drv," + std::string(400, 'x');
    zPrinterSpec spec(text.c_str());
    EXPECT_EQ(std::string(spec.outputName()).size(), 255u - 8u);
}

} // namespace
