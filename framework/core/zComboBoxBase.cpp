#include "framework/core/zComboBoxBase.h"

#include <vector>

zComboBoxBase::zComboBoxBase(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zControl(parent, sizer, style, text, id)
{
    setKind(zControlKind::ComboBoxBase);
    setClassName("combobox");
    style_ |= WS_CHILD | WS_VISIBLE | WS_BORDER;
    kind_ = KindComboBox;
    // The drop-down list must be able to paint over the parent.
    if (parent && parent->handle()) {
        LONG live = GetWindowLongA(parent->handle(), GWL_STYLE);
        SetWindowLongA(parent->handle(), GWL_STYLE, live & ~static_cast<LONG>(WS_CLIPCHILDREN));
    }
}

bool zComboBoxBase::isDropDownList() const
{
    DWORD s = hwnd_ ? static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)) : style_;
    return (s & 3) == CBS_DROPDOWNLIST;
}

int zComboBoxBase::itemText(int32_t index, RcCString& out) const
{
    auto sendHere = [this](UINT msg, WPARAM wParam, LPARAM lParam) { return send(msg, wParam, lParam); };
    return readItem(sendHere, index == -1 ? selection() : index, CB_GETLBTEXTLEN, CB_GETLBTEXT, out);
}

int zComboBoxBase::isValid()
{
    // An editable combo box counts its typed text as the choice.
    return validWhen([this] { return isDropDownList() ? selection() != CB_ERR : send(WM_GETTEXTLENGTH) != 0; });
}

int zComboBoxBase::validate()
{
    return store(*this, [this](RcCString& out) {
        if (isDropDownList())
            return itemText(-1, out) != 0;
        out = text();
        return true;
    });
}

int zComboBoxBase::transferIn() { return load(*this); }

int zComboBoxBase::eraseBackground(zEvent* ev)
{
    zControl::eraseBackground(ev);
    return 0;
}
