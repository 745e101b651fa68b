#pragma once
// Status items that show one text when a state is on and another when it
// is off: the num-lock and caps-lock indicators, redrawn every second.

#include "framework/controls3d/zStatusItem.h"

class zTimer;

class zStatusOnOffItem : public zStatusItemText {
public:
    zStatusOnOffItem(zStatusLine* line, int32_t gravity, int32_t id, const char* onText,
                     const char* offText);

    const RcCString& onText() const { return on_; }
    const RcCString& offText() const { return off_; }

protected:
    // Shows the on text (or the fallback when it is empty) or the off text.
    void showState(bool on, const char* fallback);
    int tick();

    RcCString on_;
    RcCString off_;
    zTimer* timer_ = nullptr;
};

class zStatusNumLock : public zStatusOnOffItem {
public:
    zStatusNumLock(zStatusLine* line, int32_t gravity, int32_t id, const char* onText,
                   const char* offText);
    ~zStatusNumLock() override;
    void draw(const zRect* r) override;
};

class zStatusCapsLock : public zStatusOnOffItem {
public:
    zStatusCapsLock(zStatusLine* line, int32_t gravity, int32_t id, const char* onText,
                    const char* offText);
    ~zStatusCapsLock() override;
    void draw(const zRect* r) override;
};
