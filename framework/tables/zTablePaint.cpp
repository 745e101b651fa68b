// How the table draws itself: the preparation before the first show, the
// paint of the damaged part (cells, empty positions, headers and the blank
// room beyond the table), one header box in three looks, and the
// invalidation helpers. Only the cells of the damaged rectangle are
// visited, so a paint costs the same on a table of any size.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/core/zDisplay.h"
#include "framework/core/zScrollInfo.h"
#include "framework/tables/zTable.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableModel.h"
#include "framework/tables/ziTableEnv.h"
#include "framework/tables/ziTableScroller.h"

void zTable::initialShow()
{
    shown = 1;
    display()->acquire();
    display()->setBackMode(TRANSPARENT);
    const SIZE m = display()->textExtent("MMM MMM M", 9);
    defaultColumnWidth = m.cx;
    defaultRowHeight = m.cy;
    if (display()->pen() != gridPen_.get())
        display()->pushPen(gridPen_.get());
    display()->release();
    defaultColumnWidth += 5;
    defaultRowHeight += 5;
    if (auto* s = tableScroller()) {
        s->setStepY(1);
        s->setStepX(1);
        s->setPageY(4);
        s->setPageX(4);
    }
    vInfo_->setPage(4);
    hInfo_->setPage(4);
    for (int pass = 0; pass < 2; ++pass) {
        if (headerSize.cx == 0 && headerSize.cy == 0)
            setHeaderSize(defaultColumnWidth - 10, defaultRowHeight + 5);
        cells = clientRect();
        layout();
        if (auto* s = tableScroller()) {
            const zRect c = clientRect();
            s->setView(c.left, c.top + headerHeight(), c.right, c.bottom);
            s->setArea(c.left + headerWidth(), c.top, c.right, c.bottom);
        }
        if (pass == 0)
            for (zScrollInfo* info : {vInfo_.get(), hInfo_.get()}) {
                info->setPos(1);
                info->setLast(1);
            }
    }
    if (editor_)
        loadEditor(true);
}

void zTable::selectClip(HRGN region)
{
    if (display()->hdc())
        SelectClipRgn(display()->hdc(), region);
}

void zTable::blank(const zRect& r)
{
    display()->acquire();
    display()->pushPen(whitePen_.get());
    display()->pushBrush(whiteBrush_.get());
    Rectangle(display()->hdc(), r.left, r.top, r.right, r.bottom);
    display()->popBrush().release();
    display()->popPen().release();
    display()->release();
}

int zTable::draw(zEvent*)
{
    if (!shown)
        initialShow();
    ziTableEnv env(model_);
    const zRect paint = display()->paintRect();
    const ziTableRange range = cellRange(paint);
    display()->acquire();
    clip_ = std::make_unique<zRectRegion>(0, 0, cells.right, cells.bottom);
    selectClip(clip_->handle());

    const int32_t right = columnLeft(range.lastColumn) + columnWidth(range.lastColumn);
    const int32_t bottom = rowTop(range.lastRow) + rowHeight(range.lastRow);
    if (!(paint.right >= 0 && paint.right <= right && paint.bottom >= 0 && paint.bottom <= bottom)) {
        blank({right, paint.top, paint.right, paint.bottom});
        blank({paint.left, bottom, paint.right, paint.bottom});
    }
    const int32_t hw = headerWidth(), hh = headerHeight();
    if (headersShown && std::max(paint.left, 0) < std::min(paint.right, hw) &&
        std::max(paint.top, 0) < std::min(paint.bottom, hh))
        drawHeader({0, 0, hw, hh}, 0, CornerBox);

    const ziTableRange sel = {std::min(current.column, selectionEnd.column), std::min(current.row, selectionEnd.row),
                              std::max(current.column, selectionEnd.column), std::max(current.row, selectionEnd.row)};
    const uint32_t firstC = std::max(range.firstColumn, 1u), firstR = std::max(range.firstRow, 1u);
    if (rowCount == 0 && headersShown)
        for (uint32_t c = firstC; c <= range.lastColumn; ++c)
            drawHeaderRow(c, ColumnHeader);
    const int32_t lastRight = columnCount ? columnLeft(columnCount) + columnWidth(columnCount) : hw;
    const int32_t lastBottom = rowCount ? rowTop(rowCount) + rowHeight(rowCount) : hh;
    for (uint32_t r = firstR; r <= range.lastRow && r >= 1; ++r) {
        if (headersShown)
            drawHeaderRow(r, RowHeader);
        for (uint32_t c = firstC; c <= range.lastColumn && c >= 1; ++c) {
            if (r == firstR && headersShown)
                drawHeaderRow(c, ColumnHeader);
            const ziTablePos p{c, r};
            if (p == current) {
                env.current = 1;
                env.selected = 0;
            } else {
                env.current = 0;
                env.selected = selectionEnd.column && sel.holds(p) ? 1 : 0;
            }
            env.collect(p);
            const zRect rect = cellRect(p);
            if (zTableCell* cell = model_->getCell(p))
                cell->draw(rect, display(), &env);
            else if (c > columnCount)
                blank({lastRight, rect.top, cells.right, rect.bottom});
            else if (r > rowCount)
                blank({rect.left, lastBottom, rect.right, cells.bottom});
            else
                drawEmptyCell(rect, &env);
        }
    }
    selectClip(nullptr);
    clip_.reset();
    display()->release();
    if (!layoutCurrent)
        relayout();
    return 1;
}

void zTable::drawEmptyCell(const zRect& rc, ziTableEnv* env)
{
    for (int32_t kind : {1, 2, 3})
        if (zTableAttr* a = env->slot(kind))
            a->apply(display());
    const HDC dc = display()->hdc();
    if (env->current) {
        display()->pushPen(blackPen_.get());
        Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
        display()->popPen().release();
    } else {
        Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
    }
    for (int32_t kind : {1, 3})
        if (zTableAttr* a = env->slot(kind))
            a->restore(display());
    if (env->selected)
        PatBlt(dc, rc.left, rc.top, rc.width(), rc.height(), DSTINVERT);
    if (env->current) {
        display()->pushPen(blackPen_.get());
        MoveToEx(dc, rc.left + 1, rc.top + 1, nullptr);
        LineTo(dc, rc.left + 1, rc.bottom - 2);
        LineTo(dc, rc.right - 2, rc.bottom - 2);
        LineTo(dc, rc.right - 2, rc.top + 1);
        LineTo(dc, rc.left + 1, rc.top + 1);
        display()->popPen().release();
    }
    if (zTableAttr* a = env->slot(2))
        a->restore(display());
}

void zTable::drawHeaderRow(uint32_t index, int32_t kind)
{
    if (kind == RowHeader)
        drawHeader({0, rowTop(index), headerWidth(), rowTop(index) + rowHeight(index)}, index, kind);
    else if (kind == ColumnHeader)
        drawHeader({columnLeft(index), 0, columnLeft(index) + columnWidth(index), headerHeight()}, index, kind);
    else
        drawHeader({0, 0, headerWidth(), headerHeight()}, 0, CornerBox);
}

void zTable::drawHeader(const zRect& rc, uint32_t index, int32_t kind)
{
    const bool lit = kind == headerSel.kind && headerSel.from <= index && index <= headerSel.to;
    if ((kind == RowHeader && index > rowCount) || (kind == ColumnHeader && index > columnCount)) {
        blank(rc);
        return;
    }
    char label[256] = {};
    const uint8_t style = kind == RowHeader ? rowLabelStyle : kind == ColumnHeader ? columnLabelStyle : cornerLabelStyle;
    switch (style) {
    case LabelNumber: std::snprintf(label, sizeof label, "%lu", static_cast<unsigned long>(index)); break;
    case LabelStored: std::snprintf(label, sizeof label, "%s", headerLabel(kind, index)); break;
    case LabelLetters: columnLetters(label, index); break;
    default: break;
    }
    display()->acquire();
    const HDC dc = display()->hdc();
    RECT box{};
    GetClipBox(dc, &box);
    zRect area;
    area.intersect({box.left, box.top, box.right, box.bottom}, rc);
    zRectRegion headerClip(area.left, area.top, area.right, area.bottom);
    SelectClipRgn(dc, headerClip.handle());

    const int32_t length = int32_t(std::strlen(label));
    const SIZE ext = length ? display()->textExtent(label, length) : SIZE{0, 0};
    int32_t x = rc.left + (rc.width() / 2 - ext.cx / 2);
    int32_t y = rc.top + (rc.height() / 2 - ext.cy / 2);
    auto withPen = [&](zPen* pen, auto&& f) {
        display()->pushPen(pen);
        f();
        display()->popPen().release();
    };
    auto withBrush = [&](zBrush* brush, auto&& f) {
        display()->pushBrush(brush);
        f();
        display()->popBrush().release();
    };
    auto litText = [&] {
        const zColor before = display()->textColor(zColor{255, 255, 255, 0});
        TextOutA(dc, x, y, label, length);
        display()->textColor(before);
    };
    const int32_t l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    auto shadeBottomRight = [&] {
        MoveToEx(dc, l, b - 1, nullptr);
        LineTo(dc, r - 1, b - 1);
        LineTo(dc, r - 1, t);
    };
    switch (headerLook) {
    case LookFlat:
        withBrush(lit ? blackBrush_.get() : whiteBrush_.get(), [&] {
            withPen(blackPen_.get(), [&] { Rectangle(dc, l, t, r, b); });
        });
        if (lit)
            litText();
        else
            TextOutA(dc, x, y, label, length);
        break;
    case LookRaised:
        if (kind == CornerBox) {
            withBrush(lightGreyBrush_.get(), [&] {
                withPen(whitePen_.get(), [&] {
                    Rectangle(dc, l, t, r, b);
                    MoveToEx(dc, r - 2, t + 1, nullptr);
                    LineTo(dc, l + 1, t + 1);
                    LineTo(dc, l + 1, b - 2);
                });
            });
            withPen(greyPen_.get(), [&] {
                shadeBottomRight();
                MoveToEx(dc, l + 1, b - 2, nullptr);
                LineTo(dc, r - 2, b - 2);
                LineTo(dc, r - 2, t + 1);
            });
        } else if (lit) {
            withBrush(darkGreyBrush_.get(), [&] {
                withPen(blackPen_.get(), [&] { Rectangle(dc, l, t, r, b); });
            });
            withPen(whitePen_.get(), shadeBottomRight);
            litText();
        } else {
            withBrush(lightGreyBrush_.get(), [&] {
                withPen(whitePen_.get(), [&] { Rectangle(dc, l, t, r, b); });
            });
            withPen(greyPen_.get(), shadeBottomRight);
            TextOutA(dc, x, y, label, length);
        }
        break;
    default: {
        if (lit) {
            x += 2;
            y += 2;
        }
        withBrush(lightGreyBrush_.get(), [&] {
            withPen(blackPen_.get(), [&] { Rectangle(dc, l, t, r, b); });
        });
        zPen none(PS_NULL, 0, zColor{});
        withPen(&none, [&] {
            withBrush(lit ? whiteBrush_.get() : darkGreyBrush_.get(), [&] {
                Rectangle(dc, r - 3, t + 1, r, b);
                Rectangle(dc, l + 2, b - 2, r - 3, b);
            });
            withBrush(lit ? darkGreyBrush_.get() : whiteBrush_.get(), [&] {
                Rectangle(dc, l + 1, t + 1, l + 4, b - 2);
                Rectangle(dc, l + 1, t + 1, r - 1, t + 4);
            });
        });
        TextOutA(dc, x, y, label, length);
        break;
    }
    }
    SelectClipRgn(dc, clip_ ? clip_->handle() : nullptr);
    display()->release();
}

// ---- invalidation ----

void zTable::invalidateCell(const ziTablePos& p)
{
    if (!isVisible(p))
        return;
    const zRect r = cellRect(p);
    invalidate(&r, 0);
}

void zTable::invalidateRange(const ziTableRange& range)
{
    if (range.lastColumn < visible.firstColumn || range.firstColumn > visible.lastColumn ||
        range.lastRow < visible.firstRow || range.firstRow > visible.lastRow)
        return;
    const ziTableRange c{std::max(range.firstColumn, visible.firstColumn), std::max(range.firstRow, visible.firstRow),
                         std::min(range.lastColumn, visible.lastColumn), std::min(range.lastRow, visible.lastRow)};
    const zRect r{columnLeft(c.firstColumn), rowTop(c.firstRow), columnLeft(c.lastColumn) + columnWidth(c.lastColumn),
                  rowTop(c.lastRow) + rowHeight(c.lastRow)};
    invalidate(&r, 0);
}

void zTable::invalidateHeaders(int32_t kind, uint32_t from, uint32_t to)
{
    zRect r;
    if (kind == RowHeader)
        r = {0, rowTop(from), headerWidth(), rowTop(to) + rowHeight(to)};
    else if (kind == ColumnHeader)
        r = {columnLeft(from), 0, columnLeft(to) + columnWidth(to), headerHeight()};
    else
        r = {0, 0, headerWidth(), headerHeight()};
    invalidate(&r, 0);
}
