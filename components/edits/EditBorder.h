#pragma once
// The border look the enhanced edits share, painted over the edit's 3-D
// frame (its non-client area): flat (the frame in the background colour
// with a line at the bottom), soft (a thin line in the shadow colour), a
// coloured or a 3-D border while focused, and the disabled look.
#include <windows.h>

#include "classlib/Color.h"

struct TEditBorder {
  bool Flat = false;
  TColor FlatLineColor = clBlack;
  bool FlatParentColor = true;
  bool SoftBorder = false;
  bool FocusBorder = false;       // a flat edit shows its 3-D frame while focused
  TColor FocusBorderColor = clNone;  // a thin frame of this colour while focused
  TColor DisabledColor = clSilver;
  bool DisabledBorder = true;     // a disabled edit keeps its frame

  // Whether the frame is painted here rather than left to the system.
  bool Custom(bool focused, bool enabled) const;
  // Paints the frame of `window` after the system painted its own;
  // `background` is the edit's colour.
  void Paint(HWND window, bool focused, bool enabled, TColor background) const;
  // Has the frame painted again (after a focus or style change).
  static void Refresh(HWND window);
};
