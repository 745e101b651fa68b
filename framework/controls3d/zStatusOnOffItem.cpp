#include "framework/controls3d/zStatusOnOffItem.h"

#include <string>

#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/zStatusLine.h"
#include "framework/core/zTimer.h"

zStatusOnOffItem::zStatusOnOffItem(zStatusLine* line, int32_t gravity, int32_t id,
                                   const char* onText, const char* offText)
    : zStatusItemText(line, nullptr, id, AlignCentre | NoGap), on_(onText ? onText : ""),
      off_(offText ? offText : "")
{
    const std::string onCopy = onText ? std::string(on_.length(), 'M') : std::string("MMM");
    const std::string offCopy(off_.length(), 'M');
    int32_t w = measure(onCopy.c_str());
    if (offText) {
        const int32_t wOff = measure(offCopy.c_str());
        if (wOff > w)
            w = wOff;
    }
    dock(gravity, w);
    addGap();
    text_ = off_;
}

void zStatusOnOffItem::showState(bool on, const char* fallback)
{
    if (on)
        text_ = on_.isEmpty() ? fallback : on_.c_str();
    else
        text_ = off_;
}

int zStatusOnOffItem::tick()
{
    if (line_ && !line_->messageAreaOn()) {
        ziAcquire hold(display());
        draw(nullptr);
    }
    return 0;
}

zStatusNumLock::zStatusNumLock(zStatusLine* line, int32_t gravity, int32_t id, const char* onText,
                               const char* offText)
    : zStatusOnOffItem(line, gravity, id, onText, offText)
{
    timer_ = new zTimer(this, zTask(&zStatusNumLock::tick), 1000);
}

zStatusNumLock::~zStatusNumLock()
{
    delete timer_;
    timer_ = nullptr;
}

void zStatusNumLock::draw(const zRect* r)
{
    showState(GetKeyState(VK_NUMLOCK) & 1, "NUM");
    zStatusItemText::draw(r);
}

zStatusCapsLock::zStatusCapsLock(zStatusLine* line, int32_t gravity, int32_t id,
                                 const char* onText, const char* offText)
    : zStatusOnOffItem(line, gravity, id, onText, offText)
{
    timer_ = new zTimer(this, zTask(&zStatusCapsLock::tick), 1000);
}

zStatusCapsLock::~zStatusCapsLock()
{
    delete timer_;
    timer_ = nullptr;
}

void zStatusCapsLock::draw(const zRect* r)
{
    showState(GetKeyState(VK_CAPITAL) & 1, "CAP");
    zStatusItemText::draw(r);
}
