#pragma once
// The printable table.
#include "framework/tables/zTable.h"

class zTablePrintable : public zTable {
public:
    zTablePrintable(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
        : zTable(parent, sizer, style, title, id)
    {
    }
};
