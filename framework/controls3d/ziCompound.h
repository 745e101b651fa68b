#pragma once
// A visual that holds child visuals in order and routes drawing, sizing,
// mouse and character input down to them.

#include <functional>

#include "framework/controls3d/ziVisual.h"

using ziVisualDList = zDblList<ziVisual>;

class ziCompound : public ziVisual {
public:
    ziCompound(ziCompound* parent, zSizer* sizer);
    // Deletes every child (clearing its parent pointer first).
    ~ziCompound() override;

    int intersects(const zRect& r) override;
    int contains(int32_t px, int32_t py) override;
    int mouseButtonUp(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override;
    int mouseMove(zEvent* ev) override;
    int charInput(zEvent* ev) override;
    void draw(const zRect* r) override;
    void layout() override;
    void show(int32_t flag) override;

    zDisplay* display() const override;
    zWindow* host() const override { return host_; }

    // Appends a child (the list is made on first use).
    void add(ziVisual* visual);
    // Unlinks a child without deleting it.
    void remove(ziVisual* visual);
    void childActivated(ziVisual* child, uint32_t bits);
    void childDeactivated(ziVisual* child, uint32_t bits);

    ziVisual* captureChild() const { return capture_; }
    void setCaptureChild(ziVisual* child) { capture_ = child; }
    int32_t activeCount() const { return activeCount_; }
    void setUnbounded(int32_t flag) { unbounded_ = flag; }
    const ziVisualDList* children() const { return children_; }

protected:
    // Reads the host's current display (root compounds); child compounds
    // read their parent's.
    std::function<zDisplay*()> displaySource_;
    zWindow* host_ = nullptr;

private:
    bool isActiveChild(ziVisual* v) const { return (v->flags() & ActiveBit) != 0; }

    ziVisualDList* children_ = nullptr;
    ziVisualDList active_;
    int32_t activeCount_ = 0;
    int32_t unbounded_ = 0;
    ziVisual* capture_ = nullptr;
};
