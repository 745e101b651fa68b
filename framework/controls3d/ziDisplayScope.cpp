#include "framework/controls3d/ziDisplayScope.h"

#include "framework/core/zApplication.h"
#include "framework/core/zFrameWin.h"

HDC ziAcquire::dc() const { return d_ ? d_->hdc() : nullptr; }

ziPenScope::ziPenScope(zDisplay* d, COLORREF colour) : d_(d)
{
    if (d_)
        d_->pushPen(new zPen(PS_SOLID, 0, ziColor(colour)));
}

ziPenScope::ziPenScope(zDisplay* d, int stockObject, bool) : d_(d)
{
    if (d_)
        d_->pushPen(new zPen(stockObject));
}

ziPenScope::~ziPenScope()
{
    if (d_)
        delete d_->popPen();
}

ziBrushScope::ziBrushScope(zDisplay* d, COLORREF colour) : d_(d)
{
    if (d_)
        d_->pushBrush(new zBrush(ziColor(colour)));
}

ziBrushScope::ziBrushScope(zDisplay* d, int stockObject, bool) : d_(d)
{
    if (d_)
        d_->pushBrush(new zBrush(stockObject));
}

ziBrushScope::~ziBrushScope()
{
    if (d_)
        delete d_->popBrush();
}

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

zWindow* ziMainFrame() { return zApp ? zApp->mainFrame : nullptr; }
