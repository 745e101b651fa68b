#include "app/windows/CellEditing.h"

#include "app/windows/EditCell.h"
#include "app/windows/InputTablePane.h"

void CellEditing::setEditor(EditCell* editor, int32_t column)
{
    if (column < 0 || column >= MaxColumns) {
        delete editor;
        return;
    }
    if (editors_[column] == active_)
        active_ = nullptr;
    delete editors_[column];
    editors_[column] = editor;
}

EditCell* CellEditing::editor(int32_t column) const
{
    return column >= 0 && column < MaxColumns ? editors_[column] : nullptr;
}

void CellEditing::clear()
{
    active_ = nullptr;
    for (EditCell*& e : editors_) {
        delete e;
        e = nullptr;
    }
}

void CellEditing::commit()
{
    if (!active_)
        return;
    EditCell* e = active_;
    e->end();
    const int32_t row = pane_.cellRow(), column = pane_.cellColumn();
    pane_.setCellText(row + 1, column + 1, "", 1);
    e->commit(pane_.cells_.buffer(row, column), pane_.cells_.size(row, column));
    active_ = nullptr;
    pane_.hideCaret();
}

void CellEditing::drop()
{
    active_ = nullptr;
    pane_.hideCaret();
}

int32_t CellEditing::character(uint32_t code)
{
    if (code != VK_RETURN && code != VK_ESCAPE) {
        const int32_t r = active_->key(code, 0);
        return r == 1 || r == 2 ? 1 : 0;
    }
    if (code == VK_RETURN)
        commit();
    else
        drop();
    const int32_t column = pane_.cellColumn(), row = pane_.cellRow();
    switch (pane_.enterMode()) {
    case InputTablePane::EnterNextCell: pane_.nextCell(); break;
    case InputTablePane::EnterRowDown: pane_.rowDown(); break;
    default: pane_.repaintCell(column, row); break;
    }
    return 1;
}

int32_t CellEditing::open(uint32_t code)
{
    const int32_t column = pane_.cellColumn(), row = pane_.cellRow();
    EditCell* e = editor(column);
    if (!e || row >= pane_.rowCount() || column >= pane_.columnCount())
        return 0;
    active_ = e;
    const zRect r = pane_.cellRect();
    e->begin(r.left, r.top, r.width(), r.height(), pane_.cells_.buffer(row, column));
    const int32_t result = e->key(code, 0);
    if (result == 2) {
        commit();
        pane_.nextCell();
        return 1;
    }
    return result == 1 ? 1 : 0;
}
