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

void zComboBoxBase::bindIndex(int32_t* variable, uint32_t options)
{
    variable_ = variable;
    mode_ = variable ? BindIndex : NotBound;
    options_ = options;
}

void zComboBoxBase::bindText(RcCString* variable, uint32_t options)
{
    variable_ = variable;
    mode_ = variable ? BindText : NotBound;
    options_ = options;
}

bool zComboBoxBase::isDropDownList() const
{
    DWORD s = hwnd_ ? static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)) : style_;
    return (s & 3) == CBS_DROPDOWNLIST;
}

int zComboBoxBase::itemText(int32_t index, RcCString& out) const
{
    if (index == -1) {
        index = selection();
        if (index == CB_ERR)
            return 0;
    }
    LRESULT length = send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return 0;
    std::vector<char> buffer(static_cast<size_t>(length) + 2, 0);
    if (send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data())) == CB_ERR)
        return 0;
    out = buffer.data();
    return 1;
}

int zComboBoxBase::isValid()
{
    if (mode_ == NotBound || !variable_)
        return 1;
    if (!isDropDownList())
        return send(WM_GETTEXTLENGTH) != 0 || (options_ & NoneOk) ? 1 : 0;
    return selection() != CB_ERR || (options_ & NoneOk) ? 1 : 0;
}

int zComboBoxBase::validate()
{
    if (mode_ == NotBound || !variable_)
        return 0;
    if (mode_ == BindIndex) {
        *static_cast<int32_t*>(variable_) = selection();
    } else if (!isDropDownList()) {
        *static_cast<RcCString*>(variable_) = text();
    } else {
        RcCString t;
        if (itemText(-1, t))
            *static_cast<RcCString*>(variable_) = t;
    }
    return 1;
}

int zComboBoxBase::transferIn()
{
    if (!variable_)
        return 0;
    if (mode_ == BindIndex)
        setSelection(*static_cast<int32_t*>(variable_));
    else if (mode_ == BindText)
        selectString(static_cast<RcCString*>(variable_)->c_str());
    return 1;
}

int zComboBoxBase::eraseBackground(zEvent* ev)
{
    zControl::eraseBackground(ev);
    return 0;
}
