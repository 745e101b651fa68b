// A static text (or icon) control.
#pragma once

#include "framework/core/zControl.h"

class zStaticText : public zControl {
public:
    // With SS_ICON the text names an icon resource ("#n" for a number).
    zStaticText(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    zStaticText(zWindow* dialog, int32_t id);

    LRESULT defWindowProc(zEvent* ev) override;
    HICON icon() const { return icon_; }
};
