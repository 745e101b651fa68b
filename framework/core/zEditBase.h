// An edit field, optionally bound to a string variable.
#pragma once

#include "framework/core/zControl.h"

class zFormatter;

class zEditBase : public zControl {
public:
    enum : uint32_t { MayBeEmpty = 0x100 };

    zEditBase(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    ~zEditBase() override;

    LRESULT defWindowProc(zEvent* ev) override;
    int isValid() override;
    int validate() override;
    int transferIn() override;

    void setSelection(int32_t start, int32_t end) { send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void bindVariable(RcCString* variable, uint32_t options = 0)
    {
        variable_ = variable;
        options_ = options;
    }
    void setOptions(uint32_t options) { options_ = options; }

    // The field's formatter (owned), see zFormatter::attach.
    zFormatter* formatter() const { return formatter_; }
    void setFormatter(zFormatter* formatter);

private:
    RcCString* variable_ = nullptr;
    uint32_t options_ = 0;
    zFormatter* formatter_ = nullptr;
};
