#pragma once
// Handing on the messages of the test's own windows, and waiting on them:
//
//   pump()                       hands on every queued message, also those
//                                that come in a moment late; true when it
//                                took a WM_QUIT
//   pumpUntil(condition, limit)  pumps until condition() holds; false when it
//                                still does not after `limit` (default 5 s):
//                                ASSERT_TRUE(pumpUntil([&] { return ...; }));
//   setMessageStep(step)         how both hand on one message (default:
//                                translate and dispatch; FormTest.h sets the
//                                class library's key handling first)
//
// Both wait only on messages arriving, never for a fixed time: a delay of
// the program's own (a timer) is moved on by the test (VirtualClock.h).
#include <windows.h>

#include <chrono>
#include <functional>

namespace kel::test {

using MessageStep = void (*)(MSG&);

inline void translateAndDispatch(MSG& msg)
{
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

namespace detail {
inline MessageStep messageStep = translateAndDispatch;

// Hands on what is queued now; true when a WM_QUIT was taken.
inline bool drainQueue(bool* handled = nullptr)
{
    bool quit = false;
    MSG msg;
    // Bounded: a window that keeps posting to itself cannot hang the test.
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (handled)
            *handled = true;
        if (msg.message == WM_QUIT) {
            quit = true;
            continue;
        }
        messageStep(msg);
    }
    return quit;
}
} // namespace detail

inline void setMessageStep(MessageStep step) { detail::messageStep = step ? step : translateAndDispatch; }

inline bool pump()
{
    // Wine passes on what the X server reports a moment after the call
    // that caused it: the queue must stay empty for a few waits. A window
    // whose timer keeps the queue busy cannot hold the test longer than
    // the bound.
    bool quit = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (int quiet = 0; quiet < 3 && std::chrono::steady_clock::now() < end;) {
        bool handled = false;
        quit |= detail::drainQueue(&handled);
        if (handled) {
            quiet = 0;
        } else {
            ++quiet;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    return quit;
}

inline bool pumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        detail::drainQueue();
    }
    return true;
}

} // namespace kel::test
