#pragma once
// A "VisualCtrl" control window that hosts a root compound of visuals and
// hands it painting, sizing, mouse and character input.

#include "framework/controls3d/ziCtrlPane.h"
#include "framework/controls3d/ziVisualHost.h"

class ziVisualCtrlPane : public ziVisualHost<ziCtrlPane> {
public:
    ziVisualCtrlPane(zWindow* parent, zSizer* sizer, DWORD style)
        : ziVisualHost<ziCtrlPane>(parent, sizer, style, nullptr, 0)
    {
    }
};
