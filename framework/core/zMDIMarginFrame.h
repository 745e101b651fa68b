#pragma once
// A margin strip inside the MDI frame (beside the client), created at once.
#include "framework/core/zFrameWin.h"

class zMDIMarginFrame : public zFrameWin {
public:
    zMDIMarginFrame(zWindow* parentFrame, zSizer* sizer, DWORD style, const char* title);

    WNDCLASSA windowClass() override;
    void show(int code) override;
    int create() override;
};
