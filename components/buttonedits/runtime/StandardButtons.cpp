#include "components/buttonedits/runtime/StandardButtons.h"

bool ShowStandardHelpButton = true;

void UpdateStandardButtons(TControl* ok, TControl* cancel, TControl* help) {
  if (!help) return;
  if (ShowStandardHelpButton) {
    help->SetVisible(true);
    return;
  }
  // Move only on the change, so that a second call leaves the places.
  if (!help->Visible()) return;
  help->SetVisible(false);
  int place = help->Left();
  for (TControl* button : {cancel, ok}) {
    if (!button) continue;
    const int old = button->Left();
    button->SetLeft(place);
    place = old;
  }
}
