#include "framework/core/zTimer.h"

#include "framework/core/zApplication.h"
#include "framework/core/zFrameWin.h"

zTimer::zTimer(zEvH* h, zTaskProc f, uint32_t periodMs) : handler(h), fn(f), period(periodMs)
{
    if (theApplication) {
        if (!theApplication->timerDev)
            theApplication->timerDev = new zTimerDev;
        theApplication->timerDev->registerTimer(this);
        lastTime = theApplication->timerDev->now();
    } else {
        lastTime = GetTickCount();
    }
}

zTimer::~zTimer()
{
    if (theApplication && theApplication->timerDev)
        theApplication->timerDev->unregisterTimer(this);
}

zTimerDev::~zTimerDev()
{
    if (sysTimerId_)
        KillTimer(sysTimerWindow_, sysTimerId_);
    delete oneShot_;
    delete repeating_;
}

void zTimerDev::registerTimer(zTimer* timer)
{
    // The one system timer ticks every 100 ms on the main frame. Without a
    // main frame window the tick could reach no window, so registration
    // tries again with the next timer; so does a device whose main frame
    // window has gone.
    if (sysTimerId_ && !IsWindow(sysTimerWindow_))
        sysTimerId_ = 0;
    if (!sysTimerId_ && theApplication && theApplication->mainFrame && theApplication->mainFrame->handle()) {
        HWND hwnd = theApplication->mainFrame->handle();
        if (SetTimer(hwnd, 1, 100, nullptr)) {
            sysTimerId_ = 1;
            sysTimerWindow_ = hwnd;
        }
    }
    zTimerDlist*& list = timer->repeating ? repeating_ : oneShot_;
    if (!list)
        list = new zTimerDlist;
    list->append(timer);
}

void zTimerDev::unregisterTimer(zTimer* timer)
{
    if (repeating_ && repeating_->remove(timer))
        return;
    if (oneShot_)
        oneShot_->remove(timer);
}

void zTimerDev::dispatchAt(uint32_t now)
{
    if (oneShot_) {
        zPListIterOf<zTimer> it(*oneShot_);
        while (zTimer* t = it.next()) {
            if (t->isDue(now)) {
                it.remove();
                t->fire();
            }
        }
    }
    if (repeating_) {
        zPListIterOf<zTimer> it(*repeating_);
        while (zTimer* t = it.next()) {
            if (t->isDue(now)) {
                t->lastTime = now;
                t->fire();
            }
        }
    }
}
