#pragma once
// The strip of school tabs under the athlete grid: one trapezoid tab per
// team, captioned with its tab name and with the school name as a hint
// bubble; three small buttons scroll the tabs, a click selects a tab, and
// the partner grids learn the current tab (their parent gets message 2024).
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/core/zDrawObj.h"
#include "framework/core/zFont.h"
#include "framework/core/zPane.h"
#include "framework/core/zRect.h"
#include "framework/core/zString.h"

class FlybyHelp;
class NotifyTable;
class zBitmapButton;
class zTimer;

class NotebookPane : public zPane {
public:
    static constexpr int32_t MaxTabs = 210;
    // Commands of the scroll buttons: to the first tab, one place to the
    // left, one place back to the right.
    static constexpr int32_t CmdFirst = 1124;
    static constexpr int32_t CmdForward = 1125;
    static constexpr int32_t CmdBack = 1126;
    static constexpr int32_t FirstTabX = 58;

    NotebookPane(zWindow* parent, zSizer* sizer);
    ~NotebookPane() override;

    // Appends a tab and takes both strings (each may be null); with 210 tabs
    // nothing happens and the strings stay the caller's (answer 0).
    int32_t addTab(zString* caption, zString* hint);
    // Gives the current tab new strings (taken; the old ones are deleted).
    void replaceCurrentTab(zString* caption, zString* hint);
    // Makes a tab current and tells the partners.
    void selectTab(int32_t index);
    int32_t tabCount() const { return tabCount_; }
    int32_t current() const { return current_; }
    int32_t firstVisible() const { return firstVisible_; }
    int32_t visibleCount() const { return visibleCount_; }
    // Left edge of the tab at a visible position.
    int32_t tabPosition(int32_t visible) const;
    const char* caption(int32_t index) const;
    const char* hint(int32_t index) const;
    // Partner 0, 1 or 2 (the entry window makes its grid partner 2).
    void setPartner(int32_t which, NotifyTable* partner);
    void setEdge(int32_t edge) { edge_ = edge; }
    zBitmapButton* scrollButton(int32_t which) const;
    FlybyHelp* bubble() const { return bubble_; }
    int32_t hovered() const { return hovered_; }

    int size(zEvent* ev) override;
    int command(zEvent* ev) override;
    int mouseMove(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override { return 0; }
    int draw(zEvent* ev) override;

private:
    void drawEdge(HDC dc, bool thirdLine);
    void layout(HDC dc);
    // Draws a tab at x; its width, or 0 when it does not fit.
    int32_t drawTab(HDC dc, int32_t x, int32_t index, int32_t visible);
    // The visible position under a point, or -1.
    int32_t tabAt(int32_t x, int32_t y) const;
    void removeBubble();
    int watchHint();

    POINT shapes_[MaxTabs][5] = {};
    zTimer* hintTimer_ = nullptr;
    FlybyHelp* bubble_ = nullptr;
    int32_t hovered_ = -1;
    int32_t hintsOn_ = 1;
    zString* captions_[MaxTabs] = {};
    zString* hints_[MaxTabs] = {};
    zRect drawRect_;
    zRect clientRect_;
    int32_t edge_ = 1;
    int32_t tabCount_ = 0;
    int32_t firstVisible_ = 0;
    int32_t current_ = 0;
    int32_t visibleCount_ = 0;
    int32_t positions_[MaxTabs] = {};
    zPen outlinePen_{BLACK_PEN};
    zPen innerPen_{BLACK_PEN};
    std::unique_ptr<zFont> captionFont_;
    zBrush edgeBrush_{BLACK_BRUSH};
    zBrush faceBrush_;
    zBrush whiteBrush_{WHITE_BRUSH};
    zBitmapButton* buttons_[3] = {};
    NotifyTable* partners_[3] = {};
};
