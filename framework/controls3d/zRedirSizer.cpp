#include "framework/controls3d/zRedirSizer.h"

#include "framework/core/zEvH.h"

zRedirSizer::zRedirSizer(zSizer* parent, zEvH* owner, InfoProc info, PlacedProc placed)
    : zLeafSizer(parent), owner_(owner), info_(info), placed_(placed)
{
}

void zRedirSizer::layoutInfo(zLayoutRecord& record)
{
    if (owner_ && info_)
        (owner_->*info_)(record);
    else
        zLeafSizer::layoutInfo(record);
}

void zRedirSizer::place(zRect& rect, int32_t noMove)
{
    storeRect(rect);
    if (owner_ && placed_)
        (owner_->*placed_)(rect, noMove);
}

zSizer* zRedirSizer::isA(int32_t tag)
{
    return tag == 1 || tag == 2 ? this : nullptr;
}
