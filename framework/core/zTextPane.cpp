#include "framework/core/zTextPane.h"

#include "framework/core/zDisplay.h"
#include "framework/core/zRect.h"
#include "framework/core/zScrollInfo.h"

#include <algorithm>
#include <cstring>

zTextPane::zTextPane(zWindow* parent, zSizer* sizer, DWORD style, int32_t rows, int32_t columns)
    : zPane(parent, sizer, style, 0, 1), buffer_(rows, columns)
{
    setKind(KindTextPane);
    setSize(buffer_.rows(), buffer_.columns());
}

zTextPane::zTextPane(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zPane(parent, sizer, style, id, 1), buffer_(25, 80)
{
    setKind(KindTextPane);
    setSize(25, 80);
}

zWindow* zTextPane::createFromTemplate(zWindow* parent, zSizer* sizer, uint32_t style, const char* title, int32_t id)
{
    return new zTextPane(parent, sizer, style, title, id);
}

HDC zTextPane::selectFont(HGDIOBJ& previous) const
{
    HDC dc = display_ ? display_->hdc() : nullptr;
    previous = dc ? SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT)) : nullptr;
    return dc;
}

void zTextPane::setSize(int32_t rows, int32_t columns)
{
    rows_ = rows;
    columns_ = columns;
    deferred_ = 0;
    lineStart_ = 0;
    if (!display_)
        return;
    display_->acquire();
    HGDIOBJ previous = nullptr;
    if (HDC dc = selectFont(previous)) {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        charHeight_ = tm.tmHeight + tm.tmExternalLeading;
        SIZE size{};
        GetTextExtentPoint32A(dc, "a", 1, &size);
        charWidth_ = size.cx;
        SelectObject(dc, previous);
    }
    marginTop_ = marginBottom_ = charHeight_ / 2;
    marginLeft_ = marginRight_ = charWidth_ / 2;
    display_->release();
}

int zTextPane::preferredSize(int32_t& width, int32_t& height)
{
    width = columns_ * charWidth_ + marginLeft_ + marginRight_;
    height = rows_ * charHeight_ + marginTop_ + marginBottom_;
    return 1;
}

void zTextPane::show(int code)
{
    if (state_ & WasShown) {
        showState(code);
        return;
    }
    zPane::show(code);
    if (vScroll_) {
        vScroll_->setRange(0, rows_ * charHeight_ + marginTop_ + marginBottom_);
        vScroll_->setLine(charHeight_);
        vScroll_->setPage(charHeight_);
    }
    if (hScroll_) {
        hScroll_->setRange(0, columns_ * charWidth_ + marginLeft_ + marginRight_);
        hScroll_->setLine(charWidth_);
        hScroll_->setPage(charWidth_);
    }
}

POINT zTextPane::cellToPixel(POINT cell) const
{
    return POINT{cell.x * charWidth_ + marginLeft_, cell.y * charHeight_ + marginTop_};
}

POINT zTextPane::pixelToCell(POINT pixel) const
{
    int32_t column = charWidth_ ? (pixel.x - marginLeft_) / charWidth_ : 0;
    int32_t row = charHeight_ ? (pixel.y - marginTop_) / charHeight_ : 0;
    if (column < 1)
        column = 0;
    else if (column >= columns_ - 1)
        column = columns_ - 1;
    if (row < 1)
        row = 0;
    else if (row >= rows_ - 1)
        row = rows_ - 1;
    return POINT{column, row};
}

RECT zTextPane::pixelRectToCells(const RECT& r) const
{
    POINT a = pixelToCell(POINT{r.left, r.top});
    POINT b = pixelToCell(POINT{r.right, r.bottom});
    return RECT{a.x, a.y, b.x, b.y};
}

RECT zTextPane::cellRectToPixels(const RECT& r) const
{
    POINT a = cellToPixel(POINT{r.left, r.top});
    POINT b = cellToPixel(POINT{r.right, r.bottom});
    return RECT{a.x, a.y, b.x, b.y};
}

void zTextPane::drawText(int32_t column, int32_t row, int32_t count)
{
    if (count <= 0 || column < 0 || row < 0 || row >= buffer_.rows() || column >= buffer_.columns())
        return;
    count = std::min(count, buffer_.columns() - column);
    if (deferred_) {
        buffer_.markDirty(row, column, column + count);
        ++deferredCount_;
        return;
    }
    if (!display_ || !hwnd_)
        return;
    display_->acquire();
    POINT at = cellToPixel(POINT{column, row});
    HGDIOBJ previous = nullptr;
    if (HDC dc = selectFont(previous)) {
        TextOutA(dc, at.x, at.y, buffer_.rowText(row) + column, count);
        SelectObject(dc, previous);
    }
    display_->release();
}

void zTextPane::writeText(const char* text)
{
    if (!text)
        return;
    const char* p = text;
    for (;;) {
        const char* end = std::strchr(p, '\n');
        const bool lineFeed = end != nullptr;
        if (!end)
            end = p + std::strlen(p);
        int32_t count = static_cast<int32_t>(end - p);
        count = std::max(0, std::min(count, buffer_.columns() - cursorColumn_));
        if (count > 0) {
            buffer_.put(cursorColumn_, cursorRow_, p, count);
            if (deferred_) {
                buffer_.markDirty(cursorRow_, cursorColumn_, cursorColumn_ + count);
            } else {
                drawText(cursorColumn_, cursorRow_, count);
            }
            cursorColumn_ += count;
        }
        if (!lineFeed)
            break;
        cursorColumn_ = lineStart_;
        newLine(1);
        p = end + 1;
    }
}

void zTextPane::newLine(int32_t n)
{
    cursorRow_ += n;
    if (cursorRow_ > buffer_.rows() - 1) {
        const int32_t excess = cursorRow_ - (buffer_.rows() - 1);
        cursorRow_ = buffer_.rows() - 1;
        scrollUp(excess);
    }
}

void zTextPane::scrollUp(int32_t n)
{
    buffer_.scroll(n);
    if (!hwnd_)
        return;
    if (display_)
        display_->acquire();
    RECT client;
    GetClientRect(hwnd_, &client);
    ScrollWindow(hwnd_, 0, -(n * charHeight_), &client, &client);
    if (display_)
        display_->release();
    UpdateWindow(hwnd_);
}

int zTextPane::draw(zEvent*)
{
    if (!display_)
        return 1;
    display_->acquire();
    HGDIOBJ previous = nullptr;
    HDC dc = selectFont(previous);
    zRect paint = display_->paintRect();
    auto finish = [&] {
        if (dc)
            SelectObject(dc, previous);
        display_->release();
    };
    if (!dc || paint.right <= paint.left || paint.bottom <= paint.top) {
        finish();
        return 1;
    }

    RECT cells = pixelRectToCells(RECT{paint.left, paint.top, paint.right, paint.bottom});
    const int32_t rows = buffer_.rows(), columns = buffer_.columns();
    int32_t top = std::max(0, static_cast<int32_t>(cells.top) - 1);
    int32_t left = std::max(0, static_cast<int32_t>(cells.left) - 1);
    int32_t bottom = std::min(rows - 1, static_cast<int32_t>(cells.bottom) + 1);
    int32_t right = std::min(columns, static_cast<int32_t>(cells.right) + 1);
    // The bottom row is inclusive, so a single row (top == bottom) paints.
    if (top > bottom || right <= left) {
        finish();
        return 1;
    }
    for (int32_t row = top; row <= bottom && row < rows; ++row)
        buffer_.markDirty(row, left, right);

    const int32_t first = std::max(0, buffer_.firstDirty());
    const int32_t last = std::min(rows - 1, buffer_.lastDirty());
    for (int32_t row = first; row <= last; ++row) {
        zTextBuf::Span& span = buffer_.span(row);
        if (span.empty())
            continue;
        const int32_t end = std::min({buffer_.length(row), span.end, columns});
        POINT at = cellToPixel(POINT{span.first, row});
        if (end > span.first)
            TextOutA(dc, at.x, at.y, buffer_.rowText(row) + span.first, end - span.first);
        if (end < span.end) {
            const int32_t from = std::max(end, span.first);
            POINT blank = cellToPixel(POINT{from, row});
            PatBlt(dc, blank.x, blank.y, (span.end - from) * charWidth_, charHeight_, PATCOPY);
        }
        buffer_.clearDirty(row);
    }
    buffer_.resetDirtyRows();
    finish();
    deferredCount_ = 0;
    return 1;
}
