#pragma once
// Sizers hold a window's position and size and form a tree that mirrors the
// tree of windows; on a resize a sizer lays out the sizers of the children.
#include <cstdint>
#include <vector>

#include "framework/core/zRect.h"

class zWindow;
struct zEvent;
class zSizer;

// A value of x, y, width or height that was never given.
constexpr int32_t zSizerUnset = INT32_MIN;  // 0x80000000

// Placement kinds.
enum : int32_t {
    zSizerLeft = 0,
    zSizerRight = 1,
    zSizerTop = 2,
    zSizerBottom = 3,
    zSizerCentre = 4,
    zSizerFill = 5,
    zSizerAbsolute = 6,
};

// What a sizer tells the layout about itself.
struct zLayoutRecord {
    struct Size {
        int32_t width = 0;
        int32_t height = 0;
    };
    int32_t x = 0;
    int32_t y = 0;
    Size a;  // size A
    Size b;  // size B: the size the layout places by
    Size c;  // size C
    int32_t kind = zSizerAbsolute;
    int32_t word1 = 0;
    int32_t word2 = 0;

    void reset() { *this = zLayoutRecord{}; }
    void setSize(int32_t width, int32_t height) { a = b = c = Size{width, height}; }
    void setPosition(int32_t px, int32_t py) { x = px; y = py; }
    // Takes, for each of the six numbers of A, B and C, the larger one.
    void merge(const zLayoutRecord& other);
};

using zSizerDlist = std::vector<zSizer*>;

class zLayout {
public:
    virtual ~zLayout() = default;
};

class zNormalLayout : public zLayout {
public:
    // Places every child in the area; when no child centres or fills, the
    // area shrinks to the room the docked children took.
    virtual void layout(zRect& area, zSizerDlist* children, int32_t count);
    // The room the children need: left and right children side by side
    // (widths add up), top and bottom ones stacked (heights add up), centred
    // and filling ones the larger of each size, absolute ones up to their
    // right and bottom edges.
    virtual void preferredSize(zLayoutRecord& out, zSizerDlist* children, int32_t count);

    // The one layout shared by every sizer that has none of its own.
    static zNormalLayout* shared();
};

class zSizer {
public:
    explicit zSizer(zSizer* parent = nullptr);
    zSizer(int32_t x, int32_t y, int32_t width, int32_t height, zSizer* parent = nullptr);
    virtual ~zSizer();

    zSizer(const zSizer&) = delete;
    zSizer& operator=(const zSizer&) = delete;

    virtual void parentResized(zWindow* window, zEvent* sizeEvent);
    virtual void setRect(const zRect* rect);
    virtual void layoutInfo(zLayoutRecord& record);
    virtual void place(zRect& rect, int32_t noMove);
    // This sizer when it is of the kind the tag names, else null.
    virtual zSizer* isA(int32_t tag);

    void detach();
    void addChild(zSizer* child);       // at the end of the list
    void addChildFront(zSizer* child);  // at the front of the list

    void setOrigin(int32_t px, int32_t py) { x_ = px; y_ = py; }
    // Stores the size and answers it.
    zLayoutRecord::Size setExtent(int32_t width, int32_t height);
    void setWindow(zWindow* window);

    int32_t x() const { return x_; }
    int32_t y() const { return y_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    zRect rect() const;  // (x, y, x + width, y + height), unset values as 0
    zSizer* parent() const { return parent_; }
    int32_t kind() const { return kind_; }
    void setKind(int32_t kind) { kind_ = kind; }
    zWindow* window() const { return window_; }
    bool hasWindow() const { return hasWindow_ != 0; }
    int32_t childCount() const { return childCount_; }
    const zSizerDlist* children() const { return children_; }
    void setLayout(zNormalLayout* layout) { layout_ = layout; }
    zNormalLayout* layout() const { return layout_ ? layout_ : zNormalLayout::shared(); }

protected:
    void storeRect(const zRect& rect);
    // The area the children are laid out in.
    zRect childArea(const zRect& rect) const;
    // Window services; without a window nothing happens.
    bool windowExists() const;
    bool windowClientSize(int32_t& width, int32_t& height) const;
    void moveWindowTo(const zRect& rect) const;

    int32_t x_ = zSizerUnset;
    int32_t y_ = zSizerUnset;
    int32_t width_ = zSizerUnset;
    int32_t height_ = zSizerUnset;
    zSizer* parent_ = nullptr;
    int32_t kind_ = zSizerAbsolute;
    zNormalLayout* layout_ = nullptr;
    zSizerDlist* children_ = nullptr;
    zWindow* window_ = nullptr;
    int32_t hasWindow_ = 0;
    int32_t childCount_ = 0;
};

// A plain stored rectangle.
class zLeafSizer : public zSizer {
public:
    explicit zLeafSizer(zSizer* parent = nullptr);
    void setRect(const zRect* rect) override;
    void layoutInfo(zLayoutRecord& record) override;
    void place(zRect& rect, int32_t noMove) override;
    zSizer* isA(int32_t tag) override;
};

// Docked to an edge (or centred, or filling) with a fixed width or height.
class zGravSizer : public zSizer {
public:
    zGravSizer(int32_t kind, int32_t value, zSizer* parent = nullptr);
    void layoutInfo(zLayoutRecord& record) override;
    zSizer* isA(int32_t tag) override;

    int32_t fixedWidth() const { return fixedWidth_; }
    int32_t fixedHeight() const { return fixedHeight_; }
    void setFixedWidth(int32_t w) { fixedWidth_ = w; }
    void setFixedHeight(int32_t h) { fixedHeight_ = h; }

protected:
    int32_t fixedWidth_ = 0;
    int32_t fixedHeight_ = 0;
};

// Docked with a size in percent of the parent.
class zPercentSizer : public zGravSizer {
public:
    zPercentSizer(int32_t kind, float percentHeight, float percentWidth, zSizer* parent = nullptr);
    void layoutInfo(zLayoutRecord& record) override;
    zSizer* isA(int32_t tag) override;

protected:
    float percentHeight_;
    float percentWidth_;
};

// Takes the size its children need.
class zGrowToFitSizer : public zGravSizer {
public:
    enum Mode : uint8_t { Free = 0, HeightFixed = 1, WidthFixed = 2 };
    zGrowToFitSizer(int32_t kind, zSizer* parent = nullptr);
    void layoutInfo(zLayoutRecord& record) override;
    void place(zRect& rect, int32_t noMove) override;
    zSizer* isA(int32_t tag) override;

    void setMode(uint8_t mode) { mode_ = mode; }
    uint8_t mode() const { return mode_; }

protected:
    uint8_t mode_ = Free;
};

// Follows the parent window's client size, outside the layout.
class zSizeWithParent : public zSizer {
public:
    zSizeWithParent();
    void parentResized(zWindow* window, zEvent* sizeEvent) override;
    void layoutInfo(zLayoutRecord& record) override;
    zSizer* isA(int32_t tag) override;
};
