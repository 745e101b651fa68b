// A combo box, optionally bound to the selected index or text.
#pragma once

#include "framework/core/zControl.h"

class zComboBoxBase : public zControl {
public:
    enum Mode : int32_t { NotBound = 0, BindIndex = 1, BindText = 2 };
    enum : uint32_t { NoneOk = 0x100 };

    // The window is made by a later create.
    zComboBoxBase(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);

    int isValid() override;
    int validate() override;
    int transferIn() override;
    int eraseBackground(zEvent* ev) override;

    int32_t selection() const { return static_cast<int32_t>(send(CB_GETCURSEL)); }
    void setSelection(int32_t index) { send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int32_t selectString(const char* text)
    {
        return static_cast<int32_t>(send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    }
    int itemText(int32_t index, RcCString& out) const;
    int32_t add(const char* text) { return static_cast<int32_t>(send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }

    void bindIndex(int32_t* variable, uint32_t options = 0);
    void bindText(RcCString* variable, uint32_t options = 0);

private:
    bool isDropDownList() const;

    void* variable_ = nullptr;
    int32_t mode_ = NotBound;
    uint32_t options_ = 0;
};
