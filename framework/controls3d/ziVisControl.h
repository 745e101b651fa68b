#pragma once
// The face of a control: a visual with a command id and a state byte. A
// plain control face takes no mouse or key events.

#include "framework/controls3d/ziVisual.h"

class ziVisControl : public ziVisual {
public:
    ziVisControl(ziCompound* parent, zSizer* sizer, int32_t id);

    void draw(const zRect* r) override;

    virtual void showClear();
    virtual void showState4();
    virtual void reserved();

    int32_t id() const { return id_; }
    int32_t isButton() const { return button_; }
    uint32_t style() const { return style_; }
    void setStyle(uint32_t style) { style_ = style; }
    uint8_t state() const { return state_; }
    void setState(uint8_t state) { state_ = state; }

protected:
    int32_t id_;
    int32_t button_ = 0;
    uint32_t style_ = 0;
    uint8_t state_ = 1;
};
