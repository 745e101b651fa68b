#pragma once
// A pane control that shows one bitmap, at its top-left corner or centred,
// and repaints only the part of the bitmap that a paint needs. It has no
// bitmap when constructed.
#include "framework/core/zPaneControl.h"

class zBitmap;

class zBitmapPane : public zPaneControl {
public:
    zBitmapPane(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~zBitmapPane() override;

    int sizeSizer(zEvent* ev) override;
    int draw(zEvent* ev) override;

    zBitmap* bitmap() const { return bitmap_; }
    zBitmap* mask() const { return mask_; }
    // Takes the bitmap (owned; the previous one is deleted) and repaints.
    void setBitmap(zBitmap* bitmap, int32_t centred);
    int32_t centred() const { return centred_; }

private:
    zBitmap* bitmap_ = nullptr;
    zBitmap* mask_ = nullptr;
    int32_t centred_ = 0;
};
