#include "framework/tables/ziTableScroller.h"

#include "framework/core/zDisplay.h"
#include "framework/core/zScrollInfo.h"
#include "framework/tables/zTable.h"

ziTableScroller::ziTableScroller(zTable* table) : zPaneScroller(table), table_(table) {}

void ziTableScroller::showNewOrigin()
{
    table_->layout();
    table_->display()->invalidateRect(nullptr, 0);
    if (table_->handle())
        UpdateWindow(table_->handle());
}

int ziTableScroller::page(bool vertical)
{
    table_->commitEdit();
    zScrollInfo* info = vertical ? table_->vertScroll() : table_->horzScroll();
    if (!info || (!vertical && info->pos() == info->prev()))
        return 0;
    const uint32_t first = info->pos() < info->prev() ? table_->pageBack(vertical) : table_->pageForward(vertical);
    (vertical ? table_->firstRow : table_->firstColumn) = first;
    showNewOrigin();
    const uint32_t count = vertical ? table_->rowCount : table_->columnCount;
    if (count < ziTableGeometry::BigTable) {
        info->setPos(int32_t(first));
        info->setLast(info->pos());
    } else {
        const int32_t t = table_->thumbFor(vertical, first);
        if (info->pos() != t) {
            info->jumpTo(t);
            info->setLast(t);
        }
    }
    return 0;
}

int ziTableScroller::thumb(bool vertical)
{
    table_->commitEdit();
    zScrollInfo* info = vertical ? table_->vertScroll() : table_->horzScroll();
    if (!info || info->pos() == info->prev())
        return 0;
    (vertical ? table_->firstRow : table_->firstColumn) = table_->thumbFirst(vertical, info->pos());
    showNewOrigin();
    info->setLast(info->pos());
    return 1;
}
