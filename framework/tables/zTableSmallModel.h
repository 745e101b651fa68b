#pragma once
// The in-memory table model: a growable table of rows, each a growable
// array of cell pointers indexed by column. Only rows that hold a cell
// have an array.
#include "framework/tables/zTableModel.h"
#include "framework/tables/ziDynaArray.h"

using zTableCellPtrDynaArray = ziDynaArray<zTableCell*>;
using zTableCellPtrDynaArrayPtrDynaArray = ziDynaArray<zTableCellPtrDynaArray*>;

class zTableSmallModel : public zTableModel {
public:
    zTableSmallModel(uint32_t columns, uint32_t rows);
    ~zTableSmallModel() override;

    // Ignored outside the size; a cell already there is neither deleted
    // nor told.
    void setCell(const ziTablePos& position, zTableCell* cell) override;
    zTableCell* getCell(const ziTablePos& position) override;
    // Cells outside a smaller size stay stored and show again when the
    // table grows back.
    void setSize(uint32_t columns, uint32_t rows) override { resize(columns, rows); }
    void deleteRow(uint32_t row) override;
    void deleteColumn(uint32_t column) override;
    void insertRow(uint32_t row) override;
    void insertColumn(uint32_t column) override;

    const zTableCellPtrDynaArrayPtrDynaArray& rowTable() const { return rowTable_; }

private:
    bool inside(const ziTablePos& p) const
    {
        return p.column != 0 && p.row != 0 && p.column <= columns_ && p.row <= rows_;
    }
    static void deleteCell(zTableCell* cell);

    zTableCellPtrDynaArrayPtrDynaArray rowTable_{100, nullptr};
};
