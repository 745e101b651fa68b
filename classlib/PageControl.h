#pragma once
// A tab control with one tab sheet per page; only the active page shows.
#include <vector>

#include "classlib/WinControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* pc);
  int PageIndex() const;

 protected:
  void TextChanged() override;

 private:
  TPageControl* FPageControl = nullptr;
  friend class TPageControl;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // Shows the page after (or before) the shown one, the first after the
  // last, as a click on its tab does; the focus goes to its first control.
  void SelectNextPage(bool forward);
  // Ctrl+Tab and Ctrl+Shift+Tab anywhere inside switch the pages.
  bool DialogKey(WORD key, TShiftState shift) override;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void BoundsChanged() override;
  LRESULT NotifyReflect(NMHDR* header) override;

 private:
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void UpdateTab(TTabSheet* page);
  void PlacePages();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  friend class TTabSheet;
};
