#include "classlib/PageControl.h"

#include <algorithm>
#include <commctrl.h>

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { FVisible = false; }

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* pc) {
  if (pc == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  if (pc) pc->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& p = FPageControl->FPages;
  return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (FPageControl) FPageControl->UpdateTab(this);
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FWidth = 289;
  FHeight = 193;
}

TPageControl::~TPageControl() {
  while (!FPages.empty()) FPages.back()->SetPageControl(nullptr);
}

void TPageControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = WC_TABCONTROLA;
  p.Style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

void TPageControl::HandleCreated() {
  for (size_t i = 0; i < FPages.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    AnsiString text = FPages[i]->Text();
    item.pszText = text.data();
    SendMessageA(FHandle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
  PlacePages();
}

TTabSheet* TPageControl::Pages(int index) const {
  return index >= 0 && index < PageCount() ? FPages[index] : nullptr;
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) { SetActivePage(Pages(index)); }

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  if (page == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  // The old page goes first, so that nothing of it stays on the screen
  // where the new page does not paint again.
  if (old) old->SetVisible(false);
  if (page) page->SetVisible(true);
  if (FHandle) SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
}

void TPageControl::SelectNextPage(bool forward) {
  const int n = PageCount();
  if (n == 0) return;
  const int from = ActivePageIndex();
  const int to = from < 0 ? 0 : (from + (forward ? 1 : n - 1)) % n;
  if (to == from) return;
  SetActivePageIndex(to);
  if (OnChange) OnChange(this);
  TWinControl* first = FActivePage->FindNextControl(nullptr, true, true);
  if (first && first->CanFocus()) first->SetFocus();
  else if (CanFocus()) SetFocus();
}

bool TPageControl::DialogKey(WORD key, TShiftState shift) {
  if (key == VK_TAB && (shift & ssCtrl) && !(shift & ssAlt)) {
    SelectNextPage(!(shift & ssShift));
    return true;
  }
  return TWinControl::DialogKey(key, shift);
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  page->SetParent(this);
  if (FHandle) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    AnsiString text = page->Text();
    item.pszText = text.data();
    SendMessageA(FHandle, TCM_INSERTITEMA, FPages.size() - 1, reinterpret_cast<LPARAM>(&item));
  }
  PlacePages();
  if (!FActivePage) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
  int index = page->PageIndex();
  if (index < 0) return;
  // The page after the removed one (or before it, at the end) becomes active.
  if (FActivePage == page) {
    TTabSheet* next = index + 1 < PageCount() ? FPages[index + 1]
                      : index > 0              ? FPages[index - 1]
                                               : nullptr;
    SetActivePage(next);
  }
  FPages.erase(FPages.begin() + index);
  if (FHandle) SendMessageA(FHandle, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  page->FPageControl = nullptr;
  RemoveControl(page);
}

void TPageControl::UpdateTab(TTabSheet* page) {
  if (!FHandle) return;
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  AnsiString text = page->Text();
  item.pszText = text.data();
  SendMessageA(FHandle, TCM_SETITEMA, static_cast<WPARAM>(page->PageIndex()),
               reinterpret_cast<LPARAM>(&item));
  PlacePages();
}

void TPageControl::PlacePages() {
  RECT r{0, 0, FWidth, FHeight};
  if (FHandle) {
    GetClientRect(FHandle, &r);
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  }
  for (TTabSheet* p : FPages) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::BoundsChanged() {
  TWinControl::BoundsChanged();
  PlacePages();
}

LRESULT TPageControl::NotifyReflect(NMHDR* header) {
  if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
    int index = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
    // Wine's tab control moves its selection by the arrow keys without
    // moving its "pressed" mark along; while another tab than the selected
    // one keeps that mark, it ignores clicks on tabs. The mark goes with
    // the selection.
    for (int i = 0; i < PageCount(); ++i) {
      TCITEMA item{};
      item.mask = TCIF_STATE;
      item.dwStateMask = TCIS_BUTTONPRESSED;
      item.dwState = i == index ? TCIS_BUTTONPRESSED : 0;
      SendMessageA(FHandle, TCM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    SetActivePage(Pages(index));
    if (OnChange) OnChange(this);
  }
  return 0;
}
