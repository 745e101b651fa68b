#pragma once
// The 3-D panel ("zPanel3dClass"): an outer and an inner bevel with a
// border gap between them and an optional centred caption.

#include "framework/controls3d/ziCtrlBase.h"

class ziVisPanelInternal;

class zPanel3d : public ziCtrlBase {
public:
    // A bevel and a border both 999 take (style & 0x38) >> 3 and
    // (style & 0x3800) >> 11.
    zPanel3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id,
             int32_t bevel, int32_t border);

    LRESULT defWindowProc(zEvent* ev) override;
    // Paints nothing where siblings lie: the faces draw the rest.
    int eraseBackground(zEvent* ev) override { return eraseAroundSiblings(ev); }
    using ziCtrlBase::setStyle;
    void setStyle(uint32_t style, int redraw) override;

    ziVisPanelInternal* panelFace() const;

    static zWindow* makeControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                int32_t id);
};
