#pragma once
// The clock of the status line: hours and minutes in the format of the
// [intl] settings, redrawn when the minute changes (checked every 500 ms).

#include <ctime>

#include "framework/controls3d/zStatusClockFormat.h"
#include "framework/controls3d/zStatusItem.h"

class zTimer;

class zStatusClock : public zStatusItemText {
public:
    zStatusClock(zStatusLine* line, int32_t gravity, int32_t id);
    ~zStatusClock() override;

    void draw(const zRect* r) override;
    int tick();

    const zStatusClockFormat& format() const { return format_; }
    int32_t lastTime() const { return last_; }
    // For tests: the time the clock shows.
    void setLastTime(int32_t t) { last_ = t; }

private:
    zTimer* timer_ = nullptr;
    zStatusClockFormat format_;
    int32_t last_ = 0;
};
