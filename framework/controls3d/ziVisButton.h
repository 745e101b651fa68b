#pragma once
// A button face: pressed by the left mouse button, released over itself to
// click, hovering shows the command's help in the frame's status line.
//
// States: 0 up (for a toggle button: set), 1 clear, 2 held down (toggle:
// held down while set), 3 held down while clear, 4 only through showState4.

#include "framework/controls3d/ziVisControl.h"

class zTimer;
class ziVisButton;

class ziVisButton : public ziVisControl {
public:
    using ClickHook = int (zEvH::*)(ziVisButton*);

    ziVisButton(ziCompound* parent, zSizer* sizer, int32_t id);
    ~ziVisButton() override;

    int mouseButtonDown(zEvent* ev) override;
    int mouseMove(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;
    void draw(const zRect* r) override;

    virtual void showSet();
    virtual void press();
    virtual void showPressedClear();
    virtual void clickAction();
    virtual void focusChanged(int32_t focused);
    virtual int32_t hasFocus();

    // Optional hooks of a click: the click hook gets the face; when it
    // answers 0 the command hook gets a record whose wParam is the id.
    void setClickHook(zEvH* obj, ClickHook fn) { clickObj_ = obj; clickFn_ = fn; }
    void setCommandHook(zEvH* obj, zEvProc fn) { commandObj_ = obj; commandFn_ = fn; }

    int32_t pressed() const { return pressed_; }
    int32_t tracking() const { return tracking_; }
    int32_t hovering() const { return hovering_; }
    uint8_t savedState() const { return savedState_; }
    int32_t autoToggle() const { return autoToggle_; }
    void setAutoToggle(int32_t v) { autoToggle_ = v; }
    int32_t latching() const { return latching_; }
    void setLatching(int32_t v) { latching_ = v; }

    // The host window that a hovering face recorded (one for the process).
    static HWND hoveredWindow();

protected:
    // A check-box or radio-button face: style, auto toggle and latching;
    // it starts clear.
    ziVisButton(ziCompound* parent, zSizer* sizer, int32_t id, uint32_t style, bool autoToggle, bool latching);
    // The 12 x 12 box of a check mark or radio dot: at the left of the
    // display's extent (or the own rectangle), centred vertically; with the
    // right-aligned style (0x20) from rightInset pixels before the width.
    zRect markBox(int32_t rightInset) const;
    // Timer: ends the hover when the cursor has left the host window.
    int hoverCheck();
    HWND hostWindow() const;
    void clearCaptureChildren();
    void endHover();

    int32_t pressed_ = 0;
    int32_t tracking_ = 0;
    int32_t hovering_ = 0;
    zTimer* hoverTimer_ = nullptr;
    uint8_t savedState_ = 1;
    zEvH* clickObj_ = nullptr;
    zEvH* commandObj_ = nullptr;
    ClickHook clickFn_ = nullptr;
    zEvProc commandFn_ = nullptr;
    int32_t autoToggle_ = 0;
    int32_t latching_ = 0;
};
