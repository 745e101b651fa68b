#pragma once
// The event-handler base of every window, device, scroller and print job.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "framework/core/zEvent.h"

class zEvH;
// A handler function: called with the handler object and the event;
// nonzero means handled.
using zEvProc = int (zEvH::*)(zEvent*);
// An idle task or timer function: called with the handler object only.
using zTaskProc = int (zEvH::*)();

template <class T>
zEvProc zProc(int (T::*f)(zEvent*)) { return static_cast<zEvProc>(f); }
template <class T>
zTaskProc zTask(int (T::*f)()) { return static_cast<zTaskProc>(f); }

// Class-kind marks: byte index in the high byte, bit in the low byte.
enum zKind : uint16_t {
    zKindEvH = 0x0002,
    zKindWindow = 0x0004,
    zKindFrameWin = 0x0008,
    zKindChildWin = 0x0010,
    zKindMDIAppFrame = 0x0420,
    zKindMDIChildFrame = 0x0440,
    zKindMDIMarginFrame = 0x0480,
    // Marks the standard controls set; the window procedures test them.
    zKindControl = 0x0501,
    zKindListBox = 0x0502,
    zKindScrollBar = 0x0504,
};

class zEvH {
public:
    zEvH() { std::memset(kinds_, 0, sizeof kinds_); setKind(zKindEvH); }
    virtual ~zEvH() = default;
    zEvH(const zEvH&) = delete;
    zEvH& operator=(const zEvH&) = delete;

    // Passes the event to DefWindowProcA; 0 for no event.
    virtual LRESULT defaultEvent(zEvent* ev)
    {
        return ev ? DefWindowProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam) : 0;
    }

    bool isKind(zKind k) const { return (kinds_[k >> 8] & (k & 0xFF)) != 0; }

protected:
    void setKind(zKind k) { kinds_[k >> 8] |= uint8_t(k & 0xFF); }

private:
    uint8_t kinds_[10];
};
