#include "components/buttonedits/controls/DCTabControl.h"

bool TDCTabControl::DialogKey(WORD key, TShiftState shift) {
  // Dialog keys travel up from the focused control, so a key that arrives
  // here comes from this control or one inside it.
  if (key == VK_TAB && (shift & ssCtrl) && !(shift & ssAlt) && TabCount() > 0) {
    const int step = (shift & ssShift) ? TabCount() - 1 : 1;
    SetTabIndex((TabIndex() + step) % TabCount());
    Change();
    return true;
  }
  return TTabControl::DialogKey(key, shift);
}
