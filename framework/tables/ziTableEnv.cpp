#include "framework/tables/ziTableEnv.h"

#include "framework/tables/zTableModel.h"

ziTableEnv::ziTableEnv(zTableModel* model) : list(model ? model->attributes() : nullptr) {}

void ziTableEnv::clearSlots()
{
    for (zTableAttr*& a : attrs)
        a = nullptr;
}

void ziTableEnv::collect(const ziTablePos& position)
{
    clearSlots();
    if (!list)
        return;
    zPListIter it(*list);
    while (void* item = it.next()) {
        auto* attr = static_cast<zTableAttr*>(item);
        if (attr->kind < 0 || attr->kind >= zTableAttr::KindCount)
            continue;
        if (attr->range.holds(position))
            attrs[attr->kind] = attr;
    }
}
