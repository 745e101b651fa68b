#pragma once
// The OK, Cancel and Help buttons of the library's dialogs: the Help button
// is shown or hidden by one switch for all of them.
#include "classlib/Control.h"

// Whether the dialogs offer a Help button; on by default.
extern bool ShowStandardHelpButton;
// Shows or hides `help` by the switch; hiding it moves Cancel into its
// place and OK into Cancel's. Null buttons are passed over.
void UpdateStandardButtons(TControl* ok, TControl* cancel, TControl* help);
