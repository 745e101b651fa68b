#include "framework/core/zSizer.h"

#include <algorithm>
#include <utility>

namespace {

// Unset values count as 0 wherever a sizer computes with them.
int32_t orZero(int32_t v) { return v == zSizerUnset ? 0 : v; }
bool isSet(int32_t v) { return v != zSizerUnset; }

}  // namespace

void zLayoutRecord::merge(const zLayoutRecord& o)
{
    a.width = std::max(a.width, o.a.width);
    a.height = std::max(a.height, o.a.height);
    b.width = std::max(b.width, o.b.width);
    b.height = std::max(b.height, o.b.height);
    c.width = std::max(c.width, o.c.width);
    c.height = std::max(c.height, o.c.height);
}

// ---- zNormalLayout ----

zNormalLayout* zNormalLayout::shared()
{
    // Made on first use and kept to the end of the program.
    static zNormalLayout* layout = new zNormalLayout;
    return layout;
}

void zNormalLayout::layout(zRect& area, zSizerDlist* children, int32_t)
{
    if (!children)
        return;
    zRect free = area;
    int32_t usedWidth = 0;
    int32_t usedHeight = 0;
    bool fill = false;
    zLayoutRecord rec;
    for (zSizer* child : *children) {
        rec.reset();
        child->layoutInfo(rec);
        int32_t kind = child->isA(10) ? zSizerAbsolute : rec.kind;
        const int32_t w = rec.b.width;
        const int32_t h = rec.b.height;
        zRect r;
        switch (kind) {
        case zSizerLeft:
            r = {free.left, free.top, free.left + w, h ? free.top + h : free.bottom};
            free.left += w;
            usedWidth += w;
            break;
        case zSizerRight:
            r = {free.right - w, free.top, free.right, h ? free.top + h : free.bottom};
            free.right -= w;
            usedWidth += w;
            break;
        case zSizerTop:
            r = {free.left, free.top, w ? free.left + w : free.right, free.top + h};
            free.top += h;
            usedHeight += h;
            break;
        case zSizerBottom:
            r = {free.left, free.bottom - h, w ? free.left + w : free.right, free.bottom};
            free.bottom -= h;
            usedHeight += h;
            break;
        case zSizerCentre: {
            const int32_t cw = w ? w : free.right - free.left;
            const int32_t ch = h ? h : free.bottom - free.top;
            const int32_t ox = std::max(0, (free.right - free.left - cw) / 2);
            const int32_t oy = std::max(0, (free.bottom - free.top - ch) / 2);
            r = {free.left + ox, free.top + oy, free.left + ox + cw, free.top + oy + ch};
            fill = true;
            break;
        }
        case zSizerFill:
            r = {free.left, free.top, w ? free.left + w : free.right, h ? free.top + h : free.bottom};
            fill = true;
            break;
        case zSizerAbsolute:
            // A child that was never given a position is not placed.
            if (!isSet(rec.x) || !isSet(rec.y))
                continue;
            r = {rec.x, rec.y, isSet(w) ? rec.x + w : free.right, isSet(h) ? rec.y + h : free.bottom};
            break;
        default:
            r = {};
            break;
        }
        child->place(r, 0);
    }
    if (!fill)
        area = {area.left, area.top, area.left + usedWidth, area.top + usedHeight};
}

void zNormalLayout::preferredSize(zLayoutRecord& out, zSizerDlist* children, int32_t)
{
    out.reset();
    if (!children)
        return;
    int32_t maxRight = 0;
    int32_t maxBottom = 0;
    zLayoutRecord rec;
    for (zSizer* child : *children) {
        rec.reset();
        child->layoutInfo(rec);
        const std::pair<zLayoutRecord::Size*, const zLayoutRecord::Size*> sizes[] = {
            {&out.a, &rec.a}, {&out.b, &rec.b}, {&out.c, &rec.c}};
        switch (rec.kind) {
        case zSizerLeft:
        case zSizerRight:
            // Docked side by side: the widths add up.
            for (auto [o, r] : sizes) {
                o->width += orZero(r->width);
                o->height = std::max(o->height, r->height);
            }
            break;
        case zSizerTop:
        case zSizerBottom:
            // Stacked: the heights add up.
            for (auto [o, r] : sizes) {
                o->width = std::max(o->width, r->width);
                o->height += orZero(r->height);
            }
            break;
        case zSizerCentre:
        case zSizerFill:
            out.merge(rec);
            break;
        case zSizerAbsolute:
            // Only a child with a position and a size has edges.
            if (isSet(rec.x) && isSet(rec.b.width))
                maxRight = std::max(maxRight, rec.x + rec.b.width);
            if (isSet(rec.y) && isSet(rec.b.height))
                maxBottom = std::max(maxBottom, rec.y + rec.b.height);
            break;
        default:
            break;
        }
    }
    if (out.b.width < maxRight) {
        out.b.width = maxRight;
        if (out.c.width < maxRight)
            out.c.width = maxRight;
    }
    if (out.b.height < maxBottom) {
        out.b.height = maxBottom;
        if (out.c.height < maxBottom)
            out.c.height = maxBottom;
    }
}

// ---- zSizer ----

zSizer::zSizer(zSizer* parent)
{
    if (parent)
        parent->addChild(this);
}

zSizer::zSizer(int32_t x, int32_t y, int32_t width, int32_t height, zSizer* parent)
    : x_(x), y_(y), width_(width), height_(height)
{
    if (parent)
        parent->addChild(this);
}

zSizer::~zSizer()
{
    if (children_) {
        for (zSizer* child : *children_)
            child->parent_ = nullptr;
        delete children_;
        children_ = nullptr;
        childCount_ = 0;
    }
    detach();
}

void zSizer::detach()
{
    if (!parent_)
        return;
    zSizerDlist* list = parent_->children_;
    if (list) {
        auto it = std::find(list->begin(), list->end(), this);
        if (it != list->end()) {
            list->erase(it);
            --parent_->childCount_;
        }
    }
    parent_ = nullptr;
}

void zSizer::addChild(zSizer* child)
{
    if (!children_)
        children_ = new zSizerDlist;
    children_->push_back(child);
    child->parent_ = this;
    ++childCount_;
}

void zSizer::addChildFront(zSizer* child)
{
    if (!children_)
        children_ = new zSizerDlist;
    children_->insert(children_->begin(), child);
    child->parent_ = this;
    ++childCount_;
}

zLayoutRecord::Size zSizer::setExtent(int32_t width, int32_t height)
{
    width_ = width;
    height_ = height;
    return {width_, height_};
}

void zSizer::setWindow(zWindow* window)
{
    window_ = window;
    hasWindow_ = window != nullptr;
}

zRect zSizer::rect() const
{
    const int32_t x = orZero(x_), y = orZero(y_);
    return {x, y, x + orZero(width_), y + orZero(height_)};
}

void zSizer::storeRect(const zRect& r)
{
    x_ = r.left;
    y_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

zRect zSizer::childArea(const zRect& r) const
{
    if (hasWindow_)
        return {0, 0, orZero(width_), orZero(height_)};
    return r;
}

void zSizer::parentResized(zWindow*, zEvent*) {}

void zSizer::setRect(const zRect* r)
{
    zRect built;
    if (r) {
        built = *r;
    } else {
        int32_t w, h;
        if (hasWindow_ && windowClientSize(w, h)) {
            width_ = w;
            height_ = h;
        }
        built = rect();
    }
    storeRect(built);
    place(built, 1);
}

void zSizer::place(zRect& r, int32_t noMove)
{
    storeRect(r);
    zRect area = childArea(r);
    if (children_ && !children_->empty())
        layout()->layout(area, children_, childCount_);
    if (hasWindow_ && !noMove && kind_ != zSizerAbsolute)
        moveWindowTo(r);
}

void zSizer::layoutInfo(zLayoutRecord& rec)
{
    rec.reset();
    if (children_ && !children_->empty()) {
        layout()->preferredSize(rec, children_, childCount_);
        if (kind_ == zSizerAbsolute) {
            rec.setSize(width_, height_);
            rec.setPosition(x_, y_);
            rec.kind = zSizerAbsolute;
        }
    } else {
        rec.setSize(width_, height_);
        rec.setPosition(x_, y_);
        rec.kind = kind_;
    }
}

zSizer* zSizer::isA(int32_t tag) { return tag == 1 ? this : nullptr; }

// ---- zLeafSizer ----

zLeafSizer::zLeafSizer(zSizer* parent) : zSizer(parent) {}

void zLeafSizer::setRect(const zRect* r)
{
    zRect built = r ? *r : rect();
    place(built, 0);
}

void zLeafSizer::place(zRect& r, int32_t) { storeRect(r); }

void zLeafSizer::layoutInfo(zLayoutRecord& rec)
{
    rec.setSize(width_, height_);
    rec.setPosition(x_, y_);
    rec.kind = kind_;
}

zSizer* zLeafSizer::isA(int32_t tag) { return tag == 2 || tag == 1 ? this : nullptr; }

// ---- zGravSizer ----

zGravSizer::zGravSizer(int32_t kind, int32_t value, zSizer* parent) : zSizer(parent)
{
    kind_ = kind;
    if (kind == zSizerLeft || kind == zSizerRight) {
        fixedWidth_ = value;
        width_ = value;
    } else if (kind == zSizerTop || kind == zSizerBottom) {
        fixedHeight_ = value;
        height_ = value;
    } else {
        fixedWidth_ = fixedHeight_ = value;
        width_ = height_ = value;
    }
}

void zGravSizer::layoutInfo(zLayoutRecord& rec)
{
    rec.setSize(fixedWidth_, fixedHeight_);
    rec.setPosition(x_, y_);
    rec.kind = kind_;
}

zSizer* zGravSizer::isA(int32_t tag) { return tag == 5 || tag == 1 ? this : nullptr; }

// ---- zPercentSizer ----

zPercentSizer::zPercentSizer(int32_t kind, float percentHeight, float percentWidth, zSizer* parent)
    : zGravSizer(kind, 0, parent), percentHeight_(percentHeight), percentWidth_(percentWidth)
{
}

void zPercentSizer::layoutInfo(zLayoutRecord& rec)
{
    zGravSizer::layoutInfo(rec);
    const int32_t pw = parent_ ? orZero(parent_->width()) : 0;
    const int32_t ph = parent_ ? orZero(parent_->height()) : 0;
    const int32_t h = percentHeight_ > 0 ? static_cast<int32_t>(static_cast<float>(ph) * percentHeight_ * 0.01f) : ph;
    const int32_t w = percentWidth_ > 0 ? static_cast<int32_t>(static_cast<float>(pw) * percentWidth_ * 0.01f) : pw;
    rec.setSize(w, h);
}

zSizer* zPercentSizer::isA(int32_t tag) { return tag == 6 || tag == 5 || tag == 1 ? this : nullptr; }

// ---- zGrowToFitSizer ----

zGrowToFitSizer::zGrowToFitSizer(int32_t kind, zSizer* parent) : zGravSizer(kind, 0, parent) {}

void zGrowToFitSizer::layoutInfo(zLayoutRecord& rec)
{
    rec.reset();
    rec.kind = kind_;
    if (children_ && !children_->empty()) {
        layout()->preferredSize(rec, children_, childCount_);
        rec.kind = kind_;
        if (mode_ == HeightFixed)
            rec.a.height = rec.b.height = rec.c.height = fixedHeight_;
        else if (mode_ == WidthFixed)
            rec.a.width = rec.b.width = rec.c.width = fixedWidth_;
    } else {
        rec.setSize(width_, height_);
        rec.setPosition(x_, y_);
    }
}

void zGrowToFitSizer::place(zRect& r, int32_t noMove)
{
    storeRect(r);
    zRect area = childArea(r);
    if (children_ && !children_->empty()) {
        layout()->layout(area, children_, childCount_);
        storeRect(area);
    }
    if (hasWindow_ && !noMove)
        moveWindowTo(r);
}

zSizer* zGrowToFitSizer::isA(int32_t tag) { return tag == 7 || tag == 5 || tag == 1 ? this : nullptr; }

// ---- zSizeWithParent ----

zSizeWithParent::zSizeWithParent() : zSizer(nullptr) { kind_ = zSizerCentre; }

void zSizeWithParent::layoutInfo(zLayoutRecord& rec)
{
    rec.reset();
    rec.setSize(0, 0);
    rec.setPosition(0, 0);
    rec.kind = kind_;
}

zSizer* zSizeWithParent::isA(int32_t tag) { return tag == 9 || tag == 1 ? this : nullptr; }
