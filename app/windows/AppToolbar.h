#pragma once
// The main frame's tool bar: open, check, print, entry file, end and help
// as hint buttons. Its commands go on to the frame.
#include "framework/controls3d/zToolbar.h"

class AppToolbar : public zToolbar {
public:
    // parent: the frame's top margin frame.
    AppToolbar(zWindow* parent, zSizer* sizer);
    int command(zEvent*) override { return 0; }
};
