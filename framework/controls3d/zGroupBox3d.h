#pragma once
// The 3-D group box ("zGroupBox3dClass"): a frame with an optional caption
// in a gap of its top edge. Mouse input passes through to the windows below.

#include "framework/controls3d/ziCtrlBase.h"

class zGroupBox3d : public ziCtrlBase {
public:
    zGroupBox3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);

    LRESULT defWindowProc(zEvent* ev) override;
    // Paints nothing where siblings lie: the faces draw the rest.
    int eraseBackground(zEvent* ev) override { return eraseAroundSiblings(ev); }

    static zWindow* makeControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                int32_t id);
};
