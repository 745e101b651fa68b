#include "app/windows/MeldeToolbar.h"

#include "app/windows/InfoButton.h"
#include "framework/controls3d/zSlotSizer.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zResId.h"

MeldeToolbar::MeldeToolbar(zWindow* parent, zSizer* sizer) : zToolbar(parent, sizer, 0x200, 0)
{
    setSpacing(5, 0);
    struct Slot {
        int32_t slot, id, bitmap;
        const char* hint;
    };
    static const Slot slots[] = {{1, 13, 14, "Mannschaft speichern"},     {3, 3055, 12, nullptr},
                                 {5, 3062, 9, "Neue Mannschaft erfassen"}, {6, 104, 23, "Mannschaft korrigieren"},
                                 {7, 102, 8, "Staffelzeit erfassen"},      {8, 3056, 12, nullptr},
                                 {10, ToggleId, 7, "Zellensteuerung"}};
    for (const Slot& s : slots) {
        // The Enter-movement button keeps its state (a toggle).
        const DWORD style = s.id == ToggleId ? 0x4210 : 0x4010;
        auto* b = new InfoButton(this, new zSlotSizer(s.slot, s.hint ? 25 : 10, 25, this->sizer()), style, "",
                                 s.id, new zBitmap(zResId(s.bitmap)), s.hint);
        b->show(SW_SHOW);
        if (!s.hint)
            enableCommand(s.id, 0);
    }
}

void MeldeToolbar::setToggle(int32_t mode)
{
    if (auto* b = dynamic_cast<zBitmapButton*>(findButton(ToggleId)))
        b->setCheck(mode != 1 ? 1 : 0);
}
