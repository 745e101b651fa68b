#include "app/windows/NotebookPane.h"

#include "app/windows/FlybyHelp.h"
#include "app/windows/InputTablePane.h"
#include "app/windows/NotifyTable.h"
#include "classlib/GdiHandle.h"
#include "classlib/SelectedObject.h"
#include "framework/controls3d/zBitmapButton.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zResId.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTimer.h"

NotebookPane::NotebookPane(zWindow* parent, zSizer* sizer)
    : zPane(parent, sizer, 0, 0, 1), faceBrush_(zColor::fromColorRef(GetSysColor(COLOR_BTNFACE)))
{
    struct Button {
        int32_t id, x, bitmap;
    };
    static const Button buttons[3] = {{CmdBack, 36, 6}, {CmdForward, 20, 4}, {CmdFirst, 4, 2}};
    for (int32_t i = 0; i < 3; ++i) {
        const Button& b = buttons[i];
        buttons_[i] = new zBitmapButton(this, new zSizer(b.x, 10, 10, 10, this->sizer()), 0x4010, "", b.id,
                                        new zBitmap(zResId(b.bitmap)));
        buttons_[i]->show(SW_SHOW);
    }
    captionFont_ = MakeGridFont(display());
    backgroundColor(zColor::fromColorRef(GetSysColor(COLOR_BTNFACE)));
}

NotebookPane::~NotebookPane()
{
    for (zBitmapButton*& b : buttons_) {
        delete b;
        b = nullptr;
    }
    for (int32_t i = 0; i < MaxTabs; ++i) {
        delete captions_[i];
        delete hints_[i];
    }
    delete bubble_;
    delete hintTimer_;
}

zBitmapButton* NotebookPane::scrollButton(int32_t which) const
{
    return which >= 0 && which < 3 ? buttons_[which] : nullptr;
}

int32_t NotebookPane::addTab(zString* caption, zString* hint)
{
    if (tabCount_ >= MaxTabs)
        return 0;
    captions_[tabCount_] = caption;
    hints_[tabCount_] = hint;
    ++tabCount_;
    return 1;
}

void NotebookPane::replaceCurrentTab(zString* caption, zString* hint)
{
    if (tabCount_ <= 0 || current_ < 0 || current_ >= tabCount_) {
        delete caption;
        delete hint;
        return;
    }
    delete captions_[current_];
    delete hints_[current_];
    captions_[current_] = caption;
    hints_[current_] = hint;
}

const char* NotebookPane::caption(int32_t index) const
{
    return index >= 0 && index < tabCount_ && captions_[index] ? captions_[index]->c_str() : nullptr;
}

const char* NotebookPane::hint(int32_t index) const
{
    return index >= 0 && index < tabCount_ && hints_[index] ? hints_[index]->c_str() : nullptr;
}

int32_t NotebookPane::tabPosition(int32_t visible) const
{
    return visible >= 0 && visible < visibleCount_ ? positions_[visible] : -1;
}

void NotebookPane::setPartner(int32_t which, NotifyTable* partner)
{
    if (which >= 0 && which < 3)
        partners_[which] = partner;
}

void NotebookPane::selectTab(int32_t index)
{
    if (index == current_ || index < 0 || index >= tabCount_)
        return;
    current_ = index;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
    // Every partner learns the new tab before any parent is told, so a
    // parent that stores and loads on 2024 sees the grid's new team.
    static const int32_t order[3] = {0, 2, 1};
    for (int32_t i : order)
        if (partners_[i])
            partners_[i]->notifyRow(index);
}

int NotebookPane::size(zEvent* ev)
{
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
    return zPane::size(ev);
}

int NotebookPane::command(zEvent* ev)
{
    if (ev->message != WM_COMMAND)
        return 0;
    static const int32_t order[3] = {0, 2, 1};
    for (int32_t i : order)
        if (partners_[i] && partners_[i]->handle())
            SetFocus(partners_[i]->handle());
    const int32_t id = LOWORD(ev->wParam);
    int32_t next = firstVisible_;
    if (id == CmdFirst && firstVisible_ >= 1)
        next = 0;
    else if (id == CmdForward && tabCount_ - firstVisible_ > 1)
        next = firstVisible_ + 1;
    else if (id == CmdBack && firstVisible_ >= 1)
        next = firstVisible_ - 1;
    if (next == firstVisible_)
        return 0;
    firstVisible_ = next;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
    return 1;
}

// ---- drawing ----

void NotebookPane::drawEdge(HDC dc, bool thirdLine)
{
    const int32_t d = edge_ == 1 ? 1 : -1;
    const int32_t y0 = edge_ == 1 ? drawRect_.top : drawRect_.bottom - 1;
    const int32_t right = drawRect_.right;
    auto line = [&](int32_t x, int32_t y, int32_t w, int32_t h, HBRUSH brush) {
        TSelectedObject useBrush(dc, brush);
        PatBlt(dc, x, h < 0 ? y + h + 1 : y, w, h < 0 ? -h : h, PATCOPY);
    };
    HBRUSH black = edgeBrush_.brush(), white = whiteBrush_.brush();
    line(0, y0, right, 1, black);
    line(32, y0, 1, 2 * d, black);
    line(32, y0 + 2 * d, right - 32, 1, black);
    line(35, y0 + 2 * d, 1, 2 * d, black);
    line(35, y0 + 4 * d, right - 35, 1, black);
    line(33, y0 + d, right - 33, 1, white);
    line(36, y0 + 3 * d, right - 36, 1, white);
    if (thirdLine)
        line(37, y0 + 5 * d, right - 37, 1, black);
}

int32_t NotebookPane::drawTab(HDC dc, int32_t x, int32_t index, int32_t visible)
{
    const char* text = captions_[index] ? captions_[index]->c_str() : "";
    const int32_t n = static_cast<int32_t>(strlen(text));
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text, n, &size);
    const int32_t W = size.cx;
    if (x + W + 18 + 8 > clientRect_.right)
        return 0;
    const bool top = edge_ == 1;
    const int32_t d = top ? 1 : -1;
    int32_t b, y1, y2, y3, captionY;
    if (top) {
        b = clientRect_.top;
        y1 = b + 5;
        y2 = y1 + 8;
        y3 = y1 + 16;
        captionY = b + 7;
    } else {
        b = clientRect_.bottom + 4;
        y1 = clientRect_.bottom - 1;
        y2 = y1 - 8;
        y3 = y1 - 16;
        captionY = y3 + 2;
    }
    const bool isCurrent = index == current_;
    POINT* p = shapes_[visible];
    // The pens change on the way; the guards put back what was there before.
    TSelectedObject usePen(dc, outlinePen_.handle());
    TSelectedObject useBrush(dc, isCurrent ? whiteBrush_.handle() : faceBrush_.handle());
    POINT inner[2];
    if (isCurrent || visible == 0) {
        const int32_t e = isCurrent ? 3 : 0;
        const int32_t yb = isCurrent ? b : y1;
        p[0] = {x - 4 - e, yb};
        p[1] = {x + 4, y3};
        p[2] = {x + 14 + W, y3};
        p[3] = {x + 22 + W + e, yb};
        p[4] = p[0];
        Polygon(dc, p, 4);
        SelectObject(dc, GetStockObject(isCurrent ? WHITE_PEN : BLACK_PEN));
        MoveToEx(dc, p[0].x, p[0].y, nullptr);
        LineTo(dc, p[3].x - 1, p[3].y);
        inner[0] = p[1];
        inner[1] = p[2];
    } else {
        p[0] = {x + 4, y1};
        p[1] = {x, y2};
        p[2] = {x + 4, y3};
        p[3] = {x + 14 + W, y3};
        p[4] = {x + 22 + W, y1};
        Polygon(dc, p, 5);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        MoveToEx(dc, p[0].x, p[0].y, nullptr);
        LineTo(dc, p[4].x - 1, p[4].y);
        inner[0] = p[2];
        inner[1] = p[3];
    }
    SelectObject(dc, innerPen_.handle());
    MoveToEx(dc, inner[0].x + 1, inner[0].y + d, nullptr);
    LineTo(dc, inner[1].x + 1, inner[1].y + d);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x + 9, captionY, text, n);
    return 18 + W;
}

void NotebookPane::layout(HDC dc)
{
    RECT r{};
    if (hwnd_)
        GetClientRect(hwnd_, &r);
    clientRect_ = {r.left, r.top, r.right, r.bottom};
    visibleCount_ = 0;
    int32_t x = FirstTabX;
    int32_t currentX = -1, currentVisible = -1;
    for (int32_t i = firstVisible_; i < tabCount_ && visibleCount_ < MaxTabs; ++i) {
        int32_t width;
        if (i == current_) {
            // The current tab lies over its neighbours: it is drawn last,
            // at its place, once the room it needs is known.
            SIZE size{0, 0};
            const char* text = captions_[i] ? captions_[i]->c_str() : "";
            GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
            if (x + size.cx + 18 + 8 > clientRect_.right)
                break;
            width = 18 + size.cx;
            currentX = x;
            currentVisible = visibleCount_;
        } else {
            width = drawTab(dc, x, i, visibleCount_);
            if (width == 0)
                break;
        }
        positions_[visibleCount_++] = x;
        x += width;
    }
    if (currentVisible >= 0)
        drawTab(dc, currentX, current_, currentVisible);
}

int NotebookPane::draw(zEvent*)
{
    zDisplay* d = display();
    d->acquire();
    if (HDC dc = d->hdc()) {
        drawRect_ = d->extentRect();
        TSelectedObject useFont(dc, captionFont_->handle());
        drawEdge(dc, true);
        layout(dc);
    }
    d->release();
    return 1;
}

// ---- mouse ----

int32_t NotebookPane::tabAt(int32_t x, int32_t y) const
{
    for (int32_t v = visibleCount_ - 1; v >= 0; --v) {
        const int32_t index = firstVisible_ + v;
        const bool four = index == current_ || v == 0;
        const TGdiHandle<HRGN> region(CreatePolygonRgn(shapes_[v], four ? 4 : 5, ALTERNATE));
        if (region && PtInRegion(region, x, y))
            return v;
    }
    return -1;
}

int NotebookPane::mouseButtonUp(zEvent* ev)
{
    if (ev->message == WM_RBUTTONUP)
        return 0;
    const int32_t v = tabAt(static_cast<int16_t>(LOWORD(ev->lParam)), static_cast<int16_t>(HIWORD(ev->lParam)));
    if (v < 0)
        return 0;
    selectTab(firstVisible_ + v);
    return 1;
}

void NotebookPane::removeBubble()
{
    delete bubble_;
    bubble_ = nullptr;
}

int NotebookPane::mouseMove(zEvent* ev)
{
    if (!(ev->wParam & MK_LBUTTON) && hintsOn_) {
        const int32_t v = tabAt(static_cast<int16_t>(LOWORD(ev->lParam)), static_cast<int16_t>(HIWORD(ev->lParam)));
        const int32_t index = v < 0 ? -1 : firstVisible_ + v;
        if (index < 0) {
            removeBubble();
            delete hintTimer_;
            hintTimer_ = nullptr;
            hovered_ = -1;
        } else if (index != hovered_) {
            removeBubble();
            if (const char* text = hint(index)) {
                bubble_ = new FlybyHelp(text);
                hovered_ = index;
                if (!hintTimer_)
                    hintTimer_ = new zTimer(this, zTask(&NotebookPane::watchHint), 10);
            }
        }
    }
    return zPane::mouseMove(ev);
}

int NotebookPane::watchHint()
{
    POINT p{};
    GetCursorPos(&p);
    RECT r{};
    if (hwnd_)
        GetWindowRect(hwnd_, &r);
    if (p.x >= r.left + 1 && p.x <= r.right - 1 && p.y >= r.top && p.y <= r.bottom)
        return 1;
    delete hintTimer_;
    hintTimer_ = nullptr;
    removeBubble();
    hovered_ = -1;
    return 1;
}
