#include "components/buttonedits/controls/DCPopupListBox.h"

#include <commctrl.h>

#include "components/buttonedits/controls/DropDownHook.h"
#include "components/buttonedits/controls/PopupMetrics.h"

TDCPopupListBox::TDCPopupListBox(TComponent* owner) : TPopupListBox(owner) { SetCustomDraw(true); }

TDCPopupListBox::~TDCPopupListBox() {
  OnSelect = nullptr;
  if (FOpen) Close(false);
}

void TDCPopupListBox::Popup(int x, int y) {
  HWND h = Handle();
  if (!h) return;
  int width = 8;
  for (int i = 0; i < MeasuredColumnCount(); ++i) width += ColumnSize(i);
  if (FMaxWidth > 0) width = std::min(width, FMaxWidth);
  width = std::max(width, static_cast<int>(ClientSize().cx));
  SetClientWidth(width);
  AdjustHeight();
  RECT wr{};
  GetWindowRect(h, &wr);
  TPopupPlace p = PlacePopupList(x, y, wr.right - wr.left, wr.bottom - wr.top, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN));
  if (Items().Count() > 0) SetItemIndex(0);
  FVisible = true;
  SetWindowPos(h, HWND_TOPMOST, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  FOpen = true;
  InstallDropDownHook(TDropDown{h, nullptr, 0, [this] { Close(false); }});
  if (FParent && FParent->HandleAllocated()) {
    FRedirected = FParent->Handle();
    SetWindowSubclass(FRedirected, &TDCPopupListBox::KeyRedirect, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
  }
}

LRESULT CALLBACK TDCPopupListBox::KeyRedirect(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<TDCPopupListBox*>(data);
  if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST && self->FOpen && self->HandleAllocated())
    return SendMessageA(self->Handle(), msg, w, l);
  return DefSubclassProc(h, msg, w, l);
}

void TDCPopupListBox::Close(bool accept) {
  if (!FOpen) return;
  FOpen = false;
  if (FRedirected) {
    RemoveWindowSubclass(FRedirected, &TDCPopupListBox::KeyRedirect, reinterpret_cast<UINT_PTR>(this));
    FRedirected = nullptr;
  }
  HWND h = HandleAllocated() ? Handle() : nullptr;
  RemoveDropDownHook(h);
  if (h) KillTimer(h, 1);
  int index = accept ? ItemIndex() : -1;
  if (h) SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  FVisible = false;
  if (OnSelect) OnSelect(this, index);
}

TDCPopupListBox* PopupListbox(TWinControl* control, const std::vector<std::string>& items, int x, int y,
                              const std::vector<TLeftRightAlign>& alignments, TFont* font, TPopupSelectEvent onSelect,
                              int maxWidth) {
  auto* list = new TDCPopupListBox(control);
  for (TLeftRightAlign a : alignments) list->Columns().push_back(TDCListBoxColumn{a, 0});
  if (font) {
    list->Font().Assign(*font);
  } else {
    list->Font().SetName("MS Sans Serif");
    list->Font().SetSize(8);
  }
  list->SetParent(control);
  list->SetMaxWidth(maxWidth);
  list->OnSelect = std::move(onSelect);
  list->Items().BeginUpdate();
  for (const std::string& s : items) list->Items().Add(s);
  list->Items().EndUpdate();
  POINT p{x, y};
  ClientToScreen(control->Handle(), &p);
  list->Popup(p.x, p.y);
  return list;
}
