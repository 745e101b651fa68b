#pragma once
// The scroller of a table: its bars count whole columns and rows, so page
// steps and thumb moves set the table's first visible column or row; line
// steps, top and bottom and the keyboard stay those of the pane scroller.
#include "framework/core/zPaneScroller.h"

class zTable;

class ziTableScroller : public zPaneScroller {
public:
    explicit ziTableScroller(zTable* table);

    int reset() override { return 0; }
    int vertPage() override { return page(true); }
    int horzPage() override { return page(false); }
    int vertThumb() override { return thumb(true); }
    int horzThumb() override { return thumb(false); }

private:
    int page(bool vertical);
    int thumb(bool vertical);
    void showNewOrigin();

    zTable* table_;
};
