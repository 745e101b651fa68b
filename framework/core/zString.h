// A framework string that can load its text from a string resource.
#pragma once

#include "framework/core/RcCString.h"
#include "framework/core/zResId.h"

class zString : public RcCString {
public:
    zString() = default;
    zString(const char* text) : RcCString(text ? text : "") {}
    zString(const RcCString& text) : RcCString(text) {}

    zString& operator=(const char* text)
    {
        RcCString::operator=(text ? text : "");
        return *this;
    }
    zString& operator=(const RcCString& text)
    {
        RcCString::operator=(text);
        return *this;
    }
    zString& assign(const char* text) { return *this = text; }

    // Loads string resource id (at most maxLength bytes with the
    // terminator); 1 on success, else the string stays as it was.
    int load(const zResId& id, int32_t maxLength);
};
