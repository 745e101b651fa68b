#include "framework/core/zMDIMarginFrame.h"

#include "classlib/WindowClass.h"
#include "framework/core/zApplication.h"
#include "framework/core/zSizer.h"

zMDIMarginFrame::zMDIMarginFrame(zWindow* parentFrame, zSizer* sizer, DWORD style, const char* title)
    : zFrameWin(parentFrame, sizer, style | WS_CHILD, title)
{
    setKind(zKindMDIMarginFrame);
    className_ = "MDImarginCL";
    if (parentFrame) {
        parentFrame->children().append(this);
        // Margins take their room before the client fills the rest.
        if (sizer_ && parentFrame->sizer()) {
            sizer_->detach();
            parentFrame->sizer()->addChildFront(sizer_);
        }
    }
    create();
}

WNDCLASSA zMDIMarginFrame::windowClass()
{
    WNDCLASSA wc = zWindow::windowClass();
    wc.lpfnWndProc = zPlainWndProc;
    return wc;
}

int zMDIMarginFrame::create()
{
    WNDCLASSA wc = windowClass();
    wc.lpszClassName = className_.c_str();
    if (RegisterWindowClassOnce(wc) && theApplication)
        theApplication->recordClass(className_.c_str());
    HWND hwnd = CreateWindowExA(exStyle_, className_.c_str(), nullptr, style_, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, parent_ ? parent_->handle() : nullptr, nullptr,
                                wc.hInstance, nullptr);
    if (!hwnd)
        return 0;
    bind(hwnd);
    applyStyle();
    inheritParentFont();
    return 1;
}

void zMDIMarginFrame::show(int code) { zWindow::show(code); }
