#include "framework/controls3d/ziVisualDrawing.h"

#include "framework/core/zApplication.h"
#include "framework/core/zFrameWin.h"

SIZE ziTextExtent(zDisplay* d, const char* text, int32_t n)
{
    SIZE s{0, 0};
    if (!d || !text || n <= 0 || !d->hdc())
        return s;
    GetTextExtentPoint32A(d->hdc(), text, n, &s);
    return s;
}

zFont* ziMakeFont(HFONT font)
{
    if (!font)
        return zFont::fromStock(SYSTEM_FONT);
    LOGFONTA lf{};
    if (!GetObjectA(font, sizeof lf, &lf))
        return zFont::fromStock(SYSTEM_FONT);
    return new zFont(lf, 0, nullptr);
}

POINT ziWindowOrigin(zDisplay* d) { return d ? d->windowOrg() : POINT{0, 0}; }

zWindow* ziMainFrame() { return theApplication ? theApplication->mainFrame : nullptr; }
