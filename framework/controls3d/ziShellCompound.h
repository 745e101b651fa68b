#pragma once
// The root compound of a host window: its rectangle is the host's own
// sizer (which stays the host's) and it draws on the host's display.

#include "framework/controls3d/ziCompound.h"

class ziVisualPane;
class ziVisualCtrlPane;

class ziShellCompound : public ziCompound {
public:
    explicit ziShellCompound(ziVisualPane* pane);
    explicit ziShellCompound(ziVisualCtrlPane* control);
    // The host takes its sizer back before it deletes the root.
    void detachSizer() { sizer_ = nullptr; }
};
