#include "framework/core/zPaneScroller.h"

#include "framework/core/zDisplay.h"
#include "framework/core/zPane.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/ziScrollArith.h"

zPaneScroller::zPaneScroller(zPane* pane) : zScrollerWKeyboard(pane)
{
    horzRect_ = vertRect_ = clientRect();
}

zRect zPaneScroller::clientRect() const
{
    RECT r{};
    if (pane_ && pane_->handle())
        GetClientRect(pane_->handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

int zPaneScroller::reset()
{
    horzRect_ = vertRect_ = clientRect();
    if (pane_ && pane_->handle())
        InvalidateRect(pane_->handle(), nullptr, TRUE);
    return 1;
}

void zPaneScroller::scrollBy(bool vertical, int32_t d)
{
    if (vertical)
        pane_->scrollWindow(0, d, &vertRect_);
    else
        pane_->scrollWindow(d, 0, &horzRect_);
}

void zPaneScroller::finish(zScrollInfo* info) { info->setLast(info->pos()); }

int zPaneScroller::apply(bool vertical, zScrollInfo* info, const ziScrollArith::Move& m)
{
    switch (m.kind) {
    case ziScrollArith::Move::Scroll:
        scrollBy(vertical, m.delta);
        finish(info);
        return 1;
    case ziScrollArith::Move::Top: return vertical ? vertTop() : horzLeft();
    case ziScrollArith::Move::Bottom: return vertical ? vertBottom() : horzRight();
    default: return 0;
    }
}

int zPaneScroller::line(bool vertical)
{
    zScrollInfo* info = vertical ? pane_->vertScroll() : pane_->horzScroll();
    if (!info)
        return 0;
    const int32_t step = vertical ? stepY_ : stepX_;
    ziScrollArith::Move m = ziScrollArith::line(info->prev(), info->pos(), info->min(), info->max(), step);
    return apply(vertical, info, m);
}

int zPaneScroller::page(bool vertical)
{
    zScrollInfo* info = vertical ? pane_->vertScroll() : pane_->horzScroll();
    if (!info)
        return 0;
    const int32_t pixels = vertical ? pageY_ : pageX_;
    ziScrollArith::Move m =
        ziScrollArith::page(info->prev(), info->pos(), info->min(), info->max(), info->page(), pixels);
    return apply(vertical, info, m);
}

int zPaneScroller::jumpTo(bool vertical, bool toMax)
{
    zScrollInfo* info = vertical ? pane_->vertScroll() : pane_->horzScroll();
    if (!info)
        return 0;
    // The content still shows the previous position captured here; setPos
    // overwrites it.
    const int32_t shown = info->prev();
    info->setPos(toMax ? info->max() : info->min());
    if (const int32_t d = ziScrollArith::jump(shown, info->pos(), vertical ? stepY_ : stepX_))
        scrollBy(vertical, d);
    finish(info);
    return 1;
}

int zPaneScroller::thumb(bool vertical)
{
    zScrollInfo* info = vertical ? pane_->vertScroll() : pane_->horzScroll();
    if (!info || info->prev() == info->pos())
        return 0;
    scrollBy(vertical, ziScrollArith::jump(info->prev(), info->pos(), vertical ? stepY_ : stepX_));
    finish(info);
    return 1;
}

int zPaneScroller::vertLine() { return line(true); }
int zPaneScroller::vertPage() { return page(true); }
int zPaneScroller::vertTop() { return jumpTo(true, false); }
int zPaneScroller::vertBottom() { return jumpTo(true, true); }
int zPaneScroller::vertThumb() { return thumb(true); }
int zPaneScroller::horzLine() { return line(false); }
int zPaneScroller::horzPage() { return page(false); }
int zPaneScroller::horzLeft() { return jumpTo(false, false); }
int zPaneScroller::horzRight() { return jumpTo(false, true); }
int zPaneScroller::horzThumb() { return thumb(false); }

// ---- automatic ----

zPaneScrollerAuto::zPaneScrollerAuto(zPane* pane) : zPaneScroller(pane)
{
    if (pane_)
        pane_->preferredSize(contentWidth_, contentHeight_);
    reset();
}

zPaneScrollerAuto::~zPaneScrollerAuto()
{
    if (!pane_)
        return;
    pane_->display()->setWindowOrg(0, 0);
    for (zScrollInfo* info : {pane_->horzScroll(), pane_->vertScroll()}) {
        if (!info)
            continue;
        info->setRange(0, 0);
        info->setPos(0);
        info->setLast(0);
    }
    if (pane_->handle() && IsWindow(pane_->handle()))
        InvalidateRect(pane_->handle(), nullptr, TRUE);
}

void zPaneScrollerAuto::scrollBy(bool vertical, int32_t d)
{
    zPaneScroller::scrollBy(vertical, d);
    if (!moveOrigin_)
        return;
    zDisplay* display = pane_->display();
    POINT org = display->windowOrg();
    if (vertical)
        display->setWindowOrg(org.x, org.y - d);
    else
        display->setWindowOrg(org.x - d, org.y);
}

void zPaneScrollerAuto::finish(zScrollInfo* info)
{
    zPaneScroller::finish(info);
    if (update_ && pane_->handle())
        UpdateWindow(pane_->handle());
}

int zPaneScrollerAuto::reset()
{
    if (!pane_)
        return 0;
    bool invalidateAll = false;
    const zRect client = clientRect();
    for (bool vertical : {false, true}) {
        zScrollInfo* info = vertical ? pane_->vertScroll() : pane_->horzScroll();
        if (!info)
            continue;
        const int32_t oldMin = info->min(), oldMax = info->max(), oldPos = info->pos();
        int32_t w = 0, h = 0;
        if (!pane_->preferredSize(w, h)) {
            info->setRange(oldMin, oldMax);
            continue;
        }
        contentWidth_ = w;
        contentHeight_ = h;
        const int32_t content = vertical ? h : w;
        const int32_t extent = vertical ? client.height() : client.width();
        const int32_t step = vertical ? stepY_ : stepX_;
        if (extent < content) {
            const int32_t newMax = ziScrollArith::autoMax(content, extent, step);
            // The range is stored first so that the kept position is clamped
            // to the new range, not the old one.
            info->setRange(oldMin, newMax);
            if (oldPos != 0 && oldMax != 0) {
                info->setPos(ziScrollArith::keptPosition(oldPos, oldMax, newMax, oldMin));
                if (pane_->handle())
                    InvalidateRect(pane_->handle(), nullptr, TRUE);
                if (vertical)
                    vertThumb();
                else
                    horzThumb();
            }
        } else {
            info->setRange(0, 0);
            info->setPos(0);
            info->setLast(0);  // the origin goes back to 0 with it
            POINT org = pane_->display()->windowOrg();
            if (vertical)
                pane_->display()->setWindowOrg(org.x, 0);
            else
                pane_->display()->setWindowOrg(0, org.y);
            invalidateAll = true;
        }
    }
    horzRect_ = vertRect_ = client;
    if (invalidateAll && pane_->handle())
        InvalidateRect(pane_->handle(), nullptr, TRUE);
    return 1;
}
