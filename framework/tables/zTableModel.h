#pragma once
// The abstract table model: its size, the attributes of its cells, the
// views that show it with the changes pending for each, and the cell maker
// that turns typed texts into cells. Change notification has two phases:
// cellChanged and rangeChanged only collect, notifyViews tells each view
// once.
#include <cstdint>

#include "framework/core/zPlist.h"
#include "framework/tables/zTableAttr.h"
#include "framework/tables/ziTablePos.h"

class zTableCell;
class zTableCellMaker;
class zTableModel;
struct ziTableViewNode;

// Called with the view, the model and the view's node, or a null node when
// the whole table changed.
using ziTableViewHandler = int32_t (*)(void* view, zTableModel* model, ziTableViewNode* node);

struct ziTableViewNode {
    ziTableRange pending;
    int32_t whole = 0;
    int32_t isPending = 0;
    void* view = nullptr;
    ziTableViewHandler handler = nullptr;
};

using ziTableViewNodeDlist = zPlistOf<ziTableViewNode>;

class zTableModel {
public:
    zTableModel(uint32_t columns, uint32_t rows);
    virtual ~zTableModel();
    zTableModel(const zTableModel&) = delete;
    zTableModel& operator=(const zTableModel&) = delete;

    virtual void setCell(const ziTablePos& position, zTableCell* cell) = 0;
    virtual zTableCell* getCell(const ziTablePos& position) = 0;
    virtual void setSize(uint32_t columns, uint32_t rows) = 0;
    virtual void extent(ziTableRange& range) { range = {1, 1, columns_, rows_}; }
    // The base versions only change the size by one.
    virtual void deleteRow(uint32_t row);
    virtual void deleteColumn(uint32_t column);
    virtual void insertRow(uint32_t row);
    virtual void insertColumn(uint32_t column);

    uint32_t columns() const { return columns_; }
    uint32_t rows() const { return rows_; }

    // Stores a typed text: a maker-made cell (or an empty position) gets a
    // new cell from the maker, and the old cell is handed back detached for
    // the caller to delete; any other cell takes the text itself.
    zTableCell* setCellText(const ziTablePos& position, const char* text);

    void addView(void* view, ziTableViewHandler handler);
    void removeView(void* view, ziTableViewHandler handler);
    void cellChanged(const ziTablePos& position);
    // Null: the whole table.
    void rangeChanged(const ziTableRange* range);
    void notifyViews() { notifyViewsExcept(nullptr); }
    void notifyViewsExcept(void* view);
    // Stores the size and tells every view that the whole table changed.
    void resize(uint32_t columns, uint32_t rows);

    // The attributes (null until the first is added); created here on
    // request, owned by the model.
    zTableAttrDlist* attributes() const { return attributes_; }
    void addAttribute(zTableAttr* attr);
    ziTableViewNodeDlist* views() const { return views_; }
    zTableCellMaker* cellMaker() const { return maker_; }

protected:
    uint32_t columns_;
    uint32_t rows_;
    zTableAttrDlist* attributes_ = nullptr;
    ziTableViewNodeDlist* views_ = nullptr;
    zTableCellMaker* maker_;
};
