#include "framework/core/zTextStream.h"

#include <cstdarg>
#include <cstdio>

void zTextStream::putChar(char c)
{
    const char text[2] = {c, 0};
    write(text);
}

void zTextStream::printf(const char* format, ...)
{
    char buffer[FormatBufferSize] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    write(buffer);
}
