#pragma once
// Timers driven by the framework's one 100 ms system timer on the main
// frame: each WM_TIMER calls every timer whose period has elapsed.
#include "framework/core/zEvH.h"
#include "framework/core/zPlist.h"

#include <functional>
#include <utility>

class zTimer {
public:
    // Registers with the application's timer device (made on first use)
    // and starts counting from the device's now.
    zTimer(zEvH* handler, zTaskProc fn, uint32_t periodMs);
    ~zTimer();
    zTimer(const zTimer&) = delete;
    zTimer& operator=(const zTimer&) = delete;

    int fire() { return (handler->*fn)(); }
    // Due when at least the period has passed since the last firing; in
    // unsigned arithmetic, so it keeps working across the tick wrap.
    bool isDue(uint32_t now) const { return now - lastTime >= period; }

    zEvH* handler;
    zTaskProc fn;
    uint32_t lastTime = 0;
    int32_t repeating = 1;
    uint32_t period;
};
using zTimerDlist = zPlistOf<zTimer>;

class zTimerDev {
public:
    zTimerDev() = default;
    ~zTimerDev();
    zTimerDev(const zTimerDev&) = delete;
    zTimerDev& operator=(const zTimerDev&) = delete;

    void registerTimer(zTimer* timer);
    void unregisterTimer(zTimer* timer);
    // Calls every due timer (WM_TIMER of any framework window).
    void dispatch() { dispatchAt(now()); }
    void dispatchAt(uint32_t now);

    // The time the timers count in, in milliseconds: the system's tick
    // count, or the clock set here (an empty one restores the tick count).
    // A test sets a clock of its own to move time itself instead of waiting.
    uint32_t now() const { return clock_ ? clock_() : GetTickCount(); }
    void setClock(std::function<uint32_t()> clock) { clock_ = std::move(clock); }

    UINT_PTR systemTimerId() const { return sysTimerId_; }

private:
    zTimerDlist* oneShot_ = nullptr;
    zTimerDlist* repeating_ = nullptr;
    UINT_PTR sysTimerId_ = 0;
    HWND sysTimerWindow_ = nullptr;
    std::function<uint32_t()> clock_;
};
