#include "classlib/PopupMenu.h"

#include <windows.h>

#include <vector>

#include "classlib/Application.h"
#include "classlib/WinControl.h"

namespace {

// Builds the menu of the visible items; `chosen` maps command ids (from 1)
// to the items.
HMENU BuildMenu(TMenuItem& parent, std::vector<TMenuItem*>& chosen) {
  HMENU menu = CreatePopupMenu();
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item->Enabled() ? 0u : MF_GRAYED) | (item->Checked() ? MF_CHECKED : 0u);
    if (item->Count() > 0) {
      HMENU sub = BuildMenu(*item, chosen);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item->Caption().c_str());
    } else {
      chosen.push_back(item);
      AppendMenuA(menu, flags, chosen.size(), item->Caption().c_str());
    }
  }
  return menu;
}

}  // namespace

const TClassInfo TPopupMenu::Info = PublishClass<TPopupMenu>("TPopupMenu", "Menus", TComponent::Info, {});

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

TPopupMenu::~TPopupMenu() { OnPopup = nullptr; }

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (FPopupComponent == component) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = component;
  if (component) component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  std::vector<TMenuItem*> chosen;
  HMENU menu = BuildMenu(FItems, chosen);
  HWND owner = nullptr;
  if (auto* control = dynamic_cast<TControl*>(FPopupComponent)) {
    TWinControl* window = dynamic_cast<TWinControl*>(control);
    if (!window) window = control->Parent();
    if (window && window->HandleAllocated()) owner = window->Handle();
  }
  if (!owner && Application) owner = Application->Handle();
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (command > 0 && command <= chosen.size()) chosen[command - 1]->Click();
}
