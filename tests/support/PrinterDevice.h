#pragma once
// The default printer of a Windows test: the "Device" value under the
// current user's Windows key, which the printing code asks for. A test points
// it at a PostScript file in a temporary folder of its own (Wine's PostScript
// driver writes there) or at nothing; the user's own value is saved when the
// guard is made and put back when it goes, and the folder removed.
//
//   PrinterDevice device;            saves the value
//   device.printTo("x.ps")           output into x.ps in the guard's folder,
//                                    an older file removed; returns the
//                                    file's path
//   PrinterDevice::set("")           any value, e.g. no printer at all
//   device.restore()                 the saved value back, now
#include "tests/support/TestFiles.h"

#include <windows.h>

#include <string>

namespace kel::test {

class PrinterDevice {
public:
    PrinterDevice()
    {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        DWORD size = sizeof saved_ - 1;
        had_ = RegQueryValueExA(key, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_), &size) ==
               ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~PrinterDevice() { restore(); }
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    void restore() const
    {
        if (had_) {
            set(saved_);
        } else {
            HKEY key;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
                return;
            RegDeleteValueA(key, "Device");
            RegCloseKey(key);
        }
    }

    static void set(const std::string& device)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        RegSetValueExA(key, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.c_str()),
                       static_cast<DWORD>(device.size() + 1));
        RegCloseKey(key);
    }

    std::string printTo(const std::string& name) const
    {
        const std::string path = dir_ / name;
        DeleteFileA(path.c_str());
        set("PDF,wineps.drv," + path);
        return path;
    }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    char saved_[512] = {};
    bool had_ = false;
    TempDir dir_;
};

} // namespace kel::test
