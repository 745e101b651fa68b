#pragma once
// A 3-D caption: the text drawn up to three times in two look colours and
// black, with a mnemonic underline, a dotted focus frame and a grayed look.

#include <string>

#include "framework/controls3d/ziVisText.h"
#include "framework/core/zColor.h"

class ziVisText3d : public ziVisText {
public:
    // Caption style bits.
    static constexpr uint32_t LookMask = 0x1C0;
    static constexpr uint32_t NoIndent = 0x20;
    static constexpr uint32_t GrayedStyle = 0x08000000;

    ziVisText3d(ziCompound* parent, zSizer* sizer, uint32_t style, const char* text);

    void setText(const char* text) override;
    // Stores the style and recomputes the two look colours.
    void setStyle(uint32_t style);
    uint32_t style() const { return style_; }

    // Holds the display, paints on the button face and draws the caption
    // in its area (drawIn) when it shows.
    void draw(const zRect* r) override;
    // Whether the caption draws: it has a text.
    virtual bool shows();

    // The caption without its '&' markers (see ziMnemonic).
    const std::string& stripMnemonic();
    // Extent of the stripped caption plus the look's size margin; the
    // display must be held.
    int32_t textWidth();
    int32_t textHeight();
    int32_t styleOffset(int32_t v) const;
    void eraseBox();
    void drawFocusFrame(int32_t erase);
    void drawText();

    // Pure blue marks a look colour that is not drawn.
    static bool isNone(const zColor& c) { return c == zColor{0, 0, 255, 0}; }

    const zColor& firstColour() const { return first_; }
    const zColor& secondColour() const { return second_; }
    int32_t sizeMargin() const;
    int32_t focused() const { return focused_; }
    void setFocused(int32_t f) { focused_ = f; }
    int32_t grayed() const { return grayed_; }
    void setGrayed(int32_t g) { grayed_ = g; }
    int32_t hasMnemonic() const { return hasMnemonic_; }
    int32_t mnemonicIndex() const { return mnemonicIndex_; }
    int32_t textX() const { return tx_; }
    int32_t textY() const { return ty_; }

protected:
    // Places the caption in the area and draws it; the display is held.
    virtual void drawIn(const zRect& area);
    // The caption's origin inside its parent compound's rectangle.
    void placeIn(int32_t left, int32_t top) { tx_ = left; ty_ = top; }
    // The parent compound's rectangle (the control's), or the own one.
    zRect area() const;

    uint32_t style_ = 0;
    zColor first_{0, 0, 0, 0};
    zColor second_{0, 0, 0, 0};
    int32_t focused_ = 0;
    int32_t grayed_ = 0;
    int32_t hasMnemonic_ = 0;
    int32_t tx_ = 0;
    int32_t ty_ = 0;
    int32_t mnemonicIndex_ = 0;

private:
    std::string stripped_;
    bool strippedValid_ = false;
};
