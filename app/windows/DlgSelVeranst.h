#pragma once
// The event chooser "Wettbewerb wählen": one line per event-definition
// file; OK or a double click chooses.
#include "app/windows/DlgTemplate.h"

struct EventState;
class zListBoxUnsorted;

class DlgSelVeranst : public DlgTemplate {
public:
    static constexpr int32_t ListId = 101;
    DlgSelVeranst(zWindow* parent, const zResId& id, const EventState& state);
    // The chosen line, which is also the index into the event list.
    int32_t selection() const;
    int32_t lineCount() const;
    zListBoxUnsorted* list() const { return list_; }

private:
    int chosen(zEvent* ev);
    zListBoxUnsorted* list_;
};
