#pragma once
// A pane control that shows a bitmap; it has none yet when constructed.
#include "framework/core/zPaneControl.h"

class zBitmap;

class zBitmapPane : public zPaneControl {
public:
    zBitmapPane(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
        : zPaneControl(parent, sizer, style, title, id)
    {
    }
    zBitmap* bitmap() const { return bitmap_; }
    zBitmap* mask() const { return mask_; }

private:
    zBitmap* bitmap_ = nullptr;
    zBitmap* mask_ = nullptr;
};
