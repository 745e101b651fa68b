#pragma once
// The base of the 3-D controls: a face compound (button face and caption),
// a font, a caption style, and the standard messages of text, font,
// enabling and style.

#include "framework/controls3d/ziVisualCtrlPane.h"

class ziCompound;
class ziControlCompound;
class ziVisButton;
class ziVisText3d;

class ziCtrlBase : public ziVisualCtrlPane {
public:
    ziCtrlBase(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~ziCtrlBase() override;

    LRESULT defWindowProc(zEvent* ev) override;
    int focus(zEvent* ev) override;

    using zWindow::setFont;
    using zWindow::setStyle;
    virtual void setFont(HFONT font, int redraw);
    // The font last given with setFont (null when none).
    virtual HFONT storedFont() const { return font_; }
    virtual void setGrayed(int32_t flag);
    virtual void setStyle(uint32_t style, int redraw);
    virtual void setText(const char* text);
    virtual RcCString text() const;

    // Stores the caption style and the face and adds the face to compound.
    void attachVisual(ziCompound* compound, ziControlCompound* face, uint32_t captionStyle);

    ziControlCompound* face() const { return face_; }
    ziVisText3d* caption() const;
    ziVisButton* buttonFace() const;
    int32_t ctrlId() const { return ctrlId_; }
    uint32_t captionStyle() const { return captionStyle_; }

    // Draws the whole face.
    void drawFace();

protected:
    // Fills the client area in the button-face colour except where sibling
    // windows lie, for the controls that draw across their siblings.
    int eraseAroundSiblings(zEvent* ev);

public:

protected:
    HFONT font_ = nullptr;
    ziControlCompound* face_ = nullptr;
    int32_t ctrlId_ = 0;
    uint32_t captionStyle_ = 0;
};
