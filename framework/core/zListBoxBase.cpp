#include "framework/core/zListBoxBase.h"

#include <vector>

zListBoxBase::zListBoxBase(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zControl(parent, sizer, style, text, id)
{
    setKind(zKindListBox);
    setKind(zControlKind::ListBoxBase);
    setClassName("listbox");
    style_ |= WS_CHILD | WS_VISIBLE;
    kind_ = KindListBox;
}

zListBoxBase::zListBoxBase(zWindow* dialog, int32_t id) : zControl(dialog, id)
{
    setKind(zKindListBox);
    setKind(zControlKind::ListBoxBase);
}

int zListBoxBase::itemText(int32_t index, RcCString& out) const
{
    auto sendHere = [this](UINT msg, WPARAM wParam, LPARAM lParam) { return send(msg, wParam, lParam); };
    return readItem(sendHere, index == -1 ? selection() : index, LB_GETTEXTLEN, LB_GETTEXT, out);
}

RcCString zListBoxBase::item(int32_t index) const
{
    RcCString out;
    LRESULT length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    // LB_ERR (-1) and empty items read as empty texts.
    if (length <= 0)
        return out;
    std::vector<char> buffer(static_cast<size_t>(length) + 2, 0);
    if (send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data())) != LB_ERR)
        out = buffer.data();
    return out;
}

int32_t zListBoxBase::textWidth(HDC dc, const char* text) const
{
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    return static_cast<int32_t>(lstrlenA(text)) * tm.tmAveCharWidth + GetSystemMetrics(SM_CXVSCROLL);
}

void zListBoxBase::widenExtent(const char* text)
{
    if (!hwnd_ || !text)
        return;
    // The framework's own style word: the live one loses WS_HSCROLL while
    // the bar is hidden.
    if (!(style_ & WS_HSCROLL) || (style_ & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        return;
    HDC dc = GetDC(hwnd_);
    int32_t width = textWidth(dc, text);
    ReleaseDC(hwnd_, dc);
    if (width > extent_) {
        extent_ = width;
        send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent_));
    }
}

int32_t zListBoxBase::add(const char* text)
{
    widenExtent(text);
    return static_cast<int32_t>(send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int32_t zListBoxBase::insert(const char* text, int32_t index)
{
    widenExtent(text);
    return static_cast<int32_t>(send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

int32_t zListBoxBase::remove(int32_t index)
{
    LRESULT left = send(LB_DELETESTRING, static_cast<WPARAM>(index));
    if (left == LB_ERR || !hwnd_ || !(style_ & WS_HSCROLL))
        return static_cast<int32_t>(left);
    int32_t widest = 0;
    if (left > 0) {
        HDC dc = GetDC(hwnd_);
        for (int32_t i = 0; i < left; ++i) {
            RcCString t = item(i);
            int32_t w = textWidth(dc, t.c_str());
            if (w > widest)
                widest = w;
        }
        ReleaseDC(hwnd_, dc);
    }
    extent_ = widest;
    send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent_));
    return static_cast<int32_t>(left);
}

int zListBoxBase::isValid()
{
    return validWhen([this] { return selection() != LB_ERR; });
}

int zListBoxBase::validate()
{
    return store(*this, [this](RcCString& text) { return itemText(-1, text) != 0; });
}

int zListBoxBase::transferIn() { return load(*this); }

zListBoxUnsorted::zListBoxUnsorted(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zListBoxBase(parent, sizer, style, text, id)
{
    setKind(zControlKind::ListBoxUnsorted);
    style_ &= ~static_cast<DWORD>(LBS_SORT);
}

zListBoxUnsorted::zListBoxUnsorted(zWindow* dialog, int32_t id) : zListBoxBase(dialog, id)
{
    setKind(zControlKind::ListBoxUnsorted);
}
