#pragma once
// A child window: WS_CHILD, linked into its parent's children.
#include "framework/core/zWindow.h"

class zChildWin : public zWindow {
public:
    zChildWin(zWindow* parent, zSizer* sizer, DWORD style, int32_t id);
    explicit zChildWin(zWindow* parent);

    int create() override;
    virtual int transferIn() { return 1; }
};
