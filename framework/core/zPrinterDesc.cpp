#include "framework/core/zPrinterDesc.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <winspool.h>
#endif

zPrinterDesc::zPrinterDesc()
{
#ifdef _WIN32
    if (GetProfileStringA("windows", "Device", "", buffer.data(), BufferSize) == 0) {
        // The profile names no printer until some program has used the
        // spooler (a fresh Wine prefix): asking the spooler for its default
        // printer registers the system's printers, which writes the entry.
        char name[BufferSize - 16] = {};
        DWORD size = sizeof name;
        if (!GetDefaultPrinterA(name, &size) || name[0] == 0)
            return;
        // Where the entry stays empty, the spooler's name with the system's
        // printer driver.
        if (GetProfileStringA("windows", "Device", "", buffer.data(), BufferSize) == 0)
            std::snprintf(buffer.data(), BufferSize, "%s,winspool,", name);
    }
    split();
#endif
}

zPrinterDesc::zPrinterDesc(const char* text)
{
    if (!text)
        return;
    std::strncpy(buffer.data(), text, BufferSize - 1);
    buffer[BufferSize - 1] = 0;
    split();
}

void zPrinterDesc::split()
{
    // The program's texts are single-byte (Windows-1252), so walking one
    // character is one byte.
    char* p = buffer.data();
    if (*p == 0)
        return;
    device = p;
    int commas = 0;
    while (*p) {
        if (*p != ',') {
            ++p;
            continue;
        }
        *p++ = 0;
        while (*p == ' ')
            ++p;
        ++commas;
        if (commas == 1)
            driver = p;
        else if (commas == 2)
            output = p;
        else
            break;
    }
}
