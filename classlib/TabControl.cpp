#include "classlib/TabControl.h"

#include <commctrl.h>

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FWidth = 289;
  FHeight = 193;
}

void TTabControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = WC_TABCONTROLA;
  p.Style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

void TTabControl::InsertTabItem(int index) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  AnsiString text = FTabs[static_cast<size_t>(index)];
  item.pszText = text.data();
  SendMessageA(FHandle, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TTabControl::HandleCreated() {
  for (int i = 0; i < TabCount(); ++i) InsertTabItem(i);
  SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

AnsiString TTabControl::Tabs(int index) const {
  return index >= 0 && index < TabCount() ? FTabs[static_cast<size_t>(index)] : AnsiString();
}

int TTabControl::AddTab(const AnsiString& caption) {
  FTabs.push_back(caption);
  int index = TabCount() - 1;
  if (FHandle) InsertTabItem(index);
  if (FTabIndex < 0) SetTabIndex(0);
  return index;
}

void TTabControl::DeleteTab(int index) {
  if (index < 0 || index >= TabCount()) return;
  FTabs.erase(FTabs.begin() + index);
  if (FHandle) SendMessageA(FHandle, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  if (FTabIndex >= TabCount()) FTabIndex = TabCount() - 1;
  else if (FTabIndex > index) --FTabIndex;
  if (FHandle) SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

void TTabControl::SetTabIndex(int index) {
  if (index < -1 || index >= TabCount()) return;
  FTabIndex = index;
  if (FHandle) SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TTabControl::Change() {
  if (OnChange) OnChange(this);
}

LRESULT TTabControl::NotifyReflect(NMHDR* h) {
  if (h->code == static_cast<UINT>(TCN_SELCHANGE)) {
    FTabIndex = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
    Change();
  }
  return 0;
}
