#include "classlib/ListBox.h"

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FColor = clWindow;
  FBrush.SetColor(FColor);
  FWidth = 121;
  FHeight = 97;
  FItems.OnChange = [this] { FillList(); };
}

TCustomListBox::~TCustomListBox() {
  FItems.OnChange = nullptr;
  OnDblClick = nullptr;
  OnDrawItem = nullptr;
  OnMeasureItem = nullptr;
  OnKeyPress = nullptr;
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = "LISTBOX";
  p.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
  if (FStyle == lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
  if (FStyle == lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
  if (FMultiSelect) p.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!FIntegralHeight) p.Style |= LBS_NOINTEGRALHEIGHT;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::HandleCreated() {
  if (FStyle == lbOwnerDrawFixed)
    SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  int keep = FItemIndex;
  FillList();
  SetItemIndex(keep);
}

bool TCustomListBox::LineIs(int index) const {
  LRESULT n = SendMessageA(FHandle, LB_GETTEXTLEN, index, 0);
  if (n < 0) return false;
  AnsiString text(static_cast<size_t>(n) + 1, '\0');
  SendMessageA(FHandle, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(n));
  return text == FItems.Strings(index);
}

void TCustomListBox::FillList() {
  if (!FHandle) return;
  int n = FItems.Count();
  int have = static_cast<int>(SendMessageA(FHandle, LB_GETCOUNT, 0, 0));
  // Lines added at the end (the usual way of filling) are appended; any
  // other change puts every line in again.
  bool append = have > 0 && have < n && !FItems.Sorted() && LineIs(0) && LineIs(have - 1);
  SendMessageA(FHandle, WM_SETREDRAW, FALSE, 0);
  if (!append) {
    SendMessageA(FHandle, LB_RESETCONTENT, 0, 0);
    have = 0;
  }
  for (int i = have; i < n; ++i)
    SendMessageA(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems.Strings(i).c_str()));
  SendMessageA(FHandle, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(FHandle, nullptr, TRUE);
}

int TCustomListBox::ItemIndex() const {
  if (!FHandle) return FItemIndex;
  UINT msg = FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL;
  int i = static_cast<int>(SendMessageA(FHandle, msg, 0, 0));
  if (FMultiSelect && i >= 0 && SendMessageA(FHandle, LB_GETCOUNT, 0, 0) == 0) return -1;
  return i < 0 ? -1 : i;
}

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems.Count()) index = -1;
  FItemIndex = index;
  if (!FHandle) return;
  if (FMultiSelect) {
    SendMessageA(FHandle, LB_SETSEL, FALSE, -1);
    if (index >= 0) {
      SendMessageA(FHandle, LB_SETSEL, TRUE, index);
      SendMessageA(FHandle, LB_SETCARETINDEX, index, FALSE);
    }
  } else {
    SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

bool TCustomListBox::Selected(int index) const {
  if (!FHandle) return index >= 0 && index == FItemIndex;
  return SendMessageA(FHandle, LB_GETSEL, index, 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool v) {
  if (!FHandle) return;
  if (FMultiSelect)
    SendMessageA(FHandle, LB_SETSEL, v, index);
  else
    SendMessageA(FHandle, LB_SETCURSEL, v ? index : -1, 0);
}

int TCustomListBox::SelCount() const {
  if (!FHandle || !FMultiSelect) return -1;
  return static_cast<int>(SendMessageA(FHandle, LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetStyle(TListBoxStyle s) {
  if (s == FStyle) return;
  FItemIndex = ItemIndex();
  FStyle = s;
  RecreateWnd();
}

void TCustomListBox::SetItemHeight(int h) {
  if (h <= 0) return;
  FItemHeight = h;
  if (FHandle && FStyle == lbOwnerDrawFixed) {
    SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, h);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TCustomListBox::SetSorted(bool v) {
  FItems.SetSorted(v);
  FillList();
}

void TCustomListBox::SetMultiSelect(bool v) {
  if (v == FMultiSelect) return;
  FItemIndex = ItemIndex();
  FMultiSelect = v;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool v) {
  if (v == FExtendedSelect) return;
  FExtendedSelect = v;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool v) {
  if (v == FIntegralHeight) return;
  FIntegralHeight = v;
  RecreateWnd();
}

int TCustomListBox::TopIndex() const {
  return FHandle ? static_cast<int>(SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TCustomListBox::SetTopIndex(int index) {
  if (FHandle) SendMessageA(FHandle, LB_SETTOPINDEX, index, 0);
}

RECT TCustomListBox::ItemRect(int index) const {
  RECT r{};
  if (FHandle && index >= 0 && index < FItems.Count())
    SendMessageA(FHandle, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

int TCustomListBox::ItemAtPos(POINT p, bool existing) const {
  if (!FHandle) return -1;
  LRESULT r = SendMessageA(FHandle, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
  int index = LOWORD(r);
  bool outside = HIWORD(r) != 0;
  if (outside && existing) return -1;
  if (index >= FItems.Count()) return existing ? -1 : FItems.Count();
  return index;
}

void TCustomListBox::CommandNotify(WORD code) {
  if (code == LBN_SELCHANGE) {
    FItemIndex = ItemIndex();
    Click();
  } else if (code == LBN_DBLCLK) {
    DblClick();
  }
}

void TCustomListBox::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

HBRUSH TCustomListBox::CtlColor(HDC dc) {
  SetBkColor(dc, ColorToRGB(FColor));
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  return BackgroundBrush();
}

void TCustomListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas.FillRect(rect);
  if (index >= 0 && index < FItems.Count())
    FCanvas.TextOut(rect.left + 2, rect.top, FItems.Strings(index));
}

void TCustomListBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomListBox::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

LRESULT TCustomListBox::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case CN_BASE + WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      TOwnerDrawState state = 0;
      if (d->itemState & ODS_SELECTED) state |= odSelected;
      if (d->itemState & ODS_FOCUS) state |= odFocused;
      if (d->itemState & ODS_DISABLED) state |= odDisabled;
      // The font and brush are made over before the canvas takes the
      // context: a change deletes the old ones, which must not be selected.
      FCanvas.Font.Assign(FFont);
      if (state & odSelected) {
        FCanvas.Brush.SetColor(clHighlight);
        FCanvas.Font.SetColor(clSystemColor | COLOR_HIGHLIGHTTEXT);
      } else {
        FCanvas.Brush.SetColor(FColor);
      }
      FCanvas.SetHandle(d->hDC);
      if (d->itemID != static_cast<UINT>(-1)) {
        DrawItem(static_cast<int>(d->itemID), d->rcItem, state);
        if ((state & odFocused) && (d->itemAction & (ODA_DRAWENTIRE | ODA_FOCUS)))
          DrawFocusRect(d->hDC, &d->rcItem);
      } else if (d->itemAction & ODA_FOCUS) {
        DrawFocusRect(d->hDC, &d->rcItem);
      }
      FCanvas.SetHandle(nullptr);
      return TRUE;
    }
    case CN_BASE + WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      int h = FItemHeight;
      MeasureItem(static_cast<int>(m->itemID), h);
      m->itemHeight = static_cast<UINT>(h);
      return TRUE;
    }
    case WM_CHAR: {
      char key = static_cast<char>(w);
      KeyPress(key);
      if (key == 0) return 0;
      w = static_cast<unsigned char>(key);
      break;
    }
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(w);
      KeyDown(key, KeyboardShiftState());
      if (key == 0) return 0;
      w = key;
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      LRESULT r = TWinControl::WndProc(msg, w, l);
      MouseDown(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)),
                KeyboardShiftState());
      return r;
    }
    default:
      break;
  }
  return TWinControl::WndProc(msg, w, l);
}
