#pragma once
// Light drawing objects that live inside a host window without being
// windows themselves. Each has its own sizer, which gives its rectangle in
// the host's client coordinates; a compound holds child visuals in order.

#include <windows.h>

#include <cstdint>

#include "framework/core/zDblList.h"
#include "framework/core/zEvH.h"
#include "framework/core/zRect.h"

class zDisplay;
class zSizer;
class zWindow;
class ziCompound;

// Something applied to the host display before a visual draws.
class ziAspect {
public:
    virtual ~ziAspect() = default;
    virtual void apply(zDisplay* display) = 0;
};
using ziAspectDList = zDblList<ziAspect>;

class ziVisual : public zEvH {
public:
    // The visual, or one of its descendants, wants mouse and key events.
    static constexpr uint32_t ActiveBit = 0x1;

    // Not yet in the parent's child list: the builder calls ziCompound::add.
    ziVisual(ziCompound* parent, zSizer* sizer);
    ~ziVisual() override;

    virtual int intersects(const zRect& r);
    virtual int contains(int32_t px, int32_t py);
    virtual int overlaps(const zRect& r);
    virtual int hits(int32_t px, int32_t py);
    virtual int mouseButtonUp(zEvent* ev);
    virtual int mouseButtonDown(zEvent* ev);
    virtual int mouseMove(zEvent* ev);
    virtual int charInput(zEvent* ev);
    virtual void applyAspects();
    // r may be null: draw everything.
    virtual void draw(const zRect* r);
    virtual void layout();
    virtual void show(int32_t flag);

    // The host's display and window, found through the parent chain.
    virtual zDisplay* display() const;
    virtual zWindow* host() const;

    void setActive(uint32_t bits);
    void clearActive(uint32_t bits);
    // Replaces the host display's font by a copy of the given one, or by
    // the stock system font for none.
    void setFont(HFONT font);

    void addAspect(ziAspect* aspect);

    zSizer* sizer() const { return sizer_; }
    // Hands the sizer over without deleting the old one (the caller owns it).
    void setSizer(zSizer* sizer) { sizer_ = sizer; }
    ziCompound* parent() const { return parent_; }
    void setParent(ziCompound* parent) { parent_ = parent; }
    int32_t isVisible() const { return visible_; }
    uint32_t flags() const { return flags_; }

    // The rectangle from the sizer; unset values count as 0.
    int32_t x() const;
    int32_t y() const;
    int32_t width() const;
    int32_t height() const;
    zRect rect() const { return zRect{x(), y(), x() + width(), y() + height()}; }

    // The point of a mouse message: its low and high 16-bit halves, signed.
    static int32_t eventX(const zEvent* ev) { return int16_t(LOWORD(ev->lParam)); }
    static int32_t eventY(const zEvent* ev) { return int16_t(HIWORD(ev->lParam)); }
    // Left-button down, up and double-click.
    static bool isLeftButton(const zEvent* ev);

protected:
    zSizer* sizer_;
    ziCompound* parent_;
    ziAspectDList* aspects_ = nullptr;
    int32_t visible_ = 1;
    uint32_t flags_ = 0;
};
