#include "app/windows/InputTablePane.h"

#include <cstdio>
#include <cstring>

#include "app/windows/DisziFlagTable.h"
#include "app/windows/EditCell.h"
#include "app/windows/GridCaret.h"
#include "app/windows/TablePaneScroller.h"
#include "classlib/SelectedObject.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zLogMeasure.h"
#include "framework/core/zMenu.h"
#include "framework/core/zResId.h"
#include "framework/core/zScrollInfo.h"

namespace {

constexpr int32_t BorderReach = 3;

zColor rgb(uint8_t r, uint8_t g, uint8_t b) { return zColor{r, g, b, 0}; }

bool extended(LPARAM lParam) { return (lParam & (1 << 24)) != 0; }

void polyline(HDC dc, std::initializer_list<POINT> points)
{
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

void frame(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b)
{
    polyline(dc, {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}});
}

// How many characters of the text fit into the width.
int32_t fittingLength(HDC dc, const char* text, int32_t width)
{
    const int32_t n = static_cast<int32_t>(std::strlen(text));
    if (n == 0 || width <= 0)
        return 0;
    INT fit = 0;
    SIZE size{};
    if (!GetTextExtentExPointA(dc, text, n, width, &fit, nullptr, &size))
        return n;
    return fit;
}

}  // namespace

std::unique_ptr<zFont> MakeGridFont(const zDisplay* display)
{
    // "MS Sans Serif" is a bitmap face whose smallest size, 8 points, is
    // what the grid was drawn with; a scalable stand-in is asked for that
    // size directly, so it never shrinks to an unreadable pixel height.
    LOGFONTA lf{};
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH;
    std::strncpy(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return std::make_unique<zFont>(lf, int16_t(80), display);
}

InputTablePane::InputTablePane(zWindow* parent, zSizer* sizer, int32_t columns, int32_t rows,
                               int32_t tableIndex)
    : zPane(parent, sizer, WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, 0),
      rowCount_(rows < 0 ? 0 : rows > MaxRows ? MaxRows : rows),
      columnCount_(columns < 0 ? 0 : columns > MaxColumns ? MaxColumns : columns),
      faceBrush_(zColor::fromColorRef(GetSysColor(COLOR_BTNFACE))),
      greenBrush_(rgb(0, 255, 0)),
      greyPen_(PS_SOLID, 0, rgb(128, 128, 128)),
      tickPen_(PS_SOLID, 0, rgb(64, 128, 0)),
      tableIndex_(tableIndex)
{
    for (int32_t c = 0; c < MaxColumns; ++c)
        columnWidths_[c] = c < columnCount_ ? 150 : 0;
    create();
    display()->pushPen(new zPen(PS_SOLID, 1, rgb(200, 200, 200)));
    gridFont_ = MakeGridFont(display());
    addNotify(this, zProc(&InputTablePane::keyDown), WM_KEYDOWN);
    vScroll_ = new zScrollInfoVert(this);
    hScroll_ = new zScrollInfoHoriz(this);
    setScroller(new TablePaneScroller(this));
    gridCaret_ = std::make_unique<GridCaret>(this, 1, rowHeight_ - 6);
}

InputTablePane::~InputTablePane()
{
    editing_.clear();
    delete scroller();
    removeNotify(this, zProc(&InputTablePane::keyDown));
}

// ---- cells and settings ----

void InputTablePane::setCellText(int32_t row, int32_t column, const char* text, int32_t copy, int32_t capacity)
{
    if (copy == 1)
        cells_.copy(row - 1, column - 1, text);
    else
        cells_.borrow(row - 1, column - 1, const_cast<char*>(text), capacity);
}

const char* InputTablePane::cellText(int32_t row, int32_t column) const
{
    return cells_.buffer(row, column);
}

void InputTablePane::setColumnTitle(int32_t column, const char* title)
{
    if (column < 0 || column >= MaxColumns)
        return;
    std::snprintf(titles_[column], TitleSize, "%s", title ? title : "");
}

const char* InputTablePane::columnTitle(int32_t column) const
{
    return column >= 0 && column < MaxColumns ? titles_[column] : "";
}

void InputTablePane::setColumnWidth(int32_t column, int32_t width)
{
    if (column >= 0 && column < columnCount_)
        columnWidths_[column] = width < MinColumnWidth ? MinColumnWidth : width;
}

int32_t InputTablePane::columnWidth(int32_t column) const
{
    return column >= 0 && column < MaxColumns ? columnWidths_[column] : 0;
}

void InputTablePane::setFixedColumns(int32_t count)
{
    fixedColumns_ = count < 0 ? 0 : count > columnCount_ ? columnCount_ : count;
}

void InputTablePane::setFirstVisibleRow(int32_t row)
{
    firstVisibleRow_ = row < 0 ? 0 : row >= rowCount_ ? (rowCount_ > 0 ? rowCount_ - 1 : 0) : row;
}

void InputTablePane::setColumnOffset(int32_t offset)
{
    const int32_t most = columnCount_ - fixedColumns_ - 1;
    columnOffset_ = offset > most ? most : offset;
    if (columnOffset_ < 0)
        columnOffset_ = 0;
}

// ---- geometry ----

int32_t InputTablePane::clientWidth() const
{
    RECT r{};
    if (hwnd_)
        GetClientRect(hwnd_, &r);
    return r.right;
}

int32_t InputTablePane::clientHeight() const
{
    RECT r{};
    if (hwnd_)
        GetClientRect(hwnd_, &r);
    return r.bottom;
}

bool InputTablePane::columnShown(int32_t column) const
{
    return column >= 0 && column < columnCount_ &&
           (column < fixedColumns_ || column >= fixedColumns_ + columnOffset_);
}

int32_t InputTablePane::columnLeft(int32_t column) const
{
    int32_t x = rowHeaderWidth_ - 1;
    const int32_t fixedBefore = column < fixedColumns_ ? column : fixedColumns_;
    for (int32_t c = 0; c < fixedBefore; ++c)
        x += columnWidths_[c];
    for (int32_t c = fixedColumns_ + columnOffset_; c < column; ++c)
        x += columnWidths_[c];
    return x;
}

int32_t InputTablePane::rowTop(int32_t row) const
{
    return (row - firstVisibleRow_) * rowHeight_ + headerHeight_ - 1;
}

zRect InputTablePane::cellRect() const
{
    const int32_t x = columnLeft(currentColumn_), y = rowTop(currentRow_);
    return {x, y, x + columnWidths_[currentColumn_], y + rowHeight_};
}

bool InputTablePane::hitTest(int32_t x, int32_t y, int32_t& column, int32_t& row) const
{
    if (y < headerHeight_ || x < rowHeaderWidth_)
        return false;
    const int32_t r = firstVisibleRow_ + (y - headerHeight_ + 1) / rowHeight_;
    if (r < 0 || r >= rowCount_)
        return false;
    for (int32_t c = 0; c < columnCount_; ++c) {
        if (!columnShown(c))
            continue;
        const int32_t left = columnLeft(c);
        if (x > left && x <= left + columnWidths_[c]) {
            column = c;
            row = r;
            return true;
        }
    }
    return false;
}

// ---- drawing ----

HDC InputTablePane::takeDisplay()
{
    zDisplay* d = display();
    d->acquire();
    HDC dc = d->hdc();
    if (dc && displayTaken_++ == 0)
        fontBefore_ = SelectObject(dc, gridFont_->handle());
    return dc;
}

void InputTablePane::giveDisplay()
{
    zDisplay* d = display();
    if (d->hdc() && displayTaken_ > 0 && --displayTaken_ == 0 && fontBefore_) {
        SelectObject(d->hdc(), fontBefore_);
        fontBefore_ = nullptr;
    }
    d->release();
}

// The caret is hidden, shown and moved on the screen only outside a hold:
// a keystroke or click holds it, so that the several drawings it causes
// take it off and put it back once.
void InputTablePane::holdCaret()
{
    if (gridCaret_)
        gridCaret_->hold();
}

void InputTablePane::releaseCaret()
{
    if (gridCaret_)
        gridCaret_->release();
}

void InputTablePane::showCaret()
{
    if (gridCaret_)
        gridCaret_->show();
}

void InputTablePane::hideCaret()
{
    if (gridCaret_)
        gridCaret_->hide();
}

bool InputTablePane::caretShown() const { return gridCaret_ && gridCaret_->shown(); }

bool InputTablePane::suspendCaret()
{
    const bool shown = caretShown();
    if (gridCaret_ && !gridCaret_->held())
        hideCaret();
    return shown;
}

void InputTablePane::resumeCaret(bool wasShown)
{
    if (wasShown && gridCaret_ && !gridCaret_->held())
        showCaret();
}

void InputTablePane::placeCaret(int32_t x, int32_t y)
{
    if (gridCaret_)
        gridCaret_->place(POINT{x, y});
}

int InputTablePane::focus(zEvent* ev)
{
    const int r = zPane::focus(ev);
    if (gridCaret_)
        gridCaret_->focus(ev->message == WM_SETFOCUS);
    return r;
}

void InputTablePane::drawHeader(HDC dc, const zRect& rect, int32_t kind, const char* text)
{
    {
        TSelectedObject brush(dc, faceBrush_.handle());
        TSelectedObject pen(dc, whitePen_.handle());
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    {
        TSelectedObject pen(dc, greyPen_.handle());
        polyline(dc, {{rect.left, rect.bottom - 1}, {rect.right - 1, rect.bottom - 1}, {rect.right - 1, rect.top - 1}});
    }
    if (!text || !*text)
        return;
    const int32_t n = fittingLength(dc, text, rect.width() - 2);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, n, &size);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, rect.left + (rect.width() - size.cx) / 2, rect.top + (rect.height() - size.cy) / 2, text, n);
}

void InputTablePane::drawCell(HDC dc, int32_t x, int32_t y, int32_t column, int32_t row, int32_t highlight)
{
    const int32_t w = columnWidths_[column], h = rowHeight_;
    const bool current = column == currentColumn_ && row == currentRow_;
    const bool editing = current && editing_.active();
    PatBlt(dc, x + 1, y + 1, w - 1, h - 1, WHITENESS);

    if (current) {
        if (editing) {
            editing_.active()->draw();
        } else {
            const bool shown = suspendCaret();
            TSelectedObject pen(dc, blackPen_.handle());
            frame(dc, x + 1, y + 1, x + w, y + h);
            frame(dc, x + 2, y + 2, x + w - 1, y + h - 1);
            resumeCaret(shown);
        }
    }
    const bool nameOfCurrentRow = column == 0 && row == currentRow_ && currentColumn_ != 0;
    if (highlight == 0 && !nameOfCurrentRow) {
        TSelectedObject pen(dc, greyPen_.handle());
        frame(dc, x, y, x + w, y + h);
    } else {
        RECT r{x, y, x + w + 1, y + h + 1};
        FillRect(dc, &r, greenBrush_.brush());
    }
    // The border between the fixed and the scrolled columns.
    if (column == fixedColumns_ - 1) {
        RECT r{x + w - 1, y, x + w + 2, y + h + 1};
        FillRect(dc, &r, blackBrush_.brush());
    } else if (column == fixedColumns_ + columnOffset_ && column >= fixedColumns_) {
        RECT r{x - 1, y, x + 2, y + h + 1};
        FillRect(dc, &r, blackBrush_.brush());
    }

    const bool discipline = column >= 3;
    const bool ticked = discipline && gDisziFlags.isSet(tableIndex_, row, column - 3);
    if (discipline && !ticked && !current)
        return;
    const char* text = cells_.buffer(row, column);
    if (text && *text && !editing) {
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, x + 3, y + 3, text, fittingLength(dc, text, w - 10));
    }
    if (!discipline)
        return;
    const int32_t q = h / 4;
    const int32_t bl = x + w - 15, bt = y + q + 1, br = x + w - 1, bb = y + q + h / 2;
    {
        TSelectedObject pen(dc, blackPen_.handle());
        frame(dc, bl, bt, br, bb);
    }
    if (ticked) {
        TSelectedObject pen(dc, tickPen_.handle());
        // Two short strokes at the left rising into a diagonal to the top right.
        const int32_t base = bb - 1;
        polyline(dc, {{bl + 3, base - 5}, {bl + 3, base}});
        polyline(dc, {{bl + 4, base - 6}, {bl + 4, base}});
        int32_t n = br - 1 - (bl + 5);
        if (n > base - 1 - bt)
            n = base - 1 - bt;
        if (n > 0) {
            polyline(dc, {{bl + 5, base - 1}, {bl + 5 + n, base - 1 - n}});
            polyline(dc, {{bl + 5, base}, {bl + 5 + n, base - n}});
        }
    }
}

void InputTablePane::repaintCell(int32_t column, int32_t row, int32_t highlight)
{
    if (!hwnd_ || !columnShown(column) || row < firstVisibleRow_ || row >= rowCount_)
        return;
    const int32_t y = rowTop(row);
    if (y > clientHeight())
        return;
    HDC dc = takeDisplay();
    if (dc)
        drawCell(dc, columnLeft(column), y, column, row, highlight);
    giveDisplay();
}

int InputTablePane::draw(zEvent*)
{
    HDC dc = takeDisplay();
    if (!dc) {
        giveDisplay();
        return 1;
    }
    zRect update = display()->paintRect();
    const zRect all = display()->extentRect();
    if (update.width() <= 0 || update.height() <= 0)
        update = all;
    const int32_t bottom = all.height() > 0 ? all.bottom : clientHeight();
    const int32_t right = all.width() > 0 ? all.right : clientWidth();
    auto touches = [&](int32_t l, int32_t t, int32_t r, int32_t b) {
        return r >= update.left && l <= update.right && b >= update.top && t <= update.bottom;
    };

    drawHeader(dc, {0, 0, rowHeaderWidth_, headerHeight_}, 3, "");
    char label[16];
    for (int32_t i = 1; i <= rowCount_ && firstVisibleRow_ + i <= rowCount_; ++i) {
        const int32_t top = i * rowHeight_;
        if (top > bottom)
            break;
        if (!touches(0, top, rowHeaderWidth_, top + headerHeight_))
            continue;
        label[0] = 0;
        if (rowNumberBase_ != -1)
            std::snprintf(label, sizeof label, "%d", firstVisibleRow_ + i + rowNumberBase_);
        drawHeader(dc, {0, top, rowHeaderWidth_, top + headerHeight_}, 2, label);
    }
    for (int32_t c = 0; c < columnCount_; ++c) {
        if (!columnShown(c))
            continue;
        const int32_t x = columnLeft(c) + 1;
        if (x > right)
            break;
        if (touches(x, 0, x + columnWidths_[c], headerHeight_))
            drawHeader(dc, {x, 0, x + columnWidths_[c], headerHeight_}, 1, titles_[c]);
    }
    for (int32_t r = firstVisibleRow_; r < rowCount_; ++r) {
        const int32_t y = rowTop(r);
        if (y > bottom)
            break;
        for (int32_t c = 0; c < columnCount_; ++c) {
            if (!columnShown(c))
                continue;
            const int32_t x = columnLeft(c);
            if (x > right)
                break;
            if (touches(x, y, x + columnWidths_[c] + 2, y + rowHeight_ + 1))
                drawCell(dc, x, y, c, r, 0);
        }
    }
    giveDisplay();
    return 1;
}

// ---- editing ----

void InputTablePane::commitEditor()
{
    editing_.commit();
}

void InputTablePane::dropEditor()
{
    editing_.drop();
}

int InputTablePane::charInput(zEvent* ev)
{
    if (ev->lParam & (1 << 29))
        return 0;  // Alt held: menu keys
    InputHold hold(this);
    return handleChar(ev);
}

int InputTablePane::handleChar(zEvent* ev)
{
    const uint32_t code = static_cast<uint32_t>(ev->wParam);
    if (editing_.active())
        return editing_.character(code);
    switch (code) {
    case VK_TAB:
        // The key state is asked only here: under Wine it is a request to
        // the server, too slow for every character.
        if (GetKeyState(VK_SHIFT) < 0)
            previousCell();
        else
            nextCell();
        return 1;
    case VK_RETURN:
        // Enter on a closed cell opens no editor: it moves on as it does
        // after an edit.
        if (enterMode_ == EnterNextCell)
            nextCell();
        else if (enterMode_ == EnterRowDown)
            rowDown();
        return 1;
    case VK_ESCAPE:
        return 1;
    default:
        return editing_.open(code);
    }
}

int32_t InputTablePane::keyDown(zEvent* ev)
{
    if (!extended(ev->lParam))
        return 0;
    InputHold hold(this);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const uint32_t key = static_cast<uint32_t>(ev->wParam);
    if (editing_.active() && !shift)
        return editing_.active()->key(key, 1);
    if (shift || key < VK_TAB || key > VK_DOWN)
        return 0;
    switch (key) {
    case VK_TAB:
    case VK_RIGHT: nextCell(); return 1;
    case VK_END: return 1;
    case VK_HOME: home(); return 1;
    case VK_LEFT: previousCell(); return 1;
    case VK_UP: rowUp(); return 1;
    case VK_DOWN: rowDown(); return 1;
    default: return 0;
    }
}

// ---- moves ----

void InputTablePane::setCurrent(int32_t column, int32_t row)
{
    commitEditor();
    if (column < 0 || column >= columnCount_ || row < 0 || row >= rowCount_)
        return;
    hideCaret();
    const int32_t oldColumn = currentColumn_, oldRow = currentRow_;
    currentColumn_ = column;
    currentRow_ = row;
    repaintCell(oldColumn, oldRow);
    repaintCell(column, row);
    if (oldRow != row) {
        repaintCell(0, oldRow);
        if (column != 0)
            repaintCell(0, row, 1);
    } else if (oldColumn == 0 || column == 0) {
        repaintCell(0, row);
    }
    if (hwnd_ && GetFocus() != hwnd_)
        SetFocus(hwnd_);
}

void InputTablePane::nextCell()
{
    commitEditor();
    int32_t c = currentColumn_, r = currentRow_;
    const int32_t firstScrolled = fixedColumns_ + columnOffset_;
    if (c < fixedColumns_ - 1) {
        setCurrent(c + 1, r);
        return;
    }
    if (c == fixedColumns_ - 1 && firstScrolled < columnCount_) {
        setCurrent(firstScrolled, r);
        return;
    }
    if (c >= fixedColumns_ && c < columnCount_ - 1) {
        ++c;
        int32_t shift = 0;
        while (columnLeft(c) + columnWidths_[c] + 0 > clientWidth() && fixedColumns_ + columnOffset_ + shift < c) {
            ++columnOffset_;
            ++shift;
        }
        if (shift) {
            columnOffset_ -= shift;
            scroll(shift, 0, 1);
        }
        setCurrent(c, r);
        return;
    }
    // The last column: on to the start of the next row.
    if (r >= rowCount_ - 1) {
        home();
        return;
    }
    if (columnOffset_ != 0)
        scroll(-columnOffset_, 0, 1);
    if (rowTop(r + 1) + rowHeight_ > clientHeight())
        scroll(0, 1, 2);
    setCurrent(0, r + 1);
}

void InputTablePane::previousCell()
{
    commitEditor();
    const int32_t c = currentColumn_;
    if (c == 0)
        return;
    if (c >= fixedColumns_ && c == fixedColumns_ + columnOffset_ && columnOffset_ >= 1)
        scroll(-1, 0, 1);
    int32_t target = c - 1;
    if (target >= fixedColumns_ && target < fixedColumns_ + columnOffset_)
        target = fixedColumns_ - 1;
    setCurrent(target, currentRow_);
}

void InputTablePane::rowDown()
{
    commitEditor();
    if (currentRow_ >= rowCount_ - 1) {
        setCurrent(currentColumn_, currentRow_);
        return;
    }
    if (rowTop(currentRow_ + 1) + rowHeight_ > clientHeight())
        scroll(0, 1, 2);
    setCurrent(currentColumn_, currentRow_ + 1);
}

void InputTablePane::rowUp()
{
    commitEditor();
    if (currentRow_ == 0)
        return;
    if (currentRow_ == firstVisibleRow_)
        scroll(0, -1, 2);
    setCurrent(currentColumn_, currentRow_ - 1);
}

void InputTablePane::home()
{
    commitEditor();
    hideCaret();
    currentColumn_ = currentRow_ = 0;
    firstVisibleRow_ = columnOffset_ = 0;
    if (vScroll_) {
        vScroll_->setPos(0);
        vScroll_->setLast(0);
    }
    if (hScroll_) {
        hScroll_->setPos(0);
        hScroll_->setLast(0);
    }
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void InputTablePane::scroll(int32_t columnDelta, int32_t rowDelta, int32_t mode)
{
    commitEditor();
    if (mode == 1) {
        if (columnDelta < 0)
            columnOffset_ = columnOffset_ + columnDelta < 0 ? 0 : columnOffset_ + columnDelta;
        else if (columnDelta > 0 && fixedColumns_ + columnOffset_ + columnDelta <= columnCount_ - 1)
            columnOffset_ += columnDelta;
        if (hScroll_) {
            hScroll_->setPos(columnOffset_);
            hScroll_->setLast(columnOffset_);
        }
        if (hwnd_) {
            RECT r{columnLeft(fixedColumns_) + 2, 0, clientWidth(), clientHeight()};
            InvalidateRect(hwnd_, &r, FALSE);
        }
        // A current column that went out of view on the left moves along.
        if (currentColumn_ >= fixedColumns_ &&
            currentColumn_ < fixedColumns_ + columnOffset_)
            setCurrent(fixedColumns_ + columnOffset_, currentRow_);
        return;
    }
    if (rowDelta < 0 && firstVisibleRow_ > 0)
        firstVisibleRow_ = firstVisibleRow_ + rowDelta < 0 ? 0 : firstVisibleRow_ + rowDelta;
    else if (rowDelta > 0 && firstVisibleRow_ + rowDelta <= rowCount_ - 1)
        firstVisibleRow_ += rowDelta;
    if (vScroll_) {
        vScroll_->setPos(firstVisibleRow_);
        vScroll_->setLast(firstVisibleRow_);
    }
    if (currentRow_ < firstVisibleRow_) {
        currentRow_ = firstVisibleRow_;
    } else {
        int32_t whole = (clientHeight() - headerHeight_) / rowHeight_;
        if (whole < 1)
            whole = 1;
        if (hwnd_ && currentRow_ >= firstVisibleRow_ + whole) {
            currentRow_ = firstVisibleRow_ + whole - 1;
            if (currentRow_ >= rowCount_)
                currentRow_ = firstVisibleRow_;
        }
    }
    if (hwnd_) {
        if (mode == 3) {
            InvalidateRect(hwnd_, nullptr, FALSE);
        } else {
            RECT r{0, headerHeight_, clientWidth(), clientHeight()};
            InvalidateRect(hwnd_, &r, FALSE);
        }
    }
}

int InputTablePane::sizeSizer(zEvent* ev)
{
    home();
    const int r = zPane::sizeSizer(ev);
    // The bars show only while rows or columns lie outside the pane.
    if (auto* s = dynamic_cast<TablePaneScroller*>(scroller()))
        s->setRanges(columnCount_ - fixedColumns_ - 1, rowCount_ - 1);
    return r;
}

// ---- mouse ----

int InputTablePane::mouseButtonDown(zEvent* ev)
{
    if (ev->message != WM_LBUTTONDOWN && ev->message != WM_LBUTTONDBLCLK)
        return 0;
    buttonPressed_ = 1;
    if (!onBorder_ || dragging_)
        return 1;
    commitEditor();
    const int32_t x = static_cast<int16_t>(LOWORD(ev->lParam));
    const int32_t left = columnLeft(dragColumn_);
    RECT clip{left + MinColumnWidth, 0, clientWidth(), headerHeight_};
    clientToScreen(clip);
    ClipCursor(&clip);
    dragging_ = 1;
    display()->pushPen(new zPen(PS_SOLID, 2, rgb(0, 0, 0)));
    display()->rasterOp(R2_NOTXORPEN);
    dragX_ = x < left + MinColumnWidth ? left + MinColumnWidth : x;
    dragBottom_ = clientHeight();
    display()->acquire();
    if (HDC dc = display()->hdc()) {
        MoveToEx(dc, dragX_, headerHeight_, nullptr);
        LineTo(dc, dragX_, dragBottom_);
    }
    display()->release();
    return 1;
}

int InputTablePane::mouseMove(zEvent* ev)
{
    const int32_t x = static_cast<int16_t>(LOWORD(ev->lParam));
    const int32_t y = static_cast<int16_t>(HIWORD(ev->lParam));
    if (dragging_) {
        const int32_t least = columnLeft(dragColumn_) + MinColumnWidth;
        const int32_t nx = x < least ? least : x;
        display()->acquire();
        if (HDC dc = display()->hdc()) {
            MoveToEx(dc, dragX_, headerHeight_, nullptr);
            LineTo(dc, dragX_, dragBottom_);
            MoveToEx(dc, nx, headerHeight_, nullptr);
            LineTo(dc, nx, dragBottom_);
        }
        display()->release();
        dragX_ = nx;
        return 1;
    }
    if (y > headerHeight_) {
        if (onBorder_) {
            onBorder_ = 0;
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
        }
        return 0;
    }
    for (int32_t c = 0; c < columnCount_; ++c) {
        if (!columnShown(c))
            continue;
        const int32_t edge = columnLeft(c) + columnWidths_[c];
        if (x >= edge - BorderReach && x <= edge + BorderReach) {
            onBorder_ = 1;
            dragColumn_ = c;
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return 1;
        }
    }
    if (onBorder_) {
        onBorder_ = 0;
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
    }
    return 0;
}

int InputTablePane::mouseButtonUp(zEvent* ev)
{
    InputHold hold(this);
    const int32_t x = static_cast<int16_t>(LOWORD(ev->lParam));
    const int32_t y = static_cast<int16_t>(HIWORD(ev->lParam));
    if (ev->message == WM_RBUTTONUP) {
        if (contextMenu_ >= 0) {
            zPopupMenu menu(POINT{x, y}, this, zResId(contextMenu_));
            menu.track();
        }
        return 1;
    }
    if (!buttonPressed_)
        return 0;
    buttonPressed_ = 0;
    if (dragging_) {
        dragging_ = 0;
        ClipCursor(nullptr);
        display()->acquire();
        if (HDC dc = display()->hdc()) {
            MoveToEx(dc, dragX_, headerHeight_, nullptr);
            LineTo(dc, dragX_, dragBottom_);
        }
        display()->release();
        display()->rasterOp(R2_COPYPEN);
        display()->popPen();  // the returned holder deletes the pen
        const int32_t width = dragX_ - columnLeft(dragColumn_);
        columnWidths_[dragColumn_] = width < MinColumnWidth ? MinColumnWidth : width;
        onBorder_ = 0;
        if (hwnd_)
            InvalidateRect(hwnd_, nullptr, FALSE);
        return 1;
    }
    int32_t column = 0, row = 0;
    if (!hitTest(x, y, column, row))
        return 0;
    commitEditor();
    setCurrent(column, row);
    if (column < 3)
        return 1;
    const zRect cell = cellRect();
    const int32_t q = rowHeight_ / 4;
    if (x >= cell.right - 15 && x <= cell.right - 1 && y >= cell.top + q + 1 && y <= cell.top + q + rowHeight_ / 2) {
        if (uint8_t* f = gDisziFlags.flagsOf(tableIndex_, row)) {
            if (column - 3 < 8)
                *f ^= uint8_t(1u << (column - 3));
            repaintCell(column, row);
        }
    }
    return 1;
}
