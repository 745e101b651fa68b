#include "framework/core/ziDisplayScope.h"

ziPenScope::ziPenScope(zDisplay* d, COLORREF colour) : d_(d)
{
    if (d_)
        d_->pushPen(new zPen(PS_SOLID, 0, zColor::fromColorRef(colour)));
}

ziPenScope::ziPenScope(zDisplay* d, int stockObject, bool) : d_(d)
{
    if (d_)
        d_->pushPen(new zPen(stockObject));
}

ziBrushScope::ziBrushScope(zDisplay* d, COLORREF colour) : d_(d)
{
    if (d_)
        d_->pushBrush(new zBrush(zColor::fromColorRef(colour)));
}

ziBrushScope::ziBrushScope(zDisplay* d, int stockObject, bool) : d_(d)
{
    if (d_)
        d_->pushBrush(new zBrush(stockObject));
}
