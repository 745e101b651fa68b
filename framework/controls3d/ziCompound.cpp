#include "framework/controls3d/ziCompound.h"

ziCompound::ziCompound(ziCompound* parent, zSizer* sizer) : ziVisual(parent, sizer) {}

ziCompound::~ziCompound()
{
    ziVisualDList* list = children_;
    children_ = nullptr;
    capture_ = nullptr;
    if (list) {
        zDListIter<ziVisual> it(*list);
        while (ziVisual* child = it.next()) {
            child->setParent(nullptr);
            delete child;
        }
        delete list;
    }
    active_.clear(false);
    activeCount_ = 0;
}

zDisplay* ziCompound::display() const
{
    if (displaySource_)
        return displaySource_();
    return ziVisual::display();
}

void ziCompound::add(ziVisual* visual)
{
    if (!visual)
        return;
    if (!children_)
        children_ = new ziVisualDList;
    children_->append(visual);
    visual->setParent(this);
    if (visual->flags() & ActiveBit)
        childActivated(visual, ActiveBit);
}

void ziCompound::remove(ziVisual* visual)
{
    if (capture_ == visual)
        capture_ = nullptr;
    if (active_.remove(visual))
        --activeCount_;
    if (children_)
        children_->remove(visual);
}

void ziCompound::childActivated(ziVisual* child, uint32_t bits)
{
    zDListIter<ziVisual> it(active_);
    if (!it.find(child)) {
        active_.append(child);
        ++activeCount_;
    }
    if ((flags_ & bits) != bits) {
        flags_ |= bits;
        if (parent_)
            parent_->childActivated(this, bits);
    }
}

void ziCompound::childDeactivated(ziVisual* child, uint32_t bits)
{
    if (!active_.remove(child))
        return;
    --activeCount_;
    if (activeCount_ == 0 && (flags_ & bits)) {
        flags_ &= ~bits;
        if (parent_)
            parent_->childDeactivated(this, bits);
    }
}

int ziCompound::intersects(const zRect& r)
{
    if (!visible_)
        return 0;
    return unbounded_ ? 1 : ziVisual::intersects(r);
}

int ziCompound::contains(int32_t px, int32_t py)
{
    if (!visible_)
        return 0;
    return unbounded_ ? 1 : ziVisual::contains(px, py);
}

int ziCompound::mouseButtonDown(zEvent* ev)
{
    if (children_) {
        const int32_t px = eventX(ev), py = eventY(ev);
        zDListIter<ziVisual> it(*children_);
        while (ziVisual* child = it.next()) {
            if (!isActiveChild(child) || !child->contains(px, py) || !child->hits(px, py))
                continue;
            capture_ = child;
            if (child->mouseButtonDown(ev))
                return 1;
        }
    }
    capture_ = nullptr;
    return 0;
}

int ziCompound::mouseMove(zEvent* ev)
{
    if (capture_)
        return capture_->mouseMove(ev);
    if (!children_)
        return 0;
    const int32_t px = eventX(ev), py = eventY(ev);
    zDListIter<ziVisual> it(*children_);
    while (ziVisual* child = it.next()) {
        if (isActiveChild(child) && child->contains(px, py) && child->mouseMove(ev))
            return 1;
    }
    return 0;
}

int ziCompound::mouseButtonUp(zEvent* ev)
{
    ziVisual* child = capture_;
    if (!child)
        return 0;
    capture_ = nullptr;
    return child->mouseButtonUp(ev);
}

int ziCompound::charInput(zEvent* ev)
{
    if (!children_)
        return 0;
    zDListIter<ziVisual> it(*children_);
    while (ziVisual* child = it.next()) {
        if (isActiveChild(child) && child->charInput(ev))
            return 1;
    }
    return 0;
}

void ziCompound::draw(const zRect* r)
{
    if (!children_)
        return;
    applyAspects();
    zDListIter<ziVisual> it(*children_);
    while (ziVisual* child = it.next()) {
        if (!child->isVisible())
            continue;
        if (!r || child->overlaps(*r))
            child->draw(r);
    }
}

void ziCompound::layout()
{
    if (!children_)
        return;
    zDListIter<ziVisual> it(*children_);
    while (ziVisual* child = it.next())
        child->layout();
}

void ziCompound::show(int32_t flag)
{
    ziVisual::show(flag);
    if (!children_)
        return;
    zDListIter<ziVisual> it(*children_);
    while (ziVisual* child = it.next())
        child->show(flag);
}
