#pragma once
// The drawing record of a progress bar: geometry, style, colours, caption
// and percentage; it draws the whole bar through the pane's display.
#include <cstdint>
#include <memory>

#include "framework/core/RcCString.h"
#include "framework/core/zColor.h"
#include "framework/core/zDrawObj.h"
#include "framework/core/zFont.h"
#include "framework/core/zRect.h"

class zDisplay;

class ziProgressBarInfo {
public:
    // Style bits.
    enum : uint32_t {
        FromLeft = 0x08,
        FromRight = 0x10,
        FromTop = 0x20,
        FromBottom = 0x40,
        Frame3d = 0x80,
        NoFrame = 0x200,
    };
    enum : uint8_t { AlignLeft = 1, AlignRight = 2, AlignCentre = 4 };

    ziProgressBarInfo(zDisplay** display, const zRect& rect, uint32_t style);
    virtual ~ziProgressBarInfo() = default;

    void draw();
    // The filled length for an extent, with the percentage clamped to
    // 0 to 100.
    int32_t fillLength(int32_t extent) const;

    zDisplay** display;
    zRect rect;
    uint32_t style;
    uint8_t alignment = AlignCentre;
    zFont* font = nullptr;  // the caption font, owned by the control
    std::unique_ptr<zBrush> barBrush;
    zColor captionColour{0, 0, 0, 0};
    zColor backColour{255, 255, 255, 0};
    zColor frameColour{0, 0, 0, 0};
    RcCString caption;
    float percentage = 0.0f;
};
