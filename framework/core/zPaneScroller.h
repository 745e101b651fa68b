#pragma once
// Scrolls the pane's pixels by a fixed number of pixels per position.
#include "framework/core/zRect.h"
#include "framework/core/zScrollerBase.h"
#include "framework/core/ziScrollArith.h"

class zScrollInfo;

class zPaneScroller : public zScrollerWKeyboard {
public:
    explicit zPaneScroller(zPane* pane);

    int reset() override;
    int vertLine() override;
    int vertPage() override;
    int vertTop() override;
    int vertBottom() override;
    int vertThumb() override;
    int vertTrack() override { return 0; }
    int horzLine() override;
    int horzPage() override;
    int horzLeft() override;
    int horzRight() override;
    int horzThumb() override;
    int horzTrack() override { return 0; }

    // The horizontal scroll rectangle (the part of the client area that
    // horizontal moves scroll) and the vertical one.
    void setArea(int32_t l, int32_t t, int32_t r, int32_t b) { horzRect_ = {l, t, r, b}; }
    void setView(int32_t l, int32_t t, int32_t r, int32_t b) { vertRect_ = {l, t, r, b}; }
    void setStepX(int32_t v) { stepX_ = v; }
    void setStepY(int32_t v) { stepY_ = v; }
    void setPageX(int32_t v) { pageX_ = v; }
    void setPageY(int32_t v) { pageY_ = v; }
    zRect& area() { return horzRect_; }
    zRect& view() { return vertRect_; }
    int32_t& stepX() { return stepX_; }
    int32_t& stepY() { return stepY_; }
    int32_t& pageX() { return pageX_; }
    int32_t& pageY() { return pageY_; }

protected:
    // Scrolls by d pixels in one axis.
    virtual void scrollBy(bool vertical, int32_t d);
    // Ends a successful move: the position becomes the previous one.
    virtual void finish(zScrollInfo* info);
    zRect clientRect() const;

    zRect horzRect_;
    zRect vertRect_;
    int32_t stepX_ = 1;
    int32_t stepY_ = 1;
    int32_t pageX_ = 10;
    int32_t pageY_ = 10;

private:
    // Carries out a computed move: scrolls by its delta or jumps to an end.
    int apply(bool vertical, zScrollInfo* info, const ziScrollArith::Move& m);
    int line(bool vertical);
    int page(bool vertical);
    int jumpTo(bool vertical, bool toMax);
    int thumb(bool vertical);
};

// A pane scroller that also moves the display's window origin, so the
// pane keeps drawing in content coordinates, and sets its ranges from the
// pane's preferred size.
class zPaneScrollerAuto : public zPaneScroller {
public:
    explicit zPaneScrollerAuto(zPane* pane);
    ~zPaneScrollerAuto() override;

    int reset() override;

    int32_t& moveOrigin() { return moveOrigin_; }
    int32_t& update() { return update_; }
    int32_t contentWidth() const { return contentWidth_; }
    int32_t contentHeight() const { return contentHeight_; }

protected:
    void scrollBy(bool vertical, int32_t d) override;
    void finish(zScrollInfo* info) override;

private:
    int32_t moveOrigin_ = 1;
    int32_t update_ = 1;
    int32_t contentWidth_ = 0;
    int32_t contentHeight_ = 0;
};
