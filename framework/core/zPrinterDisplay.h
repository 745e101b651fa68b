// The drawing surface of a printer: its device context lives from
// construction to destruction.
#pragma once

#include "framework/core/RcCString.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zPrinterDesc.h"

class zPrinterDisplay : public zDisplay {
public:
    // A null printer description prints on the system's default printer.
    explicit zPrinterDisplay(const zPrinterDesc* printer = nullptr);
    ~zPrinterDisplay() override;

    void getDC() override {}
    void releaseDC() override {}
    zRect paintRect() override { return band; }
    zRect extentRect() override { return band; }
    // Prints the bitmap through a device-independent copy, stretched to its
    // logical size: a printer cannot take a bitmap made for the screen.
    int32_t drawBitmap(const zBitmap* bitmap, int32_t x, int32_t y, uint32_t rop = SRCCOPY) override;

    void resetBand();

    RcCString driverName, deviceName, outputName;
    int32_t firstPage = 1;
    int32_t lastPage = 32767;
    int32_t currentPage = 1;
    int32_t copies = 1;
    zRect band{};
    int32_t repeat = 0;
};
