#include "framework/core/zCaret.h"

#include "framework/core/zWindow.h"

zCaret::zCaret(zWindow* window, int32_t flag, int32_t width, int32_t height)
    : window_(window), flag_(flag), width_(width), height_(height), blinkTime_(GetCaretBlinkTime())
{
    if (window_) {
        window_->setCaret(this);
        if (window_->handle() && GetFocus() == window_->handle()) {
            create();
            show();
        }
    }
}

zCaret::~zCaret()
{
    destroy();
    if (window_ && window_->caret() == this)
        window_->setCaret(nullptr);
}

void zCaret::create()
{
    if (exists_ || !window_ || !window_->handle())
        return;
    if (CreateCaret(window_->handle(), nullptr, width_, height_)) {
        exists_ = 1;
        SetCaretPos(x_, y_);
        // The count outlives the caret: a caret comes back as it was left.
        if (showCount_ > 0)
            ShowCaret(window_->handle());
    }
}

void zCaret::destroy()
{
    if (exists_) {
        DestroyCaret();
        exists_ = 0;
    }
}

void zCaret::hide()
{
    if (--showCount_ == 0 && exists_)
        HideCaret(window_->handle());
}

void zCaret::show()
{
    if (++showCount_ == 1 && exists_)
        ShowCaret(window_->handle());
}

void zCaret::setPos(POINT p)
{
    x_ = p.x;
    y_ = p.y;
    if (exists_)
        SetCaretPos(x_, y_);
}
