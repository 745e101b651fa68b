// A combo box, optionally bound to the selected index or text.
#pragma once

#include "framework/core/zControl.h"
#include "framework/core/ziChoiceBinding.h"

class zComboBoxBase : public zControl, public ziChoiceBinding {
public:
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


private:
    bool isDropDownList() const;

};
