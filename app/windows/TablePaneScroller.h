#pragma once
// Turns the input grid's two scroll bars into its first visible row and its
// first scrolled column; Page Up/Down and Ctrl+Home/End come through the
// keyboard scroller it derives from.
#include "framework/core/zScrollerBase.h"

class InputTablePane;

class TablePaneScroller : public zScrollerWKeyboard {
public:
    explicit TablePaneScroller(InputTablePane* pane);
    // Both bars back to position 0 and an empty range.
    ~TablePaneScroller() override;

    int reset() override;
    int vertThumb() override;
    int horzThumb() override;
    // Horizontal bar 0 .. columnRange, vertical bar 0 .. rowRange; negative
    // values give an empty range.
    void setRanges(int32_t columnRange, int32_t rowRange);

private:
    InputTablePane* table_;
};
