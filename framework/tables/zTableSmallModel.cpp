#include "framework/tables/zTableSmallModel.h"

#include <algorithm>

#include "framework/tables/zTableCell.h"

zTableSmallModel::zTableSmallModel(uint32_t columns, uint32_t rows) : zTableModel(columns, rows) {}

zTableSmallModel::~zTableSmallModel()
{
    for (uint32_t r = 0; r < rowTable_.count(); ++r) {
        zTableCellPtrDynaArray* row = rowTable_.peek(r);
        if (!row)
            continue;
        for (uint32_t c = 0; c < row->count(); ++c)
            deleteCell(row->peek(c));
        delete row;
    }
}

void zTableSmallModel::deleteCell(zTableCell* cell)
{
    if (!cell)
        return;
    cell->flags |= zTableCell::Detached;
    delete cell;
}

zTableCell* zTableSmallModel::getCell(const ziTablePos& p)
{
    if (!inside(p))
        return nullptr;
    zTableCellPtrDynaArray* row = rowTable_.get(p.row);
    return row ? row->get(p.column) : nullptr;
}

void zTableSmallModel::setCell(const ziTablePos& p, zTableCell* cell)
{
    if (!inside(p))
        return;
    zTableCellPtrDynaArray* row = rowTable_.get(p.row);
    if (!row) {
        if (!cell)
            return;
        row = new (std::nothrow) zTableCellPtrDynaArray(16, nullptr);
        if (!row)
            return;
        rowTable_.set(p.row, row);
        if (rowTable_.peek(p.row) != row) {  // the row table could not grow
            delete row;
            return;
        }
    }
    row->set(p.column, cell);
}

void zTableSmallModel::deleteRow(uint32_t r)
{
    if (r == 0 || r > rows_)
        return;
    if (zTableCellPtrDynaArray* row = rowTable_.peek(r)) {
        for (uint32_t c = 1; c < row->count(); ++c) {
            deleteCell(row->peek(c));
            row->set(c, nullptr);
        }
        delete row;
        rowTable_.set(r, nullptr);
    }
    const uint32_t end = std::min(rowTable_.count() ? rowTable_.count() - 1 : 0, rows_);
    for (uint32_t i = r; i <= end; ++i) {
        zTableCellPtrDynaArray* moved = rowTable_.peek(i + 1);
        rowTable_.set(i, moved);
        if (moved)
            for (uint32_t c = 1; c < moved->count(); ++c)
                if (zTableCell* cell = moved->peek(c))
                    cell->position = {c, i};
    }
    setSize(columns_, rows_ - 1);
}

void zTableSmallModel::deleteColumn(uint32_t c)
{
    if (c == 0 || c > columns_)
        return;
    const uint32_t end = std::min(rowTable_.count() ? rowTable_.count() - 1 : 0, rows_);
    for (uint32_t r = 1; r <= end; ++r) {
        zTableCellPtrDynaArray* row = rowTable_.peek(r);
        if (!row || row->count() <= c)
            continue;
        deleteCell(row->peek(c));
        for (uint32_t j = c; j + 1 < row->count(); ++j) {
            zTableCell* cell = row->peek(j + 1);
            row->set(j, cell);
            if (cell)
                cell->position = {j, r};
        }
        row->set(row->count() - 1, nullptr);
    }
    setSize(columns_ - 1, rows_);
}

void zTableSmallModel::insertRow(uint32_t r)
{
    if (r == 0 || r > rows_ + 1)
        return;
    const uint32_t top = std::min(rowTable_.count() ? rowTable_.count() - 1 : 0, rows_) + 1;
    for (uint32_t i = top; i >= r + 1; --i) {
        zTableCellPtrDynaArray* moved = rowTable_.peek(i - 1);
        rowTable_.set(i, moved);
        if (moved)
            for (uint32_t c = 1; c < moved->count(); ++c)
                if (zTableCell* cell = moved->peek(c))
                    cell->position = {c, i};
    }
    if (r < rowTable_.count())
        rowTable_.set(r, nullptr);
    setSize(columns_, rows_ + 1);
}

void zTableSmallModel::insertColumn(uint32_t c)
{
    if (c == 0 || c > columns_ + 1)
        return;
    const uint32_t end = std::min(rowTable_.count() ? rowTable_.count() - 1 : 0, rows_);
    for (uint32_t r = 1; r <= end; ++r) {
        zTableCellPtrDynaArray* row = rowTable_.peek(r);
        if (!row || row->count() <= c)
            continue;
        const uint32_t top = std::min(row->count() - 1, columns_) + 1;
        for (uint32_t j = top; j >= c + 1; --j) {
            zTableCell* cell = row->peek(j - 1);
            row->set(j, cell);
            if (cell)
                cell->position = {j, r};
        }
        row->set(c, nullptr);
    }
    setSize(columns_ + 1, rows_);
}
