#pragma once
// The entry window's tool bar: save, new team, edit team, relay times and
// the Enter-movement toggle. Its commands go on to the window.
#include "framework/controls3d/zToolbar.h"

class MeldeToolbar : public zToolbar {
public:
    static constexpr int32_t ToggleId = 3061;
    MeldeToolbar(zWindow* parent, zSizer* sizer);
    int command(zEvent*) override { return 0; }
    // Pressed while Enter moves down (mode 2), released for mode 1.
    void setToggle(int32_t mode);
};
