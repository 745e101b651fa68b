#pragma once
// The progress bar: a pane control whose window gets style 0; the style
// word is the bar's own setting.
#include "framework/core/zPaneControl.h"

class zProgressBar : public zPaneControl {
public:
    zProgressBar(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
        : zPaneControl(parent, sizer, 0, title, id), barStyle_(style)
    {
    }
    DWORD barStyle() const { return barStyle_; }

private:
    DWORD barStyle_;
};
