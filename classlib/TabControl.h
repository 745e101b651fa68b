#pragma once
// A row of tabs without pages: the tabs' captions and the selected tab.
#include <vector>

#include "classlib/WinControl.h"

class TTabControl : public TWinControl {
 public:
  explicit TTabControl(TComponent* owner);

  int TabCount() const { return static_cast<int>(FTabs.size()); }
  // The caption of a tab (empty outside 0..TabCount()-1).
  AnsiString Tabs(int index) const;
  // Adds a tab at the end; its index.
  int AddTab(const AnsiString& caption);
  void DeleteTab(int index);
  // -1 when no tab is selected; other indexes outside the tabs are ignored.
  int TabIndex() const { return FTabIndex; }
  void SetTabIndex(int index);

  // A tab chosen with the mouse or the keyboard.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT NotifyReflect(NMHDR* header) override;

 private:
  void InsertTabItem(int index);

  std::vector<AnsiString> FTabs;
  int FTabIndex = -1;
};
