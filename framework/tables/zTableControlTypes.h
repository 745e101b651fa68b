// The control types of the table and rich controls, so that dialog
// templates can name them by class.
#pragma once

// Registers "zTable", "zTablePrintable", "zValueSet", "zTreeCtrl" and
// "zProgressBar", in that order; each call appends a full set. The start
// routine registers them after the 3-D controls (zRegisterControls3dTypes).
void zRegisterTableControlTypes();
