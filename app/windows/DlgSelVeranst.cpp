#include "app/windows/DlgSelVeranst.h"

#include <string>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "framework/core/zListBoxBase.h"

DlgSelVeranst::DlgSelVeranst(zWindow* parent, const zResId& id, const EventState& state)
    : DlgTemplate(parent, id, state.settings)
{
    list_ = new zListBoxUnsorted(this, ListId);
    list_->addDblClkHandler(this, zProc(&DlgSelVeranst::chosen));
    int stops[2] = {115, 175};
    SendMessageA(list_->handle(), LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
    for (const EventListEntry& e : state.eventList) {
        if (!e.valid)
            continue;
        std::string line = ProgrammeText(e.kind);
        line += '\t';
        if (e.kind > 90)
            line += "Beliebige Veranstaltung ab Stadt-, Kreisebene";
        else
            line += e.levelName + "\t" + e.title;
        list_->add(line.c_str());
    }
    list_->setSelection(0);
}

int DlgSelVeranst::chosen(zEvent* ev) { return ok(ev); }

int32_t DlgSelVeranst::selection() const { return list_->selection(); }

int32_t DlgSelVeranst::lineCount() const { return list_->count(); }
