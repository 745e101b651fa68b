#include "framework/controls3d/zStatusClock.h"

#include "framework/controls3d/zStatusLine.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTimer.h"

zStatusClock::zStatusClock(zStatusLine* line, int32_t gravity, int32_t id)
    : zStatusItemText(line, nullptr, id, AlignCentre | NoGap)
{
    char buf[16];
    format_.twentyFourHour = int32_t(GetProfileIntA("intl", "iTime", 0));
    GetProfileStringA("intl", "sTime", ":", buf, sizeof buf);
    format_.separator = buf;
    GetProfileStringA("intl", "s1159", "AM", buf, sizeof buf);
    format_.morning = buf;
    GetProfileStringA("intl", "s2359", "PM", buf, sizeof buf);
    format_.afternoon = buf;
    format_.clip();
    timer_ = new zTimer(this, zTask(&zStatusClock::tick), 500);
    last_ = int32_t(std::time(nullptr));
    dock(gravity, measure(format_.sample().c_str()));
    addGap();
}

zStatusClock::~zStatusClock()
{
    delete timer_;
    timer_ = nullptr;
}

int zStatusClock::tick()
{
    const int32_t now = int32_t(std::time(nullptr));
    if (now / 60 != last_ / 60) {
        last_ = now;
        if (line_ && !line_->messageAreaOn())
            invalidate();
    }
    return 0;
}

void zStatusClock::draw(const zRect* r)
{
    const std::time_t t = last_;
    const std::tm* lt = std::localtime(&t);
    text_ = lt ? format_.text(lt->tm_hour, lt->tm_min).c_str() : "";
    zStatusItemText::draw(r);
}
