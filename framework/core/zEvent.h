#pragma once
// The event record handed by address to every handler node and window
// operation: lParam, wParam, message, window handle.
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
struct zEvent {
    LPARAM lParam;
    WPARAM wParam;
    UINT message;
    HWND hwnd;

    uint16_t loWordW() const { return LOWORD(wParam); }
    uint16_t hiWordW() const { return HIWORD(wParam); }
    uint16_t loWordL() const { return LOWORD(lParam); }
    uint16_t hiWordL() const { return HIWORD(lParam); }
};
#else
struct zEvent {
    intptr_t lParam;
    uintptr_t wParam;
    uint32_t message;
    void* hwnd;

    uint16_t loWordW() const { return uint16_t(wParam); }
    uint16_t hiWordW() const { return uint16_t(wParam >> 16); }
    uint16_t loWordL() const { return uint16_t(lParam); }
    uint16_t hiWordL() const { return uint16_t(uintptr_t(lParam) >> 16); }
};
#endif
