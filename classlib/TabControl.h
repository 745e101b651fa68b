#pragma once
// A row of tabs over a client area that holds the controls of every tab;
// the program shows what the chosen tab stands for (OnChange).
#include <vector>

#include "classlib/WinControl.h"

class TTabControl : public TWinControl {
 public:
  explicit TTabControl(TComponent* owner);

  int TabCount() const { return static_cast<int>(FTabs.size()); }
  // The caption of a tab (empty outside 0..TabCount()-1).
  AnsiString Tabs(int index) const;
  // Adds a tab at the end and returns its index; the first tab becomes the
  // selected one, as the system's control selects it.
  int AddTab(const AnsiString& caption);
  void DeleteTab(int index);
  // -1 when no tab is selected.
  int TabIndex() const { return FTabIndex; }
  // -1 or a tab's index; other values are ignored. OnChange is not fired.
  void SetTabIndex(int index);

  // A tab chosen with the mouse or the keyboard.
  TNotifyEvent OnChange;

 protected:
  // The user chose another tab.
  virtual void Change();
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT NotifyReflect(NMHDR* header) override;

 private:
  void InsertTabItem(int index);

  std::vector<AnsiString> FTabs;
  int FTabIndex = -1;
};
