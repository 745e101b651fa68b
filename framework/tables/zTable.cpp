#include "framework/tables/zTable.h"

#include <algorithm>

#include "framework/core/zDisplay.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableSmallModel.h"
#include "framework/tables/ziTableEditor.h"
#include "framework/tables/ziTableEnv.h"
#include "framework/tables/ziTableScroller.h"

namespace {

zCursor loadCursor(uint32_t resource, LPCSTR fallback)
{
    zCursor c{zResId(resource)};
    return c.handle() ? c : zCursor(fallback);
}

ziTableRange normalised(const ziTablePos& a, const ziTablePos& b)
{
    return {std::min(a.column, b.column), std::min(a.row, b.row), std::max(a.column, b.column),
            std::max(a.row, b.row)};
}

}  // namespace

zTable::zTable(zWindow* parent, zSizer* sizer, DWORD style, const char* /*title*/, int32_t id)
    : zPane(parent, sizer, style | WS_HSCROLL | WS_VSCROLL, id, 1),
      columnCursor_(loadCursor(30000, IDC_SIZEWE)),
      rowCursor_(loadCursor(30001, IDC_SIZENS))
{
    rowCount = columnCount = 100;
    model_ = new zTableSmallModel(100, 100);
    ownsModel = 1;
    init();

    // The "System" face, 10 points as character height, light, variable pitch.
    zFontSpec fontSpec{zPrPoint(0, 100), 300, 2};
    tableFont_ = std::make_unique<zFont>("System", fontSpec);
    display()->pushFont(tableFont_.get());
    addNotify(this, zProc(&zTable::keyDown), WM_KEYDOWN);

    vInfo_ = std::make_unique<zScrollInfoVert>(this);
    hInfo_ = std::make_unique<zScrollInfoHoriz>(this);
    vertScroll() = vInfo_.get();
    horzScroll() = hInfo_.get();
    gridPen_ = std::make_unique<zPen>(PS_SOLID, 1, zColor{200, 200, 200, 0});
    display()->pushPen(gridPen_.get());
    if (!scroller()) {
        ownScroller_ = std::make_unique<ziTableScroller>(this);
        setScroller(ownScroller_.get());
    }
    lightGreyBrush_ = std::make_unique<zBrush>(LTGRAY_BRUSH);
    whiteBrush_ = std::make_unique<zBrush>(WHITE_BRUSH);
    darkGreyBrush_ = std::make_unique<zBrush>(GRAY_BRUSH);
    blackBrush_ = std::make_unique<zBrush>(BLACK_BRUSH);
    blackPen_ = std::make_unique<zPen>(BLACK_PEN);
    whitePen_ = std::make_unique<zPen>(WHITE_PEN);
    greyPen_ = std::make_unique<zPen>(PS_SOLID, 0, zColor{128, 128, 128, 0});

    model_->addView(this, &zTable::modelChanged);
    if (parent && parent->sizer())
        parent->sizer()->setRect(nullptr);
}

void zTable::init()
{
    setStyle(style() | WS_TABSTOP);
    applyStyle();
    rowTops.fill(0);
    columnLefts.fill(0);
    shown = hasFocus = 0;
    visibleRowCount = visibleColumnCount = 0;
    grabWidth = 4;
    currentCellContext = selectionContext = nullptr;
    currentCellHook = selectionHook = nullptr;
    resizeMode = 0;
    headerSel = {2, 2, CornerBox};
    current = {1, 1};
    selectionEnd = {0, 0};
    extendedSelection = headerSelection = headerDrag = rowResizing = columnResizing = 1;
    headerLook = LookRaised;
    rowLabelStyle = columnLabelStyle = LabelNumber;
    cornerLabelStyle = LabelNone;
    headersShown = 1;
    firstRow = firstColumn = 1;
    editor_ = nullptr;
}

zTable::~zTable()
{
    if (mouseCaptured) {
        mouseCaptured = 0;
        ReleaseCapture();
        if (dragMode == 1)
            ClipCursor(nullptr);
    }
    if (model_) {
        model_->removeView(this, &zTable::modelChanged);
        if (ownsModel)
            delete model_;
        model_ = nullptr;
    }
    // The pen and the font are the table's: they leave the display's
    // stacks without being deleted there.
    while (display()->penCount() && display()->pen() == gridPen_.get())
        display()->popPen().release();
    while (display()->fontCount() && display()->font() == tableFont_.get())
        display()->popFont().release();
    removeNotify(this, zProc(&zTable::keyDown));
    if (ownScroller_) {
        ownScroller_->setPane(nullptr);
        ownScroller_.reset();
    }
    if (scroller() == nullptr || ownScroller_ == nullptr)
        setScroller(nullptr);
    for (uint32_t i = 0; i < rowLabels_.count(); ++i)
        delete rowLabels_.peek(i);
    for (uint32_t i = 0; i < columnLabels_.count(); ++i)
        delete columnLabels_.peek(i);
    vertScroll() = nullptr;
    horzScroll() = nullptr;
}

ziTableScroller* zTable::tableScroller() const { return dynamic_cast<ziTableScroller*>(scroller()); }

void zTable::setModel(zTableModel* model, int32_t owned)
{
    if (!model || model == model_)
        return;
    model_->removeView(this, &zTable::modelChanged);
    if (ownsModel)
        delete model_;
    model_ = model;
    ownsModel = owned ? 1 : 0;
    model_->addView(this, &zTable::modelChanged);
    current = {1, 1};
    selectionEnd = {0, 0};
    modelChanged(this, model_, nullptr);
}

zRect zTable::clientRect() const
{
    RECT r{};
    if (hwnd_)
        GetClientRect(hwnd_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void zTable::invalidate(const zRect* rect, int32_t erase)
{
    if (hwnd_)
        display()->invalidateRect(rect, erase);
}

void zTable::updateWindow()
{
    if (hwnd_)
        UpdateWindow(hwnd_);
}

LRESULT zTable::defWindowProc(zEvent* ev)
{
    if (ev->message == WM_GETDLGCODE)
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    return zPane::defWindowProc(ev);
}

int zTable::sizeSizer(zEvent* ev)
{
    zPane::sizeSizer(ev);
    if (layoutCurrent == 1) {
        layoutCurrent = 0;
        invalidate(nullptr, 0);
    }
    return 1;
}

int zTable::focus(zEvent* ev)
{
    hasFocus = ev->message == WM_SETFOCUS ? 1 : 0;
    return 0;
}

void zTable::show(int code)
{
    if (!shown)
        initialShow();
    zPane::show(code);
}

// ---- geometry and layout ----

void zTable::layout()
{
    ziTableGeometry::layout();
    for (bool vertical : {false, true}) {
        if (!(vertical ? movedY : movedX))
            continue;
        if (zScrollInfo* info = vertical ? vInfo_.get() : hInfo_.get()) {
            info->setPos(scrollPos(vertical));
            info->setLast(info->pos());
        }
    }
    layoutCurrent = 0;
}

void zTable::postRanges()
{
    hInfo_->setRange(1, scrollMax(false));
    vInfo_->setRange(1, scrollMax(true));
}

void zTable::relayout()
{
    cells = clientRect();
    layout();
    postRanges();
    if (auto* s = tableScroller()) {
        const zRect c = clientRect();
        s->setView(c.left, c.top + headerHeight(), c.right, c.bottom);
        s->setArea(c.left + headerWidth(), c.top, c.right, c.bottom);
    }
    for (bool vertical : {false, true}) {
        if ((vertical ? rowCount : columnCount) < BigTable)
            continue;
        zScrollInfo* info = vertical ? vInfo_.get() : hInfo_.get();
        const int32_t p = correctedPos(vertical, info->pos());
        if (p != info->pos())
            info->jumpTo(p);
    }
    invalidate(nullptr, 0);
    layoutCurrent = 1;
}

void zTable::setHeaderSize(int32_t width, int32_t height)
{
    headerSize = {width, height};
    if (shown)
        layout();
}

const char* zTable::headerLabel(int32_t kind, uint32_t index)
{
    RcCString* label = nullptr;
    if (kind == RowHeader)
        label = rowLabels_.get(index);
    else if (kind == ColumnHeader)
        label = columnLabels_.get(index);
    return label ? label->c_str() : "";
}

void zTable::setHeaderLabel(int32_t kind, uint32_t index, const char* text)
{
    ziDynaArray<RcCString*>* labels = kind == RowHeader ? &rowLabels_ : kind == ColumnHeader ? &columnLabels_ : nullptr;
    if (!labels)
        return;
    RcCString* label = labels->get(index);
    if (!label) {
        label = new RcCString;
        labels->set(index, label);
        if (labels->peek(index) != label) {
            delete label;
            return;
        }
    }
    *label = text ? text : "";
}

// ---- the model ----

int32_t zTable::modelChanged(void* view, zTableModel* model, ziTableViewNode* node)
{
    auto* t = static_cast<zTable*>(view);
    if (node) {
        t->invalidateRange(node->pending);
    } else {
        t->invalidate(nullptr, 0);
        if (model->rows() != t->rowCount || model->columns() != t->columnCount) {
            t->rowCount = model->rows();
            t->columnCount = model->columns();
            t->firstRow = t->firstColumn = 1;
            if (auto* s = t->tableScroller()) {
                s->setStepX(1);
                s->setStepY(1);
                s->setPageX(4);
                s->setPageY(4);
            }
            for (bool vertical : {false, true}) {
                zScrollInfo* info = vertical ? t->vInfo_.get() : t->hInfo_.get();
                const uint32_t count = vertical ? t->rowCount : t->columnCount;
                info->setPage(4);
                info->setRange(1, std::max<int32_t>(int32_t(count >> shiftFor(count)), 1));
                info->setPos(1);
                info->setLast(1);
            }
            t->cells = t->clientRect();
            t->layout();
        }
    }
    t->updateWindow();
    return 1;
}

// ---- selection ----

void zTable::setCurrentCell(const ziTablePos& position, int32_t force)
{
    if (position == current && !force)
        return;
    if (selectionEnd.column) {
        invalidateRange(normalised(current, selectionEnd));
        selectionEnd = {0, 0};
    }
    if (hasHeaderSelection())
        clearHeaderSelection();
    invalidateCell(current);
    current = {std::min(position.column, columnCount), std::min(position.row, rowCount)};
    invalidateCell(current);
    updateWindow();
    if (editor_)
        loadEditor(true);
    if (currentCellContext && currentCellHook)
        currentCellHook(currentCellContext);
    callSelectionHook();
}

void zTable::extendSelection(int32_t dx, int32_t dy, int32_t notify)
{
    if (dx == 0 && dy == 0)
        return;
    if (!selectionEnd.column)
        selectionEnd = current;
    const int64_t c = int64_t(selectionEnd.column) + dx, r = int64_t(selectionEnd.row) + dy;
    if (c < 1 || c > columnCount || r < 1 || r > rowCount)
        return;
    const ziTablePos next{uint32_t(c), uint32_t(r)};
    const ziTableRange old = normalised(current, selectionEnd);
    const ziTablePos strip = old.holds(next) ? selectionEnd : next;  // shrinking: the old end's strips
    if (dx) {
        const uint32_t top = std::max(old.firstRow, visible.firstRow);
        const uint32_t bottom = std::min(std::max(old.lastRow, next.row), visible.lastRow);
        if (top <= bottom)
            invalidateRange({strip.column, top, strip.column, bottom});
    }
    if (dy) {
        const uint32_t left = std::max(old.firstColumn, visible.firstColumn);
        const uint32_t right = std::min(std::max(old.lastColumn, next.column), visible.lastColumn);
        if (left <= right)
            invalidateRange({left, strip.row, right, strip.row});
    }
    selectionEnd = next;
    if (notify) {
        updateWindow();
        callSelectionHook();
    }
}

void zTable::selectHeader(uint32_t index, int32_t kind)
{
    if (!headerSelection)
        return;
    headerDragAnchor = headerDragEnd = index;
    dragMode = 2;
    if (kind == RowHeader) {
        if ((headerSel.kind == RowHeader && headerSel.from == index && headerSel.to == index) || index > rowCount)
            return;
        setCurrentCell({1, index}, 1);
        selectionEnd = {columnCount, index};
        headerSel = {index, index, RowHeader};
        invalidateRange({visible.firstColumn, index, visible.lastColumn, index});
        invalidateHeaders(RowHeader, index, index);
        updateWindow();
    } else if (kind == ColumnHeader) {
        if ((headerSel.kind == ColumnHeader && headerSel.from == index && headerSel.to == index) ||
            index > columnCount)
            return;
        setCurrentCell({index, 1}, 1);
        selectionEnd = {index, rowCount};
        headerSel = {index, index, ColumnHeader};
        invalidateRange({index, visible.firstRow, index, visible.lastRow});
        invalidateHeaders(ColumnHeader, index, index);
        updateWindow();
    } else {
        if (headerSel.kind == CornerBox && headerSel.from == 0)
            return;
        setCurrentCell({1, 1}, 1);
        selectionEnd = {columnCount, rowCount};
        headerSel = {0, 0, CornerBox};
        invalidate(nullptr, 0);
        updateWindow();
    }
}

void zTable::extendHeaderSelection(uint32_t index, int32_t kind)
{
    if (!headerSelection)
        return;
    if (!headerDrag || kind == CornerBox) {
        selectHeader(index, kind);
        return;
    }
    const bool rows = kind == RowHeader;
    if (headerSel.kind != kind) {
        // A drag onto the other kind starts a single-row (column) selection.
        headerSel = {2, 2, CornerBox};
        selectHeader(index, kind);
        return;
    }
    if (index > (rows ? rowCount : columnCount) || index == headerDragEnd || index == 0)
        return;
    const int32_t step = index > headerDragEnd ? 1 : -1;
    for (uint32_t i = headerDragEnd; i != index; i += uint32_t(step))
        rows ? extendSelection(0, step, 0) : extendSelection(step, 0, 0);
    const uint32_t oldFrom = headerSel.from, oldTo = headerSel.to;
    headerDragEnd = index;
    headerSel.from = std::min(headerDragAnchor, headerDragEnd);
    headerSel.to = std::max(headerDragAnchor, headerDragEnd);
    display()->acquire();
    clip_ = std::make_unique<zRectRegion>(0, 0, cells.right, cells.bottom);
    selectClip(clip_->handle());
    const uint32_t lo = std::min(oldFrom, headerSel.from), hi = std::max(oldTo, headerSel.to);
    const uint32_t firstShown = rows ? visible.firstRow : visible.firstColumn;
    const uint32_t lastShown = rows ? visible.lastRow : visible.lastColumn;
    for (uint32_t i = std::max(lo, firstShown); i <= std::min(hi, lastShown); ++i) {
        const bool inOld = i >= oldFrom && i <= oldTo, inNew = i >= headerSel.from && i <= headerSel.to;
        if (inOld != inNew)
            drawHeaderRow(i, kind);
    }
    selectClip(nullptr);
    clip_.reset();
    display()->release();
    updateWindow();
}

void zTable::clearHeaderSelection()
{
    if (!hasHeaderSelection())
        return;
    const int32_t kind = headerSel.kind;
    const uint32_t from = headerSel.from, to = headerSel.to;
    headerSel = {2, 2, CornerBox};
    display()->acquire();
    clip_ = std::make_unique<zRectRegion>(0, 0, cells.right, cells.bottom);
    selectClip(clip_->handle());
    if (kind == CornerBox) {
        drawHeaderRow(0, CornerBox);
    } else {
        const bool rows = kind == RowHeader;
        const uint32_t lo = std::max(from, rows ? visible.firstRow : visible.firstColumn);
        const uint32_t hi = std::min(to, rows ? visible.lastRow : visible.lastColumn);
        for (uint32_t i = lo; i <= hi; ++i)
            drawHeaderRow(i, kind);
    }
    selectClip(nullptr);
    clip_.reset();
    display()->release();
}

// ---- the in-place editor ----

void zTable::loadEditor(bool withSpace)
{
    (void)withSpace;  // our formatters shape the whole text at once
    zTableCell* cell = model_->getCell(current);
    ziTableEnv env(model_);
    env.collect(current);
    zFormatter* formatter = nullptr;
    if (cell && (cell->flags & zTableCell::Formatted)) {
        zTableAttr* a = env.slot((cell->flags & zTableCell::Number) ? zTableAttr::NumberFormat : zTableAttr::TextFormat);
        if (a)
            formatter = static_cast<zTableFormatAttr*>(a)->formatter;
    }
    editor_->cellFormatter = formatter;
    const char* text = cell ? cell->text() : "";
    if (formatter && *text) {
        std::string shaped(text);
        formatter->format(shaped, 0);
        editor_->showText(shaped.c_str());
    } else {
        editor_->showText(text);
    }
    editor_->moveToCell(current);
    editor_->setReadOnly(env.slot(zTableAttr::ReadOnly) != nullptr);
}

void zTable::storeEditorText()
{
    const RcCString text = editor_->cellText(0x40000);
    delete model_->setCellText(current, text.c_str());
}

void zTable::commitEdit()
{
    if (!current.column || !current.row || !editor_ || !editor_->handle())
        return;
    const bool child = GetParent(editor_->handle()) == hwnd_;
    if (child && !(GetWindowLongA(editor_->handle(), GWL_STYLE) & WS_VISIBLE))
        return;
    zTableCell* before = model_->getCell(current);
    const RcCString remembered(before ? before->text() : "");
    storeEditorText();
    zTableCell* after = model_->getCell(current);
    if (!(after && remembered == after->text())) {
        invalidateCell(current);
        model_->notifyViewsExcept(this);
        if (child && IsWindow(hwnd_))
            SetFocus(hwnd_);
    }
    editor_->moveToCell({current.column, current.row + 1});
    editor_->moveToCell(current);
}
