#include "classlib/Menus.h"

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}
