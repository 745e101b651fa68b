#include "framework/core/zFont.h"

#include <cstring>

#include "framework/core/zDisplay.h"

zFont::zFont(const char* faceName, zFontSpec fontSpec)
{
    const int32_t h = fontSpec.size.deviceY();
    logFont_.lfHeight = h <= 0 ? h : -h;
    logFont_.lfWidth = fontSpec.size.deviceX();
    logFont_.lfWeight = fontSpec.weight;
    logFont_.lfEscapement = fontSpec.escapement;
    logFont_.lfOrientation = fontSpec.orientation;
    logFont_.lfItalic = static_cast<BYTE>(fontSpec.style & zFontItalic);
    logFont_.lfUnderline = static_cast<BYTE>(fontSpec.style & zFontUnderline);
    logFont_.lfStrikeOut = static_cast<BYTE>(fontSpec.style & zFontStrikeOut);
    logFont_.lfCharSet = fontSpec.charSet;
    logFont_.lfOutPrecision = fontSpec.outPrecision;
    logFont_.lfClipPrecision = fontSpec.clipPrecision;
    logFont_.lfQuality = fontSpec.quality;
    logFont_.lfPitchAndFamily = static_cast<BYTE>((fontSpec.pitch & 0xFF) | (fontSpec.family & 0xFF));
    if (faceName)
        std::strncpy(logFont_.lfFaceName, faceName, LF_FACESIZE - 1);
    handle_ = CreateFontIndirectA(&logFont_);
}

zFont::zFont(const LOGFONTA& logFont, int16_t pointSize, const zDisplay* display)
    : logFont_(logFont), pointSize_(pointSize)
{
    if (display && pointSize != 0) {
        zPrPoint size(0, pointSize, display);
        logFont_.lfHeight = -size.deviceY();
        logFont_.lfWidth = 0;
    }
    handle_ = CreateFontIndirectA(&logFont_);
}

zFont::zFont(HFONT existing) : zDrawObj(existing, 1)
{
    if (existing)
        GetObjectA(existing, sizeof logFont_, &logFont_);
}

zFont* zFont::fromStock(int32_t stockObject)
{
    zFont* f = new zFont;
    f->handle_ = GetStockObject(stockObject);
    f->stock_ = 1;
    f->stockNumber_ = static_cast<uint8_t>(stockObject);
    if (f->handle())
        GetObjectA(f->handle(), sizeof f->logFont_, &f->logFont_);
    return f;
}
