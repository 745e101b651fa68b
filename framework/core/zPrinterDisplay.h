// The drawing surface of a printer: its device context lives from
// construction to destruction.
#pragma once

#include "framework/core/RcCString.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zPrinterSpec.h"

class zPrinterDisplay : public zDisplay {
public:
    // A null spec prints on the system's default printer.
    explicit zPrinterDisplay(const zPrinterSpec* spec = nullptr);
    ~zPrinterDisplay() override;

    void getDC() override {}
    void releaseDC() override {}
    zRect paintRect() override { return band; }
    zRect extentRect() override { return band; }

    void resetBand();

    RcCString driverName, deviceName, outputName;
    int32_t firstPage = 1;
    int32_t lastPage = 32767;
    int32_t currentPage = 1;
    int32_t copies = 1;
    zRect band{};
    int32_t repeat = 0;
};
