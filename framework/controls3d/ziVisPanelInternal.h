#pragma once
// A bevelled panel face: an outer bevel, an optional border gap and an
// optional inner bevel; the caption is drawn inside them. The status line
// frames its items with it and the tool bar draws its border with it.

#include "framework/controls3d/ziVisControl.h"

class ziVisPanelInternal : public ziVisControl {
public:
    static constexpr uint32_t OuterRaised = 0x200;
    static constexpr uint32_t InnerRaised = 0x4000;
    static constexpr uint32_t BlackShadow = 0x400;

    ziVisPanelInternal(ziCompound* parent, zSizer* sizer, uint32_t flags, const char* title,
                       int32_t id, int32_t bevel, int32_t border, int32_t innerBevel);

    // The normal paint.
    void showClear() override { paint(); }
    void paint();

    uint32_t panelFlags() const { return flags_; }
    void setPanelFlags(uint32_t flags) { flags_ = flags; }
    int32_t bevel() const { return bevel_; }
    void setBevel(int32_t bevel) { bevel_ = bevel; }
    int32_t border() const { return border_; }
    void setBorder(int32_t border) { border_ = border; }
    int32_t innerBevel() const { return inner_; }
    void setInnerBevel(int32_t inner) { inner_ = inner; }
    const zRect& paintRect() const { return paint_; }

protected:
    void drawBevel(uint32_t mask);

    uint32_t flags_;
    int32_t panelId_;
    zRect paint_{};
    int32_t bevel_;
    int32_t border_;
    int32_t inner_;
};
