#include "framework/controls3d/ziShellCompound.h"

#include "framework/controls3d/ziVisualCtrlPane.h"
#include "framework/controls3d/ziVisualPane.h"

ziShellCompound::ziShellCompound(ziVisualPane* pane) : ziCompound(nullptr, pane->sizer())
{
    host_ = pane;
    displaySource_ = [pane] { return pane->currentDisplay(); };
}

ziShellCompound::ziShellCompound(ziVisualCtrlPane* control) : ziCompound(nullptr, control->sizer())
{
    host_ = control;
    displaySource_ = [control] { return control->display(); };
}
