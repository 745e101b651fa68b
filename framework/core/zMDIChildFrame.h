#pragma once
// An MDI child window inside the main frame's MDI client.
#include "framework/core/zFrameWin.h"

class zMDIAppFrame;

class zMDIChildFrame : public zFrameWin {
public:
    zMDIChildFrame(zWindow* parentFrame, zSizer* sizer, DWORD style, const char* title);
    ~zMDIChildFrame() override;

    LRESULT defWindowProc(zEvent* ev) override;
    WNDCLASSA windowClass() override;
    void show(int code) override;
    int create() override;
    virtual int mdiActivate(zEvent* ev) { return 0; }

    // WM_MDIACTIVATE to the client.
    void activate();

private:
    void redrawMenuBar(zMDIAppFrame* frame);
};
