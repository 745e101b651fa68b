#include "framework/controls3d/zSlotLayout.h"

#include "framework/controls3d/zSlotSizer.h"

void zSlotLayout::layout(zRect& area, zSizerDlist* children, int32_t)
{
    if (!children)
        return;
    std::vector<ziSlotItem> items(children->size());
    for (size_t i = 0; i < children->size(); ++i) {
        zSizer* child = (*children)[i];
        zLayoutRecord rec;
        child->layoutInfo(rec);
        ziSlotItem& it = items[i];
        if (auto* slot = static_cast<zSlotSizer*>(child->isA(zSlotSizer::Tag))) {
            it.inSlot = true;
            it.slot = slot->slot();
            it.width = slot->requestedWidth();
            it.height = slot->requestedHeight();
        } else {
            it.x = child->x() == zSizerUnset ? 0 : child->x();
            it.y = child->y() == zSizerUnset ? 0 : child->y();
            it.width = child->width();
            it.height = child->height();
        }
    }
    ziSlotRect r{area.left, area.top, area.right, area.bottom};
    plan_.place(r, items);
    for (size_t i = 0; i < children->size(); ++i) {
        zRect placed{items[i].rect.left, items[i].rect.top, items[i].rect.right,
                     items[i].rect.bottom};
        (*children)[i]->place(placed, 0);
    }
    area.right = r.right;
    area.bottom = r.bottom;
}

void zSlotLayout::preferredSize(zLayoutRecord& out, zSizerDlist* children, int32_t)
{
    out.reset();
    if (!children)
        return;
    int32_t right = 0, bottom = 0;
    for (zSizer* child : *children) {
        if (child->kind() != zSizerAbsolute || child->isA(zSlotSizer::Tag))
            continue;
        zLayoutRecord rec;
        child->layoutInfo(rec);
        if (rec.x + rec.b.width > right)
            right = rec.x + rec.b.width;
        if (rec.y + rec.b.height > bottom)
            bottom = rec.y + rec.b.height;
    }
    if (out.b.width < right)
        out.b.width = right;
    if (out.c.width < right)
        out.c.width = right;
    if (out.b.height < bottom)
        out.b.height = bottom;
    if (out.c.height < bottom)
        out.c.height = bottom;
}
