#include "app/windows/GridCaret.h"

#include "app/windows/InputTablePane.h"
#include "framework/core/zApplication.h"
#include "framework/core/zTimer.h"

namespace {

// The time the framework's timers count in, so that the blink phase and
// its timer agree.
uint32_t timerNow()
{
    return theApplication && theApplication->timerDev ? theApplication->timerDev->now() : GetTickCount();
}

}  // namespace

GridCaret::GridCaret(InputTablePane* pane, int32_t width, int32_t height)
    : pane_(pane), width_(width), height_(height), blinkMs_(GetCaretBlinkTime())
{
    if (pane_->handle() && GetFocus() == pane_->handle())
        focus(true);
}

GridCaret::~GridCaret()
{
    if (systemCaret_)
        DestroyCaret();
}

bool GridCaret::wanted() const { return shown_ && focused_ && pane_->handle(); }

void GridCaret::show()
{
    shown_ = true;
    sync();
}

void GridCaret::hide()
{
    shown_ = false;
    sync();
}

void GridCaret::place(POINT at)
{
    pos_ = at;
    if (systemCaret_)
        SetCaretPos(pos_.x, pos_.y);
    sync();
}

void GridCaret::hold()
{
    if (held_++ == 0 && barOn_) {
        invert(barPos_);
        barOn_ = false;
    }
}

void GridCaret::release()
{
    if (held_ > 0 && --held_ == 0)
        sync();
}

void GridCaret::focus(bool has)
{
    focused_ = has;
    // Magnifiers and screen readers follow the system caret: the grid
    // keeps one, never shown, at the place of its own bar.
    if (has && !systemCaret_ && pane_->handle() && CreateCaret(pane_->handle(), nullptr, width_, height_)) {
        systemCaret_ = true;
        SetCaretPos(pos_.x, pos_.y);
    } else if (!has && systemCaret_) {
        DestroyCaret();
        systemCaret_ = false;
    }
    // The system timer ticks every 100 ms: a period a little under the
    // blink time keeps the rate close to the system's.
    if (has && !blinkTimer_ && blinkMs_ != INFINITE)
        blinkTimer_ = std::make_unique<zTimer>(this, zTask(&GridCaret::blink), blinkMs_ > 100 ? blinkMs_ - 50 : 50);
    else if (!has)
        blinkTimer_.reset();
    sync();
}

// Outside a hold the screen follows the wish at once: a bar that moves or
// is no longer wanted goes, a wanted one comes and starts a blink phase.
void GridCaret::sync()
{
    if (held_ > 0)
        return;
    const bool want = wanted();
    if (barOn_ && (!want || barPos_.x != pos_.x || barPos_.y != pos_.y)) {
        invert(barPos_);
        barOn_ = false;
    }
    if (want && !barOn_) {
        invert(pos_);
        barPos_ = pos_;
        barOn_ = true;
        shownAt_ = timerNow();
    }
}

void GridCaret::invert(POINT at)
{
    HDC dc = pane_->takeDisplay();
    if (dc) {
        RECT r{at.x, at.y, at.x + width_, at.y + height_};
        InvertRect(dc, &r);
    }
    pane_->giveDisplay();
}

// A bar shown again since the last tick (typing) stays for a whole phase.
int GridCaret::blink()
{
    if (held_ > 0 || !wanted())
        return 0;
    const uint32_t now = timerNow();
    if (barOn_ && now - shownAt_ + 100 < blinkMs_)
        return 0;
    if (barOn_) {
        invert(barPos_);
        barOn_ = false;
    } else {
        invert(pos_);
        barPos_ = pos_;
        barOn_ = true;
    }
    shownAt_ = now;
    return 0;
}
