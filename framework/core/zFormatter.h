// Checks and shapes the text of an entry field.
#pragma once

#include "framework/core/RcCString.h"

#include <cstdint>
#include <string>

class zEditBase;

class zFormatter {
public:
    enum : uint32_t {
        EmptyOk = 0x000100,          // an empty text is acceptable
        UpperCase = 0x004000,
        LowerCase = 0x008000,
        HideLiterals = 0x040000,
        AllRequired = 0x080000,      // every editable position must be filled
        ShowPlaceholders = 0x200000, // also: a refused character fails at once
    };

    // Results of edit.
    enum : int { Refused = 0, Applied = 2 };

    explicit zFormatter(uint32_t formatFlags) : flags(formatFlags) {}
    virtual ~zFormatter() = default;

    // Applies typed or pasted characters to the text; 2 when applied.
    virtual int edit(std::string& text, const char* chars, int32_t count, int32_t& selStart,
                     int32_t& selEnd) = 0;
    // 1 when the text is acceptable; otherwise the selection marks the fault.
    virtual int check(const std::string& text, int32_t& selStart, int32_t& selEnd) = 0;
    // Shapes the text; 1 when it fits.
    virtual int format(std::string& text, uint32_t fmtFlags) { return 1; }
    virtual int32_t firstEditable() { return 0; }

    // Gives the field a formatter (null detaches); the field deletes the one
    // it had. Windows build only.
    static void attach(zEditBase* field, zFormatter* formatter);
    // The field's text, passed through its formatter when it has one.
    static RcCString formattedText(zEditBase* field, uint32_t fmtFlags);

    uint32_t flags;
};
