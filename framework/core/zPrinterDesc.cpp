#include "framework/core/zPrinterDesc.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

zPrinterDesc::zPrinterDesc()
{
#ifdef _WIN32
    if (GetProfileStringA("windows", "Device", "", buffer.data(), BufferSize) == 0)
        return;
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
