#pragma once
// The spreadsheet-like grid on which athletes and their disciplines are
// typed: a pane that draws every cell itself, keeps the text of every cell,
// opens the column's in-place editor on the current cell, moves the current
// cell by keyboard and mouse, lets the user resize columns by dragging in
// the header row and toggles the tick boxes of the discipline cells
// (columns 3 and up, whose ticks live in the discipline-flag table). The
// cell texts are a GridCellTexts, the in-place editors and the one open a
// CellEditing; the pane draws, moves and routes input.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/windows/CellEditing.h"
#include "app/windows/GridCellTexts.h"
#include "framework/core/zDrawObj.h"
#include "framework/core/zFont.h"
#include "framework/core/zPane.h"
#include "framework/core/zRect.h"

class EditCell;
class GridCaret;
class zDisplay;

// The 8-point "MS Sans Serif" of the grid and its tab strip.
std::unique_ptr<zFont> MakeGridFont(const zDisplay* display);

class InputTablePane : public zPane {
public:
    static constexpr int32_t MaxColumns = GridCellTexts::MaxColumns;
    static constexpr int32_t MaxRows = GridCellTexts::MaxRows;
    static constexpr int32_t TitleSize = 50;
    static constexpr int32_t MinColumnWidth = 25;

    // What Enter and Escape do after closing an editor.
    enum EnterMode : int32_t { EnterStays = 0, EnterNextCell = 1, EnterRowDown = 2 };

    InputTablePane(zWindow* parent, zSizer* sizer, int32_t columns, int32_t rows, int32_t tableIndex);
    ~InputTablePane() override;

    // Installs the column's editor (owned from now on; an editor already
    // there is deleted).
    void setEditor(EditCell* editor, int32_t column) { editing_.setEditor(editor, column); }
    // Row and column 1-based. With copy 1 the text is copied into the cell's
    // buffer (made with the column's capacity when the cell has none);
    // otherwise the cell points at the caller's buffer of `capacity` bytes
    // (0: the column's capacity), which stays the caller's.
    void setCellText(int32_t row, int32_t column, const char* text, int32_t copy, int32_t capacity = 0);
    // The text of a cell (0-based), or null.
    const char* cellText(int32_t row, int32_t column) const;

    // Moves the current cell and gives the pane the focus.
    void setCurrent(int32_t column, int32_t row);
    void nextCell();
    void previousCell();
    void rowDown();
    void rowUp();
    void home();
    // Mode 1 horizontal, 2 vertical following the current row, 3 vertical
    // with a full repaint.
    void scroll(int32_t columnDelta, int32_t rowDelta, int32_t mode);
    // The current cell: left, top, right, bottom in pane coordinates.
    zRect cellRect() const;
    // The cell under a point; false when there is none.
    bool hitTest(int32_t x, int32_t y, int32_t& column, int32_t& row) const;
    // Left edge of a shown column and top edge of a row.
    int32_t columnLeft(int32_t column) const;
    int32_t rowTop(int32_t row) const;

    // Window operations.
    int sizeSizer(zEvent* ev) override;
    int mouseMove(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override;
    int preferredSize(int32_t& width, int32_t& height) override { return 1; }
    int charInput(zEvent* ev) override;
    int draw(zEvent* ev) override;
    int focus(zEvent* ev) override;

    // Settings of the owner.
    void setColumnTitle(int32_t column, const char* title);
    void setColumnWidth(int32_t column, int32_t width);
    void setFixedColumns(int32_t count);
    void setEnterMode(int32_t mode) { enterMode_ = mode; }
    void setRowNumberBase(int32_t base) { rowNumberBase_ = base; }
    void setContextMenu(int32_t id) { contextMenu_ = id; }
    void setFirstVisibleRow(int32_t row);
    void setColumnOffset(int32_t offset);

    int32_t cellColumn() const { return currentColumn_; }
    int32_t cellRow() const { return currentRow_; }
    int32_t columnCount() const { return columnCount_; }
    int32_t rowCount() const { return rowCount_; }
    int32_t columnWidth(int32_t column) const;
    const char* columnTitle(int32_t column) const;
    int32_t fixedColumns() const { return fixedColumns_; }
    int32_t firstVisibleRow() const { return firstVisibleRow_; }
    int32_t columnOffset() const { return columnOffset_; }
    int32_t enterMode() const { return enterMode_; }
    int32_t rowHeight() const { return rowHeight_; }
    int32_t headerHeight() const { return headerHeight_; }
    int32_t rowHeaderWidth() const { return rowHeaderWidth_; }
    int32_t tableIndex() const { return tableIndex_; }
    EditCell* activeEditor() const { return editing_.active(); }
    EditCell* editor(int32_t column) const { return editing_.editor(column); }

    // Services of the cell editors: the display's context with the grid's
    // font (taken and given back in pairs), and the caret.
    HDC takeDisplay();
    void giveDisplay();
    void showCaret();
    void hideCaret();
    // Hides a shown caret for a drawing; resumeCaret shows it again.
    bool suspendCaret();
    void resumeCaret(bool wasShown);
    void placeCaret(int32_t x, int32_t y);
    bool caretShown() const;
    // The caret the grid draws itself.
    const GridCaret* gridCaret() const { return gridCaret_.get(); }

protected:
    friend class CellEditing;
    // Holds the caret and the display's context for one keystroke or click.
    class InputHold {
    public:
        explicit InputHold(InputTablePane* pane) : pane_(pane)
        {
            pane_->takeDisplay();
            pane_->holdCaret();
        }
        ~InputHold()
        {
            pane_->releaseCaret();
            pane_->giveDisplay();
        }
        InputHold(const InputHold&) = delete;
        InputHold& operator=(const InputHold&) = delete;

    private:
        InputTablePane* pane_;
    };
    void holdCaret();
    void releaseCaret();
    int handleChar(zEvent* ev);
    // Lets the open editor write its value into the current cell and drops
    // it (nothing when no editor is open).
    void commitEditor();
    // Drops the open editor without its value.
    void dropEditor();
    void drawCell(HDC dc, int32_t x, int32_t y, int32_t column, int32_t row, int32_t highlight);
    void drawHeader(HDC dc, const zRect& rect, int32_t kind, const char* text);
    // Draws one cell now, when it is on screen.
    void repaintCell(int32_t column, int32_t row, int32_t highlight = 0);
    bool columnShown(int32_t column) const;
    int32_t clientWidth() const;
    int32_t clientHeight() const;
    int32_t keyDown(zEvent* ev);

    int32_t currentColumn_ = 0;
    int32_t currentRow_ = 0;
    int32_t rowCount_;
    int32_t columnCount_;
    int32_t columnWidths_[MaxColumns] = {};
    int32_t rowHeight_ = 20;
    int32_t rowHeaderWidth_ = 40;
    int32_t headerHeight_ = 20;
    int32_t fixedColumns_ = 2;
    int32_t firstVisibleRow_ = 0;
    int32_t columnOffset_ = 0;
    int32_t enterMode_ = EnterNextCell;
    char titles_[MaxColumns][TitleSize] = {};
    GridCellTexts cells_{TitleSize};
    CellEditing editing_{*this};

    zBrush faceBrush_;
    zBrush whiteBrush_{WHITE_BRUSH};
    zBrush darkBrush_{DKGRAY_BRUSH};
    zBrush blackBrush_{BLACK_BRUSH};
    zBrush greenBrush_;
    zPen blackPen_{BLACK_PEN};
    zPen whitePen_{WHITE_PEN};
    zPen greyPen_;
    zPen tickPen_;
    std::unique_ptr<zFont> gridFont_;

    int32_t buttonPressed_ = 0;
    int32_t contextMenu_ = -1;
    int32_t dragging_ = 0;
    int32_t onBorder_ = 0;
    int32_t dragColumn_ = 0;
    int32_t dragX_ = 0;
    int32_t dragBottom_ = 0;
    int32_t rowNumberBase_ = -1;
    int32_t tableIndex_;
    std::unique_ptr<GridCaret> gridCaret_;
    int32_t displayTaken_ = 0;
    HGDIOBJ fontBefore_ = nullptr;
};
