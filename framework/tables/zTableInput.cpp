// How the table reacts to the user: clicks and drags on cells, headers and
// header borders, the cursor keys (with Shift extending the selection),
// typed characters that start the in-place editor, and scrolling by whole
// cells.
#include <algorithm>

#include "framework/core/zDisplay.h"
#include "framework/core/zScrollInfo.h"
#include "framework/tables/zTable.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableModel.h"
#include "framework/tables/ziTableEditor.h"
#include "framework/tables/ziTableEnv.h"
#include "framework/tables/ziTableScroller.h"

namespace {

int16_t xOf(const zEvent* ev) { return static_cast<int16_t>(LOWORD(ev->lParam)); }
int16_t yOf(const zEvent* ev) { return static_cast<int16_t>(HIWORD(ev->lParam)); }
bool shiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

void zTable::scrollOne(bool vertical, bool forward)
{
    zScrollInfo* info = vertical ? vInfo_.get() : hInfo_.get();
    const int32_t p = info->pos();
    if (forward) {
        info->setPos(p + 1);
        info->setLast(p);
    } else {
        const int32_t from = p == 1 ? 2 : p;
        info->setPos(from - 1);
        info->setLast(from);
    }
    if (ziTableScroller* s = tableScroller())
        vertical ? s->vertLine() : s->horzLine();
}

void zTable::drawResizeLine(int32_t x, int32_t y)
{
    const HDC dc = display()->hdc();
    if (resizeMode == 1) {
        MoveToEx(dc, headerWidth(), y, nullptr);
        LineTo(dc, cells.right, y);
    } else {
        MoveToEx(dc, x, headerHeight(), nullptr);
        LineTo(dc, x, cells.bottom);
    }
}

int zTable::mouseButtonDown(zEvent* ev)
{
    if (!hasFocus) {
        if (editor_ && editor_->handle() && GetFocus() == editor_->handle()) {
            storeEditorText();
            invalidateCell(current);
            model_->notifyViewsExcept(this);
        }
        hasFocus = 1;
        if (IsWindow(hwnd_))
            SetFocus(hwnd_);
    }
    if (ev->message != WM_LBUTTONDOWN && ev->message != WM_LBUTTONDBLCLK)
        return 0;
    mouseCaptured = 1;
    SetCapture(hwnd_);
    const int32_t x = xOf(ev), y = yOf(ev);
    ziTablePos cell;
    if (cellAt(x, y, cell)) {
        dragMode = 0;
        setCurrentCell(cell, hasHeaderSelection() && cell == current ? 1 : 0);
        return 0;
    }
    dragMode = 0;
    uint32_t index = 0;
    int32_t kind = 0;
    switch (headerAt(x, y, index, kind)) {
    case 0: setCurrentCell(current, 1); break;
    case 1: selectHeader(index, kind); break;
    default:
        if (resizeMode == 0) {
            selectHeader(index, kind);
            break;
        }
        dragMode = 1;
        dragStart = {x, y};
        RECT confine;
        if (resizeMode == 1) {
            confine = {0, rowTop(index), cells.right, cells.bottom};
            resizingRow = index;
        } else {
            confine = {columnLeft(index), 0, cells.right, cells.bottom};
            resizingColumn = index;
        }
        clientToScreen(confine);
        ClipCursor(&confine);
        display()->acquire();
        display()->pushPen(new zPen(PS_SOLID, 2, zColor{0, 0, 0, 0}));
        display()->rasterOp(R2_NOTXORPEN);
        drawResizeLine(x, y);
        display()->release();
        lastLine = {x, y};
        break;
    }
    return 0;
}

int zTable::mouseMove(zEvent* ev)
{
    const int32_t x = xOf(ev), y = yOf(ev);
    if (!(ev->wParam & MK_LBUTTON)) {
        int32_t mode = 0;
        uint32_t index = 0;
        int32_t kind = 0;
        if (headersShown && (x < headerWidth() || y < headerHeight()) && headerAt(x, y, index, kind) == 2) {
            if (kind == RowHeader && rowResizing)
                mode = 1;
            else if (kind == ColumnHeader && columnResizing)
                mode = 2;
        }
        if (mode != resizeMode) {
            setCursor(mode == 1 ? rowCursor_ : mode == 2 ? columnCursor_ : zCursor(IDC_ARROW));
            SetCursor(cursor().handle());
            resizeMode = mode;
        }
        return 1;
    }
    if (!mouseCaptured)
        return zPane::mouseMove(ev);
    if (dragMode == 1) {
        display()->acquire();
        drawResizeLine(lastLine.x, lastLine.y);
        drawResizeLine(x, y);
        lastLine = {x, y};
        display()->release();
        return 1;
    }
    uint32_t index = 0;
    int32_t kind = 0;
    if (dragMode == 2) {
        if (headerAt(x, y, index, kind))
            extendHeaderSelection(index, kind);
        return 1;
    }
    const zRect area{headerWidth(), headerHeight(), cells.right, cells.bottom};
    if (!headerSelection && ((x >= 0 && x < headerWidth()) || (y >= 0 && y < headerHeight())))
        return 1;
    int32_t px = x, py = y;
    if (px < area.left) {
        px = area.left + 1;
        if (firstColumn > 1)
            scrollOne(false, false);
    } else if (px >= area.right && firstColumn < columnCount) {
        scrollOne(false, true);
    }
    if (py < area.top) {
        py = area.top + 1;
        if (firstRow > 1)
            scrollOne(true, false);
    } else if (py >= area.bottom && firstRow < rowCount) {
        scrollOne(true, true);
    }
    ziTablePos cell;
    if (!cellAt(px, py, cell))
        return 1;
    if (!extendedSelection) {
        setCurrentCell(cell, 0);
        return 1;
    }
    const ziTablePos from = selectionEnd.column ? selectionEnd : current;
    for (int64_t d = int64_t(cell.column) - from.column; d != 0; d += d > 0 ? -1 : 1)
        extendSelection(d > 0 ? 1 : -1, 0, 0);
    for (int64_t d = int64_t(cell.row) - from.row; d != 0; d += d > 0 ? -1 : 1)
        extendSelection(0, d > 0 ? 1 : -1, 0);
    updateWindow();
    return 1;
}

int zTable::mouseButtonUp(zEvent* ev)
{
    if (ev->message != WM_LBUTTONUP)
        return 1;
    mouseCaptured = 0;
    ReleaseCapture();
    if (dragMode == 1) {
        display()->acquire();
        drawResizeLine(lastLine.x, lastLine.y);
        display()->rasterOp(R2_COPYPEN);
        display()->popPen();  // the drag pen, deleted
        display()->release();
        const int32_t x = xOf(ev), y = yOf(ev);
        if (resizeMode == 1) {
            const int32_t h = y - rowTop(resizingRow);
            if (h >= 0) {
                setRowHeight(resizingRow, h);
                invalidate(nullptr, 1);
            }
        } else {
            const int32_t w = x - columnLeft(resizingColumn);
            if (w >= 0) {
                setColumnWidth(resizingColumn, w);
                invalidate(nullptr, 1);
            }
        }
        dragMode = 0;
        resizeMode = 0;
        ClipCursor(nullptr);
        setCursor(zCursor(IDC_ARROW));
        SetCursor(cursor().handle());
        return 1;
    }
    dragMode = 0;
    callSelectionHook();
    return 1;
}

// ---- keys ----

void zTable::moveLeft()
{
    if (current.column <= 1)
        return;
    if (!isVisible(current)) {
        setCurrentCell({visible.firstColumn, visible.firstRow}, 0);
        if (current.column <= 1)
            return;
    }
    const ziTablePos target{current.column - 1, current.row};
    if (!isVisible(target))
        scrollOne(false, false);
    setCurrentCell(target, 0);
}

void zTable::moveRight()
{
    if (current.column >= columnCount)
        return;
    if (!isVisible(current)) {
        setCurrentCell({visible.lastColumn, visible.firstRow}, 0);
        if (current.column >= columnCount)
            return;
    }
    const ziTablePos target{current.column + 1, current.row};
    if (!isVisible(target))
        scrollOne(false, true);
    setCurrentCell(target, 0);
}

void zTable::moveUp()
{
    if (current.row <= 1)
        return;
    if (!isVisible(current)) {
        setCurrentCell({visible.firstColumn, visible.firstRow}, 0);
        if (current.row <= 1)
            return;
    }
    const ziTablePos target{current.column, current.row - 1};
    if (!isVisible(target))
        scrollOne(true, false);
    setCurrentCell(target, 0);
}

void zTable::moveDown()
{
    if (current.row >= rowCount)
        return;
    if (!isVisible(current)) {
        setCurrentCell({visible.firstColumn, visible.lastRow}, 0);
        if (current.row >= rowCount)
            return;
    }
    const ziTablePos target{current.column, current.row + 1};
    if (!isVisible(target))
        scrollOne(true, true);
    setCurrentCell(target, 0);
}

int zTable::keyDown(zEvent* ev)
{
    if (!(ev->lParam & (1 << 24)))
        return 0;  // the numeric keypad's keys, not the cursor block
    const bool extend = shiftDown() && extendedSelection;
    auto clearRowsOrColumns = [this] {
        if (hasHeaderSelection() && (headerSel.kind == RowHeader || headerSel.kind == ColumnHeader))
            clearHeaderSelection();
    };
    auto extendBack = [&](bool vertical) {
        if (!selectionEnd.column)
            selectionEnd = current;
        if ((vertical ? selectionEnd.row : selectionEnd.column) <= 1)
            return;
        const ziTablePos next = vertical ? ziTablePos{selectionEnd.column, selectionEnd.row - 1}
                                         : ziTablePos{selectionEnd.column - 1, selectionEnd.row};
        if (!isVisible(next))
            scrollOne(vertical, false);
        vertical ? extendSelection(0, -1, 1) : extendSelection(-1, 0, 1);
        clearRowsOrColumns();
    };
    auto extendOn = [&](bool vertical) {
        vertical ? extendSelection(0, 1, 1) : extendSelection(1, 0, 1);
        clearRowsOrColumns();
        if (selectionEnd.column && !isVisible(selectionEnd))
            scrollOne(vertical, true);
    };
    switch (ev->wParam) {
    case VK_HOME: setCurrentCell({visible.firstColumn, visible.firstRow}, 0); return 1;
    case VK_END: setCurrentCell({visible.lastColumn, visible.lastRow}, 0); return 1;
    case VK_LEFT: extend ? extendBack(false) : moveLeft(); return 1;
    case VK_RIGHT: extend ? extendOn(false) : moveRight(); return 1;
    case VK_UP: extend ? extendBack(true) : moveUp(); return 1;
    case VK_DOWN: extend ? extendOn(true) : moveDown(); return 1;
    case VK_PRIOR:
    case VK_NEXT: return 1;
    default: return 0;
    }
}

int zTable::charInput(zEvent* ev)
{
    if (ev->wParam == '\t') {
        if (parent_ && parent_->handle())
            SendMessageA(parent_->handle(), WM_NEXTDLGCTL, shiftDown() ? 1 : 0, 0);
        return 0;
    }
    if ((ev->lParam & (1 << 29)) || (GetKeyState(VK_CONTROL) & 0x8000) || !editor_ || editor_->readOnly())
        return 0;
    if (!isVisible(current))
        return 0;
    editor_->setSelection(0, 900);
    editor_->moveToCell(current);
    if (IsWindow(editor_->handle()))
        SetFocus(editor_->handle());
    if (ev->wParam == 13 || ev->wParam == 27)
        loadEditor(false);
    editor_->setSelection(0, 900);
    SendMessageA(editor_->handle(), WM_CHAR, ev->wParam, ev->lParam);
    return 0;
}

// ---- scrolling ----

void zTable::applyScroll(int32_t& dx, int32_t& dy)
{
    const uint32_t oldColumn = visible.firstColumn, oldRow = visible.firstRow;
    firstColumn = uint32_t(std::max<int64_t>(int64_t(firstColumn) - dx, 1));
    firstRow = uint32_t(std::max<int64_t>(int64_t(firstRow) - dy, 1));
    layout();
    for (bool vertical : {false, true}) {
        if ((vertical ? rowCount : columnCount) < BigTable || (vertical ? dy : dx) == 0)
            continue;
        zScrollInfo* info = vertical ? vInfo_.get() : hInfo_.get();
        const int32_t p = scrollPos(vertical);
        if (p != info->pos())
            info->jumpTo(p);
    }
    layout();
    auto pixels = [&](int32_t d, bool vertical) {
        const int32_t extent = vertical ? cells.height() : cells.width();
        if (d > 1)
            return extent;
        if (d == 1)
            return vertical ? rowHeight(visible.firstRow) : columnWidth(visible.firstColumn);
        if (d == 0)
            return 0;
        if (d == -1)
            return -(vertical ? rowHeight(oldRow) : columnWidth(oldColumn));
        return -extent;
    };
    dx = pixels(dx, false);
    dy = pixels(dy, true);
}

void zTable::scrollWindow(int32_t dx, int32_t dy, const zRect* rect)
{
    commitEdit();
    applyScroll(dx, dy);
    if (parent_) {
        const RcCString& cls = parent_->className();
        if (cls == "DialogFrameCL" || cls == "MDIdialogCL")
            invalidate(nullptr, 1);
    }
    zPane::scrollWindow(dx, dy, rect);
}
