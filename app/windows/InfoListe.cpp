#include "app/windows/InfoListe.h"

#include "app/windows/InfoListPane.h"
#include "framework/core/zSizer.h"

InfoListe* gInfoListe = nullptr;

InfoListe::InfoListe(zWindow* parent, const EventState& state) : zMDIChildFrame(parent, new zSizer(), WS_OVERLAPPEDWINDOW, "Ergebnisse")
{
    create();
    if (handle())
        ShowWindow(handle(), SW_HIDE);
    pane_ = new InfoListPane(this, new zSizeWithParent(), state);
}

void InfoListe::show(int) {}
