#include "framework/core/zRect.h"

#include <algorithm>

zRect& zRect::intersect(const zRect& a, const zRect& b)
{
    const int32_t l = std::max(a.left, b.left);
    const int32_t r = std::min(a.right, b.right);
    const int32_t t = std::max(a.top, b.top);
    const int32_t btm = std::min(a.bottom, b.bottom);
    if (l < r && t < btm)
        *this = zRect{l, t, r, btm};
    else
        *this = zRect{};
    return *this;
}
