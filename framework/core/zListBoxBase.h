// A list box, optionally bound to the selected index or text.
#pragma once

#include "framework/core/zControl.h"
#include "framework/core/ziChoiceBinding.h"

class zListBoxBase : public zControl, public ziChoiceBinding {
public:
    // The window is made by a later create.
    zListBoxBase(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    zListBoxBase(zWindow* dialog, int32_t id);

    int isValid() override;
    int validate() override;
    int transferIn() override;

    int32_t selection() const { return static_cast<int32_t>(send(LB_GETCURSEL)); }
    void setSelection(int32_t index) { send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    int32_t selectString(const char* text)
    {
        return static_cast<int32_t>(send(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    }
    // The text of the item (-1: the selected one); 0 when there is none.
    int itemText(int32_t index, RcCString& out) const;
    // The text of item n (empty when it has none).
    RcCString item(int32_t index) const;

    int32_t add(const char* text);
    int32_t insert(const char* text, int32_t index);
    int32_t remove(int32_t index);
    int32_t count() const { return static_cast<int32_t>(send(LB_GETCOUNT)); }

    void addDblClkHandler(zEvH* handler, zEvProc fn) { addNotifyHandler(handler, fn, LBN_DBLCLK); }
    void removeDblClkHandler(zEvH* handler, zEvProc fn) { removeNotifyHandler(handler, fn); }

    int32_t horizontalExtent() const { return extent_; }

private:
    void widenExtent(const char* text);
    int32_t textWidth(HDC dc, const char* text) const;

    int32_t extent_ = 0;
};

class zListBoxUnsorted : public zListBoxBase {
public:
    zListBoxUnsorted(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    zListBoxUnsorted(zWindow* dialog, int32_t id);
};
