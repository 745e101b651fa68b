#include "framework/core/zButton.h"

zButton::zButton(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zControl(parent, sizer, style, text, id)
{
    setKind(zControlKind::Button);
    setClassName("button");
    style_ |= WS_CHILD | WS_VISIBLE;
    kind_ = KindButton;
    if (parent)
        background_ = parent->background();
}

zButton::zButton(zWindow* dialog, int32_t id) : zControl(dialog, id)
{
    setKind(zControlKind::Button);
}

zPushButton::zPushButton(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zButton(parent, sizer, style, text, id)
{
    setKind(zControlKind::PushButton);
    style_ |= BS_PUSHBUTTON;
    create();
}

zDefPushButton::zDefPushButton(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zButton(parent, sizer, style, text, id)
{
    setKind(zControlKind::DefPushButton);
    style_ |= BS_DEFPUSHBUTTON;
    create();
}

zDefPushButton::zDefPushButton(zWindow* dialog, int32_t id) : zButton(dialog, id)
{
    setKind(zControlKind::DefPushButton);
}

zCheckBox::zCheckBox(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zButton(parent, sizer, style, text, id)
{
    setKind(zControlKind::CheckBox);
    style_ |= BS_AUTOCHECKBOX;
    create();
}

int zCheckBox::validate()
{
    if (mode_ != 1 || !variable_)
        return 0;
    *variable_ = check();
    return 1;
}

int zCheckBox::transferIn()
{
    if (!variable_)
        return 0;
    if (mode_ == 1)
        setCheck(*variable_);
    return 1;
}

zRadioButton::zRadioButton(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zButton(parent, sizer, style, text, id)
{
    setKind(zControlKind::RadioButton);
    if (!(style_ & (BS_RADIOBUTTON | 0x1 | 0x8)))
        style_ |= BS_RADIOBUTTON;
    create();
}
