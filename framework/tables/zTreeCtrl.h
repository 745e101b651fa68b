#pragma once
// The tree control: a scrolling pane that shows a tree of items, one line
// per visible item, each with an optional expander box, an optional
// picture and a text. The user selects, expands and collapses items with
// the mouse and the arrow keys; a double click (or, with style 0x04, a
// single click) activates an item. Every change passes through notify,
// which a derived class uses to veto it (nonzero) or to answer whether an
// item has children (code 9); selection and activation also reach the
// parent window as command notifications (codes 0 and 5).
#include <functional>
#include <memory>

#include "framework/core/zDrawObj.h"
#include "framework/core/zPaneControl.h"
#include "framework/core/zPaneScroller.h"
#include "framework/core/ziImageStrip.h"
#include "framework/tables/zTreeItem.h"

class zScrollInfo;

// The tree's scroller: thumb tracking scrolls as the thumb's release does.
class ziTreeCtrlScroller : public zPaneScrollerAuto {
public:
    using zPaneScrollerAuto::zPaneScrollerAuto;
    int vertTrack() override { return vertThumb(); }
};

class zTreeCtrl : public zPaneControl {
public:
    enum Code : int32_t {
        Selected = 0, Deselected = 1, Toggle = 2, SelectByPicture = 3, Select = 4, Activate = 5,
        Expand = 6, Collapse = 7, ToggleNoReset = 8, HasChildren = 9, Deleted = 10,
    };
    enum : uint8_t { PictureColumn = 0x01, SelectedPictureWhenSelected = 0x02, SingleClick = 0x04 };
    struct Notify {
        zTreeItem* item;
        int32_t code;
    };

    zTreeCtrl(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~zTreeCtrl() override;

    int mouseButtonDown(zEvent* ev) override;
    int focus(zEvent* ev) override;
    int preferredSize(int32_t& width, int32_t& height) override;
    int validate() override;
    int transferIn() override;
    void setFont(zFont* font, int redraw) override;
    int draw(zEvent* ev) override;
    virtual void measure();
    // 0 lets the change happen, nonzero vetoes it; for code 9 the answer.
    virtual int32_t notify(Notify& record) { return 0; }
    int keyDown(zEvent* ev);

    // Runs the change of the code for the item (see Code).
    int32_t change(zTreeItem* item, int32_t code);
    void select(zTreeItem* item);
    zTreeItem* selection() const { return selection_; }
    int32_t visibleIndex(const zTreeItem* item);
    zTreeItem* itemAt(int32_t index);
    bool hasChildren(zTreeItem* item);
    // 0 no item or not visible, 2 scrolled, 1 already in view.
    int32_t scrollIntoView(zTreeItem* item);
    // The part of an item's line at x (content coordinates): 0 text,
    // 1 expander box, 2 picture.
    int32_t hitPart(zTreeItem* item, int32_t x);
    // An item going away: notified, and forgotten as selection and binding.
    void forget(zTreeItem* item);
    void invalidateFrom(zTreeItem* item);

    zTreeItemDList& items() { return items_; }
    DWORD lastClick = 0;
    int32_t contentWidth = 0;
    std::unique_ptr<ziImageStrip> strip;
    zTreeItem** bound = nullptr;
    int32_t itemHeight = 20;
    int32_t indent = -1;
    int32_t buttons = 1;
    int32_t drawn = 0;
    uint8_t treeStyle;
    zPen boxPen{PS_SOLID, 0, zColor{64, 64, 64, 0}};
    zPen signPen{PS_SOLID, 0, zColor{0, 0, 0, 0}};
    zPen linePen{PS_DOT, 0, zColor{64, 64, 64, 0}};
    int32_t focused = 0;

private:
    // Visits the visible items in order with their depth; stops when the
    // visitor answers true.
    bool walk(const std::function<bool(zTreeItem*, int32_t depth, int32_t index)>& visit);
    void invalidateLine(zTreeItem* item);

    zTreeItemDList items_;
    zTreeItem* selection_ = nullptr;
    std::unique_ptr<zScrollInfo> vInfo_;
    std::unique_ptr<zScrollInfo> hInfo_;
    std::unique_ptr<ziTreeCtrlScroller> treeScroller_;
};
