#include "framework/core/zPrinterDesc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string s(const char* p) { return p ? p : "<null>"; }

TEST(PrinterDesc, SplitsDeviceDriverAndOutput)
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
        zPrinterDesc printer(c.text);
        EXPECT_EQ(s(printer.deviceName()), c.device) << s(c.text);
        EXPECT_EQ(s(printer.driverName()), c.driver) << s(c.text);
        EXPECT_EQ(s(printer.outputName()), c.output) << s(c.text);
    }
}

TEST(PrinterDesc, CutsOverlongTexts)
{
    std::string text = "dev,drv," + std::string(400, 'x');
    zPrinterDesc printer(text.c_str());
    EXPECT_EQ(std::string(printer.outputName()).size(), 255u - 8u);
}

} // namespace
