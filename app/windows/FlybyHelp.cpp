#include "app/windows/FlybyHelp.h"

#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "classlib/WindowClass.h"
#include "framework/core/zApplication.h"
#include "framework/core/zFrameWin.h"

RECT FlybyHelp::place(POINT mouse, int32_t halfCursor, SIZE text, int32_t rightEdge)
{
    RECT r{};
    r.top = mouse.y + halfCursor + 3;
    r.left = mouse.x - halfCursor;
    if (r.left < 1)
        r.left = 8;
    const int32_t width = text.cx + 6, height = text.cy + 2;
    if (r.left + width > rightEdge)
        r.left = rightEdge - width - 8;
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}

FlybyHelp::FlybyHelp(const char* text) : text_(text ? text : "")
{
    GetCursorPos(&mouse_);
    under_ = WindowFromPoint(mouse_);
    SIZE size{0, 0};
    if (HDC screen = GetDC(nullptr)) {
        {
            TSelectedObject useFont(screen, GetStockObject(ANSI_VAR_FONT));
            GetTextExtentPoint32A(screen, text_.c_str(), static_cast<int>(text_.size()), &size);
        }
        ReleaseDC(nullptr, screen);
    }
    int32_t rightEdge = GetSystemMetrics(SM_CXSCREEN);
    if (theApplication && theApplication->mainFrame && theApplication->mainFrame->handle()) {
        RECT frame{};
        GetWindowRect(theApplication->mainFrame->handle(), &frame);
        rightEdge = frame.right;
    }
    rect_ = place(mouse_, GetSystemMetrics(SM_CYCURSOR) / 2, size, rightEdge);
    RegisterWindowClassOnce(ClassName, CS_SAVEBITS, DefWindowProcA, LoadCursor(nullptr, IDC_ARROW));
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, ClassName, "", WS_POPUP,
                            rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_)
        return;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FlybyHelp::windowProc));
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (HDC dc = GetDC(hwnd_)) {
        paint(dc);
        ReleaseDC(hwnd_, dc);
    }
}

FlybyHelp::~FlybyHelp()
{
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void FlybyHelp::paint(HDC dc) const noexcept
{
    const int32_t w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
    const TGdiHandle<HBRUSH> brush(CreateSolidBrush(Colour));
    TSelectedObject useBrush(dc, brush);
    TSelectedObject usePen(dc, GetStockObject(BLACK_PEN));
    TSelectedObject useFont(dc, GetStockObject(ANSI_VAR_FONT));
    Rectangle(dc, 0, 0, w, h);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 2, 1, text_.c_str(), static_cast<int>(text_.size()));
    SetBkMode(dc, oldMode);
}

LRESULT CALLBACK FlybyHelp::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* self = reinterpret_cast<FlybyHelp*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (self)
            self->paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;  // the pointer reaches the window below
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
