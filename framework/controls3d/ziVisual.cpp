#include "framework/controls3d/ziVisual.h"

#include "framework/controls3d/ziCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zSizer.h"

ziVisual::ziVisual(ziCompound* parent, zSizer* sizer) : sizer_(sizer), parent_(parent) {}

ziVisual::~ziVisual()
{
    delete sizer_;
    sizer_ = nullptr;
    if (aspects_) {
        aspects_->clear(true);
        delete aspects_;
    }
    if (parent_) {
        if (flags_ & ActiveBit)
            parent_->childDeactivated(this, ActiveBit);
        parent_->remove(this);
    }
}

int32_t ziVisual::x() const
{
    return sizer_ && sizer_->x() != zSizerUnset ? sizer_->x() : 0;
}
int32_t ziVisual::y() const
{
    return sizer_ && sizer_->y() != zSizerUnset ? sizer_->y() : 0;
}
int32_t ziVisual::width() const
{
    return sizer_ && sizer_->width() != zSizerUnset ? sizer_->width() : 0;
}
int32_t ziVisual::height() const
{
    return sizer_ && sizer_->height() != zSizerUnset ? sizer_->height() : 0;
}

int ziVisual::intersects(const zRect& r)
{
    if (!visible_)
        return 0;
    const zRect me = rect();
    return r.left < me.right && me.left < r.right && r.top < me.bottom && me.top < r.bottom;
}

int ziVisual::contains(int32_t px, int32_t py)
{
    if (!visible_)
        return 0;
    return px >= x() && px <= x() + width() && py >= y() && py <= y() + height();
}

int ziVisual::overlaps(const zRect& r) { return intersects(r); }
int ziVisual::hits(int32_t px, int32_t py) { return contains(px, py); }
int ziVisual::mouseButtonUp(zEvent*) { return 0; }
int ziVisual::mouseButtonDown(zEvent*) { return 0; }
int ziVisual::mouseMove(zEvent*) { return 0; }
int ziVisual::charInput(zEvent*) { return 0; }

void ziVisual::applyAspects()
{
    if (!aspects_)
        return;
    zDisplay* d = display();
    zDListIter<ziAspect> it(*aspects_);
    while (ziAspect* a = it.next())
        a->apply(d);
}

void ziVisual::draw(const zRect*) {}
void ziVisual::layout() {}
void ziVisual::show(int32_t flag) { visible_ = flag ? 1 : 0; }

zDisplay* ziVisual::display() const { return parent_ ? parent_->display() : nullptr; }
zWindow* ziVisual::host() const { return parent_ ? parent_->host() : nullptr; }

void ziVisual::setActive(uint32_t bits)
{
    if ((flags_ & bits) == bits)
        return;
    flags_ |= bits;
    if (parent_)
        parent_->childActivated(this, ActiveBit);
}

void ziVisual::clearActive(uint32_t bits)
{
    if (!(flags_ & bits))
        return;
    flags_ &= ~bits;
    if (parent_)
        parent_->childDeactivated(this, bits);
}

void ziVisual::setFont(HFONT font)
{
    zDisplay* d = display();
    if (!d)
        return;
    d->popFont();
    d->pushFont(ziMakeFont(font));
}

void ziVisual::addAspect(ziAspect* aspect)
{
    if (!aspects_)
        aspects_ = new ziAspectDList;
    aspects_->append(aspect);
}

bool ziVisual::isLeftButton(const zEvent* ev)
{
    return ev->message == WM_LBUTTONDOWN || ev->message == WM_LBUTTONUP ||
           ev->message == WM_LBUTTONDBLCLK;
}
