#pragma once
// The tab control: a pane control that takes the focus with the Tab key;
// the low byte of its style word is its tab style.
#include <vector>

#include "framework/core/zPaneControl.h"

class zTabCtrl : public zPaneControl {
public:
    zTabCtrl(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
        : zPaneControl(parent, sizer, style | WS_TABSTOP, title, id), tabStyle_(static_cast<uint8_t>(style & 0xFF))
    {
        initTabs();
    }
    uint8_t tabStyle() const { return tabStyle_; }
    int32_t tabCount() const { return static_cast<int32_t>(tabs_.size()); }
    const char* currentTab() const { return current_; }

private:
    // A new tab control starts with no tabs and none current.
    void initTabs()
    {
        tabs_.clear();
        current_ = nullptr;
    }

    std::vector<const char*> tabs_;
    const char* current_ = nullptr;
    uint8_t tabStyle_;
};
