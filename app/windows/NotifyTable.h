#pragma once
// The input grid tied to the school tab strip: the strip tells it which
// team tab is current, and it tells its parent window with message 2024,
// on which the parent stores the athletes shown so far and loads the new
// team's.
#include "app/windows/InputTablePane.h"

class NotebookPane;

// Sent (not posted) to the grid's parent when another team tab was chosen.
constexpr UINT kMsgTabChanged = WM_USER + 1000;

class NotifyTable : public InputTablePane {
public:
    NotifyTable(zWindow* parent, zSizer* sizer, int32_t columns, int32_t rows, int32_t tableIndex);

    // The strip's news: the current team becomes the index, and the parent
    // gets message 2024; answers the message's result.
    LRESULT notifyRow(int32_t index);
    // The current team while the strip holds tabs, else -1.
    int32_t currentRow() const;
    void setTabStrip(NotebookPane* strip) { tabStrip_ = strip; }
    NotebookPane* tabStrip() const { return tabStrip_; }

    int sizeSizer(zEvent* ev) override;

private:
    int32_t currentTeam_ = 0;
    NotebookPane* tabStrip_ = nullptr;
};
