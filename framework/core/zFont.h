#pragma once
// A font holder: a LOGFONT and the font made from it.
#include <windows.h>

#include <cstdint>

#include "framework/core/zDrawObj.h"
#include "framework/core/zLogMeasure.h"

class zDisplay;

// Style flags of a font description.
enum : int32_t { zFontItalic = 1, zFontUnderline = 2, zFontStrikeOut = 4 };

// A font description: a size in tenths of a point (device x gives the
// width, device y the height), weight, pitch and family, style flags and the
// remaining LOGFONT values.
struct zFontSpec {
    zPrPoint size;
    int32_t weight = FW_NORMAL;
    int32_t pitch = 0;   // low byte OR-ed into the pitch-and-family byte
    int32_t family = 0;  // low byte OR-ed into the pitch-and-family byte
    int32_t style = 0;   // zFontItalic | zFontUnderline | zFontStrikeOut
    int32_t escapement = 0;
    int32_t orientation = 0;
    uint8_t charSet = DEFAULT_CHARSET;
    uint8_t outPrecision = OUT_DEFAULT_PRECIS;
    uint8_t clipPrecision = CLIP_DEFAULT_PRECIS;
    uint8_t quality = DEFAULT_QUALITY;

    zFontSpec(const zPrPoint& sz, int32_t w = FW_NORMAL, int32_t p = 0, int32_t f = 0)
        : size(sz), weight(w), pitch(p), family(f)
    {
    }
};

class zFont : public zDrawObj {
public:
    // From a face name and a description; a positive height means the
    // character height (stored negated).
    zFont(const char* faceName, zFontSpec fontSpec);
    // A copy of a LOGFONT; with a display and a non-zero point size the
    // height comes from the point size on that display, the width becomes 0.
    zFont(const LOGFONTA& logFont, int16_t pointSize, const zDisplay* display);
    // Wraps an existing font handle; it is never deleted.
    explicit zFont(HFONT existing);
    // A stock font (GetStockObject), never deleted.
    static zFont* fromStock(int32_t stockObject);

    HFONT font() const { return static_cast<HFONT>(handle_); }
    const LOGFONTA& logFont() const { return logFont_; }
    int16_t pointSize() const { return pointSize_; }

private:
    zFont() = default;

    LOGFONTA logFont_{};
    int16_t pointSize_ = 0;
    LOGFONTA spare_{};
    int16_t spareWord_ = 0;
    uint8_t stockNumber_ = 0;
};
