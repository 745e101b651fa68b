#pragma once
// The sizer of one tool-bar button: its slot number and requested size
// (0 takes the rest of the bar, -1 the spacing).

#include "framework/core/zSizer.h"

class zSlotSizer : public zSizer {
public:
    static constexpr int32_t Tag = 100;

    zSlotSizer(int32_t slot, int32_t width, int32_t height, zSizer* parent);

    void layoutInfo(zLayoutRecord& record) override;
    zSizer* isA(int32_t tag) override;

    int32_t slot() const { return slot_; }
    int32_t requestedWidth() const { return reqWidth_; }
    int32_t requestedHeight() const { return reqHeight_; }

private:
    int32_t slot_;
    int32_t reqWidth_;
    int32_t reqHeight_;
};
