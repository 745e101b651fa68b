#pragma once
// A pane that behaves as a dialog control.
#include "framework/core/zPane.h"

class zPaneControl : public zPane {
public:
    zPaneControl(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);

    // WM_ENABLE tells enableChanged; WM_GETDLGCODE answers arrows and
    // characters (129); the rest goes to DefWindowProcA.
    LRESULT defWindowProc(zEvent* ev) override;
    virtual void enableChanged(int32_t enabled) {}

    // Posts WM_COMMAND (id, code) with the pane's window to the parent.
    void notifyParent(int32_t code);
};
