// Something text can be written to: strings, single characters or
// printf-style formatted text.
#pragma once

class zTextStream {
public:
    static constexpr int FormatBufferSize = 300;

    virtual ~zTextStream() = default;
    virtual void write(const char* text) {}
    // Writes the character as a one-character string.
    virtual void putChar(char c);
    // Formats into a 300-byte buffer; longer results are cut to fit.
    void printf(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
};
