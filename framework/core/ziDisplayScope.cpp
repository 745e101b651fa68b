#include "framework/core/ziDisplayScope.h"

#include <type_traits>

namespace {

void push(zDisplay* d, zPen* pen) { d->pushPen(pen); }
void push(zDisplay* d, zBrush* brush) { d->pushBrush(brush); }

zPen* solid(zPen*, COLORREF colour) { return new zPen(PS_SOLID, 0, zColor::fromColorRef(colour)); }
zBrush* solid(zBrush*, COLORREF colour) { return new zBrush(zColor::fromColorRef(colour)); }

}  // namespace

template <class T>
ziDrawScope<T>::ziDrawScope(zDisplay* d, COLORREF colour) : d_(d)
{
    if (d_)
        push(d_, solid(static_cast<T*>(nullptr), colour));
}

template <class T>
ziDrawScope<T>::ziDrawScope(zDisplay* d, int stockObject, bool) : d_(d)
{
    if (d_)
        push(d_, new T(stockObject));
}

template <class T>
ziDrawScope<T>::~ziDrawScope()
{
    if (!d_)
        return;
    if constexpr (std::is_same_v<T, zPen>)
        d_->popPen();
    else
        d_->popBrush();
}

template class ziDrawScope<zPen>;
template class ziDrawScope<zBrush>;
