#pragma once
// A control window of the "VisualCtrl" class with a display of its own.
// Its window procedure routes messages to the control's window operations.

#include "framework/core/zControl.h"

class zWinDisplay;
class zDisplay;

class ziCtrlPane : public zControl {
public:
    ziCtrlPane(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~ziCtrlPane() override;

    LRESULT defWindowProc(zEvent* ev) override;
    WNDCLASSA windowClass() override;
    int create() override;
    // Paints the control on its display.
    virtual int draw(zEvent* ev) = 0;

    zDisplay* display() const;
    zWinDisplay* winDisplay() const { return display_; }

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    zWinDisplay* display_ = nullptr;
};
