#pragma once
// Framework timers on a clock the test moves, so that no test waits for a
// delay to pass:
//
//   VirtualClock clock;          from now on the timer device counts the
//                                clock's time, which stands still
//   clock.pass(100)              100 ms pass; due timers fire with the next
//                                WM_TIMER of the framework's system timer
//   clock.advance(100)           100 ms pass and every timer then due fires,
//                                at most once, as after one system tick
//   clock.tick(n)                n ticks of 100 ms, each dispatched
//
// The framework's system timer keeps sending its WM_TIMER; those calls see
// the standing clock and fire nothing new. When the clock goes, the device
// counts the system's tick count again.
#include "framework/core/zApplication.h"
#include "framework/core/zTimer.h"

#include <cstdint>

namespace kel::test {

class VirtualClock {
public:
    VirtualClock()
    {
        if (!theApplication->timerDev)
            theApplication->timerDev = new zTimerDev;
        // Starting at the device's time keeps timers made before the clock
        // on their schedule.
        now_ = device().now();
        device().setClock([this] { return now_; });
    }
    ~VirtualClock()
    {
        if (theApplication && theApplication->timerDev)
            theApplication->timerDev->setClock(nullptr);
    }
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    uint32_t now() const { return now_; }
    void pass(uint32_t ms) { now_ += ms; }
    void advance(uint32_t ms)
    {
        pass(ms);
        device().dispatch();
    }
    // The framework's system timer ticks every 100 ms.
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            advance(100);
    }

private:
    static zTimerDev& device() { return *theApplication->timerDev; }

    uint32_t now_ = 0;
};

} // namespace kel::test
