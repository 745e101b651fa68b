#pragma once
// A status line that makes its items from its style word: 0x1000 a clock,
// 0x0800 num lock, 0x4000 caps lock (all on the right edge), 0x0100 a text
// item with id 0 that takes the rest of the bar; 0x2000 menu help in the
// message area, or with 0x8100 menu help into the text item.

#include "framework/controls3d/zStatusLine.h"

class zStatusLineEZ : public zStatusLine {
public:
    zStatusLineEZ(zWindow* parent, zSizer* sizer, uint32_t statusStyle, DWORD paneStyle,
                  zFont* font);

    void show(int code) override;

protected:
    void addPresetItems(uint32_t style);
};
