#pragma once
// The caption of a bitmap button: after the image, or centred when the
// button shows no image; it moves with a pressed image.

#include "framework/controls3d/ziVisText3d.h"

class ziVisText3dBmp : public ziVisText3d {
public:
    using ziVisText3d::ziVisText3d;

    // The right edge of the drawn image (-1: none) and the pressed offset.
    void setImageRight(int32_t right, int32_t offset) { imageRight_ = right; offset_ = offset; }

protected:
    void drawIn(const zRect& area) override;

private:
    int32_t imageRight_ = -1;
    int32_t offset_ = 0;
};
