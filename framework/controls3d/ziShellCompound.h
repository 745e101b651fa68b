#pragma once
// The root compound of a host window: its rectangle is the host's own
// sizer (which stays the host's) and it draws on the host's display.

#include <functional>

#include "framework/controls3d/ziCompound.h"

class ziShellCompound : public ziCompound {
public:
    // display: the host's current display, asked at each drawing.
    ziShellCompound(zWindow* host, std::function<zDisplay*()> display);
    // The host takes its sizer back before it deletes the root.
    void detachSizer() { sizer_ = nullptr; }
};
