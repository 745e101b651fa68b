#pragma once
// The bitmap button ("zBmpBtnClass"): a push (or, with style 0x200,
// toggle) button showing one image of a strip of six and an optional
// caption. Style 0x30 chooses the pressed and set images, 0x4000 keeps the
// image still when pressed, 0x1000 draws a focus frame.

#include "framework/controls3d/ziVCBCtrlButton.h"

class zBitmap;
class ziVisBmpButtonInternal;

class zBitmapButton : public ziVCBCtrlButton {
public:
    static constexpr int32_t ImageCount = 6;

    // Takes the bitmap (null: a button without an image).
    zBitmapButton(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id,
                  zBitmap* bitmap);

    void setGrayed(int32_t flag) override;
    void applyStyle(uint32_t style) override;
    void setCheck(int32_t state);

    ziVisBmpButtonInternal* bitmapFaceVisual() const;

    static zWindow* makeControl(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                int32_t id);
};
