#include "framework/core/zPrinterDisplay.h"

zPrinterDisplay::zPrinterDisplay(const zPrinterSpec* spec)
{
    kind_ = Printer;
    zPrinterSpec defaultPrinter;
    if (!spec)
        spec = &defaultPrinter;
    if (spec->driverName() && *spec->driverName()) {
        hdc_ = CreateDCA(spec->driverName(), spec->deviceName(), spec->outputName(), nullptr);
        driverName = spec->driverName();
        deviceName = spec->deviceName() ? spec->deviceName() : "";
        outputName = spec->outputName() ? spec->outputName() : "";
    }
    if (hdc_) {
        acquire();
        readCaps(hdc_);
    }
    band = zRect{0, 0, horzRes_, vertRes_};
}

zPrinterDisplay::~zPrinterDisplay()
{
    if (hdc_) {
        DeleteDC(hdc_);
        hdc_ = nullptr;
    }
    nesting_ = 0;
}

void zPrinterDisplay::resetBand()
{
    band = zRect{0, 0, horzRes_, vertRes_};
    setViewportOrg(0, 0);
}
