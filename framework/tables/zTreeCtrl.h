#pragma once
// The tree control, for now a plain pane control.
#include "framework/core/zPaneControl.h"

class zTreeCtrl : public zPaneControl {
public:
    zTreeCtrl(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
        : zPaneControl(parent, sizer, style, title, id)
    {
    }
};
