#include "framework/tables/zTableModel.h"

#include <algorithm>

#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableCellMaker.h"

zTableModel::zTableModel(uint32_t columns, uint32_t rows)
    : columns_(columns), rows_(rows), maker_(new zTableCellMaker(this))
{
}

zTableModel::~zTableModel()
{
    if (attributes_) {
        zPListIter it(*attributes_);
        while (void* item = it.next()) {
            it.remove();
            delete static_cast<zTableAttr*>(item);
        }
        delete attributes_;
    }
    if (views_) {
        zPListIter it(*views_);
        while (void* item = it.next()) {
            it.remove();
            delete static_cast<ziTableViewNode*>(item);
        }
        delete views_;
    }
    delete maker_;
}

void zTableModel::addAttribute(zTableAttr* attr)
{
    if (!attributes_)
        attributes_ = new zTableAttrDlist;
    attributes_->append(attr);
}

// An empty table stays empty rather than wrapping round to 2^32 - 1.
void zTableModel::deleteRow(uint32_t)
{
    if (rows_ > 0)
        setSize(columns_, rows_ - 1);
}
void zTableModel::deleteColumn(uint32_t)
{
    if (columns_ > 0)
        setSize(columns_ - 1, rows_);
}
void zTableModel::insertRow(uint32_t) { setSize(columns_, rows_ + 1); }
void zTableModel::insertColumn(uint32_t) { setSize(columns_ + 1, rows_); }

zTableCell* zTableModel::setCellText(const ziTablePos& position, const char* text)
{
    if (!maker_)
        return nullptr;
    zTableCell* old = getCell(position);
    if (old && !(old->flags & zTableCell::Made)) {
        old->setText(text);
        return nullptr;
    }
    // The old cell is detached first, so the new one takes its place.
    if (old)
        old->flags |= zTableCell::Detached;
    const int32_t kind = maker_->classify(position, text);
    zTableCell* made = maker_->makeCell(kind, text, position);
    // A position outside the table keeps no cell: the new one would be lost.
    if (made && getCell(position) != made) {
        made->flags |= zTableCell::Detached;
        delete made;
    }
    return old;
}

void zTableModel::addView(void* view, ziTableViewHandler handler)
{
    if (!views_)
        views_ = new ziTableViewNodeDlist;
    auto* node = new ziTableViewNode;
    node->view = view;
    node->handler = handler;
    views_->append(node);
}

void zTableModel::removeView(void* view, ziTableViewHandler handler)
{
    if (!views_)
        return;
    zPListIter it(*views_);
    while (void* item = it.next()) {
        auto* node = static_cast<ziTableViewNode*>(item);
        if (node->view == view && node->handler == handler) {
            it.remove();
            delete node;
            return;
        }
    }
}

void zTableModel::cellChanged(const ziTablePos& p)
{
    if (!views_)
        return;
    zPListIter it(*views_);
    while (void* item = it.next()) {
        auto* node = static_cast<ziTableViewNode*>(item);
        ziTableRange& r = node->pending;
        if (!node->isPending || r.isEmpty()) {
            r = {p.column, p.row, p.column, p.row};
            node->isPending = 1;
            continue;
        }
        r.firstColumn = std::min(r.firstColumn, p.column);
        r.lastColumn = std::max(r.lastColumn, p.column);
        r.firstRow = std::min(r.firstRow, p.row);
        r.lastRow = std::max(r.lastRow, p.row);
    }
}

void zTableModel::rangeChanged(const ziTableRange* range)
{
    if (!views_)
        return;
    zPListIter it(*views_);
    while (void* item = it.next()) {
        auto* node = static_cast<ziTableViewNode*>(item);
        if (!range) {
            node->whole = 1;
            node->isPending = 1;
        } else if (!node->isPending) {
            node->pending = *range;
            node->isPending = 1;
        } else if (!node->whole) {
            ziTableRange& r = node->pending;
            r.firstColumn = std::min(r.firstColumn, range->firstColumn);
            r.firstRow = std::min(r.firstRow, range->firstRow);
            r.lastColumn = std::max(r.lastColumn, range->lastColumn);
            r.lastRow = std::max(r.lastRow, range->lastRow);
        }
    }
}

void zTableModel::notifyViewsExcept(void* view)
{
    if (!views_)
        return;
    zPListIter it(*views_);
    while (void* item = it.next()) {
        auto* node = static_cast<ziTableViewNode*>(item);
        if (node->isPending && node->view != view && node->handler)
            node->handler(node->view, this, node->whole ? nullptr : node);
        node->whole = 0;
        node->isPending = 0;
    }
}

void zTableModel::resize(uint32_t columns, uint32_t rows)
{
    columns_ = columns;
    rows_ = rows;
    rangeChanged(nullptr);
    notifyViews();
}
