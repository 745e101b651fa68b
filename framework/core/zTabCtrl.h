#pragma once
// The tab control: a row of tabs along the top (or, with style 0x04, the
// bottom) edge of a framed page area. The user switches tabs with the
// mouse or the Left and Right keys; a derived class may veto a switch
// (canChange) and the parent window is told of every switch (code 1).
// The tabs are objects of the control's users that measure and draw
// themselves; the control lays them out, clips, frames the page and keeps
// the selection.
#include <memory>

#include "framework/core/zDblList.h"
#include "framework/core/zFont.h"
#include "framework/core/zPaneControl.h"

class zDisplay;
class zTabCtrl;

class zTab {
public:
    virtual ~zTab() = default;
    // Sets width and height.
    virtual void measure(zDisplay* display) = 0;
    // The two drawing steps, called in this order.
    virtual void drawBody(zDisplay* display) = 0;
    virtual void drawLabel(zDisplay* display) = 0;

    bool holds(int32_t px, int32_t py) const { return px >= x && px <= x + width && py >= y && py <= y + height; }

    int32_t x = 0, y = 0, width = 0, height = 0;
    zTabCtrl* owner = nullptr;
    int32_t data = 0;
    int32_t id = 0;
    int32_t selected = 0;
    int32_t dirty = 0;
};

using zTabDList = zDblList<zTab>;

class zTabCtrl : public zPaneControl {
public:
    enum : uint8_t { RowAtBottom = 0x04 };
    enum : int32_t { BoundPointer = 2 };

    zTabCtrl(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~zTabCtrl() override;

    int sizeSizer(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override;
    int validate() override;
    int transferIn() override;
    int draw(zEvent* ev) override;
    virtual void layout();
    virtual void tabChanged(int32_t newId, int32_t oldId) {}
    // 0 vetoes the switch.
    virtual int32_t canChange(int32_t newId, int32_t oldId) { return 1; }
    int keyDown(zEvent* ev);

    // Appends a tab (owned) and lays the row out again.
    void addTab(zTab* tab);
    void select(zTab* tab);
    void selectById(int32_t id);

    uint8_t tabStyle() const { return tabStyle_; }
    int32_t tabCount() const { return tabs_.count(); }
    zTab* currentTab() const { return current_; }
    zTabDList& tabs() { return tabs_; }
    const zRect& row() const { return row_; }

    int32_t firstTab = 0;
    int32_t overlap = 0;
    int32_t rowMargin;
    void* bound = nullptr;
    int32_t boundKind = 0;

private:
    bool atBottom() const { return (tabStyle_ & RowAtBottom) != 0; }
    void drawRowAtTop(const zRect& paint, const zRect& extent);
    void drawRowAtBottom(const zRect& paint, const zRect& extent);
    void drawTabs(const zRect& paint);
    // The right edge of the last shown tab that fits wholly into the row
    // (the row's left when none does); sets cut when a tab passes the row.
    int32_t fittingEdge(bool& cut, const zTab*& last);
    // The first tab from firstTab on: the row's line breaks off where it starts.
    zTab* firstShownTab() const;

    zTabDList tabs_;
    zTab* current_ = nullptr;
    zRect row_{};
    uint8_t tabStyle_;
    int32_t bandHeight_ = 0;
};
