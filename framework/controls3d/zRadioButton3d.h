#pragma once
// The 3-D radio button ("zRadioBtn3dClass"): a round button with a dot
// when set; style & 9 == 9 sets it on a click. Reached by the keyboard
// while clear, it tells its parent as if it had been clicked.

#include "framework/controls3d/ziVCBCtrlButton.h"

class zRadioButton3d : public ziVCBCtrlButton {
public:
    zRadioButton3d(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);

    // With bindMode 1 and a bound integer: validate stores the control id
    // there when the button is set; transferIn sets the button when the
    // integer holds its id and clears it otherwise.
    int validate() override;
    int transferIn() override;
    void applyStyle(uint32_t style) override;
    int mouseButtonDown(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;
    int focus(zEvent* ev) override;

    static zWindow* makeControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                int32_t id);

    int32_t* bound = nullptr;
    int32_t bindMode = 0;
    // 0 from a button-down on the control until the next button-up.
    int32_t mouseSeen() const { return mouseSeen_; }

private:
    int32_t reserved_ = 0;
    int32_t mouseSeen_ = 1;
};
