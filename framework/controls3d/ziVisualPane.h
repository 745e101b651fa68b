#pragma once
// A pane that hosts a root compound of visuals: painting, sizing, mouse and
// character input go to the visuals.

#include "framework/controls3d/ziVisualHost.h"
#include "framework/core/zPane.h"

class ziVisualPane : public ziVisualHost<zPane> {
public:
    ziVisualPane(zWindow* parent, zSizer* sizer, DWORD style);

    int printPage(zDisplay* display, const zRect& band) override;

    zDisplay* currentDisplay() const { return display(); }

protected:
    // Passes commands and menu selections on to the owner window; everything
    // else, and everything while there is no owner, gets the default handling.
    LRESULT forwardToOwner(zWindow* owner, zEvent* ev);
};
