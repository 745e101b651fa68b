#include "framework/controls3d/zStatusLineEZ.h"

#include "framework/controls3d/zStatusClock.h"
#include "framework/controls3d/zStatusOnOffItem.h"
#include "framework/core/zSizer.h"

zStatusLineEZ::zStatusLineEZ(zWindow* parent, zSizer* sizer, uint32_t statusStyle, DWORD paneStyle,
                             zFont* font)
    : zStatusLine(parent, sizer, statusStyle, paneStyle, font)
{
    addPresetItems(statusStyle);
}

void zStatusLineEZ::addPresetItems(uint32_t style)
{
    if (style & 0x1000)
        new zStatusClock(this, zSizerRight, -1);
    if (style & 0x0800)
        new zStatusNumLock(this, zSizerRight, -1, nullptr, nullptr);
    if (style & 0x4000)
        new zStatusCapsLock(this, zSizerRight, -1, nullptr, nullptr);
    if (style & 0x0100)
        new zStatusItemText(this, nullptr, 0, 0x401);
    if (style & 0x2000)
        showMenuHelp();
    else if ((style & 0x8100) == 0x8100)
        useItemForMessages(0);
}

void zStatusLineEZ::show(int code)
{
    if (!(state() & WasShown) && (style_ & 0x0100)) {
        if (zStatusItem* item = findItem(0)) {
            if (!item->sizer())
                item->setSizer(new zGravSizer(zSizerFill, 0, sizer()));
        }
    }
    zStatusLine::show(code);
}
