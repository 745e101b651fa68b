#include "framework/controls3d/ziShellCompound.h"

#include "framework/core/zWindow.h"

ziShellCompound::ziShellCompound(zWindow* host, std::function<zDisplay*()> display)
    : ziCompound(nullptr, host->sizer())
{
    host_ = host;
    displaySource_ = std::move(display);
}
