#pragma once
// The frame of a 3-D group box: an etched groove (or a raised ridge)
// starting 7 pixels below the top, broken where the caption stands.

#include "framework/controls3d/ziVisControl.h"

class ziVisGroupBoxInternal : public ziVisControl {
public:
    static constexpr uint32_t Ridge = 0x200;
    static constexpr uint32_t GreyShadow = 0x400;

    ziVisGroupBoxInternal(ziCompound* parent, zSizer* sizer, uint32_t flags, const char* title,
                          int32_t id);

    void showClear() override { paint(); }
    void paint();

    uint32_t groupFlags() const { return flags_; }
    const zRect& paintRect() const { return paint_; }

protected:
    uint32_t flags_;
    int32_t groupId_;
    zRect paint_{};
};
