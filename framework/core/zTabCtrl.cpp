#include "framework/core/zTabCtrl.h"

#include <algorithm>

#include "framework/core/zDisplay.h"
#include "framework/core/zRegion.h"
#include "framework/core/zSizer.h"

namespace {

bool meets(const zRect& a, const zRect& b)
{
    return std::max(a.left, b.left) <= std::min(a.right, b.right) && std::max(a.top, b.top) <= std::min(a.bottom, b.bottom);
}

void line(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

zTabCtrl::zTabCtrl(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zPaneControl(parent, sizer, style | WS_TABSTOP, title, id), tabStyle_(uint8_t(style & 0xFF))
{
    rowMargin = atBottom() ? 8 : 3;
    display()->pushFont(new zFont("Arial", zFontSpec(zPrPoint(0, -80))));
    backgroundColor(zColor::fromColorRef(GetSysColor(COLOR_BTNFACE)));
    addNotify(this, zProc(&zTabCtrl::keyDown), WM_KEYDOWN);
    layout();
}

zTabCtrl::~zTabCtrl()
{
    removeNotify(this, zProc(&zTabCtrl::keyDown));
    tabs_.clear(true);
}

void zTabCtrl::addTab(zTab* tab)
{
    tab->owner = this;
    tabs_.append(tab);
    layout();
    if (hwnd_)
        display()->invalidateRect(nullptr, 1);
}

void zTabCtrl::layout()
{
    zDisplay* d = display();
    d->acquire();
    const SIZE sample = d->textExtent("Jahrgangsklassen", 16);
    bandHeight_ = sample.cy + GetSystemMetrics(SM_CYCAPTION) - 7;
    RECT client{};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    // The band spans the control's width; the row keeps room on the right
    // for the torn edge of a cut row.
    const int32_t right = std::max<int32_t>(client.right - 8, 0);
    row_ = atBottom() ? zRect{0, client.bottom - bandHeight_, right, client.bottom} : zRect{0, 0, right, bandHeight_};
    int32_t index = 0;
    zTab* previous = nullptr;
    zDListIter<zTab> it(tabs_);
    while (zTab* tab = it.next()) {
        if (index++ < firstTab) {
            tab->x = tab->y = tab->width = tab->height = 0;
            continue;
        }
        tab->measure(d);
        overlap = tab->height / 3;
        tab->x = previous ? previous->x + previous->width + 1 - (atBottom() ? overlap : 0) : rowMargin;
        tab->y = atBottom() ? row_.top : row_.bottom - tab->height - 1;
        previous = tab;
    }
    d->release();
}

int zTabCtrl::sizeSizer(zEvent* ev)
{
    zPaneControl::sizeSizer(ev);
    layout();
    display()->invalidateRect(nullptr, 1);
    return 1;
}

void zTabCtrl::select(zTab* tab)
{
    if (!tab)
        return;
    if (!canChange(tab->id, current_ ? current_->id : 0))
        return;
    if (tab == current_)
        return;
    zTab* old = current_;
    if (old) {
        old->selected = 0;
        old->dirty = 1;
        zDListIter<zTab> it(tabs_);
        zTab* before = nullptr;
        bool after = false;
        while (zTab* t = it.next()) {
            if (t == old) {
                after = true;
                continue;
            }
            if (after && atBottom())
                t->dirty = 1;
            if (!after)
                before = t;
        }
        if (!atBottom()) {
            if (before && before->width > 0) {
                before->dirty = 1;
            } else if (hwnd_) {
                const zRect strip{row_.left, row_.top, row_.left + 7, row_.bottom};
                display()->invalidateRect(&strip, 1);
            }
        }
    }
    tab->selected = 1;
    tab->dirty = 1;
    current_ = tab;
    if (hwnd_)
        draw(nullptr);
    tabChanged(tab->id, old ? old->id : -1);
    notifyParent(1);
}

void zTabCtrl::selectById(int32_t id)
{
    zDListIter<zTab> it(tabs_);
    while (zTab* t = it.next())
        if (t->id == id) {
            select(t);
            return;
        }
}

int zTabCtrl::validate()
{
    if (!bound)
        return 0;
    if (boundKind == BoundPointer)
        select(*static_cast<zTab**>(bound));
    else
        selectById(*static_cast<int32_t*>(bound));
    return 1;
}

int zTabCtrl::transferIn()
{
    validate();
    return 1;
}

int zTabCtrl::mouseButtonDown(zEvent* ev)
{
    if (ev->message != WM_LBUTTONDOWN && ev->message != WM_LBUTTONDBLCLK)
        return 0;
    const int32_t x = int16_t(LOWORD(ev->lParam)), y = int16_t(HIWORD(ev->lParam));
    if (x < row_.left || x > row_.right || y < row_.top || y > row_.bottom)
        return 0;
    zDListIter<zTab> it(tabs_);
    while (zTab* t = it.next()) {
        if (t->width <= 0 || !t->holds(x, y))
            continue;
        if (hwnd_ && IsWindow(hwnd_))
            SetFocus(hwnd_);
        select(t);
        return 1;
    }
    return 0;
}

int zTabCtrl::keyDown(zEvent* ev)
{
    if (tabs_.count() < 2 || !current_)
        return 0;
    zTab* before = nullptr;
    zTab* after = nullptr;
    bool passed = false;
    zDListIter<zTab> it(tabs_);
    while (zTab* t = it.next()) {
        if (t == current_) {
            passed = true;
            continue;
        }
        if (!passed)
            before = t;
        else if (!after)
            after = t;
    }
    if (ev->wParam == VK_LEFT && before) {
        select(before);
        return 1;
    }
    if (ev->wParam == VK_RIGHT && after) {
        select(after);
        return 1;
    }
    return 0;
}

int32_t zTabCtrl::fittingEdge(bool& cut, const zTab*& last)
{
    int32_t edge = row_.left;
    cut = false;
    last = nullptr;
    zDListIter<zTab> it(tabs_);
    while (zTab* t = it.next()) {
        if (t->width <= 0)
            continue;
        if (t->x + t->width > row_.right) {
            cut = true;
            continue;
        }
        edge = t->x + t->width;
        last = t;
    }
    return edge;
}

void zTabCtrl::drawTabs(const zRect& paint)
{
    zDisplay* d = display();
    const HDC dc = d->hdc();
    zRectRegion clip(row_.left, row_.top, row_.right, row_.bottom);
    SelectClipRgn(dc, clip.handle());
    const zColor back = d->backColor(zColor::fromColorRef(GetSysColor(COLOR_BTNFACE)));
    zDListIter<zTab> it(tabs_);
    while (zTab* t = it.next()) {
        if (t->width <= 0)
            continue;
        const zRect r{t->x, t->y, t->x + t->width, t->y + t->height};
        if (meets(r, paint) || (meets(r, row_) && t->dirty)) {
            d->acquire();
            t->drawBody(d);
            t->drawLabel(d);
            d->release();
            t->dirty = 0;
        }
    }
    d->backColor(back);
    SelectClipRgn(dc, nullptr);
}

zTab* zTabCtrl::firstShownTab() const
{
    for (int32_t i = firstTab; i < tabs_.count(); ++i)
        if (zTab* t = tabs_.at(i))
            return t;
    return nullptr;
}

void zTabCtrl::drawRowAtTop(const zRect& paint, const zRect& extent)
{
    zDisplay* d = display();
    const HDC dc = d->hdc();
    bool cut = false;
    const zTab* last = nullptr;
    const int32_t edge = fittingEdge(cut, last);
    const zTab* first = firstShownTab();
    if (meets(row_, paint)) {
        d->pushPen(new zPen(WHITE_PEN));
        const int32_t y = row_.bottom - 1;
        if (!first) {
            line(dc, row_.left, y, row_.right - 1, y);
        } else {
            line(dc, row_.left, y, first->x, y);
            line(dc, edge, y, extent.right - 1, y);
        }
        d->popPen();
    }
    drawTabs(paint);
    if (cut && last) {
        d->pushPen(new zPen(PS_SOLID, 0, zColor::fromColorRef(GetSysColor(COLOR_BTNSHADOW))));
        const int32_t t = last->y, h = last->height, x = row_.right;
        MoveToEx(dc, x + 2, t, nullptr);
        LineTo(dc, x + 3, t + h / 4 + 1);
        LineTo(dc, x + 1, t + h / 2 + 1);
        LineTo(dc, x + 3, t + h - h / 5);
        LineTo(dc, x + 2, t + h - 1);
        d->popPen();
    }
    const zRect& e = extent;
    d->pushPen(new zPen(WHITE_PEN));
    line(dc, e.left, e.bottom, e.left, row_.bottom - 1);
    d->popPen();
    d->pushPen(new zPen(BLACK_PEN));
    line(dc, e.right - 1, row_.bottom, e.right - 1, e.bottom - 1);
    line(dc, e.right - 1, e.bottom - 1, e.left, e.bottom - 1);
    d->popPen();
    d->pushPen(new zPen(PS_SOLID, 0, zColor::fromColorRef(GetSysColor(COLOR_BTNSHADOW))));
    line(dc, e.right - 2, row_.bottom + 1, e.right - 2, e.bottom - 2);
    d->popPen();
}

void zTabCtrl::drawRowAtBottom(const zRect& paint, const zRect& extent)
{
    zDisplay* d = display();
    const HDC dc = d->hdc();
    bool cut = false;
    const zTab* last = nullptr;
    const int32_t edge = fittingEdge(cut, last);
    const zTab* first = firstShownTab();
    if (meets(row_, paint)) {
        for (int32_t pass = 0; pass < 2; ++pass) {
            const int32_t y = pass == 0 ? row_.top + 1 : row_.top;
            const int32_t from = pass == 0 ? row_.left : row_.left + 1;
            if (pass == 0)
                d->pushPen(new zPen(BLACK_PEN));
            else
                d->pushPen(new zPen(PS_SOLID, 0, zColor::fromColorRef(GetSysColor(COLOR_BTNSHADOW))));
            if (!first) {
                line(dc, from, y, row_.right - 1, y);
            } else {
                line(dc, from, y, first->x, y);
                line(dc, edge, y, extent.right - 1, y);
            }
            d->popPen();
        }
    }
    drawTabs(paint);
    const zRect& e = extent;
    d->pushPen(new zPen(WHITE_PEN));
    line(dc, e.left, e.top + 5, e.left, row_.top + 1);
    line(dc, e.right - 1, e.top + 5, e.left, e.top + 5);
    d->popPen();
    d->pushPen(new zPen(BLACK_PEN));
    line(dc, e.right - 1, e.top + 5, e.right - 1, row_.top + 1);
    d->popPen();
    d->pushPen(new zPen(PS_SOLID, 0, zColor::fromColorRef(GetSysColor(COLOR_BTNSHADOW))));
    line(dc, e.right - 2, e.top + 6, e.right - 2, row_.top);
    d->popPen();
}

int zTabCtrl::draw(zEvent*)
{
    zDisplay* d = display();
    d->acquire();
    const zRect paint = d->paintRect();
    const zRect extent = d->extentRect();
    if (atBottom())
        drawRowAtBottom(paint, extent);
    else
        drawRowAtTop(paint, extent);
    d->release();
    return 1;
}
