#pragma once
// The in-place editor a table drives: an edit field that the table's user
// makes and hands to the table. The table loads the current cell into it,
// places it over the cell and reads its text back into the model.
#include <string>

#include "framework/core/zEditBase.h"
#include "framework/core/zFormatter.h"
#include "framework/tables/ziTablePos.h"

class ziTableEditor : public zEditBase {
public:
    using zEditBase::zEditBase;

    // Places the editor over a cell of its table.
    virtual void moveToCell(const ziTablePos& position) = 0;

    // Disables the window when read-only, enables it otherwise; nothing
    // when the flag does not change.
    void setReadOnly(int32_t flag)
    {
        flag = flag ? 1 : 0;
        if (flag == readOnly_)
            return;
        readOnly_ = flag;
        if (flag)
            disable();
        else
            enable();
    }
    int32_t readOnly() const { return readOnly_; }

    // The formatter of the cell being edited. It belongs to the cell's
    // format attribute, so the editor only borrows it (a formatter given
    // to the edit field itself would be deleted by the field).
    zFormatter* cellFormatter = nullptr;

    // The window's text, shaped by the cell formatter with the flags.
    RcCString cellText(uint32_t fmtFlags)
    {
        char buffer[1024] = {};
        if (hwnd_)
            GetWindowTextA(hwnd_, buffer, sizeof buffer);
        if (cellFormatter) {
            std::string shaped(buffer);
            if (cellFormatter->format(shaped, fmtFlags))
                return RcCString(shaped.c_str());
        }
        return RcCString(buffer);
    }
    void showText(const char* text)
    {
        setText(text);
        if (hwnd_)
            SetWindowTextA(hwnd_, text);
    }

private:
    int32_t readOnly_ = 0;
};
