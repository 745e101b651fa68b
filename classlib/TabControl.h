#pragma once
// A row of tabs over a client area that holds the controls of every tab;
// the program shows what the chosen tab stands for (OnChange).
#include <vector>

#include "classlib/WinControl.h"

class TTabControl : public TWinControl {
 public:
  explicit TTabControl(TComponent* owner);

  int TabCount() const { return static_cast<int>(FTabs.size()); }
  const AnsiString& Tabs(int index) const { return FTabs.at(static_cast<size_t>(index)); }
  void AddTab(const AnsiString& caption);
  // -1 when there is no tab.
  int TabIndex() const { return FTabIndex; }
  // Out-of-range values are ignored; OnChange is not fired.
  void SetTabIndex(int index);

  TNotifyEvent OnChange;

 protected:
  // The user chose another tab.
  virtual void Change();
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT NotifyReflect(NMHDR* header) override;

 private:
  void InsertTab(int index);

  std::vector<AnsiString> FTabs;
  int FTabIndex = -1;
};
