#include "framework/core/zScrollerBase.h"

#include "framework/core/zPane.h"
#include "framework/core/zScrollInfo.h"

zScrollerBase::~zScrollerBase()
{
    if (pane_ && pane_->scroller() == this)
        pane_->setScroller(nullptr);
}

bool zScrollerBase::hasVert() const { return pane_ && pane_->vertScroll(); }
bool zScrollerBase::hasHorz() const { return pane_ && pane_->horzScroll(); }

int zScrollerBase::dispatch(zEvent* ev)
{
    const int code = LOWORD(ev->wParam);
    if (code != SB_ENDSCROLL)
        beforeScroll();
    zScrollInfo* info = nullptr;
    if (ev->message == WM_VSCROLL)
        info = pane_ ? pane_->vertScroll() : nullptr;
    else if (ev->message == WM_HSCROLL)
        info = pane_ ? pane_->horzScroll() : nullptr;
    if (!info)
        return 0;
    if (info->prev() == info->pos())
        return 1;
    if (!pane_->scroller())
        return 0;
    const bool vert = ev->message == WM_VSCROLL;
    switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN: return vert ? vertLine() : horzLine();
    case SB_PAGEUP:
    case SB_PAGEDOWN: return vert ? vertPage() : horzPage();
    case SB_THUMBPOSITION: return vert ? vertThumb() : horzThumb();
    case SB_THUMBTRACK: return vert ? vertTrack() : horzTrack();
    case SB_TOP: return vert ? vertTop() : horzLeft();
    case SB_BOTTOM: return vert ? vertBottom() : horzRight();
    default: return 1;
    }
}

// ---- keyboard ----

zScrollerWKeyboard::zScrollerWKeyboard(zPane* pane) : zScrollerBase(pane) { attach(); }

zScrollerWKeyboard::~zScrollerWKeyboard() { detach(); }

void zScrollerWKeyboard::attach()
{
    if (attached_ || !pane_)
        return;
    pane_->addNotify(this, zProc(&zScrollerWKeyboard::onKeyDown), WM_KEYDOWN);
    attached_ = 1;
}

void zScrollerWKeyboard::detach()
{
    if (!attached_)
        return;
    if (pane_)
        pane_->removeNotify(this, zProc(&zScrollerWKeyboard::onKeyDown));
    attached_ = 0;
}

void zScrollerWKeyboard::setPane(zPane* pane)
{
    const bool was = attached();
    detach();
    zScrollerBase::setPane(pane);
    if (was)
        attach();
}

int zScrollerWKeyboard::keyDown(zEvent* ev)
{
    if (!pane_ || !pane_->scroller())
        return 0;
    const WPARAM key = ev->wParam;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (zScrollInfo* v = pane_->vertScroll()) {
        if (v->min() == v->max())
            return 0;
        const int32_t pos = v->pos(), min = v->min(), max = v->max(), page = v->page();
        if (key == VK_PRIOR && !ctrl) {
            if (pos == min)
                return 0;
            beforeScroll();
            if (min + page <= pos) {
                v->setPos(pos - page);
                return vertPage();
            }
            v->setPos(min);
            return vertTop();
        }
        if (key == VK_NEXT && !ctrl) {
            if (pos == max)
                return 0;
            beforeScroll();
            if (max - page >= pos) {
                v->setPos(pos + page);
                return vertPage();
            }
            v->setPos(max);
            return vertBottom();
        }
        if (key == VK_END && ctrl) {
            if (pos == max)
                return 0;
            beforeScroll();
            v->setPos(max);
            return vertBottom();
        }
        if (key == VK_HOME && ctrl) {
            if (pos == min)
                return 0;
            beforeScroll();
            v->setPos(min);
            return vertTop();
        }
    }
    zScrollInfo* h = pane_->horzScroll();
    if (!h || h->min() == h->max() || !ctrl)
        return 0;
    const int32_t pos = h->pos(), min = h->min(), max = h->max(), page = h->page();
    if (key == VK_PRIOR) {
        beforeScroll();
        if (min + page <= pos) {
            h->setPos(pos - page);
            return horzPage();
        }
        h->setPos(min);
        return horzLeft();
    }
    if (key == VK_NEXT) {
        beforeScroll();
        if (max - page >= pos) {
            h->setPos(pos + page);
            return horzPage();
        }
        h->setPos(max);
        return horzRight();
    }
    return 0;
}
