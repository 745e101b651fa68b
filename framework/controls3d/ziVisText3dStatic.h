#pragma once
// The caption of a 3-D static text: aligned left, centred (style & 3 == 1)
// or right (2) in its control; it never shows a focus frame.

#include "framework/controls3d/ziVisText3d.h"

class ziVisText3dStatic : public ziVisText3d {
public:
    using ziVisText3d::ziVisText3d;

protected:
    void drawIn(const zRect& area) override;
};
