#pragma once
// A plain caption visual; with autoSize its sizer takes the text's extent.

#include "framework/controls3d/ziVisual.h"
#include "framework/core/RcCString.h"

struct zLayoutRecord;

class ziVisText : public ziVisual {
public:
    ziVisText(ziCompound* parent, zSizer* sizer, const char* text, int32_t autoSize);

    virtual void setText(const char* text);
    const RcCString& text() const { return text_; }
    int32_t autoSize() const { return autoSize_; }

    void draw(const zRect* r) override;

protected:
    // Layout callback of the automatic sizer: the text's extent.
    void reportExtent(zLayoutRecord& record);
    void relayout();

    RcCString text_;
    int32_t autoSize_;
};
