#pragma once
// An item of the status line: a visual framed by a sunken panel face.
// Items on the left or right edge keep a 4-pixel gap to the next one.

#include "framework/controls3d/ziVisual.h"
#include "framework/core/RcCString.h"

class zGravSizer;
class zStatusLine;
class ziVisPanelInternal;

class zStatusItem : public ziVisual {
public:
    static constexpr uint32_t AlignRight = 0x002;
    static constexpr uint32_t AlignCentre = 0x004;
    static constexpr uint32_t Clip = 0x400;
    static constexpr uint32_t NoGap = 0x800;
    static constexpr size_t TextCapacity = 500;

    zStatusItem(zStatusLine* line, zSizer* sizer, int32_t id, uint32_t flags);
    ~zStatusItem() override;

    void draw(const zRect* r) override;
    virtual void erase();

    // Copies the text (cut to 499 characters; null is the empty text) and
    // invalidates the item when it changed.
    void setText(const char* text);
    const RcCString& text() const { return text_; }
    int32_t id() const { return id_; }
    uint32_t itemFlags() const { return flags_; }
    ziVisPanelInternal* face() const { return face_; }
    const zRect& lastTextRect() const { return lastText_; }
    zStatusLine* statusLine() const { return line_; }
    void forgetStatusLine() { line_ = nullptr; }

    void addGap();

protected:
    // Places the face on the item's rectangle and paints it.
    void paintFace();
    void invalidate();

    ziVisPanelInternal* face_ = nullptr;
    uint32_t flags_;
    int32_t id_;
    zRect lastText_{};
    zGravSizer* gap_ = nullptr;
    RcCString text_;
    zStatusLine* line_;
};

// An item that shows a text, left, right-aligned or centred.
class zStatusItemText : public zStatusItem {
public:
    zStatusItemText(zStatusLine* line, zSizer* sizer, int32_t id, uint32_t flags);
    // Docked by gravity with the width of a sample text plus 8 (the rest of
    // the bar for gravity 5).
    zStatusItemText(zStatusLine* line, int32_t gravity, const char* sample, int32_t id,
                    uint32_t flags);

    void draw(const zRect* r) override;
    virtual void drawText();

protected:
    // Width of a text in the status line's display plus 8.
    int32_t measure(const char* text) const;
    void dock(int32_t gravity, int32_t width);
};
