#pragma once
// A "VisualCtrl" control window that hosts a root compound of visuals and
// hands it painting, sizing, mouse and character input.

#include "framework/controls3d/ziCtrlPane.h"

class ziShellCompound;

class ziVisualCtrlPane : public ziCtrlPane {
public:
    ziVisualCtrlPane(zWindow* parent, zSizer* sizer, DWORD style);
    ~ziVisualCtrlPane() override;

    int sizeSizer(zEvent* ev) override;
    int mouseMove(zEvent* ev) override;
    int mouseButtonUp(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override;
    int charInput(zEvent* ev) override;
    int draw(zEvent* ev) override;

    ziShellCompound* root() const { return root_; }

protected:
    // Shifts a mouse point by the display's window origin.
    void shiftPoint(zEvent& ev) const;

    ziShellCompound* root_ = nullptr;
};
