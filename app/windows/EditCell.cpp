#include "app/windows/EditCell.h"

#include <cstring>

#include "app/windows/InputTablePane.h"
#include "classlib/SelectedObject.h"

EditCell::EditCell(InputTablePane* table, int32_t maxLength, const char* allowed)
    : table_(table), maxLength_(maxLength), allowed_(allowed ? allowed : "")
{
    if (maxLength_ > TextSize - 1)
        maxLength_ = TextSize - 1;
    if (maxLength_ < 0)
        maxLength_ = 0;
}

void EditCell::end()
{
    if (table_)
        table_->hideCaret();
}

bool EditCell::allows(uint32_t code) const
{
    return code != 0 && code < 256 && std::strchr(allowed_, static_cast<char>(code)) != nullptr;
}

void EditCell::copyOut(const char* text, char* buffer, size_t capacity)
{
    if (!buffer || capacity == 0)
        return;
    size_t n = std::strlen(text);
    if (n > capacity - 1)
        n = capacity - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = 0;
}

void EditCell::drawFrame(HDC dc) const
{
    TSelectedObject useBrush(dc, brush_.handle());
    TSelectedObject usePen(dc, pen_.handle());
    Rectangle(dc, x_ + 1, y_ + 1, x_ + width_ + 1, y_ + height_ + 1);
}
