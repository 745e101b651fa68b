#pragma once
// A pane that hosts a root compound of visuals: painting, sizing, mouse and
// character input go to the visuals.

#include "framework/core/zPane.h"

class ziShellCompound;

class ziVisualPane : public zPane {
public:
    ziVisualPane(zWindow* parent, zSizer* sizer, DWORD style);
    ~ziVisualPane() override;

    int sizeSizer(zEvent* ev) override;
    int mouseMove(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override;
    int charInput(zEvent* ev) override;
    int draw(zEvent* ev) override;
    int printPage(zDisplay* display, const zRect& band) override;

    ziShellCompound* root() const { return root_; }
    zDisplay* currentDisplay() const { return display(); }

protected:
    // Passes commands and menu selections on to the owner window; everything
    // else, and everything while there is no owner, gets the default handling.
    LRESULT forwardToOwner(zWindow* owner, zEvent* ev);

    ziShellCompound* root_ = nullptr;
};
