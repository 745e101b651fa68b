#include "framework/controls3d/ziSlotPlan.h"

#include <cstddef>

using std::size_t;

void ziSlotPlan::place(ziSlotRect& area, std::vector<ziSlotItem>& items) const {
    const int32_t left = area.left + marginX;
    const int32_t right = area.right - marginX;
    const int32_t top = area.top + marginY;
    const int32_t bottom = area.bottom - marginY;
    int32_t cx = left, cy = top;
    int32_t usedW = 0, usedH = 0;

    int32_t largest = 0;
    std::vector<bool> waiting(items.size(), false);
    for (size_t i = 0; i < items.size(); ++i) {
        ziSlotItem& it = items[i];
        if (!it.inSlot) {
            it.rect.left = it.x;
            it.rect.top = it.y;
            it.rect.right = it.width == kUnset ? right : it.x + it.width;
            it.rect.bottom = it.height == kUnset ? bottom : it.y + it.height;
            continue;
        }
        it.rect = ziSlotRect{};
        waiting[i] = true;
        if (it.slot > largest) largest = it.slot;
    }

    for (int32_t k = 1; k <= largest; ++k) {
        ziSlotItem* found = nullptr;
        for (size_t i = 0; i < items.size(); ++i) {
            if (waiting[i] && items[i].slot == k) {
                found = &items[i];
                waiting[i] = false;
                break;
            }
        }
        if (!found) {
            if (orientation == 1) {
                cx += spacingX;
                usedW += spacingX;
            } else {
                cy += spacingY;
                usedH += spacingY;
            }
            continue;
        }
        int32_t w = found->width == 0 ? right - cx : found->width == -1 ? spacingX : found->width;
        int32_t h = found->height == 0 ? bottom - cy : found->height == -1 ? spacingY : found->height;
        ziSlotRect r{cx, cy, cx + w, cy + h};
        if (orientation == 1) {
            if (r.bottom < bottom) {
                const int32_t shift = (bottom - r.bottom) / 2;
                r.top += shift;
                r.bottom += shift;
            }
            cx = r.right;
            usedW += w;
        } else {
            if (r.right < right) {
                const int32_t shift = (right - r.right) / 2;
                r.left += shift;
                r.right += shift;
            }
            cy = r.bottom;
            usedH += h;
        }
        found->rect = r;
    }

    area.right = area.left + usedW;
    area.bottom = area.top + usedH;
}
