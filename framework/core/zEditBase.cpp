#include "framework/core/zEditBase.h"

#include "framework/core/zFormatter.h"

#include <string>

zEditBase::zEditBase(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zControl(parent, sizer, style, text, id)
{
    setKind(zControlKind::EditBase);
    setClassName("edit");
    kind_ = KindEdit;
    create();
    setText(text ? text : "");
    setCursor(zCursor(IDC_IBEAM));
}

zEditBase::~zEditBase() { delete formatter_; }

void zEditBase::setFormatter(zFormatter* formatter)
{
    if (formatter == formatter_)
        return;
    delete formatter_;
    formatter_ = formatter;
}

LRESULT zEditBase::defWindowProc(zEvent* ev)
{
    // Enter in a single-line field presses the dialog's default button.
    if (ev->message == WM_KEYDOWN && ev->wParam == VK_RETURN && hwnd_ &&
        !(GetWindowLongA(hwnd_, GWL_STYLE) & ES_WANTRETURN) && !(GetKeyState(VK_CONTROL) & 0x8000) && parent_ &&
        parent_->handle())
        SendMessageA(parent_->handle(), 0x900, 0x1000, 0x1000);
    return zControl::defWindowProc(ev);
}

int zEditBase::isValid()
{
    return send(WM_GETTEXTLENGTH) != 0 || (options_ & MayBeEmpty) ? 1 : 0;
}

int zEditBase::validate()
{
    if (!variable_)
        return 0;
    *variable_ = text();
    return 1;
}

int zEditBase::transferIn()
{
    if (!variable_)
        return 0;
    setText(*variable_);
    return 1;
}

void zFormatter::attach(zEditBase* field, zFormatter* formatter)
{
    if (field)
        field->setFormatter(formatter);
}

RcCString zFormatter::formattedText(zEditBase* field, uint32_t fmtFlags)
{
    if (!field)
        return RcCString();
    RcCString text = field->text();
    if (zFormatter* f = field->formatter()) {
        std::string shaped(text.c_str());
        if (f->format(shaped, fmtFlags))
            text = shaped.c_str();
    }
    return text;
}
