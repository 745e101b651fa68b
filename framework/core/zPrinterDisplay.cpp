#include "framework/core/zPrinterDisplay.h"

#include "framework/core/zBitmap.h"
#include "framework/core/ziDib.h"

zPrinterDisplay::zPrinterDisplay(const zPrinterDesc* printer)
{
    kind_ = Printer;
    zPrinterDesc defaultPrinter;
    if (!printer)
        printer = &defaultPrinter;
    if (printer->driverName() && *printer->driverName()) {
        hdc_ = CreateDCA(printer->driverName(), printer->deviceName(), printer->outputName(), nullptr);
        driverName = printer->driverName();
        deviceName = printer->deviceName() ? printer->deviceName() : "";
        outputName = printer->outputName() ? printer->outputName() : "";
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

int32_t zPrinterDisplay::drawBitmap(const zBitmap* bitmap, int32_t x, int32_t y, uint32_t rop)
{
    if (!hdc_)
        return 0;
    if (!bitmap || !bitmap->bitmap())
        return 1;
    BITMAP bm{};
    GetObjectA(bitmap->bitmap(), sizeof bm, &bm);
    POINT corners[2] = {{0, 0}, {bm.bmWidth, bm.bmHeight}};
    DPtoLP(hdc_, corners, 2);
    ziPrintBitmap(hdc_, bitmap->bitmap(), x, y, corners[1].x - corners[0].x, corners[1].y - corners[0].y, rop);
    return 1;
}
