#pragma once
// The progress bar: a pane control showing a bar filled to a percentage in
// one of four directions, with an optional frame and a caption over it.
// Its window gets style 0; the style word is the bar's own setting.
#include <memory>

#include "framework/core/zPaneControl.h"
#include "framework/tables/ziProgressBarInfo.h"

class zProgressBar : public zPaneControl {
public:
    zProgressBar(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~zProgressBar() override;

    int sizeSizer(zEvent* ev) override;
    int eraseBackground(zEvent*) override { return 1; }
    void backgroundColor(const zColor& colour) override;
    void setFont(zFont* font, int redraw) override;
    int draw(zEvent* ev) override;

    DWORD barStyle() const { return info_->style; }
    ziProgressBarInfo* info() const { return info_.get(); }
    // Sets the percentage (clamped to 0 to 100 when drawn) and repaints.
    void setPercentage(float percentage);

private:
    std::unique_ptr<ziProgressBarInfo> info_;
};
