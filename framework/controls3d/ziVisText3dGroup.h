#pragma once
// The caption of a 3-D group box: left, centred or right on the top edge
// by the alignment bits 0x1800 of its style; none when they are 0.

#include "framework/controls3d/ziVisText3d.h"

class ziVisText3dGroup : public ziVisText3d {
public:
    static constexpr uint32_t AlignMask = 0x1800;

    using ziVisText3d::ziVisText3d;

    // A text and an alignment.
    bool shows() override;
    // Computes the text origin on the box (the group box's rectangle).
    void placeOnBox(const zRect& box);

protected:
    void drawIn(const zRect& area) override;
};
