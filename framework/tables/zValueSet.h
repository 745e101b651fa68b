#pragma once
// The value-set control, for now a plain pane control.
#include "framework/core/zPaneControl.h"

class zValueSet : public zPaneControl {
public:
    zValueSet(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
        : zPaneControl(parent, sizer, style, title, id)
    {
    }
};
