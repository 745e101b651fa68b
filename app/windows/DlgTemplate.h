#pragma once
// The base of the program's dialogs made from dialog templates: centred on
// the screen, and command 9 opens the dialog's help topic.
#include "framework/core/zDialogFrame.h"

struct Settings;

class DlgTemplate : public zFormDialog {
public:
    static constexpr int32_t HelpCommand = 9;
    DlgTemplate(zWindow* parent, const zResId& id, const Settings& settings);
    void center();
    int command(zEvent* ev) override;
    void setHelpContext(int32_t id) { helpContext_ = id; }
    int32_t helpContext() const { return helpContext_; }

private:
    const Settings& settings_;
    int32_t helpContext_ = 0;
};
