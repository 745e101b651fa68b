#pragma once
// The base of the button-like 3-D controls: mouse capture through the
// face, the space key, the mnemonic key, the click as WM_COMMAND to the
// parent, the focus frame and the button messages BM_GETCHECK..BM_SETSTYLE.

#include "framework/controls3d/ziCtrlBase.h"

class ziVCBCtrlButton : public ziCtrlBase {
public:
    ziVCBCtrlButton(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);

    LRESULT defWindowProc(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override;
    int focus(zEvent* ev) override;

    virtual int keyPress(uint32_t key);
    virtual int click();
    virtual void applyStyle(uint32_t style) = 0;

    int32_t bitmapFace() const { return bitmapFace_; }

    // The key-held flag shared by every button control: set by a key-down
    // of the space key, cleared by its key-up, a click or losing the focus.
    // A key-up of the space key clicks only while it is set.
    static int32_t keyHeld();
    static void setKeyHeld(int32_t flag);

protected:
    int32_t bitmapFace_ = 0;
};
