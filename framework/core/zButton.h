// Button controls: the plain button and its push, default push, check box
// and radio button forms.
#pragma once

#include "framework/core/zControl.h"

class zButton : public zControl {
public:
    // The window is made by a later create.
    zButton(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    zButton(zWindow* dialog, int32_t id);
};

class zPushButton : public zButton {
public:
    zPushButton(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
};

class zDefPushButton : public zButton {
public:
    zDefPushButton(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    zDefPushButton(zWindow* dialog, int32_t id);
};

class zCheckBox : public zButton {
public:
    zCheckBox(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);

    int check() const { return static_cast<int>(send(BM_GETCHECK)); }
    void setCheck(int value) { send(BM_SETCHECK, static_cast<WPARAM>(value)); }
    // Binds a variable that receives the check state.
    void bindVariable(int32_t* variable)
    {
        variable_ = variable;
        mode_ = variable ? 1 : 0;
    }

    int validate() override;
    int transferIn() override;

private:
    int32_t* variable_ = nullptr;
    int32_t mode_ = 0;
};

class zRadioButton : public zButton {
public:
    zRadioButton(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    int check() const { return static_cast<int>(send(BM_GETCHECK)); }
};
