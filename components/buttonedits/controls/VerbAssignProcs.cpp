#include "components/buttonedits/controls/VerbAssignProcs.h"

#include "classlib/Menus.h"
#include "components/buttonedits/controls/VerbDispatcher.h"

#ifdef _WIN32
#include "classlib/Button.h"
#include "classlib/SpeedButton.h"
#endif

namespace {

// The component's click runs the verb; an item being destroyed clears it.
template <class T>
void assignClick(T* component, TVerbListItem* item) {
  if (item->Destroying())
    component->OnClick = nullptr;
  else
    component->OnClick = [item](TObject*) { item->VerbOnClick(); };
}

void assignMenuItem(TComponent* component, TVerbListItem* item) {
  auto* m = static_cast<TMenuItem*>(component);
  const TVerbState s = item->State();
  if (m->Visible() != ((s & vsVisible) != 0)) m->SetVisible((s & vsVisible) != 0);
  m->SetEnabled((s & vsEnabled) != 0);
  m->SetChecked((s & vsChecked) != 0);
  assignClick(m, item);
}

#ifdef _WIN32
void assignControl(TComponent* component, TVerbListItem* item) {
  auto* c = dynamic_cast<TControl*>(component);
  if (!c) return;
  TVerbState s = item->State();
  if (c->Visible() != ((s & vsVisible) != 0)) c->SetVisible((s & vsVisible) != 0);
  c->SetEnabled((s & vsEnabled) != 0);
  assignClick(c, item);
}
#endif

}  // namespace

void RegisterStandardAssignVerbProcs() {
  RegisterAssignVerbProc<TMenuItem>("TMenuItem", assignMenuItem);
#ifdef _WIN32
  RegisterAssignVerbProc<TButton>("TButton", assignControl);
  RegisterAssignVerbProc<TSpeedButton>("TSpeedButton", assignControl);
#endif
}
