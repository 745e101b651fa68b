#pragma once
// The table control: a spreadsheet-like grid pane that shows the cells of a
// table model in rows and columns, with row headers, column headers and a
// corner box. It keeps a current cell, a range selection and a header
// selection (whole rows, columns or everything), lets the user resize rows
// and columns by dragging header borders, scrolls by whole cells and drives
// an in-place editor that its user supplies.
//
// The geometry (sizes, layout, hit tests, scroll mapping) is the portable
// ziTableGeometry; this class adds the window: painting (zTablePaint.cpp),
// the mouse, keys and scrolling (zTableInput.cpp) and the rest here.
#include <memory>

#include "framework/core/zDrawObj.h"
#include "framework/core/zFont.h"
#include "framework/core/zPane.h"
#include "framework/core/zRegion.h"
#include "framework/core/zResId.h"
#include "framework/tables/ziDynaArray.h"
#include "framework/tables/ziTableGeometry.h"

class zTableModel;
class zScrollInfo;
class ziTableEditor;
class ziTableScroller;
struct ziTableEnv;
struct ziTableViewNode;

class zTable : public zPane, public ziTableGeometry {
public:
    // Header kinds and label styles.
    enum : int32_t { RowHeader = 0, ColumnHeader = 1, CornerBox = 2 };
    enum : uint8_t { LabelNumber = 0, LabelNone = 1, LabelStored = 2, LabelLetters = 3 };
    enum : uint8_t { LookFlat = 0, LookRaised = 1, LookFramed = 2 };
    using Hook = void (*)(void* context);

    zTable(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~zTable() override;

    // Window slots.
    LRESULT defWindowProc(zEvent* ev) override;
    int sizeSizer(zEvent* ev) override;
    int mouseMove(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override;
    int focus(zEvent* ev) override;
    int charInput(zEvent* ev) override;
    void show(int code) override;
    int draw(zEvent* ev) override;
    void scrollWindow(int32_t dx, int32_t dy, const zRect* rect) override;

    // Preparation before the first show: default sizes, scroll steps and
    // the header size.
    virtual void initialShow();
    void layout() override;
    virtual void drawEmptyCell(const zRect& rect, ziTableEnv* env);
    virtual void drawHeader(const zRect& rect, uint32_t index, int32_t kind);
    virtual int keyDown(zEvent* ev);

    // Full layout at the end of a paint: cells rectangle from the client
    // area, scroll ranges and positions, scroller rectangles.
    void relayout();

    void setHeaderSize(int32_t width, int32_t height);
    // The label of a row (kind 0) or column (kind 1); empty when none.
    const char* headerLabel(int32_t kind, uint32_t index);
    void setHeaderLabel(int32_t kind, uint32_t index, const char* text);

    void invalidateCell(const ziTablePos& position);
    void invalidateRange(const ziTableRange& range);
    void invalidateHeaders(int32_t kind, uint32_t from, uint32_t to);

    // Selection.
    void setCurrentCell(const ziTablePos& position, int32_t force);
    void extendSelection(int32_t dx, int32_t dy, int32_t notify);
    void selectHeader(uint32_t index, int32_t kind);
    void extendHeaderSelection(uint32_t index, int32_t kind);
    void clearHeaderSelection();
    bool hasHeaderSelection() const { return !(headerSel.kind == CornerBox && headerSel.from == 2); }
    // Stores the editor's text into the current cell.
    void commitEdit();

    // Scrolling by whole cells.
    void applyScroll(int32_t& dx, int32_t& dy);
    void moveLeft();
    void moveRight();
    void moveUp();
    void moveDown();

    zTableModel* model() const { return model_; }
    // Shows another model, deleted with the table when owned; a model the
    // table owned before is deleted.
    void setModel(zTableModel* model, int32_t owned = 0);
    ziTableEditor* editor() const { return editor_; }
    void setEditor(ziTableEditor* editor) { editor_ = editor; }
    ziTableScroller* tableScroller() const;

    static int32_t modelChanged(void* view, zTableModel* model, ziTableViewNode* node);

    ziTablePos current{1, 1};
    ziTablePos selectionEnd{0, 0};
    int32_t ownsModel = 0;
    int32_t dragMode = 0;
    int32_t mouseCaptured = 0;
    POINT dragStart{0, 0};
    int32_t resizeMode = 0;
    uint32_t resizingColumn = 0;
    uint32_t resizingRow = 0;
    POINT lastLine{0, 0};
    uint8_t rowLabelStyle = LabelNumber;
    uint8_t columnLabelStyle = LabelNumber;
    uint8_t cornerLabelStyle = LabelNone;
    uint8_t headerLook = LookRaised;
    int32_t extendedSelection = 1;
    int32_t headerSelection = 1;
    int32_t headerDrag = 1;
    int32_t rowResizing = 1;
    int32_t columnResizing = 1;
    struct {
        uint32_t from = 2;
        uint32_t to = 2;
        int32_t kind = CornerBox;
    } headerSel;
    uint32_t headerDragAnchor = 0;
    uint32_t headerDragEnd = 0;
    int32_t shown = 0;
    int32_t hasFocus = 0;
    int32_t layoutCurrent = 0;
    void* currentCellContext = nullptr;
    Hook currentCellHook = nullptr;
    void* selectionContext = nullptr;
    Hook selectionHook = nullptr;

protected:
    void init();
    // Loads the current cell into the editor; withSpace: the formatter
    // first shapes a blank (the load of a cell change), else only the text.
    void loadEditor(bool withSpace);
    void callSelectionHook()
    {
        if (selectionContext && selectionHook)
            selectionHook(selectionContext);
    }
    zRect cellRect(const ziTablePos& p) const
    {
        const int32_t l = columnLeft(p.column), t = rowTop(p.row);
        return {l, t, l + columnWidth(p.column), t + rowHeight(p.row)};
    }
    zRect clientRect() const;
    void invalidate(const zRect* rect, int32_t erase);
    void updateWindow();
    // Scroll ranges of both bars from the model's extent.
    void postRanges();
    void scrollOne(bool vertical, bool forward);
    // Fills a rectangle with the white pen and brush.
    void blank(const zRect& r);
    void drawHeaderRow(uint32_t index, int32_t kind);
    void selectClip(HRGN region);
    void storeEditorText();
    void drawResizeLine(int32_t x, int32_t y);

    zTableModel* model_ = nullptr;
    ziTableEditor* editor_ = nullptr;
    std::unique_ptr<zScrollInfo> vInfo_;
    std::unique_ptr<zScrollInfo> hInfo_;
    std::unique_ptr<ziTableScroller> ownScroller_;
    std::unique_ptr<zBrush> lightGreyBrush_, whiteBrush_, darkGreyBrush_, blackBrush_;
    std::unique_ptr<zPen> gridPen_, blackPen_, whitePen_, greyPen_;
    std::unique_ptr<zFont> tableFont_;
    zCursor columnCursor_;
    zCursor rowCursor_;
    ziDynaArray<RcCString*> rowLabels_{1, nullptr};
    ziDynaArray<RcCString*> columnLabels_{1, nullptr};
    std::unique_ptr<zRectRegion> clip_;
};
