#pragma once
// The 3-D static text ("zStatTxt3dClass"): a caption aligned by style & 3
// (1 centre, 2 right, else left); it hands the focus on.

#include "framework/controls3d/ziCtrlBase.h"

class zStaticText3d : public ziCtrlBase {
public:
    zStaticText3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);

    static zWindow* makeControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                int32_t id);
};
