#pragma once
// The state of the shift keys now.
#include "components/buttonedits/runtime/KeyList.h"

bool ShiftIsPressed();
bool IsAltKeyDown();
// Shift, Ctrl and Alt as the keyboard state says.
TShiftState KeysToShift();
