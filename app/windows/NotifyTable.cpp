#include "app/windows/NotifyTable.h"

#include "app/windows/NotebookPane.h"

NotifyTable::NotifyTable(zWindow* parent, zSizer* sizer, int32_t columns, int32_t rows, int32_t tableIndex)
    : InputTablePane(parent, sizer, columns, rows, tableIndex)
{
}

LRESULT NotifyTable::notifyRow(int32_t index)
{
    currentTeam_ = index;
    HWND owner = parent() ? parent()->handle() : nullptr;
    return owner ? SendMessageA(owner, kMsgTabChanged, 0, 0) : 0;
}

int32_t NotifyTable::currentRow() const
{
    return tabStrip_ && tabStrip_->tabCount() > 0 ? currentTeam_ : -1;
}

int NotifyTable::sizeSizer(zEvent* ev)
{
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
    return InputTablePane::sizeSizer(ev);
}
