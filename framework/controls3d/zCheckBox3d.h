#pragma once
// The 3-D check box ("zCheckBox3dClass"): a sunken box with a cross (or a
// tick, style 0x400) and a 3-D caption; style & 3 == 3 toggles on a click.

#include "framework/controls3d/ziVCBCtrlButton.h"

class zCheckBox3d : public ziVCBCtrlButton {
public:
    zCheckBox3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);

    // With bindMode 1 and a bound integer: validate stores BM_GETCHECK (0,
    // 1 or 2) there, transferIn sets the check from it.
    int validate() override;
    int transferIn() override;
    void applyStyle(uint32_t style) override;

    static zWindow* makeControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                int32_t id);

    // The binding; the control's owner sets both directly.
    int32_t* bound = nullptr;
    int32_t bindMode = 0;

private:
    int32_t reserved_ = 0;
};
