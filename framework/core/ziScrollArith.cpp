#include "framework/core/ziScrollArith.h"

#include <algorithm>
#include <cmath>

namespace {
int32_t cut(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
}

int32_t ziScrollArith::jump(int32_t prev, int32_t target, int32_t step)
{
    return cut(int64_t{step} * (int64_t{prev} - target));
}

ziScrollArith::Move ziScrollArith::line(int32_t prev, int32_t pos, int32_t min, int32_t max, int32_t step)
{
    if (prev < pos) {
        if (pos <= max && prev < max)
            return {Move::Scroll, jump(prev, pos, step)};
        return {Move::Bottom, 0};
    }
    if (prev > pos) {
        if (pos >= min && prev > min)
            return {Move::Scroll, jump(prev, pos, step)};
        return {Move::Top, 0};
    }
    return {};
}

ziScrollArith::Move ziScrollArith::page(int32_t prev, int32_t pos, int32_t min, int32_t max,
                                        int32_t statePage, int32_t pagePixels)
{
    if (prev > pos) {
        if (int64_t{prev} - pos == statePage && prev > min)
            return {Move::Scroll, pagePixels};
        return {Move::Top, 0};
    }
    if (prev < pos) {
        if (int64_t{pos} - prev == statePage && prev < max)
            return {Move::Scroll, cut(-int64_t{pagePixels})};
        return {Move::Bottom, 0};
    }
    return {};
}

int32_t ziScrollArith::autoMax(int32_t contentExtent, int32_t clientExtent, int32_t step)
{
    if (clientExtent >= contentExtent)
        return 0;
    // A step below 1 pixel would divide by zero or flip the range.
    const int64_t s = std::max(step, 1);
    const int64_t over = int64_t{contentExtent} - clientExtent;
    return cut((over + s - 1) / s);
}

int32_t ziScrollArith::keptPosition(int32_t pos, int32_t oldMax, int32_t newMax, int32_t min)
{
    if (pos == 0 || oldMax == 0)
        return pos;
    const double kept = std::round(static_cast<double>(pos) * newMax / oldMax);
    const int64_t clamped = std::clamp<int64_t>(static_cast<int64_t>(kept), min, std::max(min, newMax));
    return static_cast<int32_t>(clamped);
}
