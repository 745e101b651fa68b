#pragma once
// The caption of a 3-D panel: centred in the area inside the bevels that
// the panel face hands it.

#include "framework/controls3d/ziVisText3d.h"

class ziVisText3dPanel : public ziVisText3d {
public:
    using ziVisText3d::ziVisText3d;

    void setArea(const zRect& area) { area_ = area; hasArea_ = true; }

protected:
    void drawIn(const zRect& area) override;

private:
    zRect area_{};
    bool hasArea_ = false;
};
