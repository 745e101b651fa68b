#include "app/windows/AppToolbar.h"

#include "app/windows/InfoButton.h"
#include "framework/controls3d/zSlotSizer.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zResId.h"

AppToolbar::AppToolbar(zWindow* parent, zSizer* sizer) : zToolbar(parent, sizer, 0x200, 0, 1)
{
    setSpacing(5, 0);
    struct Slot {
        int32_t slot, id, bitmap;
        const char* hint;
    };
    static const Slot slots[] = {{1, 12, 13, "Meldungen öffnen"},  {3, 3024, 12, nullptr},
                                 {5, 10, 11, "Meldefehler prüfen"}, {7, 3025, 12, nullptr},
                                 {9, 23, 15, "Meldungen drucken"},  {11, 3026, 12, nullptr},
                                 {13, 22, 16, "Meldedatei erstellen"}, {15, 3027, 12, nullptr},
                                 {17, 4, 22, "Programmende"},       {30, 1, 1, "Hilfe"}};
    for (const Slot& s : slots) {
        auto* b = new InfoButton(this, new zSlotSizer(s.slot, s.hint ? 25 : 10, 25, this->sizer()), 0x4010, "",
                                 s.id, new zBitmap(zResId(s.bitmap)), s.hint);
        b->show(SW_SHOW);
        if (!s.hint)
            enableCommand(s.id, 0);
    }
}
