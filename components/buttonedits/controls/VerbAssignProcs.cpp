#include "components/buttonedits/controls/VerbAssignProcs.h"

#include "classlib/Button.h"
#include "classlib/SpeedButton.h"
#include "components/buttonedits/controls/VerbDispatcher.h"

namespace {

void assignControl(TComponent* component, TVerbListItem* item) {
  auto* c = dynamic_cast<TControl*>(component);
  if (!c) return;
  TVerbState s = item->State();
  if (c->Visible() != ((s & vsVisible) != 0)) c->SetVisible((s & vsVisible) != 0);
  c->SetEnabled((s & vsEnabled) != 0);
  if (item->Destroying())
    c->OnClick = nullptr;
  else
    c->OnClick = [item](TObject*) { item->VerbOnClick(); };
}

}  // namespace

void RegisterStandardAssignVerbProcs() {
  RegisterAssignVerbProc<TButton>("TButton", assignControl);
  RegisterAssignVerbProc<TSpeedButton>("TSpeedButton", assignControl);
}
