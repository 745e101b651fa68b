#pragma once
// The face of a bitmap button: a frame and one image of a strip of equal
// images (0 up, 1 up disabled, 2 pressed from up, 3 pressed from set,
// 4 set, 5 set disabled), with an optional caption after the image.

#include "framework/controls3d/ziVisButton.h"

class zBitmap;

class ziVisBmpButtonInternal : public ziVisButton {
public:
    static constexpr uint32_t Toggles = 0x200;
    static constexpr uint32_t KindMask = 0x30;
    static constexpr uint32_t FocusFrame = 0x1000;
    static constexpr uint32_t FixedImage = 0x4000;

    // Takes the bitmap (may be null: no image).
    ziVisBmpButtonInternal(ziCompound* parent, zSizer* sizer, uint32_t flags, const char* title,
                           int32_t id, zBitmap* bitmap, int32_t imageCount);
    ~ziVisBmpButtonInternal() override;

    void showClear() override;
    void showSet() override;
    void press() override;
    void showPressedClear() override;
    void clickAction() override;
    void focusChanged(int32_t focused) override;
    int32_t hasFocus() override { return hasFocus_; }

    uint32_t buttonFlags() const { return flags_; }
    void setButtonFlags(uint32_t flags) { flags_ = flags; }
    void setToggleFlags(int32_t a, int32_t b) { toggleA_ = a; toggleB_ = b; }
    int32_t grayed() const { return grayed_; }
    void setGrayed(int32_t g) { grayed_ = g; }
    zBitmap* bitmap() const { return bitmap_; }
    int32_t imageWidth() const { return imageWidth_; }
    int32_t imageHeight() const { return imageHeight_; }
    // The image index the last paint showed (-1: none).
    int32_t lastImage() const { return lastImage_; }
    COLORREF transparentColour() const { return transparent_; }

    // The image of each look.
    int32_t clearLook() const;
    int32_t setLook() const;

protected:
    // frameStyle 0 raised, 1 pressed, 3 sunken.
    void paintFace(int32_t frameStyle, int32_t image, int32_t offset);
    void prepareImage();
    bool isGrayed() const;

    uint32_t flags_;
    int32_t buttonId_;
    zBitmap* bitmap_;
    int32_t imageCount_;
    int32_t imageWidth_ = 0;
    int32_t imageHeight_ = 0;
    POINT imagePos_{0, 0};
    // The bitmap with its transparent colour replaced by the button face.
    HDC imageDC_ = nullptr;
    HBITMAP image_ = nullptr;
    HGDIOBJ imageOld_ = nullptr;
    COLORREF transparent_ = CLR_INVALID;
    int32_t toggleA_ = 0;
    int32_t toggleB_ = 0;
    int32_t hasFocus_ = 0;
    int32_t grayed_ = 0;
    int32_t lastImage_ = -1;
};
