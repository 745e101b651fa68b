#include "framework/core/zScrollBarBase.h"

#include "framework/core/zScrollInfo.h"

zScrollBarBase::zScrollBarBase(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zControl(parent, sizer, style, text, id)
{
    setKind(zKindScrollBar);
    setKind(zControlKind::ScrollBarBase);
    setClassName("scrollbar");
    style_ |= WS_CHILD | WS_VISIBLE;
    kind_ = KindScrollBar;
    info_ = new zScrollInfoCtl(this);
}

zScrollBarBase::~zScrollBarBase() { delete info_; }
