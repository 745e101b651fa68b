#include "framework/core/zBitmapPane.h"

#include "framework/core/zBitmap.h"
#include "framework/core/zBitmapDisplay.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zSizer.h"

zBitmapPane::zBitmapPane(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zPaneControl(parent, sizer, style, title, id)
{
}

zBitmapPane::~zBitmapPane()
{
    delete bitmap_;
    delete mask_;
}

void zBitmapPane::setBitmap(zBitmap* bitmap, int32_t centred)
{
    if (bitmap != bitmap_)
        delete bitmap_;
    bitmap_ = bitmap;
    centred_ = centred;
    if (hwnd_)
        display()->invalidateRect(nullptr, 1);
}

int zBitmapPane::sizeSizer(zEvent* ev)
{
    zPaneControl::sizeSizer(ev);
    display()->invalidateRect(nullptr, 1);
    return 1;
}

int zBitmapPane::draw(zEvent*)
{
    zDisplay* d = display();
    d->acquire();
    if (bitmap_) {
        const SIZE s = bitmap_->size();
        int32_t x = 0, y = 0;
        if (centred_) {
            x = (sizer_->width() - s.cx) / 2;
            y = (sizer_->height() - s.cy) / 2;
        }
        zRect meet;
        meet.intersect({x, y, x + s.cx, y + s.cy}, d->paintRect());
        if (meet.width() > 0 && meet.height() > 0) {
            // The display takes the bitmap only for the copy: it is
            // deselected before the display goes.
            auto* source = new zBitmapDisplay(bitmap_);
            source->acquire();
            source->copyTo(d, meet.left, meet.top, meet.width(), meet.height(), meet.left - x, meet.top - y);
            source->bitmap(nullptr);
            source->release();
            delete source;
        }
    }
    d->release();
    return 1;
}
