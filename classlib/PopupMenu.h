#pragma once
// A menu shown at a point of the screen, for a control's context menu: its
// items are a TMenuItem tree; the chosen item's click runs after the menu
// closed.
#include "classlib/Component.h"
#include "classlib/Menus.h"
#include "classlib/TypInfo.h"

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  // The root of the items (it is not shown itself).
  TMenuItem* Items() { return &FItems; }
  // The control whose context menu is shown (set before Popup).
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* component);

  // Fires OnPopup, shows the visible items at the screen point and waits
  // until the menu closes.
  virtual void Popup(int x, int y);
  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TMenuItem FItems{nullptr};
  TComponent* FPopupComponent = nullptr;
};
