#pragma once
// The scroll state of one scroll bar of a window: range, page, line,
// position and the previous position that the scrollers compare against.
#include <cstdint>

class zWindow;

class zScrollInfo {
public:
    // Windows scroll-bar codes (SB_HORZ, SB_VERT, SB_CTL).
    enum Bar : int32_t { Horz = 0, Vert = 1, Ctl = 2 };

    explicit zScrollInfo(zWindow* owner, int32_t bar = Vert);
    virtual ~zScrollInfo() = default;

    // Clamps to the range, keeps the old position as the previous one and
    // moves the bar's thumb (after any range still waiting in the queue).
    void setPos(int32_t position);
    // The same without touching the previous position (thumb moves).
    void jumpTo(int32_t position);
    // Stores the previous position only.
    void setLast(int32_t position) { prev_ = position; }
    // Stores the range and posts it to the owner (message 0x90A), whose
    // window procedure sets the bar's range when it gets there.
    void setRange(int32_t minimum, int32_t maximum);

    int32_t min() const { return min_; }
    int32_t max() const { return max_; }
    int32_t page() const { return page_; }
    int32_t line() const { return line_; }
    int32_t pos() const { return pos_; }
    int32_t prev() const { return prev_; }
    int32_t bar() const { return bar_; }
    zWindow* owner() const { return owner_; }
    void setPage(int32_t page) { page_ = page; }
    void setLine(int32_t line) { line_ = line; }
    void setOwner(zWindow* owner) { owner_ = owner; }

    // The framework's message that carries a deferred scroll range.
    static constexpr uint32_t rangeMessage = 0x90A;

private:
    void moveThumb();

    int32_t min_ = 0;
    int32_t max_ = 100;
    int32_t page_ = 10;
    int32_t line_ = 1;
    int32_t pos_ = 0;
    int32_t prev_ = 0;
    int32_t bar_;
    zWindow* owner_;
};

class zScrollInfoVert : public zScrollInfo {
public:
    explicit zScrollInfoVert(zWindow* owner) : zScrollInfo(owner, Vert) {}
};

class zScrollInfoHoriz : public zScrollInfo {
public:
    explicit zScrollInfoHoriz(zWindow* owner) : zScrollInfo(owner, Horz) {}
};

// The state of a scroll bar control.
class zScrollInfoCtl : public zScrollInfo {
public:
    explicit zScrollInfoCtl(zWindow* owner) : zScrollInfo(owner, Ctl) {}
};
