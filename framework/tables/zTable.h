#pragma once
// The table control, for now a plain pane window that dialog templates and
// control creators can make.
#include "framework/core/zPane.h"

class zTable : public zPane {
public:
    zTable(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
        : zPane(parent, sizer, style, id, 1)
    {
    }
};
