#include "app/windows/TablePaneScroller.h"

#include <windows.h>

#include "app/windows/InputTablePane.h"
#include "framework/core/zScrollInfo.h"

TablePaneScroller::TablePaneScroller(InputTablePane* pane) : zScrollerWKeyboard(pane), table_(pane)
{
    setRanges(pane->columnCount() - pane->fixedColumns() - 1, pane->rowCount() - 1);
    if (zScrollInfo* v = pane->vertScroll())
        v->setPage(5);
    reset();
}

TablePaneScroller::~TablePaneScroller()
{
    if (!pane_)
        return;
    for (zScrollInfo* info : {pane_->vertScroll(), pane_->horzScroll()}) {
        if (info) {
            info->setPos(0);
            info->setLast(0);
            info->setRange(0, 0);
        }
    }
}

int TablePaneScroller::reset()
{
    for (zScrollInfo* info : {table_->vertScroll(), table_->horzScroll()}) {
        if (info) {
            info->setPos(0);
            info->setLast(0);
        }
    }
    return 1;
}

void TablePaneScroller::setRanges(int32_t columnRange, int32_t rowRange)
{
    // A bar whose rows or columns all fit gets an empty range, which hides
    // it. The area counts the bars that show now as free; a bar that stays
    // takes its room from the other direction.
    if (HWND w = table_->handle()) {
        RECT rc{};
        GetClientRect(w, &rc);
        const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
        const int32_t barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
        const int32_t width = rc.right + (style & WS_VSCROLL ? barWidth : 0);
        const int32_t height = rc.bottom + (style & WS_HSCROLL ? barHeight : 0);
        int32_t allWidth = table_->rowHeaderWidth();
        for (int32_t c = 0; c < table_->columnCount(); ++c)
            allWidth += table_->columnWidth(c);
        const int32_t allHeight = table_->headerHeight() + table_->rowCount() * table_->rowHeight();
        bool horizontal = allWidth > width;
        const bool vertical = allHeight > height - (horizontal ? barHeight : 0);
        if (vertical && !horizontal)
            horizontal = allWidth > width - barWidth;
        if (!horizontal)
            columnRange = 0;
        if (!vertical)
            rowRange = 0;
    }
    if (zScrollInfo* h = table_->horzScroll())
        h->setRange(0, columnRange > 0 ? columnRange : 0);
    if (zScrollInfo* v = table_->vertScroll())
        v->setRange(0, rowRange > 0 ? rowRange : 0);
}

int TablePaneScroller::vertThumb()
{
    zScrollInfo* v = table_->vertScroll();
    if (!v)
        return 0;
    table_->setFirstVisibleRow(v->pos());
    table_->scroll(0, 0, 2);
    v->setPos(table_->firstVisibleRow());
    v->setLast(v->pos());
    if (table_->handle())
        SetFocus(table_->handle());
    return 1;
}

int TablePaneScroller::horzThumb()
{
    zScrollInfo* h = table_->horzScroll();
    if (!h)
        return 0;
    table_->setColumnOffset(h->pos());
    table_->scroll(0, 0, 1);
    h->setPos(table_->columnOffset());
    h->setLast(h->pos());
    if (table_->handle())
        SetFocus(table_->handle());
    return 1;
}
