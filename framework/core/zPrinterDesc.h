// Which printer to use: device, driver and output port, split from a text of
// the form "device,driver,output" (the system profile's [windows] Device).
#pragma once

#include <array>

class zPrinterDesc {
public:
    static constexpr int BufferSize = 256;

    // The system's default printer (Windows build only; empty elsewhere):
    // the profile's entry, or the spooler's default printer when the
    // profile names none.
    zPrinterDesc();
    explicit zPrinterDesc(const char* text);

    const char* driverName() const { return driver; }
    const char* deviceName() const { return device; }
    const char* outputName() const { return output; }

private:
    void split();

    std::array<char, BufferSize> buffer{};
    const char* driver = nullptr;
    const char* device = nullptr;
    const char* output = nullptr;
};
