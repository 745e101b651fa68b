#include "framework/tables/zTablePrintable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/core/zDisplay.h"
#include "framework/core/zFont.h"
#include "framework/core/zLogMeasure.h"
#include "framework/core/zPrinterDisplay.h"
#include "framework/core/zRegion.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableModel.h"
#include "framework/tables/ziTableEnv.h"

zTablePrintable::zTablePrintable(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zTable(parent, sizer, style, title, id)
{
}

zTablePrintable::~zTablePrintable() = default;

zFont* zTablePrintable::printerFont(zFont* screen)
{
    if (!screen)
        return nullptr;
    for (ziTableFontMap& m : fontMap_)
        if (m.screen == screen)
            return m.printer.get();
    LOGFONTA lf = screen->logFont();
    lf.lfHeight = LONG(lf.lfHeight * vScale);
    lf.lfWidth = LONG(lf.lfWidth * hScale);
    fontMap_.push_back({screen, std::make_unique<zFont>(lf, int16_t(0), nullptr)});
    return fontMap_.back().printer.get();
}

void zTablePrintable::pageSetup(zDisplay* d)
{
    client_ = d->extentRect();
    if (d->kind() != zDisplay::Printer) {
        if (!screenResX) {
            screenResX = d->logPixelsX() ? d->logPixelsX() : 96;
            screenResY = d->logPixelsY() ? d->logPixelsY() : 96;
        }
        hScale = vScale = 1.0;
        cells = clientRect();
        layout();
        return;
    }
    if (!screenResX)
        screenResX = screenResY = 96;
    hScale = double(d->logPixelsX()) / screenResX;
    vScale = double(d->logPixelsY()) / screenResY;
    pageLayout();
    if (zTableAttrDlist* attrs = model_->attributes()) {
        zPListIter it(*attrs);
        while (void* item = it.next()) {
            auto* a = static_cast<zTableAttr*>(item);
            if (a->kind == zTableAttr::Font)
                static_cast<zTableFontAttr*>(a)->printerFont = printerFont(static_cast<zTableFontAttr*>(a)->font);
        }
    }
    zFont* own = printerFont(tableFont_.get());
    if (own && d->font() != own) {
        d->pushFont(own);
        fontPushed_ = 1;
    }
    d->setBackMode(TRANSPARENT);
    client_ = d->extentRect();
    pageLayout();
}

void zTablePrintable::pageLayout()
{
    pageHeaderWidth_ = rowHeadersHere() ? int32_t(headerSize.cx * hScale) : 0;
    pageHeaderHeight_ = columnHeadersHere() ? int32_t(headerSize.cy * vScale) : 0;
    auto lane = [&](bool vertical, std::vector<int32_t>& edges, uint32_t& firstWhole, uint32_t& lastWhole) {
        const uint32_t first = vertical ? firstRow : firstColumn;
        const uint32_t end = vertical ? printRange.lastRow : printRange.lastColumn;
        const uint32_t cap = std::min<uint32_t>(end, first + MaxLaidOut - 1);
        const int32_t limit = vertical ? client_.height() : client_.width();
        int32_t pos = vertical ? pageHeaderHeight_ : pageHeaderWidth_;
        edges.assign(1, pos);
        firstWhole = first;
        lastWhole = first;  // at least one per page, so the walk always moves on
        for (uint32_t i = first; i <= cap; ++i) {
            pos += vertical ? scaledHeight(i) : scaledWidth(i);
            edges.push_back(pos);
            if (pos > limit)
                break;
            lastWhole = i;
        }
    };
    lane(false, pageLefts_, page_.firstColumn, page_.lastColumn);
    lane(true, pageTops_, page_.firstRow, page_.lastRow);
    page_.lastColumn = std::min(page_.lastColumn, printRange.lastColumn);
    page_.lastRow = std::min(page_.lastRow, printRange.lastRow);
}

ziTableRange zTablePrintable::pageRange(int32_t n)
{
    const uint32_t keepColumn = firstColumn, keepRow = firstRow;
    firstColumn = printRange.firstColumn;
    firstRow = printRange.firstRow;
    pageLayout();
    ziTableRange page = page_;
    for (int32_t i = 1; i < n; ++i) {
        if (page.lastColumn >= printRange.lastColumn && page.lastRow >= printRange.lastRow)
            break;  // the last page
        if (order) {
            firstColumn = page.firstColumn;
            firstRow = page.lastRow + 1;
            if (firstRow > printRange.lastRow) {
                firstRow = printRange.firstRow;
                firstColumn = page.lastColumn + 1;
            }
        } else {
            firstRow = page.firstRow;
            firstColumn = page.lastColumn + 1;
            if (firstColumn > printRange.lastColumn) {
                firstColumn = printRange.firstColumn;
                firstRow = page.lastRow + 1;
            }
        }
        pageLayout();
        page = page_;
    }
    firstColumn = keepColumn;
    firstRow = keepRow;
    return page;
}

int zTablePrintable::beginPrint(zDisplay* display, zPrintJob*)
{
    printing = 1;
    auto* printer = static_cast<zPrinterDisplay*>(display);
    display->acquire();
    beforePrint(display, 1);
    pushDisplay(display);
    pageSetup(display);
    // Count the pages by walking them from the first.
    pageCount = 0;
    for (int32_t n = 1;; ++n) {
        const ziTableRange page = pageRange(n);
        pageCount = n;
        if (page.lastColumn >= printRange.lastColumn && page.lastRow >= printRange.lastRow)
            break;
    }
    pageLayout();
    printer->resetBand();
    display->release();
    printer->firstPage = std::max(printer->firstPage, 1);
    printer->lastPage = std::min(printer->lastPage, pageCount);
    lastPage_ = printer->lastPage;
    currentPage = printer->currentPage = printer->firstPage;
    popDisplay();
    pageSetup(this->display());
    return 1;
}

int zTablePrintable::morePages()
{
    // The pages asked for end at the display's last page, not only at the
    // table's page count.
    if (currentPage < std::min(pageCount, lastPage_)) {
        ++currentPage;
        return 1;
    }
    return 0;
}

int zTablePrintable::printPage(zDisplay* display, const zRect& band)
{
    if (!printing)
        return 0;
    auto* printer = static_cast<zPrinterDisplay*>(display);
    const uint32_t keepColumn = firstColumn, keepRow = firstRow;
    pushDisplay(display);
    pageSetup(display);
    display->acquire();
    beforePrint(display, 0);
    pageSetup(display);
    const zRect extent = display->extentRect();
    zRectRegion clip(extent.left + band.left, extent.top + band.top, extent.right + band.left, extent.bottom + band.top);
    SelectClipRgn(display->hdc(), clip.handle());
    const int32_t n = printer->currentPage;
    const ziTableRange page = pageRange(n);
    if (page.lastColumn >= printRange.lastColumn && page.lastRow >= printRange.lastRow && n < pageCount)
        pageCount = n;
    firstColumn = page.firstColumn;
    firstRow = page.firstRow;
    pageLayout();
    drawPage();
    SelectClipRgn(display->hdc(), nullptr);
    printer->resetBand();
    display->release();
    popDisplay();
    pageSetup(this->display());
    firstColumn = keepColumn;
    firstRow = keepRow;
    return 0;
}

void zTablePrintable::endPrint(zDisplay* display, zPrintJob*)
{
    printing = 0;
    if (fontPushed_ && display) {
        display->popFont().release();  // the font map owns it
        fontPushed_ = 0;
    }
    for (ziTableFontMap& m : fontMap_)
        m.printer.reset();
    if (zTableAttrDlist* attrs = model_->attributes()) {
        zPListIter it(*attrs);
        while (void* item = it.next())
            if (static_cast<zTableAttr*>(item)->kind == zTableAttr::Font)
                static_cast<zTableFontAttr*>(item)->printerFont = nullptr;
    }
    fontMap_.clear();
    pageSetup(this->display());
}

void zTablePrintable::drawPage()
{
    zDisplay* d = display();
    const HDC dc = d->hdc();
    const int32_t columns = int32_t(page_.lastColumn - page_.firstColumn + 1);
    const int32_t rows = int32_t(page_.lastRow - page_.firstRow + 1);
    const int32_t right = pageLefts_[size_t(columns)], bottom = pageTops_[size_t(rows)];
    d->pushBrush(lightGreyBrush_.get());
    d->pushPen(new zPen(PS_SOLID, 0, zColor{0, 0, 0, 0}));
    Rectangle(dc, right, 0, client_.right, client_.bottom);
    Rectangle(dc, 0, bottom, right, client_.bottom);
    d->popPen();
    d->popBrush().release();
    ziTableEnv env(model_);
    const bool rowHeads = rowHeadersHere(), columnHeads = columnHeadersHere();
    if (printRowHeaders && printColumnHeaders && (columnHeadersEveryPage || (page_.firstColumn == 1 && page_.firstRow == 1)))
        drawHeader({0, 0, pageHeaderWidth_, pageHeaderHeight_}, 0, CornerBox);
    for (int32_t ri = 0; ri < rows; ++ri) {
        const uint32_t r = page_.firstRow + uint32_t(ri);
        const int32_t top = pageTops_[size_t(ri)], rowBottom = pageTops_[size_t(ri) + 1];
        if (rowHeads)
            drawHeader({0, top, pageHeaderWidth_, rowBottom}, r, RowHeader);
        for (int32_t ci = 0; ci < columns; ++ci) {
            const uint32_t c = page_.firstColumn + uint32_t(ci);
            const int32_t left = pageLefts_[size_t(ci)], cellRight = pageLefts_[size_t(ci) + 1];
            if (ri == 0 && columnHeads)
                drawHeader({left, 0, cellRight, pageHeaderHeight_}, c, ColumnHeader);
            env.selected = env.current = 0;
            env.collect({c, r});
            const zRect rect{left, top, cellRight, rowBottom};
            if (zTableCell* cell = model_->getCell({c, r}))
                cell->draw(rect, d, &env);
            else
                drawEmptyCell(rect, &env);
        }
    }
}

void zTablePrintable::drawHeader(const zRect& rc, uint32_t index, int32_t kind)
{
    zDisplay* d = display();
    if (!printing || d->kind() != zDisplay::Printer) {
        zTable::drawHeader(rc, index, kind);
        return;
    }
    const HDC dc = d->hdc();
    d->pushBrush(lightGreyBrush_.get());
    const int32_t width = thickHeaderFrames ? zHiEnglish(18, 18, d).deviceX() : 0;
    d->pushPen(new zPen(PS_SOLID, width, zColor{0, 0, 0, 0}));
    const bool beyond = (kind == RowHeader && index > printRange.lastRow) ||
                        (kind == ColumnHeader && index > printRange.lastColumn);
    Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
    if (!beyond) {
        char label[256] = {};
        const uint8_t style = kind == RowHeader ? rowLabelStyle : kind == ColumnHeader ? columnLabelStyle : cornerLabelStyle;
        if (style == LabelNumber)
            std::snprintf(label, sizeof label, "%lu", static_cast<unsigned long>(index));
        else if (style == LabelStored)
            std::snprintf(label, sizeof label, "%s", headerLabel(kind, index));
        else if (style == LabelLetters)
            columnLetters(label, index);
        if (const int32_t length = int32_t(std::strlen(label))) {
            const SIZE ext = d->textExtent(label, length);
            TextOutA(dc, rc.left + (rc.width() / 2 - ext.cx / 2), rc.top + (rc.height() / 2 - ext.cy / 2), label, length);
        }
    }
    d->popPen();
    d->popBrush().release();
}
