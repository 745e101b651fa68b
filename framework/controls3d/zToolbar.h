#pragma once
// The tool bar: a pane docked along an edge of a frame, holding command
// buttons in numbered slots. Button commands and hover hints go on to the
// owner window; the buttons can follow the owner's menu.
//
// Style: 0x001 edge lines from the docking gravity, 0x002 right, 0x004
// left, 0x008 top, 0x010 bottom edge line, 0x200 a raised panel border.

#include "framework/controls3d/ziVisualPane.h"

class zMenuLink;
class zSlotLayout;
class ziControlCompound;
class ziVisPanelInternal;

class zToolbar : public ziVisualPane {
public:
    // With forwardToGrandparent the owner is the parent's parent (a frame's
    // margin frame as parent), else the parent.
    zToolbar(zWindow* parent, zSizer* sizer, uint32_t style, DWORD paneStyle,
             int32_t forwardToGrandparent = 0);
    ~zToolbar() override;

    LRESULT defWindowProc(zEvent* ev) override;
    int sizeSizer(zEvent* ev) override;
    int draw(zEvent* ev) override;

    void setSpacing(int32_t x, int32_t y);
    void setMargins(int32_t x, int32_t y);
    void enableCommand(int32_t id, int32_t enable);
    void linkMenu();
    zWindow* findButton(int32_t id);

    zWindow* owner() const;
    uint32_t toolbarStyle() const { return style_; }
    zSlotLayout* slotLayout() const { return slotLayout_; }
    zMenuLink* menuLink() const { return menuLink_; }
    ziVisPanelInternal* borderFace() const { return border_; }

protected:
    void layout(int32_t forward);

    zMenuLink* menuLink_ = nullptr;
    int32_t forward_ = 0;
    zSlotLayout* slotLayout_ = nullptr;
    ziVisPanelInternal* border_ = nullptr;
    uint32_t style_;
    ziControlCompound* faceCompound_ = nullptr;
};
